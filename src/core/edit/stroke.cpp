#include "edit/stroke.h"

#include "model/primitives.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>
#include <utility>

namespace hw {

namespace {

ViewArea ViewAreaOf(StrokeArea a) {
    switch (a) {
    case StrokeArea::Threading:
        return ViewArea::Threading;
    case StrokeArea::TieUp:
        return ViewArea::TieUp;
    case StrokeArea::Treadling:
    case StrokeArea::Liftplan:
        return ViewArea::Treadling;
    case StrokeArea::Drawdown:
    case StrokeArea::Design:
        return ViewArea::Drawdown;
    case StrokeArea::WarpColors:
        return ViewArea::WarpColors;
    case StrokeArea::WeftColors:
        return ViewArea::WeftColors;
    case StrokeArea::None:
        break;
    }
    return ViewArea::None;
}

bool IsColorArea(StrokeArea a) {
    return a == StrokeArea::WarpColors || a == StrokeArea::WeftColors;
}

bool ValidEnd(int e) {
    return e >= 1 && e <= MaxEnds;
}
bool ValidPick(int p) {
    return p >= 1 && p <= MaxPicks;
}

// The hit's cell in draft numbers: ends and picks move with the scrolling,
// shafts, treadles and liftplan columns do not.
CellPoint DraftCell(const ViewHit& h, const ViewWindow& w) {
    switch (h.Area) {
    case ViewArea::Threading:
    case ViewArea::WarpColors:
        return {h.Column + w.ScrollEnds, h.Row};
    case ViewArea::Treadling:
    case ViewArea::WeftColors:
        return {h.Column, h.Row + w.ScrollPicks};
    case ViewArea::Drawdown:
        return {h.Column + w.ScrollEnds, h.Row + w.ScrollPicks};
    default:
        return {h.Column, h.Row};
    }
}

// Whether a cell stands for something the stroke can change. A drawdown
// cell stands for a tie-up or liftplan cell only on a threaded end (and, on
// a treadle loom, a treadled pick).
bool Editable(const DraftState& d, StrokeArea a, CellPoint c) {
    switch (a) {
    case StrokeArea::Threading:
    case StrokeArea::WarpColors:
        return ValidEnd(c.Column);
    case StrokeArea::Treadling:
    case StrokeArea::Liftplan:
    case StrokeArea::WeftColors:
        return ValidPick(c.Row);
    case StrokeArea::Design:
        return c.Column >= 1 && c.Column <= DesignSize && c.Row >= 1 && c.Row <= DesignSize;
    case StrokeArea::Drawdown:
        if (!ValidEnd(c.Column) || !ValidPick(c.Row) || SafeShaft(d.Threading[c.Column]) == 0)
            return false;
        return !d.TreadleMode || SafeShaft(d.Treadling[c.Row]) > 0;
    case StrokeArea::TieUp:
        return c.Column >= 1 && c.Column <= MaxTreadles && c.Row >= 1 && c.Row <= MaxShafts;
    case StrokeArea::None:
        break;
    }
    return false;
}

// The colour range runs from the start cell to the current one.
std::pair<int, int> ColorRange(const StrokeState& st) {
    const bool warp = st.Area == StrokeArea::WarpColors;
    const int a = warp ? st.Start.Column : st.Start.Row;
    const int b = warp ? st.Current.Column : st.Current.Row;
    return {std::min(a, b), std::max(a, b)};
}

// The screen picture of a stroke: one value per end for the threading, one
// per pick for single treadling, the colour per end or pick for colour
// strokes, and on/off per cell elsewhere.
std::vector<StrokeItem> Picture(const StrokeState& st) {
    std::map<std::pair<int, int>, int> pic;
    if (IsColorArea(st.Area)) {
        const auto [first, last] = ColorRange(st);
        const bool warp = st.Area == StrokeArea::WarpColors;
        for (int n = first; n <= last; ++n)
            if (warp ? ValidEnd(n) : ValidPick(n))
                pic[warp ? std::pair(n, 0) : std::pair(0, n)] = st.Color;
    } else {
        for (const CellPoint& c : st.Cells) {
            if (st.Area == StrokeArea::Threading)
                pic[{c.Column, 0}] = st.Left ? c.Row : 0;
            else if (st.Area == StrokeArea::Treadling)
                pic[{0, c.Row}] = st.Left ? c.Column : 0;
            else
                pic[{c.Column, c.Row}] = st.Left ? 1 : 0;
        }
    }
    std::vector<StrokeItem> items;
    items.reserve(pic.size());
    for (const auto& [key, value] : pic) items.push_back({key.first, key.second, value});
    return items;
}

bool KeyLess(const StrokeItem& a, const StrokeItem& b) {
    return std::pair(a.Column, a.Row) < std::pair(b.Column, b.Row);
}

// Brings the screen from the picture shown to the stroke's current one.
StrokePaint Redraw(StrokeState& st) {
    StrokePaint paint;
    paint.Area = st.Area;
    std::vector<StrokeItem> next = Picture(st);
    auto o = st.Shown.begin();
    auto n = next.begin();
    while (o != st.Shown.end() || n != next.end()) {
        if (n == next.end() || (o != st.Shown.end() && KeyLess(*o, *n))) {
            paint.FromDraft.push_back(*o++);
        } else if (o == st.Shown.end() || KeyLess(*n, *o)) {
            paint.Show.push_back(*n++);
        } else {
            if (o->Value != n->Value) paint.Show.push_back(*n);
            ++o;
            ++n;
        }
    }
    st.Shown.swap(next);
    return paint;
}

void BuildLine(StrokeState& st, const DraftState& d) {
    std::vector<CellPoint> points = LinePoints(st.Start, st.Current);
    if (st.Area == StrokeArea::Threading) ThinLine(points, true);
    if (st.Area == StrokeArea::Treadling) ThinLine(points, false);
    st.Cells.clear();
    for (const CellPoint& p : points) {
        if (int(st.Cells.size()) >= MaxStrokeEntries) break;
        if (Editable(d, st.Area, p)) st.Cells.push_back(p);
    }
}

void AddPenCell(StrokeState& st, const DraftState& d, CellPoint c) {
    if (int(st.Cells.size()) >= MaxStrokeEntries || !Editable(d, st.Area, c)) return;
    st.Cells.push_back(c);
}

// Writes one stroked cell into the draft.
void ApplyCell(DraftState& d, StrokeArea a, CellPoint c, bool set) {
    switch (a) {
    case StrokeArea::Threading:
        d.Threading[c.Column] = uint8_t(set ? c.Row : 0);
        break;
    case StrokeArea::Treadling:
        d.Treadling[c.Row] = uint8_t(set ? c.Column : 0);
        break;
    case StrokeArea::Liftplan:
        LiftplanPut(d, c.Row, c.Column, set);
        break;
    case StrokeArea::TieUp:
        TieUpPut(d, c.Row, c.Column, set);
        break;
    case StrokeArea::Drawdown: {
        const int s = SafeShaft(d.Threading[c.Column]);
        if (s == 0) return;
        if (!d.TreadleMode) {
            LiftplanPut(d, c.Row, s, set);
            return;
        }
        const int t = SafeShaft(d.Treadling[c.Row]);
        if (t > 0) TieUpPut(d, s, t, set);
        break;
    }
    case StrokeArea::Design:
        DesignPut(d, c.Row, c.Column, set);
        break;
    default:
        break;
    }
}

} // namespace

PressOutcome StrokePress(StrokeState& st, const StrokeTarget& t, StrokeButton button, int color,
                         int x, int y) {
    PressOutcome out;
    if (st.Open()) return out; // one stroke at a time
    const ViewHit hit = HitTest(t.Geometry, x, y, true);
    const DraftState& d = t.Draft;
    const bool left = button == StrokeButton::Left;
    const CellPoint cell = DraftCell(hit, t.Window);
    StrokeArea area = StrokeArea::None;
    switch (hit.Area) {
    case ViewArea::Treadling:
        area = (d.TreadleMode && !d.MultipleTr) ? StrokeArea::Treadling : StrokeArea::Liftplan;
        break;
    case ViewArea::Threading:
        area = StrokeArea::Threading;
        break;
    case ViewArea::TieUp:
        area = StrokeArea::TieUp;
        break;
    case ViewArea::Drawdown:
        area = d.DesignMode ? StrokeArea::Design : StrokeArea::Drawdown;
        break;
    case ViewArea::WarpColors:
    case ViewArea::WeftColors: {
        const bool warp = hit.Area == ViewArea::WarpColors;
        if (!left) {
            // Picks up the colour under the pointer; the draft is untouched.
            const int n = warp ? cell.Column : cell.Row;
            if (warp ? !ValidEnd(n) : !ValidPick(n)) return out;
            out.What = PressOutcome::ColorPicked;
            out.Color = warp ? d.WarpColors[n] : d.WeftColors[n];
            return out;
        }
        area = warp ? StrokeArea::WarpColors : StrokeArea::WeftColors;
        break;
    }
    case ViewArea::None:
        return out;
    }
    st.Area = area;
    st.Left = left;
    st.Color = std::clamp(color, 0, PaletteSize - 1);
    st.Start = st.Current = cell;
    st.Cells.clear();
    st.Shown.clear();
    if (!IsColorArea(area)) {
        if (st.Tool == StrokeTool::Pen)
            AddPenCell(st, d, cell);
        else
            BuildLine(st, d);
    }
    out.What = PressOutcome::Stroke;
    out.Paint = Redraw(st);
    return out;
}

StrokePaint StrokeMove(StrokeState& st, const StrokeTarget& t, int x, int y) {
    if (!st.Open()) return {};
    const ViewHit hit = HitTest(t.Geometry, x, y, true);
    if (hit.Area != ViewAreaOf(st.Area)) return {};
    const CellPoint cell = DraftCell(hit, t.Window);
    if (cell == st.Current) return {};
    if (IsColorArea(st.Area)) {
        // The range runs from the start cell; it stays under 1000 cells.
        const bool warp = st.Area == StrokeArea::WarpColors;
        const int span = warp ? cell.Column - st.Start.Column : cell.Row - st.Start.Row;
        if (std::abs(span) >= MaxStrokeEntries) return {};
        st.Current = cell;
    } else if (st.Tool == StrokeTool::Pen) {
        st.Current = cell;
        AddPenCell(st, t.Draft, cell);
    } else {
        st.Current = cell;
        BuildLine(st, t.Draft);
    }
    return Redraw(st);
}

FinishedStroke StrokeFinish(StrokeState& st) {
    FinishedStroke f;
    if (!st.Open()) return f;
    f.Area = st.Area;
    f.Left = st.Left;
    f.Color = st.Color;
    f.Cells = st.Cells;
    if (IsColorArea(st.Area)) std::tie(f.First, f.Last) = ColorRange(st);
    f.Paint = StrokeCancel(st);
    return f;
}

void FinishedStroke::Apply(DraftState& d) const {
    if (Area == StrokeArea::WarpColors) {
        for (int e = std::max(First, 1); e <= std::min(Last, MaxEnds); ++e)
            d.WarpColors[e] = uint8_t(Color);
    } else if (Area == StrokeArea::WeftColors) {
        for (int p = std::max(First, 1); p <= std::min(Last, MaxPicks); ++p)
            d.WeftColors[p] = uint8_t(Color);
    } else {
        for (const CellPoint& c : Cells) ApplyCell(d, Area, c, Left);
    }
    if (Area == StrokeArea::Threading) UpdateEndsUsed(d);
    if (Area == StrokeArea::Treadling || Area == StrokeArea::Liftplan ||
        (Area == StrokeArea::Drawdown && !d.TreadleMode))
        UpdatePicksUsed(d);
}

StrokePaint StrokeCancel(StrokeState& st) {
    StrokePaint paint;
    paint.Area = st.Area;
    paint.FromDraft = std::move(st.Shown);
    st.Shown.clear();
    st.Cells.clear();
    st.Area = StrokeArea::None;
    return paint;
}

} // namespace hw
