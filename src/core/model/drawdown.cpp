#include "model/drawdown.h"

#include "model/primitives.h"

#include <algorithm>
#include <cstring>

namespace hw {

// The shafts a pick's pressed treadles are tied to never matter one by one in
// multiple treadling; only whether any pressed treadle is tied to the shaft.
static uint16_t TreadlesTiedToShaft(const DraftState& d, int s) {
    uint16_t mask = 0;
    const int treadles = std::clamp<int>(d.Treadles, 0, MaxTreadles);
    for (int t = 1; t <= treadles; ++t)
        if (d.TieUpAt(s, t) == 1) mask = uint16_t(mask | (1u << (t - 1)));
    return mask;
}

bool WeftOnTop(const DraftState& d, int pick, int end) {
    if (pick < 1 || pick > MaxPicks || end < 1 || end > MaxEnds) return true;
    const int s = SafeShaft(d.Threading[end]);
    if (s == 0) return true;
    const uint8_t h = d.Shed ? 1 : 0;
    if (d.MultipleTr) {
        const bool lifted = (TreadlesTiedToShaft(d, s) & d.Liftplan[pick]) != 0;
        return lifted == d.Shed;
    }
    if (d.TreadleMode) {
        const int t = SafeShaft(d.Treadling[pick]);
        return t > 0 && d.TieUpAt(s, t) == h;
    }
    return ((d.Liftplan[pick] >> (s - 1)) & 1u) == h;
}

void BuildPickLookup(const DraftState& d, int pick, PickLookup& out) {
    // Empty ends and values above 16 show the weft.
    std::memset(out.WeftByShaft, 1, sizeof out.WeftByShaft);
    if (pick < 1 || pick > MaxPicks) return;
    const uint8_t h = d.Shed ? 1 : 0;
    const LiftplanRow row = d.Liftplan[pick];
    if (d.MultipleTr) {
        for (int s = 1; s <= MaxShafts; ++s) {
            const bool lifted = (TreadlesTiedToShaft(d, s) & row) != 0;
            out.WeftByShaft[s] = lifted == d.Shed;
        }
    } else if (d.TreadleMode) {
        const int t = SafeShaft(d.Treadling[pick]);
        for (int s = 1; s <= MaxShafts; ++s) out.WeftByShaft[s] = t > 0 && d.TieUpAt(s, t) == h;
    } else {
        for (int s = 1; s <= MaxShafts; ++s) out.WeftByShaft[s] = ((row >> (s - 1)) & 1u) == h;
    }
}

void DrawdownRow(const DraftState& d, int pick, int firstEnd, int count, uint8_t* out) {
    PickLookup lookup;
    BuildPickLookup(d, pick, lookup);
    const uint8_t* table = lookup.WeftByShaft;
    // Positions outside 1..MaxEnds read as empty ends; the rest is one tight
    // table lookup per end.
    const int lo = std::clamp(1 - firstEnd, 0, std::max(count, 0));
    const int hi = std::clamp(MaxEnds + 1 - firstEnd, lo, std::max(count, 0));
    if (lo > 0) std::memset(out, 1, size_t(lo));
    const uint8_t* threading = d.Threading.data();
    for (int i = lo; i < hi; ++i) out[i] = table[threading[firstEnd + i]];
    if (count > hi) std::memset(out + hi, 1, size_t(count - hi));
}

void DrawdownColumn(const DraftState& d, int end, int firstPick, int count, uint8_t* out) {
    const int s = (end >= 1 && end <= MaxEnds) ? SafeShaft(d.Threading[end]) : 0;
    if (s == 0) {
        std::memset(out, 1, size_t(std::max(count, 0)));
        return;
    }
    const uint8_t h = d.Shed ? 1 : 0;
    auto inRange = [](int p) { return p >= 1 && p <= MaxPicks; };
    if (d.MultipleTr) {
        const uint16_t tied = TreadlesTiedToShaft(d, s);
        for (int i = 0; i < count; ++i) {
            const int p = firstPick + i;
            out[i] = inRange(p) ? (((d.Liftplan[p] & tied) != 0) == d.Shed) : 1;
        }
    } else if (d.TreadleMode) {
        uint8_t byTreadle[256];
        std::memset(byTreadle, 0, sizeof byTreadle); // no treadle: warp on top
        for (int t = 1; t <= MaxTreadles; ++t) byTreadle[t] = d.TieUpAt(s, t) == h;
        for (int i = 0; i < count; ++i) {
            const int p = firstPick + i;
            out[i] = inRange(p) ? byTreadle[d.Treadling[p]] : 1;
        }
    } else {
        for (int i = 0; i < count; ++i) {
            const int p = firstPick + i;
            out[i] = inRange(p) ? (((d.Liftplan[p] >> (s - 1)) & 1u) == h) : 1;
        }
    }
}

} // namespace hw
