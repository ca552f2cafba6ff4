#include "model/palette.h"

#include "model/primitives.h"

#include <algorithm>
#include <utility>

namespace hw {

int DivRoundHalfEven(long long num, long long den) {
    long long q = num / den, r = num % den;
    if (r < 0) { // floor division
        q -= 1;
        r += den;
    }
    if (2 * r > den || (2 * r == den && (q & 1))) ++q;
    return int(q);
}

int PaletteShown(int display) {
    return display == 0 ? 16 : display == 2 ? 256 : 64;
}

int PaletteColumns(int display) {
    return display == 0 ? 4 : display == 2 ? 16 : 8;
}

int NextPaletteDisplay(int display) {
    return display == 0 ? 1 : display == 1 ? 2 : 0;
}

int FitToDisplay(int index, int display) {
    return index >= 0 && index < PaletteShown(display) ? index : 0;
}

static bool Valid(int i) {
    return i >= 0 && i < PaletteSize;
}

// Keeps the paint colours in step and tells whether the palette moved.
static bool Done(DraftState& d, const std::array<PaletteEntry, PaletteSize>& before) {
    RebuildColorTable(d);
    return d.Palette != before;
}

bool SwitchPaletteEntries(DraftState& d, int a, int b) {
    if (!Valid(a) || !Valid(b) || a == b) return false;
    const auto before = d.Palette;
    std::swap(d.Palette[size_t(a)], d.Palette[size_t(b)]);
    return Done(d, before);
}

bool CopyPaletteEntry(DraftState& d, int from, int to) {
    if (!Valid(from) || !Valid(to) || from == to) return false;
    const auto before = d.Palette;
    d.Palette[size_t(to)] = d.Palette[size_t(from)];
    return Done(d, before);
}

bool BlendPalette(DraftState& d, int a, int b) {
    if (!Valid(a) || !Valid(b)) return false;
    const int first = std::min(a, b), last = std::max(a, b), n = last - first;
    if (n < 2) return false;
    const auto before = d.Palette;
    const PaletteEntry lo = d.Palette[size_t(first)], hi = d.Palette[size_t(last)];
    auto ramp = [n](int from, int to, int k) {
        return uint8_t(from + DivRoundHalfEven((long long)k * (to - from), n));
    };
    for (int k = 1; k < n; ++k)
        d.Palette[size_t(first + k)] = {ramp(lo.Red, hi.Red, k), ramp(lo.Green, hi.Green, k),
                                        ramp(lo.Blue, hi.Blue, k)};
    return Done(d, before);
}

bool ExchangePaletteRows(DraftState& d, int row, int columns) {
    if (columns < 1 || row < 1 || (row + 1) * columns > PaletteSize) return false;
    const auto before = d.Palette;
    for (int c = 0; c < columns; ++c)
        std::swap(d.Palette[size_t(c)], d.Palette[size_t(row * columns + c)]);
    return Done(d, before);
}

bool SetPaletteColor(DraftState& d, int index, ColorRef color) {
    if (!Valid(index)) return false;
    const auto before = d.Palette;
    SetPaletteEntry(d, index, color);
    return Done(d, before);
}

} // namespace hw
