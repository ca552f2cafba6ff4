// Writing and reading a WIF file of a full 9600 x 9600 draft with 16 shafts
// and every colour section full (target: 50 ms each).
#include "files/wif_file.h"
#include "files/wif_reader.h"
#include "model/primitives.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace {

using namespace hw;

// Every end threaded and coloured, every pick woven and coloured, the whole
// palette and full notes.
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
    for (PaletteEntry& c : d->Palette) c = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
    for (int i = 0; i < 60; ++i) d->Notes += std::string(48, char('a' + i % 26)) + "\r\n";
    UpdateUsed(*d);
    return d;
}

struct TempFile {
    std::string Dir, Path;
    TempFile() {
        char templ[] = "/tmp/hw-bench-XXXXXX";
        Dir = ::mkdtemp(templ);
        Path = Dir + "/full.wif";
    }
    ~TempFile() {
        std::remove(Path.c_str());
        ::rmdir(Dir.c_str());
    }
};

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
    TempFile file;
    for (auto _ : state)
        if (!SaveWif(*d, file.Path, Options(state.range(0)))) state.SkipWithError("save failed");
}

void BM_ReadWif(benchmark::State& state) {
    TempFile file;
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
