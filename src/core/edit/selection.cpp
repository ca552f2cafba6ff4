#include "edit/selection.h"

#include "view/view_settings.h"

#include <algorithm>

namespace hw {

namespace {

bool SingleTreadling(const DraftState& d) {
    return d.TreadleMode && !d.MultipleTr;
}

// The selection area under a hit, for the draft's present mode.
SelArea AreaOf(const DraftState& d, const ViewHit& hit) {
    switch (hit.Area) {
    case ViewArea::Threading:
        return SelArea::Threading;
    case ViewArea::WarpColors:
        return SelArea::WarpColors;
    case ViewArea::Treadling:
        return SingleTreadling(d) ? SelArea::Treadling : SelArea::Liftplan;
    case ViewArea::WeftColors:
        return SelArea::WeftColors;
    case ViewArea::Drawdown:
        return d.DesignMode ? SelArea::Design : SelArea::None;
    case ViewArea::TieUp:
        return d.TreadleMode ? SelArea::TieUp : SelArea::None;
    case ViewArea::None:
        break;
    }
    return SelArea::None;
}

// The hit's cell in draft numbers; the colour rows are one cell thick.
CellPoint CellOf(const ViewHit& hit, const ViewWindow& w) {
    switch (hit.Area) {
    case ViewArea::Threading:
        return {hit.Column + w.ScrollEnds, hit.Row};
    case ViewArea::WarpColors:
        return {hit.Column + w.ScrollEnds, 1};
    case ViewArea::Treadling:
        return {hit.Column, hit.Row + w.ScrollPicks};
    case ViewArea::WeftColors:
        return {1, hit.Row + w.ScrollPicks};
    case ViewArea::Drawdown:
        return {hit.Column + w.ScrollEnds, hit.Row + w.ScrollPicks};
    default:
        return {hit.Column, hit.Row};
    }
}

bool AreaExists(const DraftState& d, SelArea a) {
    switch (a) {
    case SelArea::Design:
        return d.DesignMode;
    case SelArea::Threading:
        return !d.DesignMode;
    case SelArea::Treadling:
        return !d.DesignMode && SingleTreadling(d);
    case SelArea::Liftplan:
        return !d.DesignMode && !SingleTreadling(d);
    case SelArea::TieUp:
        return !d.DesignMode && d.TreadleMode;
    case SelArea::WarpColors:
    case SelArea::WeftColors:
        return true;
    case SelArea::None:
        break;
    }
    return false;
}

// The shape rules and the draft's bounds; an empty block when nothing is left.
CellBlock Normalize(const DraftState& d, CellBlock b) {
    if (!AreaExists(d, b.Area)) return {};
    if (b.FirstColumn > b.LastColumn) std::swap(b.FirstColumn, b.LastColumn);
    if (b.FirstRow > b.LastRow) std::swap(b.FirstRow, b.LastRow);
    const int ends = std::min<int>(d.Ends, MaxEnds), picks = std::min<int>(d.Picks, MaxPicks);
    const int shafts = std::min<int>(d.Shafts, MaxShafts);
    const int columns = d.TreadleMode ? std::min<int>(d.Treadles, MaxTreadles) : shafts;
    int maxColumn = 1, maxRow = 1;
    switch (b.Area) {
    case SelArea::Threading:
        b.FirstRow = 1, b.LastRow = maxRow = shafts;
        maxColumn = ends;
        break;
    case SelArea::Treadling:
        b.FirstColumn = 1, b.LastColumn = maxColumn = columns;
        maxRow = picks;
        break;
    case SelArea::Liftplan:
        maxColumn = columns, maxRow = picks;
        break;
    case SelArea::TieUp:
        maxColumn = columns, maxRow = shafts;
        break;
    case SelArea::Design:
        maxColumn = std::min(ends, DesignSize), maxRow = std::min(picks, DesignSize);
        break;
    case SelArea::WarpColors:
        b.FirstRow = b.LastRow = 1;
        maxColumn = ends;
        break;
    case SelArea::WeftColors:
        b.FirstColumn = b.LastColumn = 1;
        maxRow = picks;
        break;
    case SelArea::None:
        return {};
    }
    b.FirstColumn = std::max(b.FirstColumn, 1), b.LastColumn = std::min(b.LastColumn, maxColumn);
    b.FirstRow = std::max(b.FirstRow, 1), b.LastRow = std::min(b.LastRow, maxRow);
    if (b.Width() < 1 || b.Height() < 1) return {};
    return b;
}

// One axis of the frame: the pixels from the grid line before visible cell
// first to the one after visible cell last, cut to the axis; false when
// none of it shows.
bool FrameSpan(const Axis& a, int first, int last, int& from, int& to) {
    first = std::max(first, 1);
    last = std::min(last, a.Count);
    if (first > last) return false;
    from = std::min(a.CellPos(first), a.CellPos(last));
    to = std::max(a.CellPos(first), a.CellPos(last)) + a.Cell;
    return true;
}

} // namespace

bool SelectionPress(Selection& sel, const StrokeTarget& t, int x, int y) {
    const ViewHit hit = HitTest(t.Geometry, x, y, false);
    const SelArea area = AreaOf(t.Draft, hit);
    if (area == SelArea::None) return false;
    const CellPoint cell = CellOf(hit, t.Window);
    sel = Selection{area, cell, cell, true};
    return true;
}

bool SelectionDrag(Selection& sel, const StrokeTarget& t, int x, int y) {
    if (!sel.Dragging) return false;
    const ViewHit hit = HitTest(t.Geometry, x, y, false);
    if (AreaOf(t.Draft, hit) != sel.Area) return false;
    const CellPoint cell = CellOf(hit, t.Window);
    if (cell == sel.Moving) return false;
    sel.Moving = cell;
    return true;
}

CellBlock SelectionBlock(const DraftState& d, const Selection& sel) {
    return Normalize(
        d, {sel.Area, sel.Anchor.Column, sel.Moving.Column, sel.Anchor.Row, sel.Moving.Row});
}

CellBlock RangeBlock(const DraftState& d, int item, int first, int last) {
    switch (item) {
    case 0:
        return Normalize(d, {SelArea::Threading, first, last, 1, MaxShafts});
    case 1: {
        const SelArea area = SingleTreadling(d) ? SelArea::Treadling : SelArea::Liftplan;
        return Normalize(d, {area, 1, MaxTreadles, first, last});
    }
    case 2:
        return Normalize(d, {SelArea::WarpColors, first, last, 1, 1});
    case 3:
        return Normalize(d, {SelArea::WeftColors, 1, 1, first, last});
    default:
        return {};
    }
}

PixelBox SelectionFrame(const DraftState& d, const ViewWindow& w, const ViewGeometry& g,
                        const Selection& sel) {
    const CellBlock b = SelectionBlock(d, sel);
    const ViewAreaLayout* layout = nullptr;
    bool byEnds = false, byPicks = false; // which axes scroll
    switch (b.Area) {
    case SelArea::Threading:
        layout = &g.Threading, byEnds = true;
        break;
    case SelArea::Treadling:
    case SelArea::Liftplan:
        layout = &g.Treadling, byPicks = true;
        break;
    case SelArea::TieUp:
        layout = &g.TieUp;
        break;
    case SelArea::Design:
        layout = &g.Drawdown, byEnds = byPicks = true;
        break;
    case SelArea::WarpColors:
        layout = &g.WarpColors, byEnds = true;
        break;
    case SelArea::WeftColors:
        layout = &g.WeftColors, byPicks = true;
        break;
    case SelArea::None:
        return {};
    }
    const bool always =
        b.Area == SelArea::Design || b.Area == SelArea::WarpColors || b.Area == SelArea::WeftColors;
    if (!layout->Shown || (!always && d.Zoom < 7)) return {};
    const int dx = byEnds ? w.ScrollEnds : 0, dy = byPicks ? w.ScrollPicks : 0;
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    if (!FrameSpan(layout->Columns, b.FirstColumn - dx, b.LastColumn - dx, x0, x1) ||
        !FrameSpan(layout->Rows, b.FirstRow - dy, b.LastRow - dy, y0, y1))
        return {};
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

void DrawSelectionFrame(Canvas& c, const PixelBox& box) {
    if (box.Empty()) return;
    const int x0 = box.X, y0 = box.Y, x1 = box.X + box.Width - 1, y1 = box.Y + box.Height - 1;
    c.FillRect(x0, y0, box.Width, 1, White);
    c.FillRect(x0, y1, box.Width, 1, White);
    c.FillRect(x0, y0, 1, box.Height, White);
    c.FillRect(x1, y0, 1, box.Height, White);
    // Dots on every other pixel, by position, so that the corners agree.
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0) c.SetPixel(x, y, Black);
    };
    for (int x = x0; x <= x1; ++x) dot(x, y0), dot(x, y1);
    for (int y = y0 + 1; y < y1; ++y) dot(x0, y), dot(x1, y);
}

std::string SelectionSizeText(const CellBlock& b) {
    switch (b.Area) {
    case SelArea::None:
        return {};
    case SelArea::Threading:
    case SelArea::WarpColors:
        return std::to_string(b.Width());
    case SelArea::Treadling:
    case SelArea::WeftColors:
        return std::to_string(b.Height());
    default:
        return std::to_string(b.Width()) + " x " + std::to_string(b.Height());
    }
}

} // namespace hw
