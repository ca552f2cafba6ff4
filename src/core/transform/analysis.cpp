#include "transform/analysis.h"

#include "edit/structure.h"
#include "model/loom_system.h"
#include "model/primitives.h"

#include <algorithm>
#include <array>

namespace hw {

// A design column over picks 1..P as a bit set (bit p-1 = pick p).
static uint64_t DesignColumn(const DraftState& d, int end, int picks) {
    uint64_t column = 0;
    for (int p = 1; p <= picks; ++p)
        if (DesignGet(d, p, end)) column |= uint64_t(1) << (p - 1);
    return column;
}

int DeriveThreading(DraftState& d, int ends, int picks, bool countingMode) {
    ends = std::clamp(ends, 0, DesignSize);
    picks = std::clamp(picks, 0, DesignSize);
    std::array<uint64_t, DesignSize + 1> columns{};
    std::array<uint8_t, DesignSize + 1> shafts{};
    int count = 0;
    for (int e = 1; e <= ends; ++e) {
        columns[e] = DesignColumn(d, e, picks);
        shafts[e] = 0;
        if (columns[e] == 0) continue;
        int same = 0;
        for (int k = e - 1; k >= 1 && same == 0; --k)
            if (columns[k] == columns[e]) same = k;
        if (same != 0) {
            shafts[e] = shafts[same];
            continue;
        }
        ++count;
        if (countingMode && count > MaxShafts) return count;
        shafts[e] = uint8_t(count <= MaxShafts ? count : 0);
    }
    if (!countingMode)
        for (int e = 1; e <= ends; ++e) d.Threading[e] = shafts[e];
    return count;
}

void BuildLiftplanFromDrawdown(DraftState& d, int ends, int picks) {
    ends = std::clamp(ends, 0, DesignSize);
    picks = std::clamp(picks, 0, DesignSize);
    for (int p = 1; p <= picks; ++p) {
        LiftplanRow row = 0;
        for (int e = 1; e <= ends; ++e) {
            const int s = SafeShaft(d.Threading[e]);
            if (s > 0 && DesignGet(d, p, e)) row = LiftplanRow(row | (1u << (s - 1)));
        }
        d.Liftplan[p] = row;
    }
}

static constexpr int Irregular = 9999;

// The period of value k in entries 1..50: it must first stand within the
// first 8 positions, again within 8 after that, once more at the same
// distance, and from there on exactly every d positions up to the last used.
static int PeriodOf(const std::array<uint8_t, DesignSize + 1>& seq, int last, int k) {
    int p1 = 0;
    for (int i = 1; i <= 8 && p1 == 0; ++i)
        if (seq[i] == k) p1 = i;
    if (p1 == 0) return Irregular;
    int p2 = 0;
    for (int i = p1 + 1; i <= std::min(p1 + 8, DesignSize) && p2 == 0; ++i)
        if (seq[i] == k) p2 = i;
    if (p2 == 0) return Irregular;
    const int dist = p2 - p1;
    if (p2 + dist > DesignSize || seq[p2 + dist] != k) return Irregular;
    for (int i = p2; i <= last; ++i)
        if ((seq[i] == k) != ((i - p2) % dist == 0)) return Irregular;
    return dist;
}

void SortByPeriod(DraftState& d, PeriodKind kind) {
    std::array<uint8_t, DesignSize + 1> seq{};
    const uint8_t* source = kind == PeriodKind::Shafts ? d.Threading.data() : d.Treadling.data();
    for (int i = 1; i <= DesignSize; ++i) seq[i] = source[i];
    const int n = std::min<int>(kind == PeriodKind::Shafts ? d.Shafts : d.Treadles, 8);
    int last = 0;
    for (int i = DesignSize; i >= 1 && last == 0; --i)
        if (seq[i] != 0) last = i;

    // A pointed order 1..n..1..n is left as it is.
    bool pointed = 3 * n - 2 <= DesignSize;
    for (int i = 1; i <= 3 * n - 2 && pointed; ++i) {
        int expected;
        if (i <= n)
            expected = i;
        else if (i <= 2 * n - 1)
            expected = 2 * n - i;
        else
            expected = i - 2 * n + 2;
        pointed = seq[i] == expected;
    }
    if (pointed) return;

    std::array<int, 17> period{};
    int regular = 0;
    for (int k = 1; k <= n; ++k) {
        period[k] = PeriodOf(seq, last, k);
        if (period[k] < Irregular) ++regular;
    }
    if (regular < 2) return;
    for (int i = 1; i < n; ++i) {
        int j = i;
        for (int k = i + 1; k <= n; ++k)
            if (period[k] < period[j]) j = k;
        if (j == i) continue;
        std::swap(period[i], period[j]);
        if (kind == PeriodKind::Shafts)
            SwitchShafts(d, i, j);
        else
            SwitchTreadles(d, i, j);
    }
}

void FillEmptyEnds(DraftState& d, int last) {
    last = last > 0 ? std::min(last, MaxEnds) : LastThreadedEnd(d, MaxEnds);
    int highest = 0;
    bool anyEmpty = false;
    for (int e = 1; e <= last; ++e) {
        highest = std::max(highest, SafeShaft(d.Threading[e]));
        anyEmpty = anyEmpty || d.Threading[e] == 0;
    }
    if (!anyEmpty || highest >= MaxShafts) return;
    const int extra = highest + 1;
    for (int e = 1; e <= last; ++e)
        if (d.Threading[e] == 0) d.Threading[e] = uint8_t(extra);
    if (extra > d.Shafts) d.Shafts = uint16_t(extra);
    // The extra shaft must never lift.
    if (!d.TreadleMode) {
        d.Treadles = d.Shafts;
        for (int p = 1; p <= MaxPicks; ++p) d.Liftplan[p] &= LiftplanRow(~(1u << (extra - 1)));
    } else {
        for (int t = 1; t <= MaxTreadles; ++t) d.TieUpAt(extra, t) = 0;
    }
}

void FillEmptyPicks(DraftState& d, int last) {
    if (!d.TreadleMode || d.MultipleTr) return;
    last = last > 0 ? std::min(last, MaxPicks) : LastTreadledPick(d, MaxPicks);
    int highest = 0;
    bool anyEmpty = false;
    for (int p = 1; p <= last; ++p) {
        highest = std::max(highest, SafeShaft(d.Treadling[p]));
        anyEmpty = anyEmpty || d.Treadling[p] == 0;
    }
    if (!anyEmpty || highest >= MaxTreadles) return;
    const int extra = highest + 1;
    for (int p = 1; p <= last; ++p)
        if (d.Treadling[p] == 0) d.Treadling[p] = uint8_t(extra);
    if (extra > d.Treadles) d.Treadles = uint16_t(extra);
    for (int s = 1; s <= MaxShafts; ++s) d.TieUpAt(s, extra) = 0;
}

void DeriveThreadingAndLiftplan(DraftState& d) {
    int lastEnd = 0, lastPick = 0;
    for (int p = 1; p <= DesignSize; ++p)
        for (int e = 1; e <= DesignSize; ++e)
            if (DesignGet(d, p, e)) {
                lastEnd = std::max(lastEnd, e);
                lastPick = std::max(lastPick, p);
            }
    d.Ends = uint16_t(std::max<int>(d.Ends, lastEnd));
    d.Picks = uint16_t(std::max<int>(d.Picks, lastPick));

    const int distinct = DeriveThreading(d, DesignSize, DesignSize);
    if (distinct > 0) d.Shafts = uint16_t(distinct);
    d.Shafts = uint16_t(std::clamp<int>(d.Shafts, MinShafts, MaxShafts));
    d.Treadles = d.Shafts;

    BuildLiftplanFromDrawdown(d, DesignSize, DesignSize);
    ClearThreadingFrom(d, DesignSize + 1);
    ClearLiftplanFrom(d, DesignSize + 1);
}

DesignToDraftResult DesignToDraft(DraftState& d, bool warpEmptyEnds,
                                  const std::function<bool()>& confirmManyShafts) {
    DesignToDraftResult result;
    if (DeriveThreading(d, DesignSize, DesignSize, true) > MaxShafts && !confirmManyShafts())
        return result;
    bool overflow = false;
    if (!(d.TreadleMode && d.MultipleTr)) {
        DeriveThreadingAndLiftplan(d);
        if (d.TreadleMode) overflow = DeriveTieupAndTreadling(d, DesignSize, true);
        if (warpEmptyEnds) {
            FillEmptyEnds(d);
            FillEmptyPicks(d);
        }
        SortByPeriod(d, PeriodKind::Shafts);
        if (d.TreadleMode && !d.MultipleTr) SortByPeriod(d, PeriodKind::Treadles);
    }
    d.DesignMode = false;
    UpdateUsed(d);
    // The general messages' table.
    if (overflow) result.Warnings.push_back({"TTransformDlg", "@emaxtreadles", {}});
    result.Done = true;
    return result;
}

void DraftToDesign(DraftState& d) {
    RecomputeWindow(d, DesignSize, DesignSize, true);
    d.DesignMode = true;
}

} // namespace hw
