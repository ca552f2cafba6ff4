// The draft view's pixels against a picture built here from the layout
// rules alone: cell size, where each area and cell lies for every start
// position, the grid, the drawdown styles, marking lines and the direct
// tie-up. Nothing of the renderer or the geometry is used to make it.
#include "files/png_file.h"
#include "pattern_golden.h"
#include "png_read.h"
#include "view/draft_image.h"
#include "view_fixture.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using test::ViewFixture;

enum Layout { ThreadingBottom = 1, EndsFromRight = 2, ShaftOneBottom = 4, PicksFromBottom = 8 };
enum Marking { NoMarking, Marked, FullMarking };
enum Mode { Draft, Design, DesignGridOption, ThreadingHidden };
constexpr int TreadleOneRight = 16, AllFlipped = 31;
using enum LoomSystem;

struct Case {
    int Style, Zoom;
    LoomSystem Loom;
    bool Sinking;
    int Layout;
    Marking Marks;
    Mode View = Draft;
};

constexpr int Shafts = 5, Treadles = 6, Ends = 28, Picks = 26; // Ends, Picks: visible
constexpr int ScrollEnds = 1, ScrollPicks = 2;
constexpr ColorRef Background = MakeColorRef(0xF0, 0xE8, 0xD8);

// The draft: ends 4, 9 and after 22 empty, pick 6 untreadled, a colour per end and pick.
const auto ShaftOf = [](int end) {
    return end <= 22 && end != 4 && end != 9 ? (end - 1) % Shafts + 1 : 0;
};
const auto TreadleOf = [](int pick, int treadles, bool single) {
    return single && pick == 6 ? 0 : (pick - 1) % treadles + 1;
};
const auto Tied = [](int shaft, int treadle) { return (shaft + 2 * treadle) % 3 == 0; };
const auto DesignCell = [](int pick, int end) { return (end * 3 + pick * 5) % 7 < 3; };
const auto PaletteColor = [](int i) {
    return MakeColorRef(uint8_t(i * 37), uint8_t(i * 11 + 40), uint8_t(255 - i * 5));
};
const auto WarpIndex = [](int end) { return 10 + end % 11; };
const auto WeftIndex = [](int pick) { return 30 + pick % 7; };
ColorRef Darker(ColorRef c) {
    const int r = ColorRed(c), g = ColorGreen(c), b = ColorBlue(c);
    return MakeColorRef(uint8_t(r - r / 4), uint8_t(g - g / 4), uint8_t(b - b / 4));
}

// An area: its corner in pixels, cells, numbering direction and scroll offset.
struct Area {
    int X, Y, Cols, Rows;
    bool ColsFwd, RowsFwd;
    int ColOffset = 0, RowOffset = 0;
};

// The picture the rules give, painted in the order the rules paint.
struct Oracle {
    const Case& K;
    const ViewSettings& S;
    int C, W, H, N = 3, M = 4; // cell size, picture size, marking intervals
    std::vector<ColorRef> Px = std::vector<ColorRef>(size_t(W * H), Background);
    std::vector<std::pair<ViewArea, Area>> Areas = {}; // where the pointer finds each area

    void Fill(int x, int y, int w, int h, ColorRef color) {
        for (int j = std::max(y, 0); j < std::min(y + h, H); ++j)
            for (int i = std::max(x, 0); i < std::min(x + w, W); ++i) Px[size_t(j * W + i)] = color;
    }
    int X(const Area& a, int col) const { return a.X + (a.ColsFwd ? col - 1 : a.Cols - col) * C; }
    int Y(const Area& a, int row) const { return a.Y + (a.RowsFwd ? row - 1 : a.Rows - row) * C; }
    void Inner(const Area& a, int c, int r, ColorRef k) {
        Fill(X(a, c) + 1, Y(a, r) + 1, C - 1, C - 1, k);
    }
    // R + 1 horizontal and C + 1 vertical lines, end points included.
    void Grid(const Area& a) {
        for (int i = 0; i <= a.Rows; ++i) Fill(a.X, a.Y + i * C, a.Cols * C + 1, 1, S.GridColor);
        for (int j = 0; j <= a.Cols; ++j) Fill(a.X + j * C, a.Y, 1, a.Rows * C + 1, S.GridColor);
    }
    // The outline, and a line after every N-th column and M-th row, counted
    // along the area's own direction.
    void Marks(const Area& a, bool colLines, bool rowLines) {
        if (K.Marks == NoMarking) return;
        auto vertical = [&](int x) { Fill(x, a.Y, 1, a.Rows * C + 1, S.MarkingColor); };
        auto horizontal = [&](int y) { Fill(a.X, y, a.Cols * C + 1, 1, S.MarkingColor); };
        vertical(a.X), vertical(a.X + a.Cols * C), horizontal(a.Y), horizontal(a.Y + a.Rows * C);
        for (int j = 1; colLines && j <= a.Cols; ++j)
            if ((j + a.ColOffset) % N == 0) vertical(a.X + (a.ColsFwd ? j : a.Cols - j) * C);
        for (int i = 1; rowLines && i <= a.Rows; ++i)
            if ((i + a.RowOffset) % M == 0) horizontal(a.Y + (a.RowsFwd ? i : a.Rows - i) * C);
    }
    // A drawdown cell: whole, inner fill with the grid, or two strips.
    void Cell(const Area& a, int col, int row, ColorRef warp, ColorRef weft, bool weftOnTop,
              bool grid) {
        const int x = X(a, col), y = Y(a, row);
        if (grid) return Inner(a, col, row, weftOnTop ? weft : warp);
        if (K.Style != 3 && K.Style != 4) return Fill(x, y, C, C, weftOnTop ? weft : warp);
        int width = C, offset = 0;
        if (K.Style == 3) width -= (C > 2 ? 1 : 0) + C / 6, offset = C / 12;
        // Style 4 outlines a strip's leading edge, and from zoom 3 its trailing one.
        auto edge = [&](int i) { return K.Style == 4 && (i == 0 || (K.Zoom >= 3 && i == C - 1)); };
        for (int j = 0; j < C; ++j)
            for (int i = 0; i < C; ++i) {
                const bool inWarp = i >= offset && i < offset + width;
                const bool inWeft = j >= offset && j < offset + width;
                if (!inWarp && !inWeft) continue;
                const bool showWeft = inWeft && (weftOnTop || !inWarp);
                const ColorRef color = showWeft ? weft : warp;
                Fill(x + i, y + j, 1, 1, edge(showWeft ? j : i) ? Darker(color) : color);
            }
    }

    void Paint() {
        const Case& k = K;
        const bool full = k.Marks == FullMarking,
                   design = k.View == Design || k.View == DesignGridOption;
        const bool endsFwd = !(k.Layout & EndsFromRight), picksFwd = !(k.Layout & PicksFromBottom);
        const bool shaftsFwd = !(k.Layout & ShaftOneBottom), bottom = k.Layout & ThreadingBottom;
        const bool single = k.Loom == SingleTreadling, liftplan = k.Loom == Liftplan;
        const bool shown = k.View == Draft, grid = k.Style == 2 || k.View == DesignGridOption;
        const int treadles = liftplan ? Shafts : Treadles;
        // Liftplan columns follow the threading: shaft 1 leftmost when it is
        // the threading row nearest the drawdown.
        const bool treadlesFwd = liftplan ? bottom != !shaftsFwd : !(k.Layout & TreadleOneRight);
        // Rows, top to bottom: warp colours, gap, threading, gap, picks; or
        // the other way round. Columns: ends, gap, treadles, gap, weft colours.
        // Design mode: warp colours, gap, the design; the weft colours one gap
        // column to its right.
        const int threadTop = (bottom ? Picks + 1 : 2) * C;
        const int picksTop = design ? 2 * C : shown && !bottom ? (Shafts + 3) * C : 0;
        const int weftX = (design ? Ends + 1 : Ends + treadles + 2) * C;
        const Area warpRow{
            0,         bottom && !design ? (Picks + Shafts + 2) * C : 0, Ends, 1, endsFwd, true,
            ScrollEnds};
        const Area threading{0, threadTop, Ends, Shafts, endsFwd, shaftsFwd, ScrollEnds};
        const Area tieUp{(Ends + 1) * C, threadTop, treadles, Shafts, treadlesFwd, shaftsFwd};
        const Area treadling{(Ends + 1) * C, picksTop, treadles, Picks,
                             treadlesFwd,    picksFwd, 0,        ScrollPicks};
        const Area weft{weftX, picksTop, 1, Picks, true, picksFwd, 0, ScrollPicks};
        const Area drawdown{0, picksTop, Ends, Picks, endsFwd, picksFwd, ScrollEnds, ScrollPicks};
        auto warpOf = [&](int end) { return PaletteColor(WarpIndex(end + ScrollEnds)); };
        auto weftOf = [&](int pick) { return PaletteColor(WeftIndex(pick + ScrollPicks)); };
        Areas = {{ViewArea::WeftColors, weft}, {ViewArea::Drawdown, drawdown}};
        if (shown || design) Areas.push_back({ViewArea::WarpColors, warpRow});
        if (shown)
            Areas.insert(Areas.end(), {{ViewArea::Threading, threading}, {ViewArea::TieUp, tieUp}});
        if (!design) Areas.push_back({ViewArea::Treadling, treadling});

        if (shown || design) Grid(warpRow), Marks(warpRow, true, false);
        if (shown) Grid(threading), Marks(threading, true, full);
        if (shown && !liftplan) Grid(tieUp), Marks(tieUp, full, full);
        if (shown && liftplan) {
            // Each threading row joined to a liftplan column by an L, the
            // nearest row to the nearest column.
            const int h = C / 2, x = tieUp.X - 2;
            for (int row = 1; row <= Shafts; ++row) {
                const int len = (Shafts - row + 1) * C + 1 - h;
                const int y = threadTop + (bottom ? Shafts - row : row - 1) * C + h;
                Fill(x, y, len, 1, S.GridColor);
                Fill(x + len, bottom ? y - len + 1 : y, 1, len, S.GridColor);
            }
        }
        if (!design) Grid(treadling), Marks(treadling, full, true);
        Grid(weft), Marks(weft, false, true);
        for (int e = 1; (shown || design) && e <= Ends; ++e) {
            Inner(warpRow, e, 1, warpOf(e));
            if (const int s = ShaftOf(e + ScrollEnds); s && shown)
                Inner(threading, e, s, MarkColor);
        }
        for (int s = 1; shown && !liftplan && s <= Shafts; ++s)
            for (int t = 1; t <= treadles; ++t)
                if (Tied(s, t)) Inner(tieUp, t, s, MarkColor);
        for (int p = 1; p <= Picks; ++p) {
            Inner(weft, 1, p, weftOf(p));
            const int t = TreadleOf(p + ScrollPicks, treadles, single);
            for (int col = 1; !design && col <= treadles; ++col)
                if (liftplan ? Tied(col, t) : col == t) Inner(treadling, col, p, MarkColor);
        }
        if (grid) Grid(drawdown);
        // Only up to the last threaded end; an untreadled pick shows no weft:
        // skipped in styles 1 and 2, its strip in the background colour in the
        // thread styles.
        int last = design ? Ends : 0;
        for (int e = 1; e <= Ends; ++e)
            if (ShaftOf(e + ScrollEnds)) last = std::max(last, e);
        for (int e = 1; e <= last; ++e)
            for (int p = 1; p <= Picks; ++p) {
                const int shaft = ShaftOf(e + ScrollEnds),
                          t = TreadleOf(p + ScrollPicks, treadles, single);
                const bool untreadled = !design && t == 0;
                if (untreadled && k.Style <= 2 && shaft == 0) continue;
                const bool lifted = design ? DesignCell(p + ScrollPicks, e + ScrollEnds)
                                           : shaft && t && Tied(shaft, t);
                const bool weftOnTop = design ? lifted == k.Sinking
                                              : shaft == 0 || (!untreadled && lifted == k.Sinking);
                Cell(drawdown, e, p, warpOf(e), untreadled ? Background : weftOf(p), weftOnTop,
                     grid);
            }
        Marks(drawdown, true, !design || grid);
    }
};

// Every style, the thread styles at sizes where their widths and offsets
// differ and the outlines with and without their trailing edge; both sheds
// and every loom system; marking lines from every start position; the
// direct tie-up of a liftplan from every side; Design mode.
const Case Cases[] = {
    {1, 7, SingleTreadling, false, 0, NoMarking},
    {2, 7, SingleTreadling, false, 0, NoMarking},
    {3, 7, SingleTreadling, false, 0, NoMarking},
    {3, 11, SingleTreadling, false, 0, NoMarking},
    {3, 1, SingleTreadling, false, 0, NoMarking},
    {3, 9, SingleTreadling, true, 0, NoMarking},
    {3, 20, SingleTreadling, false, 0, Marked},
    {4, 2, SingleTreadling, false, 0, NoMarking},
    {4, 3, SingleTreadling, false, 0, NoMarking},
    {4, 9, SingleTreadling, false, 0, NoMarking},
    {2, 5, SingleTreadling, true, 0, NoMarking},
    {4, 6, SingleTreadling, true, 0, NoMarking},
    {2, 6, Liftplan, false, 0, Marked},
    {1, 6, MultipleTreadling, true, 0, Marked},
    {2, 5, SingleTreadling, false, 0, FullMarking},
    {2, 5, SingleTreadling, false, EndsFromRight, Marked},
    {1, 5, SingleTreadling, false, PicksFromBottom, Marked},
    {2, 5, SingleTreadling, false, TreadleOneRight, FullMarking},
    {3, 5, SingleTreadling, false, ShaftOneBottom, FullMarking},
    {2, 4, SingleTreadling, true, ThreadingBottom, FullMarking},
    {4, 4, SingleTreadling, false, AllFlipped, FullMarking},
    {2, 5, Liftplan, false, ShaftOneBottom, FullMarking},
    {1, 5, Liftplan, true, ThreadingBottom, FullMarking},
    {2, 1, Liftplan, false, ThreadingBottom | ShaftOneBottom, Marked},
    {2, 5, SingleTreadling, false, PicksFromBottom, Marked, ThreadingHidden},
    {1, 5, SingleTreadling, false, 0, Marked, Design},
    {4, 5, SingleTreadling, true, EndsFromRight | PicksFromBottom, NoMarking, Design},
    {2, 4, Liftplan, false, EndsFromRight, FullMarking, Design},
    {3, 4, SingleTreadling, false, PicksFromBottom, Marked, DesignGridOption}};

TEST(RenderOracle, EveryPixelFollowsTheLayoutRules) {
    for (const Case& k : Cases) {
        SCOPED_TRACE(testing::Message() << "case " << &k - Cases);
        ViewFixture f;
        DraftState& d = *f.Draft;
        SetLoomSystem(d, k.Loom);
        const bool design = k.View == Design || k.View == DesignGridOption;
        d.Shafts = Shafts, d.Treadles = k.Loom == Liftplan ? Shafts : Treadles,
        d.DesignMode = design;
        d.Ends = d.Picks = 60, d.Style = uint8_t(k.Style), d.Zoom = uint8_t(k.Zoom),
        d.Shed = k.Sinking;
        d.LayoutTopBot = k.Layout & ThreadingBottom, d.RightStart = k.Layout & EndsFromRight;
        d.Atopstart = !(k.Layout & ShaftOneBottom), d.BottomStart = k.Layout & PicksFromBottom;
        d.CkoLeftStart = !(k.Layout & TreadleOneRight), d.MarkingOn = k.Marks != NoMarking;
        d.FullMarking = k.Marks == FullMarking, d.MarkEndsInterval = 3, d.MarkPicksInterval = 4;
        for (int i = 0; i < PaletteSize; ++i) SetPaletteEntry(d, i, PaletteColor(i));
        RebuildColorTable(d);
        for (int i = 1; i <= 60; ++i) {
            const int t = TreadleOf(i, d.Treadles, k.Loom == SingleTreadling);
            d.Threading[i] = uint8_t(ShaftOf(i)), d.WarpColors[i] = uint8_t(WarpIndex(i));
            d.Treadling[i] = uint8_t(t), d.WeftColors[i] = uint8_t(WeftIndex(i));
            for (int col = 1; col <= d.Treadles; ++col)
                LiftplanPut(d, i, col, k.Loom == Liftplan ? Tied(col, t) : col == t);
            for (int e = 1; i <= DesignSize && e <= DesignSize; ++e)
                DesignPut(d, i, e, DesignCell(i, e));
            for (int col = 1; i <= Shafts && col <= d.Treadles; ++col)
                d.TieUpAt(i, col) = Tied(i, col);
        }
        f.Settings = {DarkGray, Red, Background, k.View != ThreadingHidden,
                      k.View == DesignGridOption};
        const int c = k.Zoom + 1, columns = design ? Ends + 2 : Ends + d.Treadles + 3;
        const int rows = design ? Picks + 2 : Picks + (k.View == ThreadingHidden ? 0 : Shafts + 3);
        f.Layout(columns * c + 1, rows * c + 1);
        ASSERT_EQ(std::tuple(f.Window.VisibleEnds, f.Window.VisiblePicks), std::tuple(Ends, Picks));
        f.Window.ScrollEnds = ScrollEnds, f.Window.ScrollPicks = ScrollPicks;
        f.Paint();
        Oracle o{k, f.Settings, c, f.Width, f.Height};
        o.Paint();
        for (int y = 0; y < f.Height; ++y)
            for (int x = 0; x < f.Width; ++x)
                ASSERT_EQ(f.At(x, y), o.Px[size_t(y * f.Width + x)]) << "pixel " << x << "," << y;
        // Every cell hits back to its own numbers from inside it; the colour
        // row and column have only one.
        for (const auto& [area, a] : o.Areas)
            for (int col = 1; col <= a.Cols; ++col)
                for (int row = 1; row <= a.Rows; ++row)
                    for (int dx : {1, c - 1})
                        ASSERT_EQ(
                            HitTest(f.Geometry, o.X(a, col) + dx, o.Y(a, row) + c - dx, false),
                            (ViewHit{area, area == ViewArea::WeftColors ? 0 : col,
                                     area == ViewArea::WarpColors ? 0 : row}));
        // Change the draft behind the view and repaint only what changed: the
        // same picture as a full repaint.
        d.Threading[5] = uint8_t(d.Threading[5] % Shafts + 1), d.Treadling[7] = 0;
        d.WarpColors[7] = 200, d.WeftColors[5] = 201;
        DesignPut(d, 5, 5, !DesignGet(d, 5, 5));
        DraftRenderer r(*f.Canvas, d, f.Window, f.Geometry, f.Settings);
        r.PaintThreadingColumn(4, r.ThreadingShaft(4)), r.PaintDrawdownColumn(4);
        r.PaintWarpColorCell(6), r.PaintDrawdownColumn(6), r.PaintWeftColorCell(3);
        r.PaintDrawdownRow(3), r.PaintTreadlingRow(5), r.PaintDrawdownRow(5);
        EXPECT_EQ(test::FirstDifference(*f.Canvas, *f.Fresh()), "");
    }
}

// The picture heddlewise-cli writes: the laid-out area as the view paints it,
// written with a palette and read back through libpng pixel for pixel.
TEST(DraftImage, IsTheViewsPictureAndSurvivesThePngFile) {
    ViewFixture f;
    f.Twill(12, 10);
    f.Draft->Treadles = 6, f.Draft->Zoom = 4, f.Draft->WarpColors[2] = 17;
    const DraftImage image = RenderDraftImage(*f.Draft, {});
    ASSERT_TRUE(image.Picture);
    const RasterCanvas& c = *image.Picture;
    f.Settings = {};
    f.Layout((12 + 6 + 3) * 5 + 1, (10 + 4 + 3) * 5 + 1);
    f.Paint();
    EXPECT_EQ(test::FirstDifference(c, *f.Canvas), "");
    test::TempDir dir;
    const std::string path = dir.File("draft.png");
    ASSERT_TRUE(WritePng(path, c.Data(), c.Width(), c.Height(), c.Stride()));
    const test::Picture png = test::ReadPng(path);
    EXPECT_TRUE(png.Indexed);
    ASSERT_EQ(std::tuple(png.Width, png.Height), std::tuple(c.Width(), c.Height()));
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) ASSERT_EQ(png.At(x, y), c.PixelColor(x, y));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path), {}), 1);
    // A folder that does not exist, or an empty picture: the old file stays.
    const test::Bytes written = test::ReadBytes(path);
    EXPECT_EQ(test::ErrorKey(WritePng(dir.File("none/x.png"), c.Data(), 3, 3, 3)),
              "File Write Error");
    EXPECT_FALSE(WritePng(path, c.Data(), 0, 3, 3));
    EXPECT_EQ(test::ReadBytes(path), written);
}

} // namespace
} // namespace hw
