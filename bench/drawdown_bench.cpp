// Whole-draft drawdown: the bulk row routine against the single-cell rule.
#include "model/drawdown.h"
#include "model/primitives.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

namespace {

std::unique_ptr<hw::DraftState> FullDraft(hw::LoomSystem system) {
    auto d = std::make_unique<hw::DraftState>();
    std::mt19937 rng(5);
    hw::SetLoomSystem(*d, system);
    d->Ends = d->Picks = hw::MaxEnds;
    d->Shafts = d->Treadles = 16;
    for (int e = 1; e <= hw::MaxEnds; ++e) d->Threading[e] = uint8_t(rng() % 17);
    for (int p = 1; p <= hw::MaxPicks; ++p) {
        d->Treadling[p] = uint8_t(1 + rng() % 16);
        d->Liftplan[p] = uint16_t(rng());
    }
    for (int s = 1; s <= 16; ++s)
        for (int t = 1; t <= 16; ++t) d->TieUpAt(s, t) = uint8_t(rng() % 2);
    return d;
}

void BulkRows(benchmark::State& state) {
    auto d = FullDraft(hw::LoomSystem(state.range(0)));
    std::vector<uint8_t> row(hw::MaxEnds);
    for (auto _ : state) {
        for (int p = 1; p <= hw::MaxPicks; ++p) {
            hw::DrawdownRow(*d, p, 1, hw::MaxEnds, row.data());
            benchmark::DoNotOptimize(row.data());
        }
        benchmark::ClobberMemory();
    }
    state.counters["ns_per_cell"] = benchmark::Counter(
        double(hw::MaxEnds) * hw::MaxPicks,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BulkColumns(benchmark::State& state) {
    auto d = FullDraft(hw::LoomSystem(state.range(0)));
    std::vector<uint8_t> column(hw::MaxPicks);
    for (auto _ : state) {
        for (int e = 1; e <= hw::MaxEnds; ++e) {
            hw::DrawdownColumn(*d, e, 1, hw::MaxPicks, column.data());
            benchmark::DoNotOptimize(column.data());
        }
        benchmark::ClobberMemory();
    }
    state.counters["ns_per_cell"] = benchmark::Counter(
        double(hw::MaxEnds) * hw::MaxPicks,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// For comparison: one WeftOnTop call per cell over a 1000 x 1000 corner.
void SingleCells(benchmark::State& state) {
    auto d = FullDraft(hw::LoomSystem(state.range(0)));
    for (auto _ : state) {
        int weft = 0;
        for (int p = 1; p <= 1000; ++p)
            for (int e = 1; e <= 1000; ++e) weft += hw::WeftOnTop(*d, p, e);
        benchmark::DoNotOptimize(weft);
    }
    state.counters["ns_per_cell"] = benchmark::Counter(
        1e6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// 0 = liftplan, 1 = single treadling, 2 = multiple treadling.
BENCHMARK(BulkRows)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BulkColumns)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(SingleCells)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
