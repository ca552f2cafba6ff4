#include "text/lang.h"
#include "view/geometry.h"
#include "view/status_text.h"
#include "view_fixture.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using test::ViewFixture;

// Where each area lies, and that each cell hits back to its own numbers, is
// checked with the renderer's oracle.
TEST(ViewHitTest, WhatCanBeEditedAndTheDesignGridsLimit) {
    ViewFixture f;
    f.Draft->DesignMode = true;
    f.Draft->Zoom = 3; // 4-pixel cells
    f.Layout(1000, 1000);
    // The design grid is at most 50 x 50, with only the colours beside it.
    EXPECT_EQ(std::tuple(f.Geometry.VisibleEnds, f.Geometry.VisiblePicks), std::tuple(50, 50));
    EXPECT_FALSE(f.Geometry.Threading.Shown || f.Geometry.Treadling.Shown);
    EXPECT_EQ(HitTest(f.Geometry, 5, 2).Area, ViewArea::WarpColors);
    EXPECT_EQ(HitTest(f.Geometry, 5, 10).Area, ViewArea::Drawdown);
    // Multiple treadling: the drawdown shows positions but is not edited;
    // nor is the tie-up of a liftplan, drawn as lines.
    f.Draft->DesignMode = false;
    f.Draft->MultipleTr = true;
    f.Layout(400, 300);
    const test::Point p = f.Center(f.Geometry.Drawdown, 2, 3);
    EXPECT_EQ(HitTest(f.Geometry, p.X, p.Y, true).Area, ViewArea::None);
    EXPECT_EQ(HitTest(f.Geometry, p.X, p.Y, false), (ViewHit{ViewArea::Drawdown, 2, 3}));
    f.Draft->TreadleMode = false;
    f.Layout(400, 300);
    const test::Point t = f.Center(f.Geometry.TieUp, 1, 1);
    EXPECT_EQ(HitTest(f.Geometry, t.X, t.Y, true).Area, ViewArea::None);
    // Grid lines and gaps belong to no area.
    const int y = f.Geometry.Drawdown.Rows.Start + 3;
    EXPECT_EQ(HitTest(f.Geometry, f.Geometry.Drawdown.Columns.Start, y).Area, ViewArea::None);
    EXPECT_EQ(HitTest(f.Geometry, f.Geometry.Drawdown.Columns.End() + 3, y).Area, ViewArea::None);
}

TEST(ViewZoom, TheLargestStepAtWhichShaftsAndTreadlesFit) {
    ViewFixture f;
    DraftState& d = *f.Draft;
    d.Shafts = d.Treadles = 16;
    // 16 + 5 rows must fit: 200 / 21 = 9-pixel cells at most, zoom 8.
    EXPECT_EQ(LargestFittingZoom(d, true, 2000, 200), 8);
    EXPECT_EQ(std::tuple(AcceptedZoom(d, true, 20, 2000, 200), AcceptedZoom(d, true, 6, 2000, 200)),
              std::tuple(8, 6));
    // Without the threading only the treadles limit it; Design mode takes any step.
    EXPECT_EQ(LargestFittingZoom(d, false, 2000, 200), 20);
    EXPECT_EQ(LargestFittingZoom(d, false, 210, 200), 9); // 210 / 21 = 10-pixel cells
    d.DesignMode = true;
    EXPECT_EQ(AcceptedZoom(d, true, 20, 2000, 200), 20);
    // Shrinking the window lowers the zoom, growing it does not raise it again.
    d.DesignMode = false;
    d.Zoom = 20;
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
    d.Ends = 500, d.Picks = 300;
    f.Layout(800, 600);
    ViewWindow& w = f.Window;
    const int maxEnds = 500 - w.VisibleEnds, maxPicks = 300 - w.VisiblePicks;
    ASSERT_TRUE(maxEnds > 0 && maxPicks > 0);
    w.ScrollEnds = 9999, w.ScrollPicks = -5;
    EXPECT_TRUE(ClampScroll(d, w));
    EXPECT_EQ(std::tuple(w.ScrollEnds, w.ScrollPicks), std::tuple(maxEnds, 0));
    EXPECT_FALSE(ClampScroll(d, w));
    // From the left the bar runs with the ends; from the right, moving the
    // thumb left shows higher ends.
    d.RightStart = false;
    const ScrollBarSetup bar = HorizontalBar(d, w);
    EXPECT_EQ(std::tuple(bar.Position, bar.Maximum, bar.PageStep),
              std::tuple(maxEnds, maxEnds, w.VisibleEnds - 1));
    EXPECT_EQ(EndOffsetFromBar(d, w, 10), 10);
    d.RightStart = true, d.BottomStart = true;
    EXPECT_EQ(std::tuple(EndOffsetFromBar(d, w, 0), EndOffsetFromBar(d, w, maxEnds),
                         HorizontalBar(d, w).Position),
              std::tuple(maxEnds, 0, 0));
    EXPECT_EQ(std::tuple(PickOffsetFromBar(d, w, 0), PickOffsetFromBar(d, w, maxPicks + 50)),
              std::tuple(maxPicks, 0));
    // A draft smaller than the window cannot scroll; Design mode scrolls
    // through at most 50 ends.
    d.Ends = 10;
    EXPECT_TRUE(ClampScroll(d, w));
    EXPECT_EQ(std::tuple(w.ScrollEnds, HorizontalBar(d, w).Maximum), std::tuple(0, 0));
    d.Ends = 500, d.DesignMode = true;
    EXPECT_EQ(ScrollableEnds(d), 50);
}

TEST(ViewStatus, PanelsNameTheCellUnderThePointerInDraftNumbers) {
    auto d = test::NewDraft();
    d->WarpColors[13] = 42, d->WeftColors[27] = 17;
    ViewWindow w{10, 20, 30, 25};
    auto text = [](const char* key) { return GetText("TWform", key); };
    const std::string end = text("@idend"), pick = text("@idpick"), shaft = text("@idshaft"),
                      treadle = text("@idtreadle"), color = text("@idcolor");
    auto texts = [&](ViewArea a, int col, int row) {
        const PositionTexts t = PointerPositionTexts(*d, w, {a, col, row});
        return t.First + "|" + t.Second;
    };
    EXPECT_EQ(texts(ViewArea::Threading, 3, 2), end + ": 13|" + shaft + ": 2");
    EXPECT_EQ(texts(ViewArea::Treadling, 4, 7), pick + ": 27|" + treadle + ": 4");
    EXPECT_EQ(texts(ViewArea::Drawdown, 3, 7), end + ": 13|" + pick + ": 27");
    EXPECT_EQ(texts(ViewArea::WarpColors, 3, 0), end + ": 13|" + color + ": 42");
    EXPECT_EQ(texts(ViewArea::WeftColors, 0, 7), pick + ": 27|" + color + ": 17");
    EXPECT_EQ(texts(ViewArea::TieUp, 4, 2), shaft + ": 2|" + treadle + ": 4");
    EXPECT_EQ(texts(ViewArea::None, 0, 0), "|");
    d->TreadleMode = false;
    EXPECT_EQ(texts(ViewArea::Treadling, 4, 7), pick + ": 27|" + shaft + ": 4");
    EXPECT_EQ(WarpRangeText(w), text("@idwarp") + ": 11-40");
    EXPECT_EQ(WeftRangeText(w), text("@idweft") + ": 21-45");
    w.VisiblePicks = 0;
    EXPECT_EQ(WeftRangeText(w), text("@idweft") + ": 20-20");
}

TEST(ViewCaption, PathShownByWidthAndLength) {
    const std::string docs = "C:\\Documents and Settings\\ann\\" + std::string(61, 'x');
    const std::tuple<std::string, int, std::string> cases[] = {
        {"", 1200, "Heddlewise"},
        {"/home/ann/rose.hdw", 1200, "Heddlewise - /home/ann/rose.hdw"},
        {"/home/ann/rose.hdw", 999, "Heddlewise - rose.hdw"},
        {docs + "\\rose.hdw", 1200,
         "Heddlewise - C:\\Doc...\\ann\\" + std::string(61, 'x') + "\\rose.hdw"},
        {"/" + std::string(120, 'y') + "/rose.hdw", 1200, "Heddlewise - rose.hdw"},
    };
    for (const auto& [path, width, caption] : cases)
        EXPECT_EQ(WindowCaption("Heddlewise", path, width), caption);
    EXPECT_EQ(ApplicationTitle("Heddlewise", "/home/ann/rose.hdw"), "rose - Heddlewise");
    EXPECT_EQ(ApplicationTitle("Heddlewise", ""), "Heddlewise");
}

} // namespace
} // namespace hw
