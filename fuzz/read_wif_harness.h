#pragma once

// One fuzz input: the bytes of a WIF file. The reader must keep the
// document's bounds, and whatever it takes in must survive the writer: the
// draft written as WIF and read again lifts the same shafts on every pick,
// with the same threading and colours. Shared by the libFuzzer target and
// the core tests, which run it over the hand-written and the real files.

#include "files/wif_file.h"
#include "files/wif_reader.h"
#include "load_pattern_harness.h"
#include "model/primitives.h"

#include <cstdlib>
#include <memory>
#include <span>

namespace hw::fuzz {

// The shafts a pick raises (tie-up and treadles, or the liftplan).
inline uint32_t Lifted(const DraftState& d, int pick) {
    const LoomSystem loom = GetLoomSystem(d);
    if (loom == LoomSystem::Liftplan) return d.Liftplan[pick];
    uint32_t pressed = loom == LoomSystem::MultipleTreadling ? d.Liftplan[pick]
                       : d.Treadling[pick] > 0               ? 1u << (d.Treadling[pick] - 1)
                                                             : 0u;
    uint32_t lifted = 0;
    for (int t = 1; t <= d.Treadles; ++t)
        for (int s = 1; s <= d.Shafts && ((pressed >> (t - 1)) & 1u); ++s)
            if (d.TieUpAt(s, t)) lifted |= 1u << (s - 1);
    return lifted;
}

inline WifReadResult ReadText(DraftState& d, const std::string& text) {
    return ReadWifBytes(d, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

inline void RunWif(std::span<const uint8_t> data) {
    auto d = std::make_unique<DraftState>();
    LooksLikeWif(data);
    if (!ReadWifBytes(*d, data).Ok) return;
    CheckInvariants(*d);
    const std::string text = WifText(*d, {});
    auto back = std::make_unique<DraftState>();
    const WifReadResult again =
        ReadWifBytes(*back, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    if (!again.Ok || again.Skipped != 0 || back->Shed != d->Shed || back->Palette != d->Palette ||
        back->Threading != d->Threading)
        std::abort();
    for (int e = 1; e <= LastThreadedEnd(*d, d->Ends); ++e)
        if (back->WarpColors[e] != d->WarpColors[e]) std::abort();
    for (int p = 1; p <= LastUsedPick(*d, d->Picks); ++p)
        if (back->WeftColors[p] != d->WeftColors[p] || Lifted(*back, p) != Lifted(*d, p))
            std::abort();
}

} // namespace hw::fuzz
