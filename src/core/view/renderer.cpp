#include "view/renderer.h"

#include "model/drawdown.h"
#include "model/primitives.h"
#include "view/raster_canvas.h"

#include <algorithm>
#include <cstring>

namespace hw {

uint32_t OutlineShade(uint32_t p) {
    const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return 0xFF000000u | ((r - r / 4) << 16) | ((g - g / 4) << 8) | (b - b / 4);
}

namespace {

uint32_t Darker(uint32_t p) {
    return OutlineShade(p);
}

constexpr int BackgroundSlot = 2 * PaletteSize;

} // namespace

DraftRenderer::DraftRenderer(Canvas& canvas, const DraftState& d, const ViewWindow& w,
                             const ViewGeometry& g, const ViewSettings& s)
    : canvas_(canvas), raster_(dynamic_cast<RasterCanvas*>(&canvas)), d_(d), w_(w), g_(g), s_(s) {
    style_ = (d.Style >= 1 && d.Style <= 4) ? d.Style : 2;
    drawdownGrid_ = style_ == 2 || (g.DesignMode && s.UseGridStyleInDesign);
    threads_ = !drawdownGrid_ && style_ >= 3;
    lastThreaded_ = g.DesignMode ? g.VisibleEnds : LastThreadedVisible(d, w);
    singleTreadling_ = !g.DesignMode && d.TreadleMode && !d.MultipleTr;
}

ColorRef DraftRenderer::Palette(int index) const {
    return d_.ColorTable[size_t(std::clamp(index, 0, PaletteSize - 1))];
}

int DraftRenderer::ThreadingShaft(int end) const {
    const int e = end + w_.ScrollEnds;
    return (e >= 1 && e <= MaxEnds) ? SafeShaft(d_.Threading[e]) : 0;
}

uint16_t DraftRenderer::TreadlingColumns(int pick) const {
    const int p = pick + w_.ScrollPicks;
    if (p < 1 || p > MaxPicks) return 0;
    if (singleTreadling_) {
        const int t = SafeShaft(d_.Treadling[p]);
        return t > 0 ? uint16_t(1u << (t - 1)) : 0;
    }
    return d_.Liftplan[p];
}

void DraftRenderer::FullRepaint(int width, int height) {
    canvas_.FillRect(0, 0, width, height, s_.BackgroundColor);
    if (g_.DesignMode) {
        PaintWarpColorRow();
        PaintWeftColorColumn();
        PaintDrawdown();
        return;
    }
    PaintWarpColorRow();
    PaintThreading();
    PaintTieUp();
    PaintTreadling();
    PaintWeftColorColumn();
    PaintDrawdown();
}

// ---- lines ----

void DraftRenderer::DrawGrid(const ViewAreaLayout& a) {
    if (!a.Shown || a.Columns.Count <= 0 || a.Rows.Count <= 0) return;
    const AreaRect r = a.Rect();
    const int c = g_.Cell;
    for (int i = 0; i <= a.Rows.Count; ++i)
        canvas_.DrawLine(r.Left, r.Top + i * c, r.Right, r.Top + i * c, s_.GridColor);
    for (int j = 0; j <= a.Columns.Count; ++j)
        canvas_.DrawLine(r.Left + j * c, r.Top, r.Left + j * c, r.Bottom, s_.GridColor);
}

// Marking lines of an area, clipped to [left, right] x [top, bottom]: its
// outline and a line after every n-th column and m-th row. Offsets are the
// ends or picks scrolled past, 0 for shafts and treadles.
void DraftRenderer::DrawMarkings(const ViewAreaLayout& a, bool columns, int columnOffset, bool rows,
                                 int rowOffset, int top, int bottom, int left, int right) {
    if (!d_.MarkingOn || !a.Shown || a.Columns.Count <= 0 || a.Rows.Count <= 0) return;
    const AreaRect r = a.Rect();
    top = std::max(top, r.Top);
    bottom = std::min(bottom, r.Bottom);
    left = std::max(left, r.Left);
    right = std::min(right, r.Right);
    if (top > bottom || left > right) return;
    const ColorRef color = s_.MarkingColor;
    auto vertical = [&](int x) {
        if (x >= left && x <= right) canvas_.DrawLine(x, top, x, bottom, color);
    };
    auto horizontal = [&](int y) {
        if (y >= top && y <= bottom) canvas_.DrawLine(left, y, right, y, color);
    };
    vertical(r.Left);
    vertical(r.Right);
    horizontal(r.Top);
    horizontal(r.Bottom);
    // An interval of 0 (from a damaged file) draws the outline only.
    const int n = d_.MarkEndsInterval;
    const int m = d_.MarkPicksInterval;
    if (columns && n > 0)
        for (int j = 1; j <= a.Columns.Count; ++j)
            if ((j + columnOffset) % n == 0) vertical(a.Columns.BoundaryAfter(j));
    if (rows && m > 0)
        for (int i = 1; i <= a.Rows.Count; ++i)
            if ((i + rowOffset) % m == 0) horizontal(a.Rows.BoundaryAfter(i));
}

void DraftRenderer::DrawAreaMarkings(const ViewAreaLayout& a, bool columns, int columnOffset,
                                     bool rows, int rowOffset) {
    const AreaRect r = a.Rect();
    DrawMarkings(a, columns, columnOffset, rows, rowOffset, r.Top, r.Bottom, r.Left, r.Right);
}

void DraftRenderer::DrawDrawdownMarkings(int left, int top, int right, int bottom) {
    const bool rows = !g_.DesignMode || drawdownGrid_;
    DrawMarkings(g_.Drawdown, true, w_.ScrollEnds, rows, w_.ScrollPicks, top, bottom, left, right);
}

void DraftRenderer::FillInner(int x, int y, ColorRef color) {
    canvas_.FillRect(x + 1, y + 1, g_.Cell - 1, g_.Cell - 1, color);
}

// ---- the small areas ----

bool DraftRenderer::AreaShown(const ViewAreaLayout& a) const {
    return a.Shown && canvas_.ShowsRows(a.Rows.Start, a.Rows.Count * g_.Cell + 1);
}

void DraftRenderer::PaintWarpColorRow() {
    const ViewAreaLayout& a = g_.WarpColors;
    if (!AreaShown(a)) return;
    DrawGrid(a);
    DrawAreaMarkings(a, true, w_.ScrollEnds, false, 0);
    for (int k = 1; k <= a.Columns.Count; ++k) PaintWarpColorCell(k);
}

void DraftRenderer::PaintThreading() {
    const ViewAreaLayout& a = g_.Threading;
    if (!AreaShown(a)) return;
    DrawGrid(a);
    DrawAreaMarkings(a, true, w_.ScrollEnds, d_.FullMarking, 0);
    for (int k = 1; k <= a.Columns.Count; ++k) PaintThreadingColumn(k, ThreadingShaft(k));
}

void DraftRenderer::PaintTieUp() {
    const ViewAreaLayout& a = g_.TieUp;
    if (!AreaShown(a)) return;
    if (g_.LiftplanMode) {
        DrawTieUpLines();
        return;
    }
    DrawGrid(a);
    DrawAreaMarkings(a, d_.FullMarking, 0, d_.FullMarking, 0);
    for (int s = 1; s <= a.Rows.Count; ++s)
        for (int t = 1; t <= a.Columns.Count; ++t) PaintTieUpCell(s, t, d_.TieUpAt(s, t) == 1);
}

// Liftplan mode: every shaft row is joined to its liftplan column by an L,
// nested so that no two cross.
void DraftRenderer::DrawTieUpLines() {
    const int c = g_.Cell, h = c / 2, shafts = g_.Threading.Rows.Count;
    const int x = g_.Treadling.Columns.Start - 2;
    const bool top = !d_.LayoutTopBot;
    for (int k = 1; k <= shafts; ++k) {
        const int i = shafts - k + 1;
        const int len = i * c + 1 - h;
        if (len <= 0) continue;
        const int rowTop =
            top ? g_.Threading.Rows.Start + (k - 1) * c : g_.Threading.Rows.End() - k * c;
        const int y = rowTop + h;
        canvas_.DrawLine(x, y, x + len - 1, y, s_.GridColor);
        if (top)
            canvas_.DrawLine(x + len, y, x + len, y + len - 1, s_.GridColor);
        else
            canvas_.DrawLine(x + len, y - len + 1, x + len, y, s_.GridColor);
    }
}

void DraftRenderer::PaintTreadling() {
    const ViewAreaLayout& a = g_.Treadling;
    if (!a.Shown) return;
    DrawGrid(a);
    DrawAreaMarkings(a, d_.FullMarking, 0, true, w_.ScrollPicks);
    for (int i = 1; i <= a.Rows.Count; ++i)
        if (canvas_.ShowsRows(a.Rows.CellPos(i), g_.Cell)) PaintTreadlingRow(i);
}

void DraftRenderer::PaintWeftColorColumn() {
    const ViewAreaLayout& a = g_.WeftColors;
    if (!a.Shown) return;
    DrawGrid(a);
    DrawAreaMarkings(a, false, 0, true, w_.ScrollPicks);
    for (int i = 1; i <= a.Rows.Count; ++i)
        if (canvas_.ShowsRows(a.Rows.CellPos(i), g_.Cell)) PaintWeftColorCell(i);
}

void DraftRenderer::PaintThreadingColumn(int end, int shaft) {
    const ViewAreaLayout& a = g_.Threading;
    if (!a.Shown || end < 1 || end > a.Columns.Count) return;
    const int x = a.Columns.CellPos(end);
    for (int s = 1; s <= a.Rows.Count; ++s)
        FillInner(x, a.Rows.CellPos(s), s == shaft ? MarkColor : s_.BackgroundColor);
}

void DraftRenderer::PaintTieUpCell(int shaft, int treadle, bool on) {
    const ViewAreaLayout& a = g_.TieUp;
    if (!a.Shown || g_.LiftplanMode || shaft < 1 || shaft > a.Rows.Count || treadle < 1 ||
        treadle > a.Columns.Count)
        return;
    FillInner(a.Columns.CellPos(treadle), a.Rows.CellPos(shaft),
              on ? MarkColor : s_.BackgroundColor);
}

void DraftRenderer::PaintTreadlingCell(int pick, int column, bool on) {
    const ViewAreaLayout& a = g_.Treadling;
    if (!a.Shown || pick < 1 || pick > a.Rows.Count || column < 1 || column > a.Columns.Count)
        return;
    FillInner(a.Columns.CellPos(column), a.Rows.CellPos(pick), on ? MarkColor : s_.BackgroundColor);
}

void DraftRenderer::PaintTreadlingRow(int pick, uint16_t columns) {
    for (int t = 1; t <= g_.Treadling.Columns.Count; ++t)
        PaintTreadlingCell(pick, t, (columns >> (t - 1)) & 1u);
}

void DraftRenderer::PaintTreadlingRow(int pick) {
    PaintTreadlingRow(pick, TreadlingColumns(pick));
}

void DraftRenderer::PaintWarpColorCell(int end, int colorIndex) {
    const ViewAreaLayout& a = g_.WarpColors;
    if (!a.Shown || end < 1 || end > a.Columns.Count) return;
    FillInner(a.Columns.CellPos(end), a.Rows.Start, Palette(colorIndex));
}

void DraftRenderer::PaintWarpColorCell(int end) {
    const int e = end + w_.ScrollEnds;
    PaintWarpColorCell(end, (e >= 1 && e <= MaxEnds) ? d_.WarpColors[e] : 0);
}

void DraftRenderer::PaintWeftColorCell(int pick, int colorIndex) {
    const ViewAreaLayout& a = g_.WeftColors;
    if (!a.Shown || pick < 1 || pick > a.Rows.Count) return;
    FillInner(a.Columns.Start, a.Rows.CellPos(pick), Palette(colorIndex));
}

void DraftRenderer::PaintWeftColorCell(int pick) {
    const int p = pick + w_.ScrollPicks;
    PaintWeftColorCell(pick, (p >= 1 && p <= MaxPicks) ? d_.WeftColors[p] : 0);
}

// ---- the drawdown ----

void DraftRenderer::PaintDrawdown() {
    const ViewAreaLayout& a = g_.Drawdown;
    if (!a.Shown || a.Columns.Count <= 0 || a.Rows.Count <= 0) return;
    const AreaRect r = a.Rect();
    // The cells carry the grid lines above and left of them; only the
    // closing lines are left to draw.
    if (drawdownGrid_) {
        canvas_.DrawLine(r.Right, r.Top, r.Right, r.Bottom, s_.GridColor);
        canvas_.DrawLine(r.Left, r.Bottom, r.Right, r.Bottom, s_.GridColor);
    }
    PaintCells(1, a.Columns.Count, 1, a.Rows.Count, -1, -1, -1);
    DrawDrawdownMarkings(r.Left, r.Top, r.Right, r.Bottom);
}

void DraftRenderer::PaintDrawdownMarkings() {
    const AreaRect r = g_.Drawdown.Rect();
    DrawDrawdownMarkings(r.Left, r.Top, r.Right, r.Bottom);
}

void DraftRenderer::PaintDrawdownColumn(int end, int warpColorIndex) {
    if (end < 1 || end > g_.Drawdown.Columns.Count) return;
    PaintCells(end, end, 1, g_.Drawdown.Rows.Count, warpColorIndex, -1, -1);
}

void DraftRenderer::PaintDrawdownColumns(int first, int last) {
    if (first > last) std::swap(first, last);
    first = std::max(first, 1);
    last = std::min(last, g_.Drawdown.Columns.Count);
    if (first > last) return;
    PaintCells(first, last, 1, g_.Drawdown.Rows.Count, -1, -1, -1);
}

void DraftRenderer::PaintDrawdownRow(int pick, int weftColorIndex) {
    if (pick < 1 || pick > g_.Drawdown.Rows.Count) return;
    PaintCells(1, g_.Drawdown.Columns.Count, pick, pick, -1, weftColorIndex, -1);
}

void DraftRenderer::PaintDrawdownCell(int end, int pick, int weftOnTop) {
    if (end < 1 || end > g_.Drawdown.Columns.Count || pick < 1 || pick > g_.Drawdown.Rows.Count)
        return;
    PaintCells(end, end, pick, pick, -1, -1, weftOnTop);
}

// One cell's pixels, c x c from its grid corner. With the grid, the top row
// and left column are grid line and the rest the inner fill; cells of the
// thread styles are two strips over the background.
void DraftRenderer::BuildTile(uint32_t* tile, const Look& look, uint32_t warp, uint32_t weft) {
    const int c = g_.Cell;
    const uint32_t bg = ToRgb32(s_.BackgroundColor);
    if (drawdownGrid_ || !threads_) {
        const uint32_t fill = look.Background ? bg : (look.WeftOnTop ? weft : warp);
        std::fill(tile, tile + c * c, fill);
        if (drawdownGrid_) {
            const uint32_t grid = ToRgb32(s_.GridColor);
            std::fill(tile, tile + c, grid);
            for (int y = 1; y < c; ++y) tile[y * c] = grid;
        }
        return;
    }
    std::fill(tile, tile + c * c, bg);
    if (look.Background) return;
    int width = c, offset = 0;
    if (style_ == 3) {
        if (c > 2) width -= 1;
        width -= c / 6;
        offset = c / 12;
    }
    const bool outlined = style_ == 4;
    const bool trailing = outlined && g_.Cell - 1 >= 3;
    auto warpStrip = [&] {
        const uint32_t dark = Darker(warp);
        for (int y = 0; y < c; ++y) {
            uint32_t* row = tile + y * c;
            std::fill(row + offset, row + offset + width, warp);
            if (outlined) row[offset] = dark;
            if (trailing) row[offset + width - 1] = dark;
        }
    };
    auto weftStrip = [&] {
        const uint32_t dark = Darker(weft);
        for (int y = offset; y < offset + width; ++y) {
            const bool edge = (outlined && y == offset) || (trailing && y == offset + width - 1);
            std::fill(tile + y * c, tile + y * c + c, edge ? dark : weft);
        }
    };
    // The strip below first, the one on top second.
    if (look.WeftOnTop) {
        warpStrip();
        weftStrip();
    } else {
        weftStrip();
        warpStrip();
    }
}

void DraftRenderer::PaintCells(int k0, int k1, int i0, int i1, int warpOverride, int weftOverride,
                               int weftOnTopOverride) {
    const ViewAreaLayout& a = g_.Drawdown;
    const int c = g_.Cell;
    const int count = k1 - k0 + 1;
    if (count <= 0 || i1 < i0) return;
    const int left = std::min(a.Columns.CellPos(k0), a.Columns.CellPos(k1));
    const int stripWidth = count * c;
    rowPixels_.resize(size_t(stripWidth) * size_t(c));
    weftOnTop_.resize(size_t(count));
    const size_t tileSize = size_t(c) * size_t(c);
    if (tiles_.size() != tileSize * (BackgroundSlot + 1)) {
        tiles_.assign(tileSize * (BackgroundSlot + 1), 0);
        tileStamp_.assign(BackgroundSlot + 1, -1);
    }
    const uint32_t bg = ToRgb32(s_.BackgroundColor);

    // Per column: the tile slot without the crossing (-1: always empty),
    // whether the end is threaded, and where its pixels go in the strip.
    columnSlot_.resize(size_t(count));
    columnThreaded_.resize(size_t(count));
    columnX_.resize(size_t(count));
    for (int j = 0; j < count; ++j) {
        const int k = k0 + j;
        const int e = k + w_.ScrollEnds;
        const bool valid = e >= 1 && e <= MaxEnds;
        int warp = warpOverride >= 0 ? warpOverride : (valid ? d_.WarpColors[e] : 0);
        warp = std::clamp(warp, 0, PaletteSize - 1);
        // Columns after the last threaded end stay empty.
        const bool empty = !g_.DesignMode && k > lastThreaded_;
        columnSlot_[size_t(j)] = empty ? -1 : warp * 2;
        columnThreaded_[size_t(j)] =
            g_.DesignMode || (valid && SafeShaft(d_.Threading[e]) > 0) ? 1 : 0;
        columnX_[size_t(j)] = a.Columns.CellPos(k) - left;
    }

    for (int i = i0; i <= i1; ++i) {
        const int p = i + w_.ScrollPicks;
        if (p < 1 || p > MaxPicks || !canvas_.ShowsRows(a.Rows.CellPos(i), c)) continue;
        const int weftIndex = weftOverride >= 0 ? weftOverride : d_.WeftColors[p];
        const bool noTreadle = singleTreadling_ && SafeShaft(d_.Treadling[p]) == 0;
        // An untreadled pick shows no weft: in the thread styles its strip is
        // drawn in the background colour.
        const uint32_t weft = noTreadle ? bg : ToRgb32(Palette(weftIndex));
        // So does an empty end on it, unless threads are drawn.
        const bool emptyOnNoTreadle = noTreadle && !threads_;
        const int firstEnd = k0 + w_.ScrollEnds;
        if (g_.DesignMode) {
            for (int j = 0; j < count; ++j)
                weftOnTop_[size_t(j)] = DesignGet(d_, p, firstEnd + j) == d_.Shed;
        } else {
            DrawdownRow(d_, p, firstEnd, count, weftOnTop_.data());
        }
        if (weftOnTopOverride >= 0)
            std::fill(weftOnTop_.begin(), weftOnTop_.end(), weftOnTopOverride);
        ++stamp_; // tiles depend on the row's weft
        // Straight into a raster buffer when the row lies inside it.
        const int y = a.Rows.CellPos(i);
        uint32_t* direct = raster_ ? raster_->Block(left, y, stripWidth, c) : nullptr;
        uint32_t* strip = direct ? direct : rowPixels_.data();
        const int pitch = direct ? raster_->Stride() : stripWidth;
        for (int j = 0; j < count; ++j) {
            int slot = columnSlot_[size_t(j)];
            if (slot < 0 || (emptyOnNoTreadle && !columnThreaded_[size_t(j)]))
                slot = BackgroundSlot;
            else
                slot += weftOnTop_[size_t(j)] ? 1 : 0;
            uint32_t* tile = tiles_.data() + size_t(slot) * tileSize;
            if (tileStamp_[size_t(slot)] != stamp_) {
                Look look;
                look.Background = slot == BackgroundSlot;
                look.WarpIndex = slot / 2;
                look.WeftOnTop = slot % 2 == 1;
                BuildTile(tile, look, ToRgb32(Palette(look.WarpIndex)), weft);
                tileStamp_[size_t(slot)] = stamp_;
            }
            uint32_t* dst = strip + columnX_[size_t(j)];
            if (c == 2) {
                dst[0] = tile[0];
                dst[1] = tile[1];
                dst[pitch] = tile[2];
                dst[pitch + 1] = tile[3];
            } else {
                for (int ty = 0; ty < c; ++ty)
                    std::memcpy(dst + size_t(ty) * size_t(pitch), tile + ty * c,
                                size_t(c) * sizeof(uint32_t));
            }
        }
        if (!direct) canvas_.Blit(left, y, stripWidth, c, strip, stripWidth);
    }
    // Marking lines lie on top of the cells.
    const int top = std::min(a.Rows.CellPos(i0), a.Rows.CellPos(i1));
    DrawDrawdownMarkings(left, top, left + stripWidth - 1, top + (i1 - i0 + 1) * c - 1);
}

} // namespace hw
