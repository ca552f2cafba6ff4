#include "transform/row_transforms.h"

#include "model/primitives.h"

#include <algorithm>
#include <utility>

namespace hw {

namespace {

struct InsertSide {
    uint8_t* Line;
    uint16_t& Count; // Ends or Picks
    int Elements;    // the shafts (treadles) the pattern may use
    const char* TooMany;
};

// Spreads the line, makes room on the lowest shafts (treadles) and fills
// the gaps; `lift` moves the tie-up (or liftplan) up by s.
template <class Lift>
Status InsertSequence(InsertSide side, const Sequence& insert, int interval, bool afterInterval,
                      Lift lift) {
    int last = 0;
    for (int i = MaxEnds; i >= 1 && last == 0; --i)
        if (side.Line[i] != 0) last = i;
    if (last == 0) return {};
    interval = std::max(interval, 1);

    Sequence spread{};
    std::vector<int> gaps;
    int pos = 0;
    auto gap = [&] {
        if (pos < MaxEnds) gaps.push_back(++pos);
    };
    for (int i = 0; i < last && pos < MaxEnds; ++i) {
        if (!afterInterval && i % interval == 0) gap();
        if (pos < MaxEnds) spread[size_t(++pos)] = side.Line[i + 1];
        if (afterInterval && (i + 1) % interval == 0) gap();
    }

    int lowest = 0, highest = 0, needed = 0;
    for (int i = 1; i <= pos; ++i)
        if (const int v = spread[size_t(i)]; v != 0) {
            lowest = lowest == 0 ? v : std::min(lowest, v);
            highest = std::max(highest, v);
        }
    lowest = std::min(lowest, side.Elements);
    for (size_t k = 0; k < gaps.size(); ++k) needed = std::max<int>(needed, insert[k + 1]);
    const int s = needed >= lowest ? needed - lowest + 1 : 0;
    if (highest + s > MaxShafts) return {Message{"TInsThrDlg", side.TooMany, {}}};

    for (int i = 1; i <= pos; ++i)
        if (spread[size_t(i)] != 0) spread[size_t(i)] = uint8_t(spread[size_t(i)] + s);
    if (s > 0) lift(s);
    for (size_t k = 0; k < gaps.size(); ++k) spread[size_t(gaps[k])] = insert[k + 1];
    std::copy(spread.begin() + 1, spread.end(), side.Line + 1);
    side.Count = uint16_t(std::max(int(side.Count), pos));
    return {};
}

LiftplanRow Bit(int k) {
    return LiftplanRow(1u << (k - 1));
}

// The shafts of a row moved round inside first..last.
LiftplanRow Rotate(LiftplanRow row, int steps, int first, int last) {
    const int width = last - first + 1;
    if (width < 2) return row;
    LiftplanRow out = row;
    for (int s = first; s <= last; ++s) out &= LiftplanRow(~Bit(s));
    for (int s = first; s <= last; ++s)
        if (row & Bit(s)) {
            const int to = first + ((s - first + steps) % width + width) % width;
            out |= Bit(to);
        }
    return out;
}

} // namespace

Status InsertThreadingSequence(DraftState& d, const Sequence& insert, int interval,
                               bool afterInterval) {
    if (d.DesignMode) return {};
    const Status s = InsertSequence({d.Threading.data(), d.Ends, d.Shafts, "@insmaxshafts"}, insert,
                                    interval, afterInterval, [&](int by) {
                                        if (d.TreadleMode) {
                                            for (int sh = MaxShafts; sh >= 1; --sh)
                                                for (int t = 1; t <= MaxTreadles; ++t)
                                                    d.TieUpAt(sh, t) =
                                                        sh > by ? d.TieUpAt(sh - by, t) : 0;
                                        } else {
                                            for (int p = 1; p <= MaxPicks; ++p)
                                                d.Liftplan[p] = LiftplanRow(d.Liftplan[p] << by);
                                        }
                                    });
    if (!s) return s;
    UpdateUsed(d);
    d.Shafts = uint16_t(MaxThreadingShaft(d));
    if (!d.TreadleMode) d.Treadles = d.Shafts;
    return {};
}

Status InsertTreadlingSequence(DraftState& d, const Sequence& insert, int interval,
                               bool afterInterval) {
    if (d.DesignMode || !d.TreadleMode || d.MultipleTr) return {};
    const Status s = InsertSequence({d.Treadling.data(), d.Picks, d.Treadles, "@insmaxtreadles"},
                                    insert, interval, afterInterval, [&](int by) {
                                        for (int sh = 1; sh <= MaxShafts; ++sh)
                                            for (int t = MaxTreadles; t >= 1; --t)
                                                d.TieUpAt(sh, t) =
                                                    t > by ? d.TieUpAt(sh, t - by) : 0;
                                    });
    if (!s) return s;
    UpdateUsed(d);
    d.Treadles = uint16_t(MaxTreadlingTreadle(d));
    return {};
}

void InsertLiftplanPicks(DraftState& d, int from, int interval,
                         const std::array<LiftplanRow, MaxPicks + 1>* rows) {
    const int last = LastLiftplanPick(d, MaxPicks);
    d.Picks = uint16_t(std::max<int>(d.Picks, last));
    interval = std::max(interval, 1);
    if (from < 1 || from + interval > last) return;
    const auto old = d.Liftplan;
    ClearLiftplanFrom(d, from);
    int pos = from - 1, filled = 0;
    for (int i = 0; from + i <= last && pos < MaxPicks; ++i) {
        if (i % interval == 0) {
            ++pos;
            if (rows) d.Liftplan[pos] = (*rows)[size_t(++filled)];
        }
        if (pos < MaxPicks) d.Liftplan[++pos] = old[size_t(from + i)];
    }
    // A file's rows may lift shafts the draft does not show yet.
    int highest = 0;
    for (int p = 1; p <= pos; ++p)
        for (int s = MaxShafts; s > highest; --s)
            if (d.Liftplan[p] & Bit(s)) highest = s;
    d.Shafts = uint16_t(std::max<int>(d.Shafts, highest));
    if (!d.TreadleMode) d.Treadles = d.Shafts;
    d.Picks = uint16_t(std::max<int>(d.Picks, pos));
    UpdateUsed(d);
}

void DeleteLiftplanPicks(DraftState& d, int start, int interval) {
    const int picks = d.Picks;
    if (start < 1 || interval < 1 || start + interval > picks) return;
    int to = start;
    for (int p = start; p <= picks; ++p)
        if ((p - start) % (interval + 1) != 0) d.Liftplan[to++] = d.Liftplan[p];
    for (int p = to; p <= picks; ++p) d.Liftplan[p] = 0;
    UpdateUsed(d);
}

bool TrompAvailable(const DraftState& d, TrompChoice c) {
    switch (c) {
    case TrompChoice::ThreadingToTreadling:
    case TrompChoice::TreadlingToThreading:
    case TrompChoice::SwitchThreadingTreadling:
        return d.TreadleMode && !d.MultipleTr && !d.DesignMode;
    default:
        return true;
    }
}

void TrompAsWrit(DraftState& d, TrompChoice c) {
    if (!TrompAvailable(d, c)) return;
    switch (c) {
    case TrompChoice::ThreadingToTreadling:
        std::copy(d.Threading.begin(), d.Threading.end(), d.Treadling.begin());
        d.Treadles = std::max(d.Treadles, d.Shafts);
        break;
    case TrompChoice::WarpToWeftColors:
        std::copy(d.WarpColors.begin(), d.WarpColors.end(), d.WeftColors.begin());
        break;
    case TrompChoice::TreadlingToThreading:
        std::copy(d.Treadling.begin(), d.Treadling.end(), d.Threading.begin());
        d.Shafts = std::max(d.Shafts, d.Treadles);
        break;
    case TrompChoice::WeftToWarpColors:
        std::copy(d.WeftColors.begin(), d.WeftColors.end(), d.WarpColors.begin());
        break;
    case TrompChoice::SwitchColors:
        std::swap_ranges(d.WarpColors.begin(), d.WarpColors.end(), d.WeftColors.begin());
        break;
    case TrompChoice::SwitchThreadingTreadling:
        std::swap_ranges(d.Threading.begin(), d.Threading.end(), d.Treadling.begin());
        std::swap(d.Shafts, d.Treadles);
        break;
    }
    // What now lies beyond the end or pick count is shown, not lost.
    UpdateUsed(d);
}

void WrapLiftplan(DraftState& d, int steps, const LiftplanBlock* block) {
    // The liftplan's columns: shafts, or the treadles of multiple treadling.
    const int columns = std::min<int>(d.Treadles, MaxShafts);
    int firstPick = 1, lastPick = d.Picks, first = 1, last = columns;
    if (block) {
        firstPick = std::max(block->FirstPick, 1);
        lastPick = std::min<int>(block->LastPick, MaxPicks);
        first = std::max(block->FirstShaft, 1);
        last = std::min(block->LastShaft, columns);
    }
    for (int p = firstPick; p <= lastPick; ++p)
        d.Liftplan[p] = Rotate(d.Liftplan[p], steps, first, last);
}

} // namespace hw
