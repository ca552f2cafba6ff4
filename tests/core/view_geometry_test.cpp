#include "text/lang.h"
#include "view/geometry.h"
#include "view/status_text.h"
#include "view_fixture.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using test::ViewFixture;

// Where the areas lie is checked pixel by pixel by the renderer's oracle;
// here every cell of every area, in every start position and loom system,
// must hit back to its own numbers from anywhere inside it.
TEST(ViewHitTest, EveryCellHitsBackInEveryLayout) {
    for (int bits = 0; bits < 64; ++bits) {
        SCOPED_TRACE(bits);
        ViewFixture f;
        DraftState& d = *f.Draft;
        d.LayoutTopBot = bits & 1, d.RightStart = bits & 2, d.Atopstart = bits & 4;
        d.BottomStart = bits & 8, d.CkoLeftStart = bits & 16, d.TreadleMode = !(bits & 32);
        d.Shafts = 5, d.Treadles = d.TreadleMode ? 7 : 5, d.Zoom = 5;
        f.Layout(6 * 30 + 3, 6 * 25 + 4);
        const ViewGeometry& g = f.Geometry;
        auto roundTrip = [&](ViewArea area, const ViewAreaLayout& a, bool col, bool row) {
            for (int column = 1; column <= a.Columns.Count; ++column)
                for (int r = 1; r <= a.Rows.Count; ++r)
                    for (int dx : {1, 3, 5}) {
                        const int x = a.Columns.CellPos(column) + dx,
                                  y = a.Rows.CellPos(r) + 6 - dx;
                        const ViewHit h = HitTest(g, x, y, false);
                        ASSERT_EQ(h, (ViewHit{area, col ? column : 0, row ? r : 0}))
                            << x << "," << y;
                    }
        };
        roundTrip(ViewArea::Threading, g.Threading, true, true);
        roundTrip(ViewArea::TieUp, g.TieUp, true, true);
        roundTrip(ViewArea::Treadling, g.Treadling, true, true);
        roundTrip(ViewArea::Drawdown, g.Drawdown, true, true);
        roundTrip(ViewArea::WarpColors, g.WarpColors, true, false);
        roundTrip(ViewArea::WeftColors, g.WeftColors, false, true);
        // Grid lines and gaps belong to no area; the tie-up of a liftplan
        // draft is drawn as lines, not edited.
        const int y = g.Drawdown.Rows.Start + 3;
        EXPECT_EQ(HitTest(g, g.Drawdown.Columns.Start, y).Area, ViewArea::None);
        EXPECT_EQ(HitTest(g, g.Drawdown.Columns.End() + 3, y).Area, ViewArea::None);
        EXPECT_EQ(HitTest(g, g.TieUp.Columns.Start + 3, g.TieUp.Rows.Start + 3, true).Area,
                  d.TreadleMode ? ViewArea::TieUp : ViewArea::None);
    }
}

TEST(ViewHitTest, DesignModeHiddenThreadingAndMultipleTreadling) {
    ViewFixture f;
    f.Draft->DesignMode = true;
    f.Draft->Zoom = 3; // 4-pixel cells
    f.Layout(1000, 1000);
    // The design grid is at most 50 x 50, with only the colours beside it.
    EXPECT_EQ(std::tuple(f.Geometry.VisibleEnds, f.Geometry.VisiblePicks), std::tuple(50, 50));
    EXPECT_FALSE(f.Geometry.Threading.Shown || f.Geometry.Treadling.Shown);
    EXPECT_EQ(HitTest(f.Geometry, 5, 2).Area, ViewArea::WarpColors);
    EXPECT_EQ(HitTest(f.Geometry, 5, 10).Area, ViewArea::Drawdown);
    f.Draft->DesignMode = false;
    f.Settings.ShowThreading = false;
    f.Layout(400, 300);
    EXPECT_EQ(HitTest(f.Geometry, 3, 3).Area, ViewArea::Drawdown);
    EXPECT_FALSE(f.Geometry.WarpColors.Shown);
    // Multiple treadling: the drawdown shows positions but is not edited.
    f.Draft->MultipleTr = true;
    f.Layout(400, 300);
    const test::Point p = f.Center(f.Geometry.Drawdown, 2, 3);
    EXPECT_EQ(HitTest(f.Geometry, p.X, p.Y, true).Area, ViewArea::None);
    EXPECT_EQ(HitTest(f.Geometry, p.X, p.Y, false), (ViewHit{ViewArea::Drawdown, 2, 3}));
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
