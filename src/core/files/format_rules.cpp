#include "files/format_rules.h"

#include <algorithm>
#include <numeric>

namespace hw {

int64_t DivRoundHalfEven(int64_t num, int64_t den) {
    int64_t q = num / den;
    const int64_t r2 = 2 * (num % den);
    if (r2 > den || (r2 == den && (q & 1))) ++q;
    return q;
}

static uint8_t Density(int64_t v) {
    return uint8_t(std::clamp<int64_t>(v, 1, 255));
}

std::pair<uint8_t, uint8_t> DensitiesFromSizeCodes(int a, int b, bool metric) {
    a = std::max(a, 1);
    b = std::max(b, 1);
    const int low = metric ? 12 : 5;
    const int even = metric ? 25 : 10;
    if (a == b) return {uint8_t(even), uint8_t(even)};
    if (a < b) return {Density(DivRoundHalfEven(int64_t(low) * b, a)), uint8_t(low)};
    return {uint8_t(low), Density(DivRoundHalfEven(int64_t(low) * a, b))};
}

std::pair<int, int> SizeCodesForDensities(int endsPerUnit, int picksPerUnit, int maxCode) {
    int a = std::max(picksPerUnit, 1);
    int b = std::max(endsPerUnit, 1);
    const int g = std::gcd(a, b);
    a /= g;
    b /= g;
    const int big = std::max(a, b);
    if (big > maxCode) {
        // Scale both down; the ratio stays as close as the bound allows.
        a = std::max<int>(1, int(DivRoundHalfEven(int64_t(a) * maxCode, big)));
        b = std::max<int>(1, int(DivRoundHalfEven(int64_t(b) * maxCode, big)));
    }
    return {a, b};
}

uint8_t ScaleOldPaletteComponent(uint8_t c) {
    // c * 4 * 1.011 in thousandths, so the rounding is exact.
    return uint8_t(std::min<int64_t>(255, DivRoundHalfEven(int64_t(c) * 4044, 1000)));
}

uint8_t OldPaletteLevel(uint8_t c) {
    return uint8_t(std::min<int64_t>(63, DivRoundHalfEven(c, 4)));
}

} // namespace hw
