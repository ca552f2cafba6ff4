#include "model/loom_system.h"

#include "model/primitives.h"

#include <algorithm>

namespace hw {

static int ClampPick(int n) {
    return std::clamp(n, 0, MaxPicks);
}
static int Count16(int n) {
    return std::clamp(n, 0, 16);
}
static LiftplanRow ElementMask(int count) {
    return LiftplanRow((1u << Count16(count)) - 1u);
}

// The shafts tied to treadle t as a liftplan row over shafts 1..shafts.
static LiftplanRow TiedShafts(const DraftState& d, int t, int shafts) {
    LiftplanRow row = 0;
    for (int s = 1; s <= Count16(shafts); ++s)
        if (d.TieUpAt(s, t)) row = LiftplanRow(row | (1u << (s - 1)));
    return row;
}

void TreadlingToLiftplan(DraftState& d, int n) {
    n = ClampPick(n);
    ClearLiftplanFrom(d, n + 1);
    for (int p = 1; p <= n; ++p) {
        const int t = SafeShaft(d.Treadling[p]);
        d.Liftplan[p] = t > 0 ? TiedShafts(d, t, d.Shafts) : 0;
    }
    if (!d.TreadleMode) d.Treadles = d.Shafts;
}

void MultipleToLiftplan(DraftState& d) {
    const int treadles = Count16(d.Treadles);
    LiftplanRow tied[MaxTreadles + 1] = {};
    for (int t = 1; t <= treadles; ++t) tied[t] = TiedShafts(d, t, d.Shafts);
    for (int p = 1; p <= ClampPick(d.Picks); ++p) {
        // The row is rebuilt whole: bits above the treadle count pressed
        // nothing, so they must not turn into raised shafts.
        LiftplanRow row = 0;
        for (int t = 1; t <= treadles; ++t)
            if ((d.Liftplan[p] >> (t - 1)) & 1u) row = LiftplanRow(row | tied[t]);
        d.Liftplan[p] = row;
    }
    if (!(d.TreadleMode && d.MultipleTr)) d.Treadles = d.Shafts;
}

void TreadlingToMultiple(DraftState& d) {
    ClearLiftplanFrom(d, 1);
    for (int p = 1; p <= ClampPick(d.Picks); ++p) {
        const int t = d.Treadling[p];
        if (t >= 1 && t <= 16) d.Liftplan[p] = LiftplanRow(1u << (t - 1));
    }
    d.Treadles = uint16_t(std::min<int>(d.Treadles, 16));
}

void LiftplanToMultiple(DraftState& d) {
    ClearTieUp(d);
    // Any woven pick counts, not only the first few: a liftplan that starts
    // late must still get its tie-up, or converting back would lose it.
    const int shafts = Count16(d.Shafts);
    const LiftplanRow mask = ElementMask(shafts);
    bool any = false;
    for (int p = 1; p <= ClampPick(d.Picks) && !any; ++p) any = (d.Liftplan[p] & mask) != 0;
    if (any)
        for (int s = 1; s <= shafts; ++s) d.TieUpAt(s, s) = 1;
}

bool DeriveTieupAndTreadling(DraftState& d, int n, bool clearTreadling) {
    ClearTieUp(d);
    if (clearTreadling) ClearTreadlingFrom(d, 1);
    const int shafts = Count16(d.Shafts);
    const LiftplanRow mask = ElementMask(shafts);
    int q = 0;
    for (int p = ClampPick(d.Picks); p >= 1; --p)
        if (d.Liftplan[p] & mask) {
            q = p;
            break;
        }
    if (q == 0) return false;
    const int last = std::min(ClampPick(n), q);

    LiftplanRow columns[MaxTreadles + 1] = {};
    int t = 0;
    bool overflow = false;
    for (int p = 1; p <= last; ++p) {
        const LiftplanRow row = LiftplanRow(d.Liftplan[p] & mask);
        if (row == 0) {
            d.Treadling[p] = 0;
            continue;
        }
        int found = 0;
        for (int c = 1; c <= t && found == 0; ++c)
            if (columns[c] == row) found = c;
        if (found == 0) {
            if (t < MaxTreadles) {
                columns[++t] = row;
                found = t;
            } else {
                found = MaxTreadles;
                overflow = true;
            }
        }
        d.Treadling[p] = uint8_t(found);
    }
    for (int c = 1; c <= t; ++c)
        for (int s = 1; s <= shafts; ++s) d.TieUpAt(s, c) = (columns[c] >> (s - 1)) & 1u;
    d.Treadles = uint16_t(std::max(t, 2));
    return overflow;
}

LoomChangeResult ChangeLoomSystem(DraftState& d, LoomSystem oldSystem) {
    LoomChangeResult result;
    const LoomSystem newSystem = GetLoomSystem(d);
    if (newSystem == oldSystem) return result;
    if (newSystem == LoomSystem::MultipleTreadling) {
        if (oldSystem == LoomSystem::Liftplan)
            LiftplanToMultiple(d);
        else
            TreadlingToMultiple(d);
    } else if (oldSystem == LoomSystem::MultipleTreadling) {
        MultipleToLiftplan(d);
        if (newSystem == LoomSystem::SingleTreadling)
            result.TreadleOverflow = DeriveTieupAndTreadling(d, d.Picks, true);
        result.RefreshView = true;
    } else if (newSystem == LoomSystem::SingleTreadling) {
        result.TreadleOverflow = DeriveTieupAndTreadling(d, d.Picks, true);
        result.RefreshView = true;
    } else {
        TreadlingToLiftplan(d, d.Picks);
    }
    if (!d.TreadleMode) d.Treadles = d.Shafts;
    return result;
}

void RecomputeWindow(DraftState& d, int ends, int picks, bool refresh) {
    ends = std::clamp(ends, 0, DesignSize);
    picks = std::clamp(picks, 0, DesignSize);
    if (refresh && d.TreadleMode && !d.MultipleTr) {
        // Rows 1..picks from the treadling; every later row is cleared.
        TreadlingToLiftplan(d, picks);
    }
    for (int p = 1; p <= picks; ++p)
        for (int e = 1; e <= ends; ++e) {
            const int s = SafeShaft(d.Threading[e]);
            DesignPut(d, p, e, s > 0 && ((d.Liftplan[p] >> (s - 1)) & 1u));
        }
}

} // namespace hw
