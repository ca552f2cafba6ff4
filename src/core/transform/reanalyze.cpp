#include "transform/reanalyze.h"

#include "model/primitives.h"
#include "text/lang.h"
#include "transform/analysis.h"
#include "transform/repeat.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace hw {

namespace {

bool SingleTreadling(const DraftState& d) {
    return d.TreadleMode && !d.MultipleTr;
}

LiftplanRow Bit(int k) {
    return LiftplanRow(1u << (k - 1));
}

// The shafts a pick lifts as the draft weaves it; the shed is not applied.
LiftplanRow LiftedShafts(const DraftState& d, int pick) {
    if (!SingleTreadling(d)) return d.Liftplan[pick];
    const int t = SafeShaft(d.Treadling[pick]);
    LiftplanRow row = 0;
    for (int s = 1; t > 0 && s <= MaxShafts; ++s)
        if (d.TieUpAt(s, t)) row |= Bit(s);
    return row;
}

struct Extent {
    int Ends;
    int Picks;
};

// The last used end and pick of a draft that can be reanalysed; the end and
// pick counts are raised to them.
std::optional<Extent> PrepareExtent(DraftState& d) {
    if (d.DesignMode || (d.TreadleMode && d.MultipleTr)) return std::nullopt;
    const Extent e{LastThreadedEnd(d, MaxEnds), LastUsedPick(d, MaxPicks)};
    if (e.Ends == 0 || e.Picks == 0) return std::nullopt;
    d.Ends = uint16_t(std::max<int>(d.Ends, e.Ends));
    d.Picks = uint16_t(std::max<int>(d.Picks, e.Picks));
    return e;
}

// What one shaft (treadle) does, as bits; all zero when it does nothing.
using Key = std::vector<uint64_t>;
using Keys = std::array<Key, MaxShafts + 1>;

bool Empty(const Key& k) {
    return std::all_of(k.begin(), k.end(), [](uint64_t w) { return w == 0; });
}

struct Numbering {
    std::array<uint8_t, MaxShafts + 1> New{};   // old number -> new (0: none)
    std::array<uint8_t, MaxShafts + 1> First{}; // new number -> its first old one
    int Count = 0;
};

// New numbers by first appearance in seq[1..last]: equal keys share one,
// empty keys get none.
Numbering Renumber(const uint8_t* seq, int last, const Keys& keys) {
    Numbering n;
    std::array<bool, MaxShafts + 1> seen{};
    for (int i = 1; i <= last; ++i) {
        const int v = SafeShaft(seq[i]);
        if (v == 0 || seen[v]) continue;
        seen[v] = true;
        if (Empty(keys[v])) continue;
        for (int k = 1; k <= n.Count && n.New[v] == 0; ++k)
            if (keys[n.First[k]] == keys[v]) n.New[v] = uint8_t(k);
        if (n.New[v] == 0) {
            n.New[v] = uint8_t(++n.Count);
            n.First[n.Count] = uint8_t(v);
        }
    }
    return n;
}

// Shafts merged where they lift alike on every used pick; the tie-up (for
// the treadles in use) or the liftplan rows follow the new numbers.
void RenumberShafts(DraftState& d, const Extent& x) {
    const size_t words = size_t(x.Picks + 63) / 64;
    Keys keys;
    for (Key& k : keys) k.assign(words, 0);
    std::vector<LiftplanRow> rows(size_t(x.Picks) + 1);
    for (int p = 1; p <= x.Picks; ++p) {
        rows[size_t(p)] = LiftedShafts(d, p);
        for (int s = 1; s <= MaxShafts; ++s)
            if (rows[size_t(p)] & Bit(s))
                keys[size_t(s)][size_t(p - 1) / 64] |= 1ull << ((p - 1) % 64);
    }
    const Numbering n = Renumber(d.Threading.data(), x.Ends, keys);
    for (int e = 1; e <= x.Ends; ++e) d.Threading[e] = n.New[SafeShaft(d.Threading[e])];
    if (SingleTreadling(d)) {
        const auto old = d.TieUp;
        std::array<bool, MaxTreadles + 1> used{};
        for (int p = 1; p <= x.Picks; ++p) used[SafeShaft(d.Treadling[p])] = true;
        ClearTieUp(d);
        for (int t = 1; t <= MaxTreadles; ++t)
            for (int s = 1; used[t] && s <= n.Count; ++s)
                d.TieUpAt(s, t) = old[n.First[s] - 1][t - 1];
    } else {
        for (int p = 1; p <= x.Picks; ++p) {
            LiftplanRow row = 0;
            for (int s = 1; s <= n.Count; ++s)
                if (rows[size_t(p)] & Bit(n.First[s])) row |= Bit(s);
            d.Liftplan[p] = row;
        }
    }
    d.Shafts = uint16_t(MaxThreadingShaft(d));
    if (!d.TreadleMode) d.Treadles = d.Shafts;
}

// Treadles merged where they lift the same threaded shafts; shafts no end
// is threaded on are left out of the tie-up.
void RenumberTreadles(DraftState& d, const Extent& x) {
    LiftplanRow threaded = 0;
    for (int e = 1; e <= x.Ends; ++e)
        if (const int s = SafeShaft(d.Threading[e])) threaded |= Bit(s);
    Keys keys;
    for (int t = 1; t <= MaxTreadles; ++t) {
        LiftplanRow column = 0;
        for (int s = 1; s <= MaxShafts; ++s)
            if (d.TieUpAt(s, t)) column |= Bit(s);
        keys[size_t(t)] = {uint64_t(column & threaded)};
    }
    const Numbering n = Renumber(d.Treadling.data(), x.Picks, keys);
    for (int p = 1; p <= x.Picks; ++p) d.Treadling[p] = n.New[SafeShaft(d.Treadling[p])];
    ClearTieUp(d);
    for (int t = 1; t <= n.Count; ++t)
        for (int s = 1; s <= MaxShafts; ++s)
            d.TieUpAt(s, t) = uint8_t((keys[n.First[t]][0] >> (s - 1)) & 1u);
    d.Treadles = uint16_t(MaxTreadlingTreadle(d));
}

} // namespace

bool ReanalyzeThreading(DraftState& d, bool warpEmptyEnds) {
    const std::optional<Extent> x = PrepareExtent(d);
    if (!x) return false;
    RenumberShafts(d, *x);
    SortByPeriod(d, PeriodKind::Shafts);
    // Ends at the end that became empty are filled too.
    if (warpEmptyEnds) FillEmptyEnds(d, x->Ends);
    UpdateUsed(d);
    return true;
}

bool ReanalyzeTreadling(DraftState& d, bool warpEmptyEnds) {
    if (!SingleTreadling(d)) return false;
    const std::optional<Extent> x = PrepareExtent(d);
    if (!x) return false;
    RenumberTreadles(d, *x);
    SortByPeriod(d, PeriodKind::Treadles);
    if (warpEmptyEnds) FillEmptyPicks(d, x->Picks);
    UpdateUsed(d);
    return true;
}

bool CombinedReanalysis(DraftState& d, bool warpEmptyEnds) {
    const std::optional<Extent> x = PrepareExtent(d);
    if (!x) return false;
    RenumberShafts(d, *x);
    if (SingleTreadling(d)) RenumberTreadles(d, *x);
    SortByPeriod(d, PeriodKind::Shafts);
    if (SingleTreadling(d)) SortByPeriod(d, PeriodKind::Treadles);
    if (warpEmptyEnds) {
        FillEmptyEnds(d, x->Ends);
        FillEmptyPicks(d, x->Picks);
    }
    UpdateUsed(d);
    return true;
}

Status StraightThreading(DraftState& d) {
    if (d.DesignMode || (d.TreadleMode && d.MultipleTr)) return {};
    const int lastEnd = LastThreadedEnd(d, MaxEnds), lastPick = LastUsedPick(d, MaxPicks);
    if (lastEnd == 0 || lastPick == 0) return {Message{GeneralForm, "@globnopat", {}}};
    const RepeatResult r = FindRepeat(&d.Threading[1], d.Ends, lastEnd);
    if (!r.Found) return Failed("Threading repeat is too large for straight threading.");
    const int repeat = r.Length;
    if (repeat > MaxShafts)
        return Failed(GetText(GeneralForm, "@toostraight") + std::to_string(repeat));

    // End s of the repeat gets shaft s, which must lift as the old shaft of
    // end s did. An unthreaded end shows the weft, so its new shaft takes
    // the position that shows the weft in the shed the draft uses.
    std::array<int, MaxShafts + 1> old{};
    for (int s = 1; s <= repeat; ++s) old[size_t(s)] = SafeShaft(d.Threading[s]);
    const bool weftUp = d.Shed;
    if (SingleTreadling(d)) {
        const auto tieUp = d.TieUp;
        std::array<bool, MaxTreadles + 1> used{};
        for (int p = 1; p <= lastPick; ++p) used[SafeShaft(d.Treadling[p])] = true;
        ClearTieUp(d);
        for (int t = 1; t <= MaxTreadles; ++t)
            for (int s = 1; used[t] && s <= repeat; ++s)
                d.TieUpAt(s, t) = old[size_t(s)] ? tieUp[old[size_t(s)] - 1][t - 1] : weftUp;
    } else {
        for (int p = 1; p <= lastPick; ++p) {
            LiftplanRow row = 0;
            for (int s = 1; s <= repeat; ++s) {
                const bool lifted =
                    old[size_t(s)] ? (d.Liftplan[p] & Bit(old[size_t(s)])) != 0 : weftUp;
                if (lifted) row |= Bit(s);
            }
            d.Liftplan[p] = row;
        }
    }
    for (int e = 1; e <= lastEnd; ++e) d.Threading[e] = uint8_t((e - 1) % repeat + 1);
    d.Shafts = uint16_t(std::max(repeat, MinShafts));
    if (!d.TreadleMode) d.Treadles = d.Shafts;
    UpdateUsed(d);
    return {};
}

} // namespace hw
