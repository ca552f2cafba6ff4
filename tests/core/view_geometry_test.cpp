#include "text/lang.h"
#include "view/geometry.h"
#include "view/status_text.h"
#include "view_fixture.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using test::ViewFixture;

// Where each cell lies and that it hits back: see the renderer's oracle.
TEST(ViewHitTest, WhatCanBeEditedAndTheDesignGridsLimit) {
    ViewFixture f;
    const ViewGeometry& g = f.Geometry;
    f.Draft->DesignMode = true, f.Draft->Zoom = 3; // 4-pixel cells
    f.Layout(1000, 1000);
    // The design grid is at most 50 x 50, with only the colours beside it.
    EXPECT_EQ(std::tuple(g.VisibleEnds, g.VisiblePicks, g.Threading.Shown),
              std::tuple(50, 50, false));
    // Multiple treadling: the drawdown shows positions but is not edited;
    // nor is the tie-up of a liftplan, drawn as lines. Grid lines and gaps
    // belong to no area.
    f.Draft->DesignMode = false, f.Draft->MultipleTr = true;
    f.Layout(400, 300);
    const test::Point p = f.Center(g.Drawdown, 2, 3);
    EXPECT_EQ(HitTest(g, p.X, p.Y, true).Area, ViewArea::None);
    EXPECT_EQ(HitTest(g, p.X, p.Y, false), (ViewHit{ViewArea::Drawdown, 2, 3}));
    EXPECT_EQ(HitTest(g, g.Drawdown.Columns.Start, p.Y).Area, ViewArea::None);
    EXPECT_EQ(HitTest(g, g.Drawdown.Columns.End() + 3, p.Y).Area, ViewArea::None);
    f.Draft->TreadleMode = false;
    f.Layout(400, 300);
    const test::Point t = f.Center(g.TieUp, 1, 1);
    EXPECT_EQ(HitTest(g, t.X, t.Y, true).Area, ViewArea::None);
}

TEST(ViewZoom, TheLargestStepAtWhichShaftsAndTreadlesFit) {
    ViewFixture f;
    DraftState& d = *f.Draft;
    d.Shafts = d.Treadles = 16;
    // 16 + 5 rows must fit: 200 / 21 = 9-pixel cells at most, zoom 8. Without
    // the threading only the treadles limit it (210 / 21 = 10-pixel cells).
    EXPECT_EQ(std::tuple(AcceptedZoom(d, true, 20, 2000, 200), AcceptedZoom(d, true, 6, 2000, 200),
                         LargestFittingZoom(d, false, 2000, 200),
                         LargestFittingZoom(d, false, 210, 200)),
              std::tuple(8, 6, 20, 9));
    d.DesignMode = true; // takes any step
    EXPECT_EQ(AcceptedZoom(d, true, 20, 2000, 200), 20);
    // Shrinking the window lowers the zoom, growing it does not raise it again.
    d.DesignMode = false, d.Zoom = 20;
    f.Layout(3000, 300); // 300 / 21 = 14-pixel cells
    f.Layout(3000, 2000);
    EXPECT_EQ(d.Zoom, 13);
    // Nothing fits: the smallest step, and no negative counts.
    f.Layout(10, 10);
    EXPECT_EQ(std::tuple(d.Zoom, f.Window.VisibleEnds, f.Window.VisiblePicks), std::tuple(1, 0, 0));
    f.Layout(0, 0);
    f.Paint(); // painting an empty view must be harmless
}

TEST(ViewScroll, OffsetsClampAndTheBarsMirrorTheDraftsDirection) {
    ViewFixture f;
    DraftState& d = *f.Draft;
    d.Ends = 500, d.Picks = 300, d.RightStart = false;
    f.Layout(800, 600);
    ViewWindow& w = f.Window;
    const int maxEnds = 500 - w.VisibleEnds, maxPicks = 300 - w.VisiblePicks;
    w.ScrollEnds = 9999, w.ScrollPicks = -5;
    EXPECT_TRUE(ClampScroll(d, w) && !ClampScroll(d, w));
    EXPECT_EQ(std::tuple(w.ScrollEnds, w.ScrollPicks), std::tuple(maxEnds, 0));
    // From the left the bar runs with the ends; from the right, moving the
    // thumb left shows higher ends (and picks from the bottom likewise).
    const ScrollBarSetup bar = HorizontalBar(d, w);
    EXPECT_EQ(std::tuple(bar.Position, bar.Maximum, bar.PageStep, EndOffsetFromBar(d, w, 10)),
              std::tuple(maxEnds, maxEnds, w.VisibleEnds - 1, 10));
    d.RightStart = true, d.BottomStart = true;
    EXPECT_EQ(std::tuple(EndOffsetFromBar(d, w, 0), EndOffsetFromBar(d, w, maxEnds),
                         HorizontalBar(d, w).Position, PickOffsetFromBar(d, w, 0),
                         PickOffsetFromBar(d, w, maxPicks + 50)),
              std::tuple(maxEnds, 0, 0, maxPicks, 0));
    // A draft smaller than the window cannot scroll; Design mode scrolls
    // through at most 50 ends.
    d.Ends = 10;
    EXPECT_TRUE(ClampScroll(d, w));
    EXPECT_EQ(std::tuple(w.ScrollEnds, HorizontalBar(d, w).Maximum), std::tuple(0, 0));
    d.Ends = 500, d.DesignMode = true;
    EXPECT_EQ(ScrollableEnds(d), 50);
}

TEST(ViewStatus, PanelsNameTheCellInDraftNumbersAndTheCaptionThePath) {
    auto d = test::NewDraft();
    d->WarpColors[13] = 42, d->WeftColors[27] = 17;
    ViewWindow w{10, 20, 30, 25};
    auto texts = [&](ViewArea a, int col, int row) {
        const PositionTexts t = PointerPositionTexts(*d, w, {a, col, row});
        return t.First + "|" + t.Second;
    };
    auto label = [](const char* key) { return GetText("TWform", key) + ": "; };
    const std::string e = label("@idend"), p = label("@idpick"), s = label("@idshaft"),
                      t = label("@idtreadle"), c = label("@idcolor");
    EXPECT_EQ(texts(ViewArea::Threading, 3, 2), e + "13|" + s + "2");
    EXPECT_EQ(texts(ViewArea::Treadling, 4, 7), p + "27|" + t + "4");
    EXPECT_EQ(texts(ViewArea::WarpColors, 3, 0), e + "13|" + c + "42");
    EXPECT_EQ(texts(ViewArea::WeftColors, 0, 7), p + "27|" + c + "17");
    EXPECT_EQ(texts(ViewArea::TieUp, 4, 2), s + "2|" + t + "4");
    EXPECT_EQ(texts(ViewArea::None, 0, 0), "|");
    d->TreadleMode = false;
    EXPECT_EQ(texts(ViewArea::Treadling, 4, 7), p + "27|" + s + "4");
    EXPECT_EQ(WarpRangeText(w), label("@idwarp") + "11-40");
    w.VisiblePicks = 0;
    EXPECT_EQ(WeftRangeText(w), label("@idweft") + "20-20");
    // Long paths shorten "Documents and Settings", then show the file name only.
    const std::string docs = "C:\\Documents and Settings\\ann\\" + std::string(61, 'x');
    EXPECT_EQ(WindowCaption("Heddlewise", docs + "\\rose.hdw", 1200),
              "Heddlewise - C:\\Doc...\\ann\\" + std::string(61, 'x') + "\\rose.hdw");
    EXPECT_EQ(WindowCaption("Heddlewise", "/" + std::string(120, 'y') + "/rose.hdw", 1200),
              "Heddlewise - rose.hdw");
    EXPECT_EQ(ApplicationTitle("Heddlewise", "/home/ann/rose.hdw"), "rose - Heddlewise");
}

} // namespace
} // namespace hw
