// What the file benchmarks read and write: the largest draft there is.
#pragma once

#include "model/draft_state.h"
#include "model/primitives.h"

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace hw::bench {

// Every end threaded and coloured, every pick woven and coloured, the whole
// palette and full notes.
inline std::unique_ptr<DraftState> FullDraft(bool liftplan) {
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

// A full draft for the views: 16 shafts and treadles, every end threaded and
// every pick treadled at random, the colours in stripes.
inline std::unique_ptr<DraftState> StripedDraft(unsigned seed) {
    auto d = std::make_unique<DraftState>();
    std::mt19937 rng(seed);
    d->Ends = d->Picks = MaxEnds;
    d->Shafts = d->Treadles = 16;
    for (int e = 1; e <= MaxEnds; ++e) {
        d->Threading[e] = uint8_t(1 + rng() % 16);
        d->WarpColors[e] = uint8_t((e / 12) % 8 + 16);
    }
    for (int p = 1; p <= MaxPicks; ++p) {
        d->Treadling[p] = uint8_t(1 + rng() % 16);
        d->WeftColors[p] = uint8_t((p / 10) % 8 + 40);
    }
    for (int s = 1; s <= 16; ++s)
        for (int t = 1; t <= 16; ++t) d->TieUpAt(s, t) = uint8_t(rng() % 2);
    UpdateUsed(*d);
    return d;
}

// A file in a folder of its own under /tmp, both gone afterwards.
struct TempFile {
    std::string Dir, Path;
    explicit TempFile(const char* name) {
        char templ[] = "/tmp/hw-bench-XXXXXX";
        Dir = ::mkdtemp(templ);
        Path = Dir + "/" + name;
    }
    ~TempFile() {
        std::remove(Path.c_str());
        ::rmdir(Dir.c_str());
    }
};

} // namespace hw::bench
