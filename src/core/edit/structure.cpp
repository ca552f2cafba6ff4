#include "edit/structure.h"

#include "model/primitives.h"

#include <algorithm>
#include <utility>

namespace hw {

static bool SingleTreadling(const DraftState& d) {
    return d.TreadleMode && !d.MultipleTr;
}

// Opens count empty places at from in positions 1..last of a row: the tail
// moves towards last and falls off the end.
template <typename T> static void OpenGap(T* row, int last, int from, int count, T fill) {
    for (int i = last; i >= from + count; --i) row[i] = row[i - count];
    for (int i = from; i < from + count; ++i) row[i] = fill;
}

// Closes positions from..from+count-1 of a row 1..last; the freed tail keeps
// its values (the caller clears it where it must).
template <typename T> static void CloseGap(T* row, int last, int from, int count) {
    for (int i = from; i <= last - count; ++i) row[i] = row[i + count];
}

// Design grid columns (ends) and rows (picks): one at a time, as the grid is
// only 50 x 50.
static void InsertDesignColumn(DraftState& d, int k) {
    for (int p = 1; p <= DesignSize; ++p) {
        for (int e = DesignSize; e > k; --e) DesignPut(d, p, e, DesignGet(d, p, e - 1));
        DesignPut(d, p, k, false);
    }
}

static void DeleteDesignColumn(DraftState& d, int k) {
    for (int p = 1; p <= DesignSize; ++p) {
        for (int e = k; e < DesignSize; ++e) DesignPut(d, p, e, DesignGet(d, p, e + 1));
        DesignPut(d, p, DesignSize, false);
    }
}

static void InsertDesignRow(DraftState& d, int k) {
    for (int p = DesignSize; p > k; --p) d.DesignGrid[p] = d.DesignGrid[p - 1];
    d.DesignGrid[k].fill(0);
}

static void DeleteDesignRow(DraftState& d, int k) {
    for (int p = k; p < DesignSize; ++p) d.DesignGrid[p] = d.DesignGrid[p + 1];
    d.DesignGrid[DesignSize].fill(0);
}

static int InsertInDesign(DraftState& d, int from, int count, bool linked, bool ends) {
    if (from < 1 || from > DesignSize || count < 1) return 0;
    if (from + count > DesignSize) count = DesignSize + 1 - from;
    uint8_t* colours = ends ? d.WarpColors.data() : d.WeftColors.data();
    for (int k = from; k < from + count; ++k) {
        if (ends)
            InsertDesignColumn(d, k);
        else
            InsertDesignRow(d, k);
        if (linked)
            for (int i = DesignSize; i > k; --i) colours[i] = colours[i - 1];
    }
    return count;
}

static void DeleteInDesign(DraftState& d, int from, int to, bool linked, bool ends) {
    if (from > to) std::swap(from, to);
    from = std::max(from, 1);
    if (from > DesignSize || to < from) return;
    const int count = std::min(to, DesignSize) - from + 1;
    uint8_t* colours = ends ? d.WarpColors.data() : d.WeftColors.data();
    for (int n = 0; n < count; ++n) {
        if (ends)
            DeleteDesignColumn(d, from);
        else
            DeleteDesignRow(d, from);
        if (linked)
            for (int i = from; i < DesignSize; ++i) colours[i] = colours[i + 1];
    }
}

int InsertEnds(DraftState& d, int from, int count, bool withThreading, bool withColours) {
    if (!withThreading) withColours = true;
    if (d.DesignMode && withThreading) return InsertInDesign(d, from, count, withColours, true);
    const int last = std::clamp<int>(d.Ends, 0, MaxEnds);
    if (from < 1 || from > last || count < 1) return 0;
    if (from + count > last) count = last - from + 1;
    if (withThreading) OpenGap<uint8_t>(d.Threading.data(), last, from, count, 0);
    if (withColours) OpenGap<uint8_t>(d.WarpColors.data(), last, from, count, d.WarpColors[from]);
    return count;
}

int InsertPicks(DraftState& d, int from, int count, bool withTreadling, bool withColours) {
    if (!withTreadling) withColours = true;
    if (d.DesignMode && withTreadling) return InsertInDesign(d, from, count, withColours, false);
    const int last = std::clamp<int>(d.Picks, 0, MaxPicks);
    if (from < 1 || from > last || count < 1) return 0;
    if (from + count > last) count = last - from + 1;
    if (withTreadling) {
        if (SingleTreadling(d))
            OpenGap<uint8_t>(d.Treadling.data(), last, from, count, 0);
        else
            OpenGap<LiftplanRow>(d.Liftplan.data(), last, from, count, 0);
    }
    if (withColours) OpenGap<uint8_t>(d.WeftColors.data(), last, from, count, d.WeftColors[from]);
    return count;
}

void DeleteEnds(DraftState& d, int from, int to, bool withThreading, bool withColours) {
    if (!withThreading) withColours = true;
    if (d.DesignMode && withThreading) return DeleteInDesign(d, from, to, withColours, true);
    if (from > to) std::swap(from, to);
    const int last = std::clamp<int>(d.Ends, 0, MaxEnds);
    from = std::max(from, 1);
    to = std::min(to, last);
    if (from > to) return;
    const int count = to - from + 1;
    if (withThreading) {
        CloseGap(d.Threading.data(), last, from, count);
        for (int e = last - count + 1; e <= last; ++e) d.Threading[e] = 0;
    }
    if (withColours) CloseGap(d.WarpColors.data(), last, from, count);
}

void DeletePicks(DraftState& d, int from, int to, bool withTreadling, bool withColours) {
    if (!withTreadling) withColours = true;
    if (d.DesignMode && withTreadling) return DeleteInDesign(d, from, to, withColours, false);
    if (from > to) std::swap(from, to);
    const int last = std::clamp<int>(d.Picks, 0, MaxPicks);
    from = std::max(from, 1);
    to = std::min(to, last);
    if (from > to) return;
    const int count = to - from + 1;
    if (withTreadling) {
        if (SingleTreadling(d)) {
            CloseGap(d.Treadling.data(), last, from, count);
            for (int p = last - count + 1; p <= last; ++p) d.Treadling[p] = 0;
        } else {
            CloseGap(d.Liftplan.data(), last, from, count);
            for (int p = last - count + 1; p <= last; ++p) d.Liftplan[p] = 0;
        }
    }
    if (withColours) CloseGap(d.WeftColors.data(), last, from, count);
}

static void SwapBits(LiftplanRow& row, int a, int b) {
    const bool bitA = (row >> (a - 1)) & 1u, bitB = (row >> (b - 1)) & 1u;
    if (bitA == bitB) return;
    row = LiftplanRow(row ^ ((1u << (a - 1)) | (1u << (b - 1))));
}

static bool ValidIndex(int k) {
    return k >= 1 && k <= 16;
}

void SwitchShafts(DraftState& d, int a, int b) {
    if (a == b || !ValidIndex(a) || !ValidIndex(b)) return;
    for (int e = 1; e <= std::min<int>(d.Ends, MaxEnds); ++e) {
        if (d.Threading[e] == a)
            d.Threading[e] = uint8_t(b);
        else if (d.Threading[e] == b)
            d.Threading[e] = uint8_t(a);
    }
    if (!d.TreadleMode) {
        for (int p = 1; p <= std::min<int>(d.Picks, MaxPicks); ++p) SwapBits(d.Liftplan[p], a, b);
    } else {
        for (int t = 1; t <= std::min<int>(d.Treadles, MaxTreadles); ++t)
            std::swap(d.TieUpAt(a, t), d.TieUpAt(b, t));
    }
}

void SwitchTreadles(DraftState& d, int a, int b) {
    if (a == b || !ValidIndex(a) || !ValidIndex(b)) return;
    const int picks = std::min<int>(d.Picks, MaxPicks);
    if (d.MultipleTr) {
        for (int p = 1; p <= picks; ++p) SwapBits(d.Liftplan[p], a, b);
    } else {
        for (int p = 1; p <= picks; ++p) {
            if (d.Treadling[p] == a)
                d.Treadling[p] = uint8_t(b);
            else if (d.Treadling[p] == b)
                d.Treadling[p] = uint8_t(a);
        }
    }
    for (int s = 1; s <= std::min<int>(d.Shafts, MaxShafts); ++s)
        std::swap(d.TieUpAt(s, a), d.TieUpAt(s, b));
}

} // namespace hw
