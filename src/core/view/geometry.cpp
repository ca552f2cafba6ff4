#include "view/geometry.h"

#include <algorithm>

namespace hw {

static int LayoutShafts(const DraftState& d) {
    return std::clamp<int>(d.Shafts, 1, MaxShafts);
}

// In liftplan mode the liftplan has one column per shaft.
static int LayoutTreadles(const DraftState& d) {
    return d.TreadleMode ? std::clamp<int>(d.Treadles, 1, MaxTreadles) : LayoutShafts(d);
}

static Axis MakeAxis(int start, int count, int cell, bool forward) {
    return {start, std::max(count, 0), cell, forward};
}

ViewGeometry ComputeGeometry(const DraftState& d, const ViewSettings& s, int zoom, int x0, int y0,
                             int width, int height) {
    return ComputeGeometryForCell(d, s, std::clamp(zoom, MinZoomStep, MaxZoomStep) + 1, x0, y0,
                                  width, height);
}

ViewGeometry ComputeGeometryForCell(const DraftState& d, const ViewSettings& s, int cell, int x0,
                                    int y0, int width, int height) {
    ViewGeometry g;
    const int c = std::max(cell, 2);
    g.Cell = c;
    g.X0 = x0;
    g.Y0 = y0;
    g.Width = std::max(width, 0);
    g.Height = std::max(height, 0);
    g.ColumnsFit = g.Width / c;
    g.RowsFit = g.Height / c;
    g.DesignMode = d.DesignMode;
    g.ShowThreading = s.ShowThreading;
    g.LiftplanMode = !d.TreadleMode;
    g.MultipleTreadling = d.TreadleMode && d.MultipleTr;
    g.Shafts = LayoutShafts(d);
    g.Treadles = LayoutTreadles(d);
    const bool endsForward = !d.RightStart;
    const bool picksForward = !d.BottomStart;

    if (d.DesignMode) {
        // Warp colour row, gap row, then the design grid; the weft colours
        // one gap column to its right. The grid has at most 50 x 50 cells.
        g.VisibleEnds = std::clamp(g.ColumnsFit - 2, 0, DesignSize);
        g.VisiblePicks = std::clamp(g.RowsFit - 2, 0, DesignSize);
        const Axis ends = MakeAxis(x0, g.VisibleEnds, c, endsForward);
        const Axis picks = MakeAxis(y0 + 2 * c, g.VisiblePicks, c, picksForward);
        g.WarpColors = {true, ends, MakeAxis(y0, 1, c, true)};
        g.Drawdown = {true, ends, picks};
        g.WeftColors = {true, MakeAxis(x0 + (g.VisibleEnds + 1) * c, 1, c, true), picks};
        return g;
    }

    const int shafts = g.Shafts;
    const int treadles = g.Treadles;
    g.VisibleEnds = std::max(0, g.ColumnsFit - (treadles + 3));
    g.VisiblePicks = std::max(0, s.ShowThreading ? g.RowsFit - (shafts + 3) : g.RowsFit);
    const int ve = g.VisibleEnds;
    const int vp = g.VisiblePicks;

    // Liftplan columns follow the threading, so that the shaft row nearest
    // the drawdown meets the nearest liftplan column.
    const bool treadlesForward = g.LiftplanMode ? d.LayoutTopBot == d.Atopstart : d.CkoLeftStart;
    const Axis ends = MakeAxis(x0, ve, c, endsForward);
    const Axis treadleAxis = MakeAxis(x0 + (ve + 1) * c, treadles, c, treadlesForward);
    const Axis weftColumn = MakeAxis(x0 + (ve + treadles + 2) * c, 1, c, true);

    int picksTop = y0, threadingTop = 0, warpTop = 0;
    if (s.ShowThreading) {
        if (!d.LayoutTopBot) {
            warpTop = y0;
            threadingTop = y0 + 2 * c;
            picksTop = y0 + (shafts + 3) * c;
        } else {
            picksTop = y0;
            threadingTop = y0 + (vp + 1) * c;
            warpTop = y0 + (vp + shafts + 2) * c;
        }
    }
    const Axis picks = MakeAxis(picksTop, vp, c, picksForward);
    const Axis shaftAxis = MakeAxis(threadingTop, shafts, c, d.Atopstart);

    g.WarpColors = {s.ShowThreading, ends, MakeAxis(warpTop, 1, c, true)};
    g.Threading = {s.ShowThreading, ends, shaftAxis};
    g.TieUp = {s.ShowThreading, treadleAxis, shaftAxis};
    g.Treadling = {true, treadleAxis, picks};
    g.WeftColors = {true, weftColumn, picks};
    g.Drawdown = {true, ends, picks};
    return g;
}

int LargestFittingZoom(const DraftState& d, bool showThreading, int width, int height) {
    const int shafts = LayoutShafts(d);
    const int treadles = LayoutTreadles(d);
    for (int z = MaxZoomStep; z > MinZoomStep; --z) {
        const int c = z + 1;
        const int rows = std::max(height, 0) / c;
        const int cols = std::max(width, 0) / c;
        const bool rowsOk = !showThreading || std::min(rows - 5, 16) >= shafts;
        const bool colsOk = std::min(cols - 5, 16) >= treadles;
        if (rowsOk && colsOk) return z;
    }
    return MinZoomStep; // nothing fits: the smallest step rather than none
}

int AcceptedZoom(const DraftState& d, bool showThreading, int requested, int width, int height) {
    int z = std::clamp(requested, MinZoomStep, MaxZoomStep);
    if (!d.DesignMode) z = std::min(z, LargestFittingZoom(d, showThreading, width, height));
    return z;
}

int ScrollableEnds(const DraftState& d) {
    return d.DesignMode ? std::min<int>(d.Ends, DesignSize) : d.Ends;
}

int ScrollablePicks(const DraftState& d) {
    return d.DesignMode ? std::min<int>(d.Picks, DesignSize) : d.Picks;
}

static int MaxOffset(int count, int visible) {
    return std::max(0, count - visible);
}

bool ClampScroll(const DraftState& d, ViewWindow& w) {
    const int ends = std::clamp(w.ScrollEnds, 0, MaxOffset(ScrollableEnds(d), w.VisibleEnds));
    const int picks = std::clamp(w.ScrollPicks, 0, MaxOffset(ScrollablePicks(d), w.VisiblePicks));
    const bool moved = ends != w.ScrollEnds || picks != w.ScrollPicks;
    w.ScrollEnds = ends;
    w.ScrollPicks = picks;
    return moved;
}

bool LayoutView(DraftState& d, const ViewSettings& s, ViewWindow& w, ViewGeometry& g, int x0,
                int y0, int width, int height) {
    d.Zoom = uint8_t(AcceptedZoom(d, s.ShowThreading, d.Zoom, width, height));
    g = ComputeGeometry(d, s, d.Zoom, x0, y0, width, height);
    w.VisibleEnds = g.VisibleEnds;
    w.VisiblePicks = g.VisiblePicks;
    return ClampScroll(d, w);
}

static ScrollBarSetup Bar(int count, int visible, int offset, bool mirrored) {
    ScrollBarSetup b;
    b.Maximum = MaxOffset(count, visible);
    b.PageStep = std::max(1, visible - 1);
    const int off = std::clamp(offset, 0, b.Maximum);
    b.Position = mirrored ? b.Maximum - off : off;
    return b;
}

ScrollBarSetup HorizontalBar(const DraftState& d, const ViewWindow& w) {
    return Bar(ScrollableEnds(d), w.VisibleEnds, w.ScrollEnds, d.RightStart);
}

ScrollBarSetup VerticalBar(const DraftState& d, const ViewWindow& w) {
    return Bar(ScrollablePicks(d), w.VisiblePicks, w.ScrollPicks, d.BottomStart);
}

static int OffsetFromBar(int count, int visible, int position, bool mirrored) {
    const int maxOff = MaxOffset(count, visible);
    const int pos = std::clamp(position, 0, maxOff);
    return mirrored ? maxOff - pos : pos;
}

int EndOffsetFromBar(const DraftState& d, const ViewWindow& w, int position) {
    return OffsetFromBar(ScrollableEnds(d), w.VisibleEnds, position, d.RightStart);
}

int PickOffsetFromBar(const DraftState& d, const ViewWindow& w, int position) {
    return OffsetFromBar(ScrollablePicks(d), w.VisiblePicks, position, d.BottomStart);
}

int LastThreadedVisible(const DraftState& d, const ViewWindow& w) {
    for (int k = w.VisibleEnds; k >= 1; --k) {
        const int e = k + w.ScrollEnds;
        if (e >= 1 && e <= MaxEnds && d.Threading[e] > 0) return k;
    }
    return 0;
}

ViewHit HitTest(const ViewGeometry& g, int x, int y, bool forEditing) {
    auto at = [&](ViewArea area, const ViewAreaLayout& a) {
        return ViewHit{area, a.Columns.NumberAt(x), a.Rows.NumberAt(y)};
    };
    if (!g.DesignMode) {
        if (g.Treadling.Contains(x, y)) return at(ViewArea::Treadling, g.Treadling);
        if (g.Threading.Contains(x, y)) return at(ViewArea::Threading, g.Threading);
        if ((!forEditing || !g.LiftplanMode) && g.TieUp.Contains(x, y))
            return at(ViewArea::TieUp, g.TieUp);
    }
    if (g.WarpColors.Contains(x, y))
        return {ViewArea::WarpColors, g.WarpColors.Columns.NumberAt(x), 0};
    if (g.WeftColors.Contains(x, y))
        return {ViewArea::WeftColors, 0, g.WeftColors.Rows.NumberAt(y)};
    const bool drawdownEditable = g.DesignMode || !g.MultipleTreadling;
    if ((!forEditing || drawdownEditable) && g.Drawdown.Contains(x, y))
        return at(ViewArea::Drawdown, g.Drawdown);
    return {};
}

} // namespace hw
