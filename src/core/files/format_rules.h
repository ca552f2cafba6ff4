#pragma once

#include <cstdint>
#include <utility>

namespace hw {

// num / den to the nearest integer, halves to even (den > 0, num >= 0).
int64_t DivRoundHalfEven(int64_t num, int64_t den);

// Old layouts store no densities but a warp size code a and a weft size code
// b; only their ratio survives: ends / picks = b / a. A code of 0 counts as 1.
// Returns {EndsPerUnit, PicksPerUnit}, each kept in 1..255.
std::pair<uint8_t, uint8_t> DensitiesFromSizeCodes(int a, int b, bool metric);

// Size codes {a, b} that DensitiesFromSizeCodes turns back into the ratio of
// the given densities as nearly as codes of at most maxCode allow.
std::pair<int, int> SizeCodesForDensities(int endsPerUnit, int picksPerUnit, int maxCode);

// A colour component of an old 64-level palette (0..63) on the 0..255 scale.
uint8_t ScaleOldPaletteComponent(uint8_t c);

// A colour component as an old palette level: divided by 4, rounded, at most 63.
uint8_t OldPaletteLevel(uint8_t c);

} // namespace hw
