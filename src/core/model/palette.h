#pragma once

#include "model/draft_state.h"

namespace hw {

// Integer division rounding halves to even (num may be negative, den > 0).
int DivRoundHalfEven(long long num, long long den);

// How many colours a palette display size shows (0: 16, 1: 64, 2: 256) and in
// how many columns (4, 8, 16). Sizes out of range count as 64.
int PaletteShown(int display);
int PaletteColumns(int display);
// The next size in the cycle 16 -> 64 -> 256 -> 16.
int NextPaletteDisplay(int display);
// An index that a smaller display no longer shows falls back to 0.
int FitToDisplay(int index, int display);

// Edits of a palette's colour entries (a draft's keeps its ColorTable by
// RebuildColorTable). Each returns whether anything changed; indexes out of
// 0..255 change nothing.
using PaletteEntries = std::array<PaletteEntry, PaletteSize>;

// The two entries exchange their colours.
bool SwitchPaletteEntries(PaletteEntries& p, int a, int b);
// Entry `to` takes the colour of entry `from`.
bool CopyPaletteEntry(PaletteEntries& p, int from, int to);
// The entries strictly between the two become an even ramp from one to the
// other, each channel rounded half to even; the two themselves stay.
bool BlendPalette(PaletteEntries& p, int a, int b);
// Every entry of grid row 0 exchanges with the one in the same column of
// grid row `row`, for a grid of `columns` columns.
bool ExchangePaletteRows(PaletteEntries& p, int row, int columns);
// One entry takes a colour.
bool SetPaletteColor(PaletteEntries& p, int index, ColorRef color);

} // namespace hw
