#include "edit/stroke.h"

#include "model/primitives.h"
#include "view/renderer.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace hw {

namespace {

using Key = std::pair<int, int>;

ViewArea AreaOf(char code) {
    switch (code) {
    case StrokeThreading:
        return ViewArea::Threading;
    case StrokeTieUp:
        return ViewArea::TieUp;
    case StrokeTreadling:
    case StrokeLiftplan:
        return ViewArea::Treadling;
    case StrokeDrawdown:
    case StrokeDesign:
        return ViewArea::Drawdown;
    case StrokeWarpColors:
        return ViewArea::WarpColors;
    case StrokeWeftColors:
        return ViewArea::WeftColors;
    default:
        return ViewArea::None;
    }
}

bool IsColorStroke(char code) {
    return code == StrokeWarpColors || code == StrokeWeftColors;
}

int DraftEnd(const StrokeView& v, int k) {
    return k + v.Window.ScrollEnds;
}
int DraftPick(const StrokeView& v, int i) {
    return i + v.Window.ScrollPicks;
}
bool ValidEnd(int e) {
    return e >= 1 && e <= MaxEnds;
}
bool ValidPick(int p) {
    return p >= 1 && p <= MaxPicks;
}

// Whether a stroked cell stands for something the stroke can change. A
// drawdown cell stands for a tie-up or liftplan cell only on a threaded end
// (and, on a treadle loom, a treadled pick).
bool Editable(const StrokeView& v, char code, CellPoint c) {
    const DraftState& d = v.Draft;
    switch (code) {
    case StrokeThreading:
    case StrokeWarpColors:
        return ValidEnd(DraftEnd(v, c.Column));
    case StrokeTreadling:
    case StrokeLiftplan:
    case StrokeWeftColors:
        return ValidPick(DraftPick(v, c.Row));
    case StrokeDesign:
        return DraftEnd(v, c.Column) >= 1 && DraftEnd(v, c.Column) <= DesignSize &&
               DraftPick(v, c.Row) >= 1 && DraftPick(v, c.Row) <= DesignSize;
    case StrokeDrawdown: {
        const int e = DraftEnd(v, c.Column), p = DraftPick(v, c.Row);
        if (!ValidEnd(e) || !ValidPick(p) || SafeShaft(d.Threading[e]) == 0) return false;
        return !d.TreadleMode || SafeShaft(d.Treadling[p]) > 0;
    }
    case StrokeTieUp:
        return true;
    default:
        return false;
    }
}

CellPoint CellOf(const ViewHit& h) {
    return {h.Column, h.Row};
}

// The screen picture of a stroke: one value per end for the threading, one
// per pick for single treadling, the colour per end or pick for colour
// strokes, and on/off per cell elsewhere.
std::map<Key, int> Picture(const StrokeState& st, const StrokeView& v) {
    std::map<Key, int> pic;
    const bool left = st.LeftDown;
    const int on = left ? 1 : 0;
    if (IsColorStroke(st.Code)) {
        const bool warp = st.Code == StrokeWarpColors;
        const int a = warp ? st.Start.Column : st.Start.Row;
        const int b = warp ? st.Current.Column : st.Current.Row;
        for (int n = std::min(a, b); n <= std::max(a, b); ++n) pic[{n, 0}] = v.Draft.CurrentColor;
        return pic;
    }
    std::vector<CellPoint> cells;
    if (st.Tool == StrokeTool::Line) {
        cells = st.Line;
    } else {
        for (const StrokeEntry& e : st.Entries) cells.push_back({e.Column, e.Row});
    }
    for (const CellPoint& c : cells) {
        if (st.Code == StrokeThreading)
            pic[{c.Column, 0}] = left ? c.Row : 0;
        else if (st.Code == StrokeTreadling)
            pic[{0, c.Row}] = left ? c.Column : 0;
        else
            pic[{c.Column, c.Row}] = on;
    }
    return pic;
}

// Paints one item of a stroke's picture, or (document) what the draft holds.
void PaintItem(const StrokeState& st, StrokeView& v, DraftRenderer& r, Key key, int value,
               bool document) {
    const DraftState& d = v.Draft;
    const auto [col, row] = key;
    switch (st.Code) {
    case StrokeThreading:
        r.PaintThreadingColumn(col, document ? r.ThreadingShaft(col) : value);
        break;
    case StrokeTreadling:
        if (document)
            r.PaintTreadlingRow(row);
        else
            r.PaintTreadlingRow(row, value > 0 ? uint16_t(1u << (value - 1)) : uint16_t(0));
        break;
    case StrokeTieUp:
        r.PaintTieUpCell(row, col, document ? d.TieUpAt(row, col) == 1 : value != 0);
        break;
    case StrokeLiftplan:
        r.PaintTreadlingCell(row, col,
                             document ? (r.TreadlingColumns(row) >> (col - 1)) & 1u : value != 0);
        break;
    case StrokeDrawdown:
    case StrokeDesign:
        // A set cell raises the shaft: the warp shows on a rising shed.
        r.PaintDrawdownCell(col, row, document ? -1 : ((value != 0) == d.Shed ? 1 : 0));
        break;
    case StrokeWarpColors:
        if (document) {
            r.PaintWarpColorCell(col);
            r.PaintDrawdownColumn(col);
        } else {
            r.PaintWarpColorCell(col, value);
            r.PaintDrawdownColumn(col, value);
        }
        break;
    case StrokeWeftColors:
        if (document) {
            r.PaintWeftColorCell(col);
            r.PaintDrawdownRow(col);
        } else {
            r.PaintWeftColorCell(col, value);
            r.PaintDrawdownRow(col, value);
        }
        break;
    default:
        break;
    }
}

// Brings the screen from the picture shown to the stroke's current one:
// items that left are repainted from the draft, new or changed ones drawn.
void Redraw(StrokeState& st, StrokeView& v) {
    std::map<Key, int> next = Picture(st, v);
    DraftRenderer r(v.Target, v.Draft, v.Window, v.Geometry, v.Settings);
    for (const auto& [key, value] : st.Shown)
        if (!next.count(key)) PaintItem(st, v, r, key, value, true);
    for (const auto& [key, value] : next) {
        const auto it = st.Shown.find(key);
        if (it == st.Shown.end() || it->second != value) PaintItem(st, v, r, key, value, false);
    }
    st.Shown.swap(next);
}

void BuildLine(StrokeState& st, StrokeView& v) {
    std::vector<CellPoint> points = LinePoints(st.Start, st.Current);
    if (st.Code == StrokeThreading) ThinLine(points, true);
    if (st.Code == StrokeTreadling) ThinLine(points, false);
    st.Line.clear();
    for (const CellPoint& p : points)
        if (Editable(v, st.Code, p)) st.Line.push_back(p);
}

void AddPenCell(StrokeState& st, StrokeView& v, CellPoint c) {
    if (int(st.Entries.size()) >= MaxStrokeEntries || !Editable(v, st.Code, c)) return;
    st.Entries.push_back({uint16_t(c.Column), uint16_t(c.Row), 0});
}

// Reads (write = false) or writes the draft cell an entry stands for.
// Returns the value held before.
int Access(StrokeView& v, char code, const StrokeEntry& e, bool write, int value) {
    DraftState& d = v.Draft;
    const int end = DraftEnd(v, e.Column), pick = DraftPick(v, e.Row);
    int old = 0;
    switch (code) {
    case StrokeThreading:
        if (!ValidEnd(end)) return 0;
        old = d.Threading[end];
        if (write) d.Threading[end] = uint8_t(value);
        break;
    case StrokeTreadling:
        if (!ValidPick(pick)) return 0;
        old = d.Treadling[pick];
        if (write) d.Treadling[pick] = uint8_t(value);
        break;
    case StrokeLiftplan:
        old = LiftplanGet(d, pick, e.Column);
        if (write) LiftplanPut(d, pick, e.Column, value != 0);
        break;
    case StrokeTieUp:
        if (e.Row < 1 || e.Row > MaxShafts || e.Column < 1 || e.Column > MaxTreadles) return 0;
        old = d.TieUpAt(e.Row, e.Column);
        if (write) TieUpPut(d, e.Row, e.Column, value != 0);
        break;
    case StrokeDrawdown: {
        if (!ValidEnd(end) || !ValidPick(pick)) return 0;
        const int s = SafeShaft(d.Threading[end]);
        if (s == 0) return 0;
        if (d.TreadleMode) {
            const int t = SafeShaft(d.Treadling[pick]);
            if (t == 0) return 0;
            old = d.TieUpAt(s, t);
            if (write) TieUpPut(d, s, t, value != 0);
        } else {
            old = LiftplanGet(d, pick, s);
            if (write) LiftplanPut(d, pick, s, value != 0);
        }
        break;
    }
    case StrokeDesign:
        old = DesignGet(d, pick, end);
        if (write) DesignPut(d, pick, end, value != 0);
        break;
    case StrokeWarpColors:
        if (!ValidEnd(end)) return 0;
        old = d.WarpColors[end];
        if (write) d.WarpColors[end] = uint8_t(value);
        break;
    case StrokeWeftColors:
        if (!ValidPick(pick)) return 0;
        old = d.WeftColors[pick];
        if (write) d.WeftColors[pick] = uint8_t(value);
        break;
    default:
        break;
    }
    return old;
}

// Repaints what applying or undoing the entries changed. lastBefore is the
// last threaded visible end before the change: when it moves, the columns
// between appear or vanish.
void RepaintAfterChange(const StrokeState& st, StrokeView& v, int lastBefore) {
    DraftRenderer r(v.Target, v.Draft, v.Window, v.Geometry, v.Settings);
    std::set<int> columns, rows;
    for (const StrokeEntry& e : st.Entries) {
        columns.insert(e.Column);
        rows.insert(e.Row);
    }
    const int ends = v.Geometry.Drawdown.Columns.Count;
    switch (st.Code) {
    case StrokeThreading: {
        for (int k : columns) {
            r.PaintThreadingColumn(k, r.ThreadingShaft(k));
            r.PaintDrawdownColumn(k);
        }
        const int lastAfter = LastThreadedVisible(v.Draft, v.Window);
        if (lastAfter != lastBefore)
            r.PaintDrawdownColumns(std::min(lastBefore, lastAfter) + 1,
                                   std::max(lastBefore, lastAfter));
        break;
    }
    case StrokeTieUp:
        for (const StrokeEntry& e : st.Entries)
            r.PaintTieUpCell(e.Row, e.Column, v.Draft.TieUpAt(e.Row, e.Column) == 1);
        r.PaintDrawdownColumns(1, ends);
        break;
    case StrokeTreadling:
    case StrokeLiftplan:
        for (int i : rows) {
            r.PaintTreadlingRow(i);
            r.PaintDrawdownRow(i);
        }
        break;
    case StrokeDrawdown:
        // The drawdown cells stand for tie-up or liftplan cells: show those
        // too, then the whole drawdown they govern.
        if (v.Draft.TreadleMode) {
            for (const StrokeEntry& e : st.Entries) {
                const int s = r.ThreadingShaft(e.Column);
                const uint16_t t = r.TreadlingColumns(e.Row);
                for (int n = 1; n <= MaxTreadles; ++n)
                    if ((t >> (n - 1)) & 1u) r.PaintTieUpCell(s, n, v.Draft.TieUpAt(s, n) == 1);
            }
        } else {
            for (int i : rows) r.PaintTreadlingRow(i);
        }
        r.PaintDrawdownColumns(1, ends);
        break;
    case StrokeDesign:
        r.PaintDrawdownColumns(1, ends);
        break;
    case StrokeWarpColors:
        for (int k : columns) {
            r.PaintWarpColorCell(k);
            r.PaintDrawdownColumn(k);
        }
        break;
    case StrokeWeftColors:
        for (int i : rows) {
            r.PaintWeftColorCell(i);
            r.PaintDrawdownRow(i);
        }
        break;
    default:
        break;
    }
}

} // namespace

PressResult StrokePress(StrokeState& st, StrokeView& v, StrokeButton button, int x, int y) {
    if (st.LeftDown || st.RightDown) return PressResult::Nothing; // one stroke at a time
    const ViewHit hit = HitTest(v.Geometry, x, y, true);
    const bool left = button == StrokeButton::Left;
    DraftState& d = v.Draft;
    char code = StrokeNone;
    switch (hit.Area) {
    case ViewArea::Treadling:
        code = (d.TreadleMode && !d.MultipleTr) ? StrokeTreadling : StrokeLiftplan;
        break;
    case ViewArea::Threading:
        code = StrokeThreading;
        break;
    case ViewArea::TieUp:
        code = StrokeTieUp;
        break;
    case ViewArea::Drawdown:
        code = d.DesignMode ? StrokeDesign : StrokeDrawdown;
        break;
    case ViewArea::WarpColors:
    case ViewArea::WeftColors: {
        const bool warp = hit.Area == ViewArea::WarpColors;
        if (!left) {
            // Picks up the colour under the pointer; the draft is untouched.
            const int n = warp ? DraftEnd(v, hit.Column) : DraftPick(v, hit.Row);
            if (warp ? !ValidEnd(n) : !ValidPick(n)) return PressResult::Nothing;
            d.CurrentColor = warp ? d.WarpColors[n] : d.WeftColors[n];
            return PressResult::ColorPicked;
        }
        code = warp ? StrokeWarpColors : StrokeWeftColors;
        break;
    }
    case ViewArea::None:
        return PressResult::Nothing;
    }
    st.Code = code;
    st.LeftDown = left;
    st.RightDown = !left;
    st.Start = st.Current = CellOf(hit);
    st.Entries.clear();
    st.Line.clear();
    st.Shown.clear();
    if (!IsColorStroke(code)) {
        if (st.Tool == StrokeTool::Pen)
            AddPenCell(st, v, st.Start);
        else
            BuildLine(st, v);
    }
    Redraw(st, v);
    return PressResult::Stroke;
}

void StrokeMove(StrokeState& st, StrokeView& v, int x, int y) {
    if (!st.Open()) return;
    const ViewHit hit = HitTest(v.Geometry, x, y, true);
    if (hit.Area != AreaOf(st.Code)) return;
    const CellPoint cell = CellOf(hit);
    if (cell == st.Current) return;
    if (IsColorStroke(st.Code)) {
        // The range runs from the start cell; it stays under 1000 cells.
        const bool warp = st.Code == StrokeWarpColors;
        const int span = warp ? cell.Column - st.Start.Column : cell.Row - st.Start.Row;
        if (std::abs(span) >= MaxStrokeEntries) return;
        st.Current = cell;
    } else if (st.Tool == StrokeTool::Pen) {
        st.Current = cell;
        AddPenCell(st, v, cell);
    } else {
        st.Current = cell;
        BuildLine(st, v);
    }
    Redraw(st, v);
}

bool StrokeRelease(StrokeState& st, StrokeView& v) {
    if (!st.Open()) return false;
    const bool left = st.LeftDown;
    st.LeftDown = st.RightDown = false;
    DraftState& d = v.Draft;
    if (IsColorStroke(st.Code)) {
        st.Entries.clear();
        const bool warp = st.Code == StrokeWarpColors;
        const int a = warp ? st.Start.Column : st.Start.Row;
        const int b = warp ? st.Current.Column : st.Current.Row;
        for (int n = std::min(a, b); n <= std::max(a, b); ++n) {
            const CellPoint c = warp ? CellPoint{n, 0} : CellPoint{0, n};
            if (Editable(v, st.Code, c))
                st.Entries.push_back({uint16_t(c.Column), uint16_t(c.Row), 0});
        }
    } else if (st.Tool == StrokeTool::Line) {
        st.Entries.clear();
        for (const CellPoint& c : st.Line) {
            if (int(st.Entries.size()) >= MaxStrokeEntries) break;
            st.Entries.push_back({uint16_t(c.Column), uint16_t(c.Row), 0});
        }
    }
    st.Shown.clear();
    st.Line.clear();
    if (st.Entries.empty()) {
        // Nothing stood for a draft cell (say, only empty ends were stroked):
        // the draft is as it was, and so is the undo it had.
        st.Code = StrokeNone;
        return false;
    }
    const int lastBefore = LastThreadedVisible(d, v.Window);
    for (StrokeEntry& e : st.Entries) {
        int value = left ? 1 : 0;
        if (st.Code == StrokeThreading) value = left ? e.Row : 0;
        if (st.Code == StrokeTreadling) value = left ? e.Column : 0;
        if (IsColorStroke(st.Code)) value = std::clamp(d.CurrentColor, 0, PaletteSize - 1);
        e.Old = uint16_t(Access(v, st.Code, e, true, value));
    }
    if (st.Code == StrokeThreading) UpdateEndsUsed(d);
    if (st.Code == StrokeTreadling || st.Code == StrokeLiftplan ||
        (st.Code == StrokeDrawdown && !d.TreadleMode))
        UpdatePicksUsed(d);
    RepaintAfterChange(st, v, lastBefore);
    d.Undo.Valid = false;
    d.UndoEnabled = true;
    d.Changed = true;
    return true;
}

UndoKind UndoLast(StrokeState& st, StrokeView& v) {
    DraftState& d = v.Draft;
    UndoKind kind = UndoKind::None;
    if (st.Open()) return kind; // not in the middle of a stroke
    if (d.Undo.Valid) {
        RestoreUndo(d);
        d.Undo.Valid = false;
        kind = UndoKind::WholeDraft;
    } else if (!st.Entries.empty() && st.Code != StrokeNone) {
        const int lastBefore = LastThreadedVisible(d, v.Window);
        // Backwards, so a cell stroked twice ends at its first old value.
        for (auto it = st.Entries.rbegin(); it != st.Entries.rend(); ++it)
            Access(v, st.Code, *it, true, it->Old);
        RepaintAfterChange(st, v, lastBefore);
        kind = UndoKind::Stroke;
    }
    st.Entries.clear();
    st.Code = StrokeNone;
    d.UndoEnabled = false;
    return kind;
}

void GiveUpStrokeUndo(StrokeState& st, DraftState& d) {
    // A stroke still being drawn goes too: its cells have moved on screen.
    st.LeftDown = st.RightDown = false;
    st.Shown.clear();
    st.Line.clear();
    st.Entries.clear();
    st.Code = StrokeNone;
    d.UndoEnabled = d.Undo.Valid;
}

} // namespace hw
