#include "model/palette.h"

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

bool SwitchPaletteEntries(PaletteEntries& p, int a, int b) {
    if (!Valid(a) || !Valid(b) || p[size_t(a)] == p[size_t(b)]) return false;
    std::swap(p[size_t(a)], p[size_t(b)]);
    return true;
}

bool CopyPaletteEntry(PaletteEntries& p, int from, int to) {
    if (!Valid(from) || !Valid(to) || p[size_t(from)] == p[size_t(to)]) return false;
    p[size_t(to)] = p[size_t(from)];
    return true;
}

bool BlendPalette(PaletteEntries& p, int a, int b) {
    if (!Valid(a) || !Valid(b)) return false;
    const int first = std::min(a, b), last = std::max(a, b), n = last - first;
    if (n < 2) return false;
    const PaletteEntries before = p;
    const PaletteEntry lo = p[size_t(first)], hi = p[size_t(last)];
    auto ramp = [n](int from, int to, int k) {
        return uint8_t(from + DivRoundHalfEven((long long)k * (to - from), n));
    };
    for (int k = 1; k < n; ++k)
        p[size_t(first + k)] = {ramp(lo.Red, hi.Red, k), ramp(lo.Green, hi.Green, k),
                                ramp(lo.Blue, hi.Blue, k)};
    return p != before;
}

bool ExchangePaletteRows(PaletteEntries& p, int row, int columns) {
    if (columns < 1 || row < 1 || (row + 1) * columns > PaletteSize) return false;
    const PaletteEntries before = p;
    for (int c = 0; c < columns; ++c) std::swap(p[size_t(c)], p[size_t(row * columns + c)]);
    return p != before;
}

bool SetPaletteColor(PaletteEntries& p, int index, ColorRef color) {
    if (!Valid(index)) return false;
    const PaletteEntry e{ColorRed(color), ColorGreen(color), ColorBlue(color)};
    if (p[size_t(index)] == e) return false;
    p[size_t(index)] = e;
    return true;
}

} // namespace hw
