#include "text/lang.h"
#include "view/geometry.h"
#include "view/status_text.h"
#include "view_fixture.h"

#include <gtest/gtest.h>

#include <tuple>

namespace hw {
namespace {

using test::ViewFixture;

// The start-position settings and the loom system, all combinations.
struct Layout {
    bool Bottom;      // threading at the bottom of the screen
    bool FromRight;   // end 1 at the right
    bool ShaftOneTop; // shaft 1 the top threading row
    bool PicksFromBottom;
    bool TreadleOneLeft;
    bool Liftplan;
};

class LayoutTable : public ::testing::TestWithParam<Layout> {};

// Cell rows and columns counted from the top left of the laid-out area.
TEST_P(LayoutTable, FirstCellsSitWhereTheSettingsPutThemAndHitBack) {
    const Layout l = GetParam();
    ViewFixture f;
    DraftState& d = *f.Draft;
    d.LayoutTopBot = l.Bottom;
    d.RightStart = l.FromRight;
    d.Atopstart = l.ShaftOneTop;
    d.BottomStart = l.PicksFromBottom;
    d.CkoLeftStart = l.TreadleOneLeft;
    d.TreadleMode = !l.Liftplan;
    d.Shafts = 5;
    d.Treadles = l.Liftplan ? 5 : 7;
    d.Zoom = 5; // 6-pixel cells
    f.Layout(6 * 60 + 3, 6 * 40 + 4);
    const ViewGeometry& g = f.Geometry;
    const int S = 5, T = l.Liftplan ? 5 : 7;
    ASSERT_EQ(g.Cell, 6);
    ASSERT_EQ(g.VisibleEnds, 60 - (T + 3));
    ASSERT_EQ(g.VisiblePicks, 40 - (S + 3));
    const int VE = g.VisibleEnds, VP = g.VisiblePicks;

    const int endCol = l.FromRight ? VE - 1 : 0;
    const int threadTop = l.Bottom ? VP + 1 : 2;
    const int shaftRow = threadTop + (l.ShaftOneTop ? 0 : S - 1);
    // Liftplan columns follow the threading: shaft 1 leftmost when shaft 1
    // is the threading row nearest the drawdown.
    const bool treadleOneLeft = l.Liftplan ? (l.Bottom == l.ShaftOneTop) : l.TreadleOneLeft;
    const int treadleCol = VE + 1 + (treadleOneLeft ? 0 : T - 1);
    const int picksTop = l.Bottom ? 0 : S + 3;
    const int pickRow = picksTop + (l.PicksFromBottom ? VP - 1 : 0);
    const int warpRow = l.Bottom ? VP + S + 2 : 0;

    EXPECT_EQ(g.Threading.Columns.CellPos(1), endCol * 6);
    EXPECT_EQ(g.Drawdown.Columns.CellPos(1), endCol * 6);
    EXPECT_EQ(g.WarpColors.Rows.Start, warpRow * 6);
    EXPECT_EQ(g.Threading.Rows.CellPos(1), shaftRow * 6);
    EXPECT_EQ(g.TieUp.Rows.CellPos(1), shaftRow * 6);
    EXPECT_EQ(g.Treadling.Columns.CellPos(1), treadleCol * 6);
    EXPECT_EQ(g.TieUp.Columns.CellPos(1), treadleCol * 6);
    EXPECT_EQ(g.Treadling.Rows.CellPos(1), pickRow * 6);
    EXPECT_EQ(g.WeftColors.Columns.Start, (VE + T + 2) * 6);

    // The shaft row nearest the drawdown meets the nearest liftplan column.
    if (l.Liftplan) {
        const int nearestShaft = g.Threading.Rows.NumberAt(l.Bottom ? g.Threading.Rows.Start + 1
                                                                    : g.Threading.Rows.End() - 1);
        EXPECT_EQ(g.Treadling.Columns.NumberAt(g.Treadling.Columns.Start + 1), nearestShaft);
    }

    // Every cell of every area hits back to its own numbers, anywhere inside.
    auto roundTrip = [&](ViewArea area, const ViewAreaLayout& a, bool useCol, bool useRow) {
        for (int col = 1; col <= a.Columns.Count; ++col)
            for (int row = 1; row <= a.Rows.Count; ++row)
                for (int dx : {1, 3, 5}) {
                    const int x = a.Columns.CellPos(col) + dx, y = a.Rows.CellPos(row) + 6 - dx;
                    const ViewHit h = HitTest(g, x, y, false);
                    ASSERT_EQ(h.Area, area) << x << "," << y;
                    if (useCol) {
                        ASSERT_EQ(h.Column, col);
                    }
                    if (useRow) {
                        ASSERT_EQ(h.Row, row);
                    }
                }
    };
    roundTrip(ViewArea::Threading, g.Threading, true, true);
    roundTrip(ViewArea::TieUp, g.TieUp, true, true);
    roundTrip(ViewArea::Treadling, g.Treadling, true, true);
    roundTrip(ViewArea::Drawdown, g.Drawdown, true, true);
    roundTrip(ViewArea::WarpColors, g.WarpColors, true, false);
    roundTrip(ViewArea::WeftColors, g.WeftColors, false, true);
    // Grid lines and gaps belong to no area.
    EXPECT_EQ(HitTest(g, g.Drawdown.Columns.Start, g.Drawdown.Rows.Start + 3).Area, ViewArea::None);
    EXPECT_EQ(HitTest(g, g.Drawdown.Columns.End() + 3, g.Drawdown.Rows.Start + 3).Area,
              ViewArea::None);
    // The tie-up of a liftplan draft is drawn as lines, not edited.
    const int tx = g.TieUp.Columns.Start + 3, ty = g.TieUp.Rows.Start + 3;
    EXPECT_EQ(HitTest(g, tx, ty, true).Area, l.Liftplan ? ViewArea::None : ViewArea::TieUp);
}

std::vector<Layout> AllLayouts() {
    std::vector<Layout> all;
    for (int bits = 0; bits < 64; ++bits)
        all.push_back({bool(bits & 1), bool(bits & 2), bool(bits & 4), bool(bits & 8),
                       bool(bits & 16), bool(bits & 32)});
    return all;
}

INSTANTIATE_TEST_SUITE_P(Every, LayoutTable, ::testing::ValuesIn(AllLayouts()));

TEST(ViewGeometry, WithoutThreadingTheDrawdownStartsAtTheTopAndNothingElseIsHit) {
    ViewFixture f;
    f.Settings.ShowThreading = false;
    f.Draft->LayoutTopBot = true;
    f.Layout(400, 300);
    const ViewGeometry& g = f.Geometry;
    EXPECT_EQ(g.Drawdown.Rows.Start, 0);
    EXPECT_EQ(g.VisiblePicks, g.RowsFit);
    EXPECT_EQ(HitTest(g, 3, 3).Area, ViewArea::Drawdown);
    EXPECT_FALSE(g.Threading.Contains(g.Threading.Columns.Start + 3, g.Threading.Rows.Start + 3));
    EXPECT_FALSE(g.WarpColors.Shown);
}

TEST(ViewGeometry, DesignModeHasColourRowGridAndWeftColumnOnly) {
    ViewFixture f;
    f.Draft->DesignMode = true;
    f.Draft->Zoom = 3; // 4-pixel cells
    f.Layout(1000, 1000);
    const ViewGeometry& g = f.Geometry;
    EXPECT_EQ(g.VisibleEnds, 50); // the design grid is at most 50 x 50
    EXPECT_EQ(g.VisiblePicks, 50);
    EXPECT_EQ(g.Drawdown.Rows.Start, 8);
    EXPECT_EQ(g.WeftColors.Columns.Start, 51 * 4);
    EXPECT_FALSE(g.Threading.Shown);
    EXPECT_FALSE(g.Treadling.Shown);
    EXPECT_EQ(HitTest(g, 5, 2).Area, ViewArea::WarpColors);
    EXPECT_EQ(HitTest(g, 5, 10).Area, ViewArea::Drawdown);
}

TEST(ViewGeometry, MultipleTreadlingDrawdownIsNotEditableButStillShowsPosition) {
    ViewFixture f;
    f.Draft->MultipleTr = true;
    f.Layout(400, 300);
    const test::Point p = f.Center(f.Geometry.Drawdown, 2, 3);
    EXPECT_EQ(HitTest(f.Geometry, p.X, p.Y, true).Area, ViewArea::None);
    EXPECT_EQ(HitTest(f.Geometry, p.X, p.Y, false), (ViewHit{ViewArea::Drawdown, 2, 3}));
}

TEST(ViewZoom, SixteenShaftsInASmallWindowLimitTheZoom) {
    ViewFixture f;
    DraftState& d = *f.Draft;
    d.Shafts = 16;
    d.Treadles = 16;
    // 16 + 5 rows must fit: 200 / 21 = 9-pixel cells at most, zoom 8.
    EXPECT_EQ(LargestFittingZoom(d, true, 2000, 200), 8);
    EXPECT_EQ(AcceptedZoom(d, true, 20, 2000, 200), 8);
    EXPECT_EQ(AcceptedZoom(d, true, 6, 2000, 200), 6);
    // Without the threading only the treadles limit it.
    EXPECT_EQ(LargestFittingZoom(d, false, 2000, 200), 20);
    EXPECT_EQ(LargestFittingZoom(d, false, 210, 200), 9); // 210 / 21 = 10-pixel cells
    // Design mode takes any step.
    d.DesignMode = true;
    EXPECT_EQ(AcceptedZoom(d, true, 20, 2000, 200), 20);
}

TEST(ViewZoom, ShrinkingTheWindowLowersTheZoomAndTinyWindowsStayValid) {
    ViewFixture f;
    DraftState& d = *f.Draft;
    d.Shafts = 16;
    d.Zoom = 20;
    f.Layout(3000, 2000);
    EXPECT_EQ(d.Zoom, 20);
    f.Layout(3000, 300); // 300 / 21 = 14-pixel cells
    EXPECT_EQ(d.Zoom, 13);
    f.Layout(3000, 2000); // growing does not raise it again
    EXPECT_EQ(d.Zoom, 13);
    // Nothing fits: the smallest step, and no negative counts.
    f.Layout(10, 10);
    EXPECT_EQ(d.Zoom, 1);
    EXPECT_EQ(f.Window.VisibleEnds, 0);
    EXPECT_EQ(f.Window.VisiblePicks, 0);
    EXPECT_EQ(f.Window.ScrollEnds, 0);
    f.Layout(0, 0);
    EXPECT_EQ(f.Geometry.ColumnsFit, 0);
    f.Paint(); // painting an empty view must be harmless
}

TEST(ViewScroll, OffsetsClampAndTheBarsMirrorTheDraftsDirection) {
    ViewFixture f;
    DraftState& d = *f.Draft;
    d.Ends = 500;
    d.Picks = 300;
    f.Layout(800, 600);
    ViewWindow& w = f.Window;
    const int maxEnds = 500 - w.VisibleEnds;
    const int maxPicks = 300 - w.VisiblePicks;
    ASSERT_GT(maxEnds, 0);
    ASSERT_GT(maxPicks, 0);

    w.ScrollEnds = 9999;
    w.ScrollPicks = -5;
    EXPECT_TRUE(ClampScroll(d, w));
    EXPECT_EQ(w.ScrollEnds, maxEnds);
    EXPECT_EQ(w.ScrollPicks, 0);
    EXPECT_FALSE(ClampScroll(d, w));

    // From the left the bar runs with the ends.
    d.RightStart = false;
    EXPECT_EQ(EndOffsetFromBar(d, w, 10), 10);
    EXPECT_EQ(HorizontalBar(d, w).Position, maxEnds);
    EXPECT_EQ(HorizontalBar(d, w).Maximum, maxEnds);
    EXPECT_EQ(HorizontalBar(d, w).PageStep, w.VisibleEnds - 1);
    // From the right: moving the thumb left shows higher ends.
    d.RightStart = true;
    EXPECT_EQ(EndOffsetFromBar(d, w, 0), maxEnds);
    EXPECT_EQ(EndOffsetFromBar(d, w, maxEnds), 0);
    EXPECT_EQ(HorizontalBar(d, w).Position, 0);
    d.BottomStart = true;
    EXPECT_EQ(PickOffsetFromBar(d, w, 0), maxPicks);
    EXPECT_EQ(PickOffsetFromBar(d, w, maxPicks + 50), 0);

    // A draft smaller than the window cannot scroll.
    d.Ends = 10;
    EXPECT_TRUE(ClampScroll(d, w));
    EXPECT_EQ(w.ScrollEnds, 0);
    EXPECT_EQ(HorizontalBar(d, w).Maximum, 0);
    // Design mode scrolls through at most 50 ends.
    d.Ends = 500;
    d.DesignMode = true;
    EXPECT_EQ(ScrollableEnds(d), 50);
}

TEST(ViewStatus, PanelsNameTheCellUnderThePointerInDraftNumbers) {
    ViewFixture f;
    DraftState& d = *f.Draft;
    d.WarpColors[13] = 42;
    d.WeftColors[27] = 17;
    ViewWindow w;
    w.ScrollEnds = 10;
    w.ScrollPicks = 20;
    w.VisibleEnds = 30;
    w.VisiblePicks = 25;
    const std::string end = GetText("TWform", "@idend"), pick = GetText("TWform", "@idpick"),
                      shaft = GetText("TWform", "@idshaft"),
                      treadle = GetText("TWform", "@idtreadle"),
                      color = GetText("TWform", "@idcolor");
    auto texts = [&](ViewArea a, int col, int row) {
        const PositionTexts t = PointerPositionTexts(d, w, {a, col, row});
        return t.First + "|" + t.Second;
    };
    EXPECT_EQ(texts(ViewArea::Threading, 3, 2), end + ": 13|" + shaft + ": 2");
    EXPECT_EQ(texts(ViewArea::Treadling, 4, 7), pick + ": 27|" + treadle + ": 4");
    EXPECT_EQ(texts(ViewArea::Drawdown, 3, 7), end + ": 13|" + pick + ": 27");
    EXPECT_EQ(texts(ViewArea::WarpColors, 3, 0), end + ": 13|" + color + ": 42");
    EXPECT_EQ(texts(ViewArea::WeftColors, 0, 7), pick + ": 27|" + color + ": 17");
    EXPECT_EQ(texts(ViewArea::TieUp, 4, 2), shaft + ": 2|" + treadle + ": 4");
    EXPECT_EQ(texts(ViewArea::None, 0, 0), "|");
    d.TreadleMode = false;
    EXPECT_EQ(texts(ViewArea::Treadling, 4, 7), pick + ": 27|" + shaft + ": 4");

    EXPECT_EQ(WarpRangeText(w), GetText("TWform", "@idwarp") + ": 11-40");
    EXPECT_EQ(WeftRangeText(w), GetText("TWform", "@idweft") + ": 21-45");
    w.VisiblePicks = 0;
    EXPECT_EQ(WeftRangeText(w), GetText("TWform", "@idweft") + ": 20-20");
}

TEST(ViewCaption, PathShownByWidthAndLength) {
    EXPECT_EQ(WindowCaption("Heddlewise", "", 1200), "Heddlewise");
    EXPECT_EQ(WindowCaption("Heddlewise", "/home/ann/rose.hdw", 1200),
              "Heddlewise - /home/ann/rose.hdw");
    EXPECT_EQ(WindowCaption("Heddlewise", "/home/ann/rose.hdw", 999), "Heddlewise - rose.hdw");
    const std::string longDocs =
        "C:\\Documents and Settings\\ann\\" + std::string(61, 'x') + "\\rose.hdw"; // 100 characters
    ASSERT_EQ(longDocs.size(), 100u);
    EXPECT_EQ(WindowCaption("Heddlewise", longDocs, 1200),
              "Heddlewise - C:\\Doc...\\ann\\" + std::string(61, 'x') + "\\rose.hdw");
    const std::string tooLong = "/" + std::string(120, 'y') + "/rose.hdw";
    EXPECT_EQ(WindowCaption("Heddlewise", tooLong, 1200), "Heddlewise - rose.hdw");
    EXPECT_EQ(ApplicationTitle("Heddlewise", "/home/ann/rose.hdw"), "rose - Heddlewise");
    EXPECT_EQ(ApplicationTitle("Heddlewise", ""), "Heddlewise");
}

} // namespace
} // namespace hw
