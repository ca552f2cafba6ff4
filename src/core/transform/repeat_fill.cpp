#include "transform/repeat_fill.h"

#include "model/loom_system.h"
#include "model/primitives.h"
#include "transform/analysis.h"
#include "transform/repeat.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace hw {

namespace {

bool SingleTreadling(const DraftState& d) {
    return d.TreadleMode && !d.MultipleTr && !d.DesignMode;
}

int EndCount(const DraftState& d) {
    return std::clamp<int>(d.Ends, 0, MaxEnds);
}

int PickCount(const DraftState& d) {
    return std::clamp<int>(d.Picks, 0, MaxPicks);
}

// Liftplan rows hold shafts, or treadles with multiple treadling: compare
// every element the row can hold.
int RowElements(const DraftState& d) {
    return std::max<int>(d.Shafts, d.Treadles);
}

// Entries repeat+1..count copy the entries one repeat before them.
template <typename T> void Cycle(T* seq, int repeat, int count) {
    if (repeat < 1) return;
    for (int i = repeat + 1; i <= count; ++i) seq[i] = seq[i - repeat];
}

int Length(RepeatResult r, int fallback) {
    return r.Found ? r.Length : fallback;
}

LiftplanRow ColumnMask(int first, int last) {
    LiftplanRow m = 0;
    for (int k = std::max(first, 1); k <= std::min(last, MaxTreadles); ++k)
        m = LiftplanRow(m | (1u << (k - 1)));
    return m;
}

} // namespace

void RepeatRange(DraftState& d, const RepeatSpan& r, bool withColours, int copies) {
    const bool warp = r.Kind == RepeatKind::Threading || r.Kind == RepeatKind::WarpColors;
    if (r.Kind == RepeatKind::WarpColors || r.Kind == RepeatKind::WeftColors) withColours = false;
    const int limit = warp ? EndCount(d) : PickCount(d);
    const int first = std::clamp(std::min(r.First, r.Last), 1, std::max(limit, 1));
    const int last = std::clamp(std::max(r.First, r.Last), 1, std::max(limit, 1));
    const int length = last - first + 1;
    // The whole row when the block spans every column, else only its columns.
    const int columns = d.TreadleMode ? d.Treadles : d.Shafts;
    const int c0 = std::min(r.FirstColumn, r.LastColumn),
              c1 = std::max(r.FirstColumn, r.LastColumn);
    const LiftplanRow mask = c0 <= 1 && c1 >= columns ? LiftplanRow(0xFFFF) : ColumnMask(c0, c1);
    auto copy = [&](int to, int from) {
        switch (r.Kind) {
        case RepeatKind::Threading:
            d.Threading[to] = d.Threading[from];
            if (withColours) d.WarpColors[to] = d.WarpColors[from];
            break;
        case RepeatKind::Treadling:
            d.Treadling[to] = d.Treadling[from];
            if (withColours) d.WeftColors[to] = d.WeftColors[from];
            break;
        case RepeatKind::Liftplan:
            d.Liftplan[to] = LiftplanRow((d.Liftplan[to] & ~mask) | (d.Liftplan[from] & mask));
            if (withColours) d.WeftColors[to] = d.WeftColors[from];
            break;
        case RepeatKind::WarpColors:
            d.WarpColors[to] = d.WarpColors[from];
            break;
        case RepeatKind::WeftColors:
            d.WeftColors[to] = d.WeftColors[from];
            break;
        }
    };
    int made = 0;
    for (int position = last + 1; position <= limit && made < copies; position += length, ++made)
        for (int j = 0; j < std::min(length, limit - position + 1); ++j)
            copy(position + j, first + j);
    if (!d.DesignMode && r.Kind != RepeatKind::WarpColors && r.Kind != RepeatKind::WeftColors)
        UpdateUsed(d);
}

bool FillHasRoom(const DraftState& d) {
    const int p = PickCount(d), e = EndCount(d);
    const bool lastPickEmpty = SingleTreadling(d) ? d.Treadling[p] == 0 : !LiftplanRowUsed(d, p);
    return lastPickEmpty || d.Threading[e] == 0;
}

void FillPattern(DraftState& d, bool withColours) {
    const int ends = EndCount(d), picks = PickCount(d);
    // A side without a used end (pick) has no repeat to continue.
    const int lastEnd = LastThreadedEnd(d, ends);
    if (lastEnd > 0 && lastEnd < ends) {
        const int r = Length(FindRepeat(&d.Threading[1], ends, lastEnd), lastEnd);
        d.RepeatThreading = r;
        if (withColours) {
            const int c = Length(FindColorRepeat(&d.WarpColors[1], ends, lastEnd), r);
            d.RepeatWarpColors = c;
            Cycle(d.WarpColors.data(), c, ends);
        }
        Cycle(d.Threading.data(), r, ends);
    }
    const bool single = SingleTreadling(d);
    const int lastPick = single ? LastTreadledPick(d, picks) : LastLiftplanPick(d, picks);
    if (lastPick > 0 && lastPick < picks) {
        const RepeatResult found =
            single ? FindRepeat(&d.Treadling[1], picks, lastPick)
                   : FindLiftplanRepeat(&d.Liftplan[1], picks, lastPick, RowElements(d));
        const int r = Length(found, lastPick);
        d.RepeatTreadling = r;
        if (withColours) {
            const int c = Length(FindColorRepeat(&d.WeftColors[1], picks, lastPick), r);
            d.RepeatWeftColors = c;
            Cycle(d.WeftColors.data(), c, picks);
        }
        if (single)
            Cycle(d.Treadling.data(), r, picks);
        else
            Cycle(d.Liftplan.data(), r, picks);
    }
    UpdateUsed(d);
}

bool FillDesign(DraftState& d, bool withColours) {
    const int ends = std::min(EndCount(d), DesignSize);
    const int picks = std::min(PickCount(d), DesignSize);
    if (DeriveThreading(d, ends, picks, true) > MaxShafts) return false;
    // The design read as a draft: one shaft per distinct column, its picks
    // as liftplan rows over every shaft.
    auto s = std::make_unique<DraftState>(d);
    s->TreadleMode = s->MultipleTr = s->DesignMode = false;
    s->Shafts = s->Treadles = MaxShafts;
    s->Ends = uint16_t(std::max(ends, MinEnds));
    s->Picks = uint16_t(std::max(picks, MinPicks));
    ClearThreadingFrom(*s, 1);
    ClearLiftplanFrom(*s, 1);
    DeriveThreading(*s, ends, picks);
    BuildLiftplanFromDrawdown(*s, ends, picks);
    if (!FillHasRoom(*s)) return false;
    FillPattern(*s, withColours);
    RecomputeWindow(*s, ends, picks, false);
    d.DesignGrid = s->DesignGrid;
    d.WarpColors = s->WarpColors;
    d.WeftColors = s->WeftColors;
    d.RepeatThreading = s->RepeatThreading;
    d.RepeatTreadling = s->RepeatTreadling;
    d.RepeatWarpColors = s->RepeatWarpColors;
    d.RepeatWeftColors = s->RepeatWeftColors;
    UpdateDesignUsed(d);
    return true;
}

void RepeatDesignBlock(DraftState& d, const CellBlock& b, bool withColours) {
    const int ends = std::min(EndCount(d), DesignSize);
    const int picks = std::min(PickCount(d), DesignSize);
    const int c0 = std::max(b.FirstColumn, 1), c1 = std::min(b.LastColumn, ends);
    const int r0 = std::max(b.FirstRow, 1), r1 = std::min(b.LastRow, picks);
    if (c0 > c1 || r0 > r1) return;
    const int w = c1 - c0 + 1, h = r1 - r0 + 1;
    // Reading only the block itself, which is never written, the order of
    // the writes does not matter.
    for (int p = r0; p <= picks; ++p)
        for (int e = c0; e <= ends; ++e)
            if (p > r1 || e > c1)
                DesignPut(d, p, e, DesignGet(d, r0 + (p - r0) % h, c0 + (e - c0) % w));
    if (withColours) {
        for (int e = c1 + 1; e <= ends; ++e) d.WarpColors[e] = d.WarpColors[c0 + (e - c0) % w];
        for (int p = r1 + 1; p <= picks; ++p) d.WeftColors[p] = d.WeftColors[r0 + (p - r0) % h];
    }
    UpdateDesignUsed(d);
}

Status RepeatCommand(DraftState& d, const CellBlock& sel) {
    const bool linked = d.ColorsLinked;
    switch (sel.Area) {
    case SelArea::Threading:
        RepeatRange(d, {RepeatKind::Threading, sel.FirstColumn, sel.LastColumn}, linked);
        return {};
    case SelArea::WarpColors:
        RepeatRange(d, {RepeatKind::WarpColors, sel.FirstColumn, sel.LastColumn}, linked);
        return {};
    case SelArea::Treadling:
        RepeatRange(d, {RepeatKind::Treadling, sel.FirstRow, sel.LastRow}, linked);
        return {};
    case SelArea::Liftplan:
        RepeatRange(
            d, {RepeatKind::Liftplan, sel.FirstRow, sel.LastRow, sel.FirstColumn, sel.LastColumn},
            linked);
        return {};
    case SelArea::WeftColors:
        RepeatRange(d, {RepeatKind::WeftColors, sel.FirstRow, sel.LastRow}, linked);
        return {};
    case SelArea::Design:
        RepeatDesignBlock(d, sel, linked);
        return {};
    case SelArea::TieUp:
    case SelArea::None:
        break;
    }
    const Status nothing{Message{"TWform", "@selpart", {}}};
    if (d.DesignMode) return FillDesign(d, linked) ? Status{} : nothing;
    if (!FillHasRoom(d)) return nothing;
    FillPattern(d, linked);
    return {};
}

} // namespace hw
