// The document's history on a full 9600 x 9600 draft: undo and redo of one
// whole-draft step (target: under 5 ms), recording such a step, and the
// memory 100 of them take (target: under 16 MB).
#include "document/document.h"
#include "model/primitives.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

// Every end, pick and liftplan row of a full draft changes.
void WholeDraftCommand(hw::DraftState& d, int round) {
    for (int e = 1; e <= hw::MaxEnds; ++e) d.Threading[e] = uint8_t(1 + (e * 7 + round) % 16);
    for (int p = 1; p <= hw::MaxPicks; ++p) {
        d.Liftplan[p] = uint16_t(p * 31 + round);
        d.WeftColors[p] = uint8_t(p + round);
    }
    for (int e = 1; e <= hw::MaxEnds; ++e) d.WarpColors[e] = uint8_t(e * 3 + round);
}

hw::Document FullDocument() {
    hw::Document doc;
    doc.Edit([](hw::DraftState& d) {
        d.Ends = d.Picks = hw::MaxEnds;
        d.Shafts = d.Treadles = 16;
        d.TreadleMode = false;
        WholeDraftCommand(d, 0);
        hw::UpdateUsed(d);
    });
    doc.ResetHistory();
    return doc;
}

void RecordWholeDraftStep(benchmark::State& state) {
    hw::Document doc = FullDocument();
    int round = 1;
    for (auto _ : state) doc.Edit([&](hw::DraftState& d) { WholeDraftCommand(d, round++); });
}
BENCHMARK(RecordWholeDraftStep)->Unit(benchmark::kMillisecond);

// One iteration is an undo and a redo.
void UndoRedoWholeDraftStep(benchmark::State& state) {
    hw::Document doc = FullDocument();
    doc.Edit([](hw::DraftState& d) { WholeDraftCommand(d, 1); });
    for (auto _ : state) {
        doc.Undo();
        doc.Redo();
    }
    state.counters["per_undo_or_redo_ms"] =
        benchmark::Counter(2.0 * double(state.iterations()) / 1000.0,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(UndoRedoWholeDraftStep)->Unit(benchmark::kMillisecond);

void HundredWholeDraftSteps(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        hw::Document doc = FullDocument();
        for (int i = 1; i <= 100; ++i)
            doc.Edit([&](hw::DraftState& d) { WholeDraftCommand(d, i); });
        bytes = doc.HistoryBytes();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["history_MB"] = double(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(HundredWholeDraftSteps)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
