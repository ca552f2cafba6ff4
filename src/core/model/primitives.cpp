#include "model/primitives.h"

#include "model/loom_system.h"

#include <algorithm>
#include <utility>

namespace hw {

static int ClampEnd(int n) {
    return std::clamp(n, 0, MaxEnds);
}
static int ClampPick(int n) {
    return std::clamp(n, 0, MaxPicks);
}
static bool SingleTreadling(const DraftState& d) {
    return d.TreadleMode && !d.MultipleTr;
}
static LiftplanRow ElementMask(int count) {
    count = std::clamp(count, 0, 16);
    return LiftplanRow((1u << count) - 1u);
}

int LastThreadedEnd(const DraftState& d, int n) {
    for (int e = ClampEnd(n); e >= 1; --e)
        if (d.Threading[e] > 0) return e;
    return 0;
}

int LastTreadledPick(const DraftState& d, int n) {
    for (int p = ClampPick(n); p >= 1; --p)
        if (d.Treadling[p] > 0) return p;
    return 0;
}

bool LiftplanRowUsed(const DraftState& d, int pick) {
    if (pick < 1 || pick > MaxPicks) return false;
    return (d.Liftplan[pick] & ElementMask(d.Treadles)) != 0;
}

int LastLiftplanPick(const DraftState& d, int n) {
    const LiftplanRow mask = ElementMask(d.Treadles);
    for (int p = ClampPick(n); p >= 1; --p)
        if (d.Liftplan[p] & mask) return p;
    return 0;
}

int LastUsedPick(const DraftState& d, int n) {
    return SingleTreadling(d) ? LastTreadledPick(d, n) : LastLiftplanPick(d, n);
}

int LastUsedPickView(const DraftState& d, int n) {
    return SingleTreadling(d) && !d.DesignMode ? LastTreadledPick(d, n) : LastLiftplanPick(d, n);
}

void UpdateEndsUsed(DraftState& d) {
    d.EndsUsed = uint16_t(LastThreadedEnd(d, MaxEnds));
    d.Ends = std::max(d.Ends, d.EndsUsed);
}

void UpdatePicksUsed(DraftState& d) {
    d.PicksUsed = uint16_t(LastUsedPick(d, MaxPicks));
    d.Picks = std::max(d.Picks, d.PicksUsed);
}

void UpdateUsed(DraftState& d) {
    UpdatePicksUsed(d);
    UpdateEndsUsed(d);
}

void UpdateDesignUsed(DraftState& d) {
    int endsUsed = 1;
    for (int e = DesignSize; e >= 1 && endsUsed == 1; --e)
        for (int p = 1; p <= DesignSize; ++p)
            if (DesignGet(d, p, e)) {
                endsUsed = e;
                break;
            }
    int picksUsed = 1;
    for (int p = DesignSize; p >= 1 && picksUsed == 1; --p)
        for (int e = 1; e <= endsUsed; ++e)
            if (DesignGet(d, p, e)) {
                picksUsed = p;
                break;
            }
    d.EndsUsed = uint16_t(endsUsed);
    d.PicksUsed = uint16_t(picksUsed);
    d.Ends = std::max(d.Ends, d.EndsUsed);
    d.Picks = std::max(d.Picks, d.PicksUsed);
}

bool ThreadingInView(const DraftState& d, const ViewWindow& v) {
    return LastThreadedEnd(d, v.LastVisibleEnd()) > 0;
}

bool WeftingInView(const DraftState& d, const ViewWindow& v) {
    const int last = v.LastVisiblePick();
    return SingleTreadling(d) ? LastTreadledPick(d, last) > 0 : LastLiftplanPick(d, last) > 0;
}

bool NoEndVisible(const DraftState& d, const ViewWindow& v) {
    const int first = std::max(1, v.ScrollEnds + 1);
    const int last = ClampEnd(v.LastVisibleEnd());
    for (int e = first; e <= last; ++e)
        if (d.Threading[e] > 0) return false;
    return true;
}

static int MaxValue(const uint8_t* values, int from, int to) {
    int m = 0;
    for (int i = from; i <= to; ++i) m = std::max(m, SafeShaft(values[i]));
    return m;
}

int MaxThreadingShaft(const DraftState& d) {
    const int m = MaxValue(d.Threading.data(), 1, ClampEnd(d.Ends));
    return m <= 1 ? 4 : m;
}

int MaxTreadlingTreadle(const DraftState& d) {
    const int m = MaxValue(d.Treadling.data(), 1, ClampPick(d.Picks));
    return m <= 1 ? 4 : m;
}

void ClearThreadingFrom(DraftState& d, int n) {
    for (int e = std::max(n, 1); e <= MaxEnds; ++e) d.Threading[e] = 0;
}

void ClearTreadlingFrom(DraftState& d, int n) {
    for (int p = std::max(n, 1); p <= MaxPicks; ++p) d.Treadling[p] = 0;
}

void ClearLiftplanFrom(DraftState& d, int n) {
    for (int p = std::max(n, 1); p <= MaxPicks; ++p) d.Liftplan[p] = 0;
}

void ClearTieUp(DraftState& d) {
    for (auto& row : d.TieUp) row.fill(0);
}

void ResetWarpColorsFrom(DraftState& d, int n) {
    const uint8_t c = DefaultWarpColor(d);
    for (int e = std::max(n, 1); e <= MaxEnds; ++e) d.WarpColors[e] = c;
}

void ResetWeftColorsFrom(DraftState& d, int n) {
    const uint8_t c = DefaultWeftColor(d);
    for (int p = std::max(n, 1); p <= MaxPicks; ++p) d.WeftColors[p] = c;
}

void ClearDesignBeyond(DraftState& d, int n, int m) {
    for (int p = 1; p <= DesignSize; ++p) {
        if (p >= m) {
            d.DesignGrid[p].fill(0);
            continue;
        }
        for (int e = std::max(n, 1); e <= DesignSize; ++e) DesignPut(d, p, e, false);
    }
}

void ClearInsertBuffers(DraftState& d) {
    d.InsertThreading.fill(0);
    d.InsertTreadling.fill(0);
}

void ResetTransUnits(DraftState& d) {
    for (auto& row : d.TransUnit1) row.fill(true);
    for (auto& row : d.TransUnit2) row.fill(false);
}

void ResetScroll(ViewWindow& v) {
    v.ScrollEnds = 0;
    v.ScrollPicks = 0;
    v.FabricScrollEnds = 0;
    v.FabricScrollPicks = 0;
}

void ClearDraft(DraftState& d) {
    ClearThreadingFrom(d, 1);
    ClearTreadlingFrom(d, 1);
    ClearTieUp(d);
    ClearLiftplanFrom(d, 1);
    ResetWarpColorsFrom(d, 1);
    ResetWeftColorsFrom(d, 1);
}

void ClearDraftForNew(DraftState& d, ViewWindow& v) {
    ResetScroll(v);
    ClearDraft(d);
    d.Notes.clear();
    if (d.DesignMode) RecomputeWindow(d, DesignSize, DesignSize, true);
}

// Keeps a count in 2..16 so that no fold divides by zero.
static uint16_t ClampCount(int n) {
    return uint16_t(std::clamp(n, 2, 16));
}

static void Fold(uint8_t* values, int last, int count) {
    for (int i = 1; i <= last; ++i) {
        if (values[i] > count) {
            const int r = values[i] % count;
            values[i] = uint8_t(r == 0 ? count : r);
        }
    }
}

void FoldThreading(DraftState& d) {
    d.Shafts = ClampCount(d.Shafts);
    Fold(d.Threading.data(), ClampEnd(d.Ends), d.Shafts);
}

void FoldTreadling(DraftState& d) {
    d.Treadles = ClampCount(d.Treadles);
    Fold(d.Treadling.data(), ClampPick(d.Picks), d.Treadles);
}

void FitShaftsToThreading(DraftState& d) {
    const int m = MaxThreadingShaft(d);
    d.Shafts = uint16_t(m < 2 ? 8 : m);
    if (!d.TreadleMode) {
        d.Treadles = d.Shafts;
    } else if (!d.MultipleTr) {
        const int t = MaxTreadlingTreadle(d);
        d.Treadles = uint16_t(t < 2 ? d.Shafts : t);
    }
}

void RebuildColorTable(DraftState& d) {
    for (int i = 0; i < PaletteSize; ++i) {
        const PaletteEntry& p = d.Palette[i];
        d.ColorTable[i] = MakeColorRef(p.Red, p.Green, p.Blue);
    }
}

void SetPaletteEntry(DraftState& d, int index, ColorRef color) {
    if (index < 0 || index >= PaletteSize) return;
    d.Palette[index] = {ColorRed(color), ColorGreen(color), ColorBlue(color)};
}

void LoadDefaultPalette(DraftState& d) {
    for (int i = 0; i < PaletteSize; ++i) {
        const uint32_t rgb = i < 64 ? DefaultPaletteTable[i] : 0xFFFFFFu;
        d.Palette[i] = {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
    }
    RebuildColorTable(d);
}

} // namespace hw
