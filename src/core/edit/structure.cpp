#include "edit/structure.h"

#include "model/loom_system.h"
#include "model/primitives.h"
#include "text/lang.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

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

// ---- shafts and treadles ----

static int EndCount(const DraftState& d) {
    return std::clamp<int>(d.Ends, 0, MaxEnds);
}
static int PickCount(const DraftState& d) {
    return std::clamp<int>(d.Picks, 0, MaxPicks);
}

// Element k of a liftplan row opened (the elements from k on move up one,
// element 16 falls off) or closed (the later ones move down, 16 empties).
static LiftplanRow OpenBit(LiftplanRow row, int k) {
    const uint32_t low = row & ((1u << (k - 1)) - 1u);
    return LiftplanRow(low | ((uint32_t(row) >> (k - 1)) << k));
}
static LiftplanRow CloseBit(LiftplanRow row, int k) {
    const uint32_t low = row & ((1u << (k - 1)) - 1u);
    return LiftplanRow(low | ((uint32_t(row) >> k) << (k - 1)));
}

// Drops every value in from..to out of values[1..last], closing up behind
// it, and lowers the values above `to` by the count dropped.
static void RemoveNumbered(uint8_t* values, int last, int from, int to) {
    const int count = to - from + 1;
    int kept = 1;
    for (int i = 1; i <= last; ++i) {
        const int v = values[i];
        if (v >= from && v <= to) continue;
        values[kept++] = uint8_t(v > to ? v - count : v);
    }
    for (; kept <= last; ++kept) values[kept] = 0;
}

static void InsertShaft(DraftState& d, int k) {
    const int shafts = d.Shafts;
    if (shafts >= MaxShafts || k < 1 || k > shafts + 1 || k >= MaxShafts) return;
    for (int e = 1; e <= EndCount(d); ++e)
        if (d.Threading[e] >= k && d.Threading[e] < MaxShafts) ++d.Threading[e];
    d.Shafts = uint16_t(shafts + 1);
    if (d.TreadleMode) {
        for (int r = d.Shafts; r > k; --r) d.TieUp[r - 1] = d.TieUp[r - 2];
        d.TieUp[k - 1].fill(0);
    } else {
        d.Treadles = d.Shafts;
        for (int p = 1; p <= PickCount(d); ++p) d.Liftplan[p] = OpenBit(d.Liftplan[p], k);
    }
    // With multiple treadling the liftplan holds treadles and stays.
}

static void DeleteShaft(DraftState& d, int k) {
    const int shafts = d.Shafts;
    if (d.TreadleMode) {
        for (int r = k; r < shafts; ++r) d.TieUp[r - 1] = d.TieUp[r];
        d.TieUp[shafts - 1].fill(0);
    } else {
        for (int p = 1; p <= PickCount(d); ++p) d.Liftplan[p] = CloseBit(d.Liftplan[p], k);
    }
    d.Shafts = uint16_t(std::max(shafts - 1, MinShafts));
    if (!d.TreadleMode) d.Treadles = d.Shafts;
}

void InsertShafts(DraftState& d, int from, int count) {
    for (int k = from; k < from + count && d.Shafts < MaxShafts; ++k) InsertShaft(d, k);
    UpdateUsed(d);
}

void DeleteShafts(DraftState& d, int from, int to) {
    if (from > to) std::swap(from, to);
    from = std::max(from, 1);
    to = std::min<int>(to, std::min<int>(d.Shafts, MaxShafts));
    if (from > to) return;
    RemoveNumbered(d.Threading.data(), EndCount(d), from, to);
    for (int k = to; k >= from; --k) DeleteShaft(d, k);
    UpdateUsed(d);
}

static void InsertTreadle(DraftState& d, int k) {
    const int treadles = d.Treadles;
    if (!d.TreadleMode || treadles >= MaxTreadles || k < 1 || k > treadles + 1 || k >= MaxTreadles)
        return;
    if (!d.MultipleTr)
        for (int p = 1; p <= PickCount(d); ++p)
            if (d.Treadling[p] >= k && d.Treadling[p] < MaxTreadles) ++d.Treadling[p];
    d.Treadles = uint16_t(treadles + 1);
    if (d.MultipleTr)
        for (int p = 1; p <= PickCount(d); ++p) d.Liftplan[p] = OpenBit(d.Liftplan[p], k);
    for (auto& row : d.TieUp) {
        for (int c = d.Treadles; c > k; --c) row[c - 1] = row[c - 2];
        row[k - 1] = 0;
    }
}

static void DeleteTreadle(DraftState& d, int k) {
    const int treadles = d.Treadles;
    for (auto& row : d.TieUp) {
        for (int c = k; c < treadles; ++c) row[c - 1] = row[c];
        row[treadles - 1] = 0;
    }
    if (d.MultipleTr)
        for (int p = 1; p <= PickCount(d); ++p) d.Liftplan[p] = CloseBit(d.Liftplan[p], k);
    d.Treadles = uint16_t(std::max(treadles - 1, MinTreadles));
}

void InsertTreadles(DraftState& d, int from, int count) {
    for (int k = from; k < from + count && d.Treadles < MaxTreadles; ++k) InsertTreadle(d, k);
    UpdateUsed(d);
}

void DeleteTreadles(DraftState& d, int from, int to) {
    if (!d.TreadleMode) return;
    if (from > to) std::swap(from, to);
    from = std::max(from, 1);
    to = std::min<int>(to, std::min<int>(d.Treadles, MaxTreadles));
    if (from > to) return;
    if (!d.MultipleTr) RemoveNumbered(d.Treadling.data(), PickCount(d), from, to);
    for (int k = to; k >= from; --k) DeleteTreadle(d, k);
    UpdateUsed(d);
}

// ---- mirror, reverse, turn ----

static bool SingleTreadlingDraft(const DraftState& d) {
    return d.TreadleMode && !d.MultipleTr;
}

// Copies position u - j to u + j for j = 1, 2, ... while both exist.
template <typename T> static void MirrorAfter(T* values, int u, int last) {
    for (int j = 1; u + j <= last && u - j >= 1; ++j) values[u + j] = values[u - j];
}

std::optional<Message> MirrorWarp(DraftState& d) {
    const int last = EndCount(d);
    const int u = LastThreadedEnd(d, last);
    if (u < 2) return Message{GeneralForm, "@globnopat", {}};
    if (u >= last) return Message{GeneralForm, "@noroominthr", {}};
    MirrorAfter(d.Threading.data(), u, last);
    MirrorAfter(d.WarpColors.data(), u, last);
    UpdateUsed(d);
    return std::nullopt;
}

std::optional<Message> MirrorWeft(DraftState& d) {
    const int last = PickCount(d);
    const int u = LastUsedPick(d, last);
    if (u < 2) return Message{GeneralForm, "@globnopat", {}};
    if (u >= last) return Message{GeneralForm, "@noroominweft", {}};
    if (SingleTreadlingDraft(d))
        MirrorAfter(d.Treadling.data(), u, last);
    else
        MirrorAfter(d.Liftplan.data(), u, last);
    MirrorAfter(d.WeftColors.data(), u, last);
    UpdateUsed(d);
    return std::nullopt;
}

void ReverseFabric(DraftState& d) {
    const int shafts = std::min<int>(d.Shafts, MaxShafts);
    if (d.TreadleMode) {
        for (int s = 1; s <= shafts; ++s)
            for (int t = 1; t <= std::min<int>(d.Treadles, MaxTreadles); ++t)
                d.TieUpAt(s, t) = !d.TieUpAt(s, t);
        return;
    }
    const LiftplanRow mask = LiftplanRow((1u << shafts) - 1u);
    for (int p = 1; p <= PickCount(d); ++p) d.Liftplan[p] ^= mask;
    UpdateUsed(d);
}

void ReverseWarpOrder(DraftState& d) {
    const int u = LastThreadedEnd(d, EndCount(d));
    if (u < 2) return;
    std::reverse(&d.Threading[1], &d.Threading[u] + 1);
    std::reverse(&d.WarpColors[1], &d.WarpColors[u] + 1);
}

void ReverseWeftOrder(DraftState& d) {
    const int u = LastUsedPick(d, PickCount(d));
    if (u < 2) return;
    if (SingleTreadlingDraft(d))
        std::reverse(&d.Treadling[1], &d.Treadling[u] + 1);
    else
        std::reverse(&d.Liftplan[1], &d.Liftplan[u] + 1);
    std::reverse(&d.WeftColors[1], &d.WeftColors[u] + 1);
}

void TransposeDraft(DraftState& d) {
    int shafts = 2, treadles = 2;
    for (int i = 1; i <= std::max(EndCount(d), PickCount(d)); ++i) {
        shafts = std::max<int>(shafts, d.Threading[i]);
        treadles = std::max<int>(treadles, d.Treadling[i]);
        std::swap(d.Threading[i], d.Treadling[i]);
    }
    std::swap(d.WarpColors, d.WeftColors);
    shafts = std::min(shafts, MaxShafts);
    treadles = std::min(treadles, MaxTreadles);
    // The new tie-up is the old one transposed and inverted; cells outside
    // the new counts stay empty, or a later insert would bring them in.
    const auto old = d.TieUp;
    ClearTieUp(d);
    for (int s = 1; s <= treadles; ++s)
        for (int t = 1; t <= shafts; ++t) d.TieUpAt(s, t) = !old[t - 1][s - 1];
    d.Shafts = uint16_t(treadles);
    d.Treadles = uint16_t(shafts);
    std::swap(d.Ends, d.Picks);
    FoldThreading(d);
    FoldTreadling(d);
}

std::optional<Message> TurnDraft(DraftState& d) {
    UpdateUsed(d);
    if (!d.TreadleMode) {
        // Each different woven row needs a treadle, and the treadles become
        // the shafts of the turned draft.
        const LiftplanRow mask = LiftplanRow((1u << std::min<int>(d.Shafts, MaxShafts)) - 1u);
        std::vector<LiftplanRow> rows;
        for (int p = 1; p <= PickCount(d); ++p) {
            const LiftplanRow row = LiftplanRow(d.Liftplan[p] & mask);
            if (row != 0 && std::find(rows.begin(), rows.end(), row) == rows.end())
                rows.push_back(row);
        }
        if (rows.size() > size_t(MaxShafts))
            return Message{
                {}, "%1 shafts is needed to Rotate this pattern.", {std::to_string(rows.size())}};
        DeriveTieupAndTreadling(d, PickCount(d), true);
        TransposeDraft(d);
        TreadlingToLiftplan(d, PickCount(d));
        ClearTreadlingFrom(d, 1);
    } else if (!d.MultipleTr) {
        TransposeDraft(d);
    } else {
        return std::nullopt; // a multiple-treadling draft is not turned
    }
    ClearThreadingFrom(d, EndCount(d) + 1);
    if (SingleTreadlingDraft(d))
        ClearTreadlingFrom(d, PickCount(d) + 1);
    else
        ClearLiftplanFrom(d, PickCount(d) + 1);
    std::swap(d.EndsPerUnit, d.PicksPerUnit);
    UpdateUsed(d);
    return std::nullopt;
}

} // namespace hw
