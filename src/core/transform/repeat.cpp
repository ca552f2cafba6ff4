#include "transform/repeat.h"

#include "model/primitives.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace hw {

// r is a period of s[0..n-1] exactly when s[i] == s[i - r] for every i >= r:
// each block then equals the beginning, position by position.
template <typename T> static RepeatResult Search(const T* seq, int count, int last) {
    if (last <= 0) return {0, true};
    const int n = std::clamp(std::min(count, last), 0, MaxEnds);
    const int limit = std::min(n / 2, MaxRepeatSearched);
    for (int r = 1; r <= limit; ++r)
        if (std::memcmp(seq + r, seq, size_t(n - r) * sizeof(T)) == 0) return {r, true};
    if (last <= MaxRepeatSearched) return {last, true};
    return {0, false};
}

RepeatResult FindRepeat(const uint8_t* seq, int count, int last) {
    return Search(seq, count, last);
}

RepeatResult FindLiftplanRepeat(const LiftplanRow* rows, int count, int last, int shafts) {
    const LiftplanRow mask = shafts <= 8 ? 0x00FF : 0xFFFF;
    const int n = std::clamp(std::min(count, last), 0, MaxPicks);
    std::array<LiftplanRow, MaxPicks> masked;
    for (int i = 0; i < n; ++i) masked[i] = LiftplanRow(rows[i] & mask);
    return Search(masked.data(), n, last);
}

RepeatResult FindColorRepeat(const uint8_t* seq, int count, int last) {
    if (last <= 0) last = count;
    int n = std::min(count, last);
    if (n == MaxEnds) n = MaxEnds - 10;
    return Search(seq, n, last);
}

void UpdateRememberedRepeats(DraftState& d) {
    auto length = [](RepeatResult r) { return r.Found ? r.Length : 0; };
    const int lastEnd = LastThreadedEnd(d, MaxEnds);
    d.RepeatThreading = length(FindRepeat(&d.Threading[1], d.Ends, lastEnd));
    if (d.TreadleMode && !d.MultipleTr)
        d.RepeatTreadling =
            length(FindRepeat(&d.Treadling[1], d.Picks, LastTreadledPick(d, MaxPicks)));
    else
        d.RepeatTreadling = length(
            FindLiftplanRepeat(&d.Liftplan[1], d.Picks, LastLiftplanPick(d, MaxPicks), d.Shafts));
    d.RepeatWarpColors = length(FindColorRepeat(&d.WarpColors[1], d.Ends, lastEnd));
    d.RepeatWeftColors =
        length(FindColorRepeat(&d.WeftColors[1], d.Picks, LastUsedPick(d, MaxPicks)));
}

} // namespace hw
