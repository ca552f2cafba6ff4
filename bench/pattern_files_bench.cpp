// Loading and saving a full 9600 x 9600 pattern (target: 20 ms each).
#include "full_draft.h"
#include "files/pattern_file.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace hw;
using bench::FullDraft;

void BM_SavePattern(benchmark::State& state) {
    auto d = FullDraft(state.range(0));
    bench::TempFile file("full.hdw");
    for (auto _ : state)
        if (!SavePattern(*d, file.Path, {})) state.SkipWithError("save failed");
}

void BM_LoadPattern(benchmark::State& state) {
    bench::TempFile file("full.hdw");
    SavePattern(*FullDraft(state.range(0)), file.Path, {});
    auto d = std::make_unique<DraftState>();
    for (auto _ : state)
        if (!LoadPattern(*d, file.Path, {}).Ok) state.SkipWithError("load failed");
}

void BM_EncodePattern(benchmark::State& state) {
    auto d = FullDraft(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(EncodePattern(*d, {}));
}

} // namespace

// Argument: 0 single treadling, 1 liftplan.
BENCHMARK(BM_SavePattern)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPattern)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodePattern)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
