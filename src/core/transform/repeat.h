#pragma once

#include "model/draft_state.h"

#include <cstdint>

namespace hw {

struct RepeatResult {
    int Length = 0;
    bool Found = false;
    bool operator==(const RepeatResult&) const = default;
};

// The shortest period of positions 1..min(count, last) of a sequence; seq[0]
// is position 1. The last block may be partial. Without a period up to
// min(n / 2, 2400), a used length of at most 2400 is one whole repeat;
// longer ones are not found.
RepeatResult FindRepeat(const uint8_t* seq, int count, int last);

// Liftplan rows 1.., compared over the bytes the shaft count needs.
RepeatResult FindLiftplanRepeat(const LiftplanRow* rows, int count, int last, int shafts);

// A warp or weft colour row: a last used position of 0 means the whole bound.
RepeatResult FindColorRepeat(const uint8_t* seq, int count, int last);

// The four remembered repeat lengths, taken from the current draft (0 when a
// sequence has no repeat).
void UpdateRememberedRepeats(DraftState& d);

} // namespace hw
