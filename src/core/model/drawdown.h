#pragma once

#include "model/draft_state.h"

#include <cstdint>

namespace hw {

// The drawdown rule: true when the weft covers the end at this crossing.
// A threading value above 16 counts as an empty end, a treadle above 16 as
// no treadle.
bool WeftOnTop(const DraftState& d, int pick, int end);

// Bulk drawdown for renderers: one byte per crossing, 1 where the weft is on
// top, 0 where the warp is. Agrees cell for cell with WeftOnTop.

// Picks pick, ends firstEnd .. firstEnd + count - 1 into out[0 .. count-1].
void DrawdownRow(const DraftState& d, int pick, int firstEnd, int count, uint8_t* out);
// End end, picks firstPick .. firstPick + count - 1 into out[0 .. count-1].
void DrawdownColumn(const DraftState& d, int end, int firstPick, int count, uint8_t* out);

// Per-pick lookup: for a threading value s (0..255) whether the weft is on
// top. Values above 16 behave as an empty end.
struct PickLookup {
    uint8_t WeftByShaft[256];
};
void BuildPickLookup(const DraftState& d, int pick, PickLookup& out);

} // namespace hw
