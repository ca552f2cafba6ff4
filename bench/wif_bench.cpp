// Writing and reading a WIF file of a full 9600 x 9600 draft with 16 shafts
// and every colour section full (target: 50 ms each).
#include "full_draft.h"
#include "files/wif_file.h"
#include "files/wif_reader.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace hw;
using bench::FullDraft;

// A treadle draft is written with its liftplan beside the tie-up and
// treadling, so every section is there.
WifOptions Options(bool liftplan) {
    WifOptions o;
    o.Both = !liftplan;
    o.Date = "May 1, 2024";
    return o;
}

void BM_SaveWif(benchmark::State& state) {
    auto d = FullDraft(state.range(0));
    bench::TempFile file("full.wif");
    for (auto _ : state)
        if (!SaveWif(*d, file.Path, Options(state.range(0)))) state.SkipWithError("save failed");
}

void BM_ReadWif(benchmark::State& state) {
    bench::TempFile file("full.wif");
    SaveWif(*FullDraft(state.range(0)), file.Path, Options(state.range(0)));
    auto d = std::make_unique<DraftState>();
    for (auto _ : state)
        if (!ReadWifFile(*d, file.Path).Ok) state.SkipWithError("read failed");
    if (d->Ends != MaxEnds || d->Picks != MaxPicks) state.SkipWithError("not the whole draft");
}

} // namespace

// Argument: 0 single treadling (with the liftplan beside it), 1 liftplan.
BENCHMARK(BM_SaveWif)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWif)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
