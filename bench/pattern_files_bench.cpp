// Loading and saving a full 9600 x 9600 pattern (target: 20 ms each).
#include "files/pattern_file.h"
#include "model/primitives.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace {

using namespace hw;

// Every end threaded, every pick woven, colours everywhere, full notes.
std::unique_ptr<DraftState> FullDraft(bool liftplan) {
    auto d = std::make_unique<DraftState>();
    std::mt19937 rng(1);
    d->TreadleMode = !liftplan;
    d->Shafts = d->Treadles = 16;
    d->Ends = MaxEnds;
    d->Picks = MaxPicks;
    for (int e = 1; e <= MaxEnds; ++e) {
        d->Threading[e] = uint8_t(rng() % 16 + 1);
        d->WarpColors[e] = uint8_t(rng());
    }
    for (int p = 1; p <= MaxPicks; ++p) {
        d->Treadling[p] = uint8_t(rng() % 16 + 1);
        d->Liftplan[p] = LiftplanRow(rng() | 1);
        d->WeftColors[p] = uint8_t(rng());
    }
    for (int s = 1; s <= 16; ++s)
        for (int t = 1; t <= 16; ++t) d->TieUpAt(s, t) = uint8_t(rng() & 1);
    d->Notes = std::string(3000, 'n');
    UpdateUsed(*d);
    return d;
}

std::string TempFolder() {
    char templ[] = "/tmp/hw-bench-XXXXXX";
    return ::mkdtemp(templ);
}

void BM_SavePattern(benchmark::State& state) {
    auto d = FullDraft(state.range(0));
    const std::string dir = TempFolder();
    const std::string path = dir + "/full.hdw";
    for (auto _ : state)
        if (!SavePattern(*d, path, {})) state.SkipWithError("save failed");
    std::remove(path.c_str());
    ::rmdir(dir.c_str());
}

void BM_LoadPattern(benchmark::State& state) {
    auto source = FullDraft(state.range(0));
    const std::string dir = TempFolder();
    const std::string path = dir + "/full.hdw";
    SavePattern(*source, path, {});
    auto d = std::make_unique<DraftState>();
    for (auto _ : state)
        if (!LoadPattern(*d, path, {}).Ok) state.SkipWithError("load failed");
    std::remove(path.c_str());
    ::rmdir(dir.c_str());
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
