#pragma once

#include "model/draft_state.h"
#include "model/primitives.h"

#include <memory>
#include <random>

namespace hw::test {

// DraftState holds several hundred kilobytes; tests keep it on the heap.
inline std::unique_ptr<DraftState> NewDraft() {
    return std::make_unique<DraftState>();
}

// A random draft in the given loom system and shed whose every pick
// 1..Picks is woven (a treadle, a non-empty liftplan row or treadle set), so
// that all loom systems agree on its drawdown. Some ends stay empty.
inline std::unique_ptr<DraftState> RandomDraft(std::mt19937& rng, LoomSystem system, bool sinking,
                                               int maxDistinctRows = 16) {
    auto d = NewDraft();
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    SetLoomSystem(*d, system);
    d->Shed = sinking, d->Shafts = uint16_t(pick(2, 16));
    d->Treadles = system == LoomSystem::Liftplan ? d->Shafts : uint16_t(pick(2, 16));
    d->Ends = uint16_t(pick(2, 120)), d->Picks = uint16_t(pick(2, 120));
    for (int e = 1; e <= d->Ends; ++e)
        d->Threading[e] = uint8_t(pick(0, 5) == 0 ? 0 : pick(1, d->Shafts));
    for (int s = 1; s <= d->Shafts; ++s)
        for (int t = 1; t <= d->Treadles; ++t) d->TieUpAt(s, t) = uint8_t(pick(0, 1));
    const uint16_t rowMask = uint16_t((1u << d->Shafts) - 1u);
    const uint16_t treadleMask = uint16_t((1u << d->Treadles) - 1u);
    std::vector<uint16_t> rows;
    for (int i = 0; i < maxDistinctRows; ++i) rows.push_back(uint16_t(pick(1, rowMask)));
    for (int p = 1; p <= d->Picks; ++p) {
        if (system == LoomSystem::SingleTreadling) d->Treadling[p] = uint8_t(pick(1, d->Treadles));
        if (system == LoomSystem::MultipleTreadling)
            d->Liftplan[p] = uint16_t(pick(1, treadleMask));
        if (system == LoomSystem::Liftplan)
            d->Liftplan[p] = rows[size_t(pick(0, maxDistinctRows - 1))];
        d->WeftColors[p] = uint8_t(pick(0, 255));
    }
    for (int e = 1; e <= d->Ends; ++e) d->WarpColors[e] = uint8_t(pick(0, 255));
    UpdateUsed(*d);
    return d;
}

} // namespace hw::test
