#include "model/drawdown.h"
#include "view/draft_image.h"
#include "view_fixture.h"

#include <gtest/gtest.h>

#include <random>

namespace hw {
namespace {

using test::Point;
using test::ViewFixture;

uint32_t Dark(ColorRef c) {
    const int r = ColorRed(c), g = ColorGreen(c), b = ColorBlue(c);
    return MakeColorRef(uint8_t(r - r / 4), uint8_t(g - g / 4), uint8_t(b - b / 4));
}

// A twill where every end and pick has its own colour, so a wrong warp or
// weft shows.
struct Colored : ViewFixture {
    explicit Colored(int style, int zoom = 7) {
        Draft->Style = style;
        Draft->Zoom = uint8_t(zoom);
        Twill(20, 20);
        for (int e = 1; e <= 40; ++e) Draft->WarpColors[e] = uint8_t(16 + e % 8);
        for (int p = 1; p <= 40; ++p) Draft->WeftColors[p] = uint8_t(40 + p % 8);
        Layout(600, 500);
        Paint();
    }
    // The colour the drawdown shows for a crossing.
    ColorRef Expected(int end, int pick) const {
        return WeftOnTop(*Draft, pick, end) ? Weft(pick) : Warp(end);
    }
};

TEST(RenderNormal, WholeCellsAndNoGridInTheDrawdown) {
    Colored f(1);
    const ViewAreaLayout& dd = f.Geometry.Drawdown;
    for (int e = 1; e <= 20; ++e)
        for (int p = 1; p <= 20; ++p) {
            const Point c = f.Corner(dd, e, p);
            // The corner pixel, where style 2 has its grid, is the cell's colour.
            ASSERT_EQ(f.At(c), f.Expected(e, p)) << e << "," << p;
            ASSERT_EQ(f.At(c.X + 7, c.Y + 7), f.Expected(e, p));
        }
    // The other areas keep their grid.
    const Point t = f.Corner(f.Geometry.Threading, 3, 1);
    EXPECT_EQ(f.At(t), f.Settings.GridColor);
}

TEST(RenderGrid, GridLinesOnlyInStyleTwo) {
    Colored f(2);
    const ViewAreaLayout& dd = f.Geometry.Drawdown;
    for (int e = 1; e <= 20; ++e)
        for (int p = 1; p <= 20; ++p) {
            const Point c = f.Corner(dd, e, p);
            ASSERT_EQ(f.At(c), f.Settings.GridColor);
            ASSERT_EQ(f.At(c.X + 1, c.Y + 1), f.Expected(e, p));
            ASSERT_EQ(f.At(c.X + 7, c.Y + 7), f.Expected(e, p));
        }
    // The closing lines of the drawdown.
    EXPECT_EQ(f.At(dd.Columns.End(), dd.Rows.Start + 3), f.Settings.GridColor);
    EXPECT_EQ(f.At(dd.Columns.Start + 3, dd.Rows.End()), f.Settings.GridColor);
    // Threading marks are inner fills in the mark colour.
    const Point t = f.Center(f.Geometry.Threading, 6, f.Draft->Threading[6]);
    EXPECT_EQ(f.At(t), MarkColor);
    EXPECT_EQ(f.At(f.Center(f.Geometry.Threading, 6, 1)), f.Settings.BackgroundColor);
}

TEST(RenderThreads, BackgroundGapsBetweenStripsInStyleThree) {
    Colored f(3); // 8-pixel cells: strips 6 wide, no offset
    const ViewAreaLayout& dd = f.Geometry.Drawdown;
    const ColorRef bg = f.Settings.BackgroundColor;
    for (int e = 1; e <= 20; ++e)
        for (int p = 1; p <= 20; ++p) {
            const Point c = f.Corner(dd, e, p);
            ASSERT_EQ(f.At(c.X + 7, c.Y + 7), bg) << "gap corner";
            ASSERT_EQ(f.At(c.X + 2, c.Y + 2), f.Expected(e, p)) << "crossing";
            // Beside the crossing each strip shows its own colour.
            ASSERT_EQ(f.At(c.X + 2, c.Y + 7), f.Warp(e));
            ASSERT_EQ(f.At(c.X + 7, c.Y + 2), f.Weft(p));
        }
}

TEST(RenderThreads, StripWidthAndOffsetFollowTheCellSize) {
    Colored f(3, 11); // 12-pixel cells: width 12 - 1 - 2 = 9 at offset 1
    const Point c = f.Corner(f.Geometry.Drawdown, 1, 1);
    const ColorRef bg = f.Settings.BackgroundColor;
    EXPECT_EQ(f.At(c.X, c.Y + 11), bg); // left of the warp strip, below the weft
    EXPECT_EQ(f.At(c.X + 1, c.Y + 11), f.Warp(1));
    EXPECT_EQ(f.At(c.X + 9, c.Y + 11), f.Warp(1));
    EXPECT_EQ(f.At(c.X + 10, c.Y + 11), bg);
    EXPECT_EQ(f.At(c.X + 11, c.Y), bg); // above the weft strip
    EXPECT_EQ(f.At(c.X + 11, c.Y + 1), f.Weft(1));
    EXPECT_EQ(f.At(c.X + 11, c.Y + 9), f.Weft(1));
    EXPECT_EQ(f.At(c.X + 11, c.Y + 10), bg);
}

TEST(RenderOutlined, DarkerEdgesAndTheSecondOnlyFromZoomThree) {
    for (int zoom : {2, 3, 7}) {
        Colored f(4, zoom);
        const int c = f.Geometry.Cell;
        for (int e = 1; e <= 8; ++e)
            for (int p = 1; p <= 8; ++p) {
                const Point o = f.Corner(f.Geometry.Drawdown, e, p);
                const bool weft = WeftOnTop(*f.Draft, p, e);
                const ColorRef top = f.Expected(e, p);
                // The strip on top covers the cell; its leading edge is dark.
                const Point lead = weft ? Point{o.X + c / 2, o.Y} : Point{o.X, o.Y + c / 2};
                const Point trail =
                    weft ? Point{o.X + c / 2, o.Y + c - 1} : Point{o.X + c - 1, o.Y + c / 2};
                ASSERT_EQ(f.At(lead), Dark(top)) << "zoom " << zoom;
                ASSERT_EQ(f.At(trail), zoom >= 3 ? Dark(top) : top) << "zoom " << zoom;
                if (c > 3) {
                    ASSERT_EQ(f.At(o.X + c / 2, o.Y + c / 2), top);
                }
            }
    }
}

TEST(RenderDrawdown, EmptyEndsShowWeftUntreadledPicksWarpAndUnusedColumnsStayEmpty) {
    for (int style : {1, 2}) {
        ViewFixture f;
        f.Draft->Style = style;
        f.Twill(12, 12);
        DraftState& d = *f.Draft;
        d.Threading[5] = 0;  // an empty end between threaded ones
        d.Treadling[7] = 0;  // a pick without treadle
        d.Threading[11] = 0; // ends 11, 12: only 10 stays the last threaded
        d.Threading[12] = 0;
        for (int e = 1; e <= 40; ++e) d.WarpColors[e] = 7;
        for (int p = 1; p <= 40; ++p) d.WeftColors[p] = 20;
        f.Layout(600, 500);
        f.Paint();
        const ViewAreaLayout& dd = f.Geometry.Drawdown;
        const ColorRef warp = f.Warp(1), weft = f.Weft(1), bg = f.Settings.BackgroundColor;
        for (int p = 1; p <= 12; ++p) {
            if (p != 7) {
                EXPECT_EQ(f.At(f.Center(dd, 5, p)), weft) << "empty end, pick " << p;
            }
        }
        for (int e = 1; e <= 10; ++e)
            EXPECT_EQ(f.At(f.Center(dd, e, 7)), e == 5 ? bg : warp) << "untreadled, end " << e;
        for (int e = 11; e <= f.Geometry.VisibleEnds; ++e)
            for (int p : {1, 7, 12, 30})
                ASSERT_EQ(f.At(f.Center(dd, e, p)), bg) << "beyond the last threaded end";
        // Untreadled picks past the draft show warp down every threaded end.
        EXPECT_EQ(f.At(f.Center(dd, 3, 30)), warp);
    }
}

TEST(RenderThreads, UntreadledPickHasItsWeftStripInTheBackground) {
    ViewFixture f;
    f.Draft->Style = 3;
    f.Twill(8, 8);
    f.Draft->Treadling[2] = 0;
    f.Layout(600, 500);
    f.Paint();
    const Point c = f.Corner(f.Geometry.Drawdown, 1, 2);
    EXPECT_EQ(f.At(c.X + 7, c.Y + 2), f.Settings.BackgroundColor); // weft strip beside the warp
    EXPECT_EQ(f.At(c.X + 2, c.Y + 2), f.Warp(1));                  // warp on top
}

TEST(RenderDrawdown, EveryCellAgreesWithTheDrawdownRuleInEveryLoomSystem) {
    std::mt19937 rng(7);
    for (LoomSystem system :
         {LoomSystem::SingleTreadling, LoomSystem::MultipleTreadling, LoomSystem::Liftplan})
        for (bool sinking : {false, true}) {
            ViewFixture f;
            auto random = test::RandomDraft(rng, system, sinking);
            *f.Draft = *random;
            f.Draft->Style = 1;
            f.Draft->Zoom = 3;
            f.Draft->LayoutTopBot = true;
            f.Draft->RightStart = true;
            f.Draft->BottomStart = true;
            f.Layout(500, 400);
            f.Window.ScrollEnds = 1;
            f.Window.ScrollPicks = 2;
            f.Paint();
            const int last = LastThreadedVisible(*f.Draft, f.Window);
            for (int k = 1; k <= last; ++k)
                for (int i = 1; i <= f.Window.VisiblePicks; ++i) {
                    const int e = k + 1, p = i + 2;
                    const bool empty = f.Draft->Threading[e] == 0;
                    const bool untreadled =
                        system == LoomSystem::SingleTreadling && f.Draft->Treadling[p] == 0;
                    ColorRef want = WeftOnTop(*f.Draft, p, e) ? f.Weft(p) : f.Warp(e);
                    if (empty && untreadled) want = f.Settings.BackgroundColor;
                    ASSERT_EQ(f.At(f.Center(f.Geometry.Drawdown, k, i)), want)
                        << int(system) << sinking << " end " << e << " pick " << p;
                }
        }
}

TEST(RenderMarking, LinesEveryNEndsCountTheScrollOffset) {
    ViewFixture f;
    f.Twill(100, 100);
    DraftState& d = *f.Draft;
    d.Ends = 100;
    d.MarkingOn = true;
    d.MarkEndsInterval = 4;
    d.MarkPicksInterval = 5;
    f.Settings.MarkingColor = Red;
    f.Layout(600, 500);
    f.Window.ScrollEnds = 3;
    f.Window.ScrollPicks = 2;
    f.Paint();
    const ViewAreaLayout& dd = f.Geometry.Drawdown;
    const int yMid = dd.Rows.CellPos(1) + 4;
    // After end 4 (visible 1), end 8 (visible 5), ...
    for (int k = 1; k < f.Geometry.VisibleEnds; ++k) {
        const int x = dd.Columns.BoundaryAfter(k);
        const bool marked = (k + 3) % 4 == 0;
        ASSERT_EQ(f.At(x, yMid), marked ? Red : f.Settings.GridColor) << "end " << k + 3;
        // The threading and the warp colours follow the same ends.
        ASSERT_EQ(f.At(x, f.Geometry.Threading.Rows.Start + 4) == Red, marked);
        ASSERT_EQ(f.At(x, f.Geometry.WarpColors.Rows.Start + 4) == Red, marked);
    }
    const int xMid = dd.Columns.CellPos(1) + 4;
    for (int i = 1; i < f.Geometry.VisiblePicks; ++i) {
        const bool marked = (i + 2) % 5 == 0;
        ASSERT_EQ(f.At(xMid, dd.Rows.BoundaryAfter(i)) == Red, marked) << "pick " << i + 2;
        ASSERT_EQ(f.At(f.Geometry.WeftColors.Columns.Start + 4, dd.Rows.BoundaryAfter(i)) == Red,
                  marked);
    }
    // Shaft rows of the threading only with full marking lines; the outline always.
    const ViewAreaLayout& th = f.Geometry.Threading;
    EXPECT_EQ(f.At(th.Columns.Start + 4, th.Rows.Start), Red);
    EXPECT_NE(f.At(th.Columns.Start + 4, th.Rows.BoundaryAfter(2)), Red);
    d.FullMarking = true;
    d.MarkPicksInterval = 2;
    f.Paint();
    EXPECT_EQ(f.At(th.Columns.Start + 4, th.Rows.BoundaryAfter(2)), Red);
    // Marking lines stay visible over touching cells too.
    d.Style = 1;
    d.MarkPicksInterval = 5;
    f.Paint();
    EXPECT_EQ(f.At(dd.Columns.BoundaryAfter(1), yMid), Red);
    // A zero interval (a damaged file) leaves only the outline.
    d.MarkEndsInterval = 0;
    f.Paint();
    EXPECT_NE(f.At(dd.Columns.BoundaryAfter(1), yMid), Red);
    EXPECT_EQ(f.At(dd.Columns.Start, yMid), Red);
}

TEST(RenderLiftplan, DirectTieUpLinesJoinEachShaftRowToItsColumn) {
    for (bool bottom : {false, true}) {
        ViewFixture f;
        DraftState& d = *f.Draft;
        d.TreadleMode = false;
        d.Treadles = d.Shafts = 4;
        d.LayoutTopBot = bottom;
        d.Atopstart = false;
        f.Layout(600, 500);
        f.Paint();
        const ViewGeometry& g = f.Geometry;
        const int c = g.Cell;
        const ColorRef grid = f.Settings.GridColor;
        for (int s = 1; s <= 4; ++s) {
            // The vertical of shaft s runs in the liftplan column of shaft s,
            // and the horizontal at the shaft row's centre reaches it.
            const int colX = g.Treadling.Columns.CellPos(s);
            const int rowY = g.Threading.Rows.CellPos(s) + c / 2;
            bool vertical = false;
            for (int dx = 0; dx < c; ++dx)
                if (f.At(colX + dx, bottom ? g.Threading.Rows.Start : g.Threading.Rows.End()) ==
                    grid)
                    vertical = true;
            EXPECT_TRUE(vertical) << "shaft " << s;
            EXPECT_EQ(f.At(g.Treadling.Columns.Start - 2, rowY), grid);
            EXPECT_EQ(f.At(g.Treadling.Columns.Start - 3, rowY), f.Settings.BackgroundColor);
        }
        // No tie-up grid is drawn.
        EXPECT_EQ(f.At(g.TieUp.Columns.End(), g.TieUp.Rows.Start + 1), f.Settings.BackgroundColor);
    }
}

TEST(RenderDesign, DesignCellsShowWarpWhereSetOnARisingShed) {
    for (bool gridOption : {false, true}) {
        ViewFixture f;
        DraftState& d = *f.Draft;
        d.DesignMode = true;
        d.Style = 1;
        f.Settings.UseGridStyleInDesign = gridOption;
        DesignPut(d, 2, 3, true);
        f.Layout(600, 500);
        f.Paint();
        const ViewAreaLayout& dg = f.Geometry.Drawdown;
        EXPECT_EQ(f.At(f.Center(dg, 3, 2)), f.Warp(3));
        EXPECT_EQ(f.At(f.Center(dg, 4, 2)), f.Weft(2));
        EXPECT_EQ(f.At(f.Corner(dg, 4, 2)) == f.Settings.GridColor, gridOption);
        d.Shed = true; // sinking: a set cell lowers the shaft
        f.Paint();
        EXPECT_EQ(f.At(f.Center(dg, 3, 2)), f.Weft(2));
    }
}

TEST(RenderPartial, ColumnRowAndCellPaintersLeaveWhatAFullRepaintGives) {
    std::mt19937 rng(11);
    for (int style = 1; style <= 4; ++style)
        for (bool marking : {false, true}) {
            ViewFixture f;
            *f.Draft = *test::RandomDraft(rng, LoomSystem::SingleTreadling, false);
            DraftState& d = *f.Draft;
            d.Style = style;
            d.Zoom = 4;
            d.MarkingOn = marking;
            d.MarkEndsInterval = 3;
            d.RightStart = style % 2 == 0;
            f.Layout(700, 500);
            f.Paint();
            // Change the draft behind the view, repaint only what changed.
            d.Threading[4] = uint8_t(d.Threading[4] % d.Shafts + 1);
            d.WarpColors[6] = 200;
            d.WeftColors[3] = 201;
            d.Treadling[5] = 0;
            DraftRenderer r = f.Renderer();
            r.PaintThreadingColumn(4, r.ThreadingShaft(4));
            r.PaintDrawdownColumn(4);
            r.PaintWarpColorCell(6);
            r.PaintDrawdownColumn(6);
            r.PaintWeftColorCell(3);
            r.PaintDrawdownRow(3);
            r.PaintTreadlingRow(5);
            r.PaintDrawdownRow(5);
            EXPECT_EQ(test::FirstDifference(*f.Canvas, *f.Fresh()), "") << "style " << style;
        }
}

TEST(DraftImage, SizeIsTheLaidOutAreaAndPixelsMatchTheView) {
    ViewFixture f;
    f.Twill(12, 10);
    DraftState& d = *f.Draft;
    d.Treadles = 6;
    d.Zoom = 4;
    auto image = RenderDraftImage(d, {});
    EXPECT_EQ(image->Width(), (12 + 6 + 3) * 5 + 1);
    EXPECT_EQ(image->Height(), (10 + 4 + 3) * 5 + 1);
    auto styled = RenderDraftImage(d, {9, 3, 20, 30});
    EXPECT_EQ(styled->Width(), (20 + 6 + 3) * 10 + 1);
    EXPECT_EQ(styled->Height(), (30 + 4 + 3) * 10 + 1);
    // The same pixels as the view laid out at that size.
    f.Settings = {};
    d.Style = 2;
    f.Layout(image->Width(), image->Height());
    f.Paint();
    EXPECT_EQ(test::FirstDifference(*image, *f.Canvas), "");
}

TEST(RasterCanvas, ClipsEverythingAndTracksWhatWasTouched) {
    RasterCanvas c(10, 8, White);
    c.FillRect(-5, -5, 8, 7, Red); // clipped to (0,0)-(2,1)
    EXPECT_EQ(c.PixelColor(2, 1), Red);
    EXPECT_EQ(c.PixelColor(3, 1), White);
    EXPECT_EQ(c.Dirty(), (PixelBox{0, 0, 3, 2}));
    c.ResetDirty();
    c.DrawLine(9, 7, 20, 7, Black);
    c.DrawLine(0, 7, 3, 4, Black); // a diagonal, end points included
    EXPECT_EQ(c.PixelColor(9, 7), Black);
    EXPECT_EQ(c.PixelColor(0, 7), Black);
    EXPECT_EQ(c.PixelColor(3, 4), Black);
    EXPECT_EQ(c.PixelColor(2, 5), Black);
    EXPECT_EQ(c.Dirty(), (PixelBox{0, 4, 10, 4}));
    const uint32_t block[4] = {ToRgb32(Red), ToRgb32(Black), ToRgb32(Black), ToRgb32(Red)};
    c.Blit(8, 6, 2, 2, block, 2); // half outside
    EXPECT_EQ(c.PixelColor(9, 7), Red);
    EXPECT_EQ(c.Pixel(10, 7), 0u);
}

} // namespace
} // namespace hw
