#include "edit/stroke.h"
#include "model/loom_system.h"
#include "model/primitives.h"
#include "view_fixture.h"

#include <gtest/gtest.h>

#include <random>

namespace hw {
namespace {

using test::Point;

struct StrokeFixture : test::ViewFixture {
    StrokeState Stroke;

    explicit StrokeFixture(StrokeTool tool = StrokeTool::Line) {
        Stroke.Tool = tool;
        Draft->Shafts = 8;
        Draft->Treadles = 8;
    }
    void Show(int width = 600, int height = 500) {
        Layout(width, height);
        Paint();
    }
    StrokeView View() { return {*Draft, Window, Geometry, Settings, *Canvas}; }
    PressResult Press(const ViewAreaLayout& a, int col, int row,
                      StrokeButton b = StrokeButton::Left) {
        StrokeView v = View();
        const Point p = Center(a, col, row);
        return StrokePress(Stroke, v, b, p.X, p.Y);
    }
    void Move(const ViewAreaLayout& a, int col, int row) {
        StrokeView v = View();
        const Point p = Center(a, col, row);
        StrokeMove(Stroke, v, p.X, p.Y);
    }
    bool Release() {
        StrokeView v = View();
        return StrokeRelease(Stroke, v);
    }
    UndoKind Undo() {
        StrokeView v = View();
        return UndoLast(Stroke, v);
    }
    // What is on screen is what a full repaint of the draft gives.
    void ExpectScreenIsTheDraft(const char* when) {
        EXPECT_EQ(test::FirstDifference(*Canvas, *Fresh()), "") << when;
    }
    const ViewGeometry& G() const { return Geometry; }
};

// The parts of a draft a stroke may touch, to compare before and after.
struct Snapshot {
    std::array<uint8_t, MaxEnds + 1> Threading, WarpColors;
    std::array<uint8_t, MaxPicks + 1> Treadling, WeftColors;
    std::array<LiftplanRow, MaxPicks + 1> Liftplan;
    std::array<std::array<uint8_t, MaxTreadles>, MaxShafts> TieUp;
    std::array<std::array<uint8_t, DesignRowBytes>, DesignSize + 1> Design;
    explicit Snapshot(const DraftState& d)
        : Threading(d.Threading), WarpColors(d.WarpColors), Treadling(d.Treadling),
          WeftColors(d.WeftColors), Liftplan(d.Liftplan), TieUp(d.TieUp), Design(d.DesignGrid) {}
    bool operator==(const Snapshot&) const = default;
};

TEST(PenStroke, DragAcrossThreeShaftsOfOneEndKeepsOnlyTheLast) {
    StrokeFixture f(StrokeTool::Pen);
    f.Twill(10, 10);
    f.Show();
    const ViewAreaLayout& th = f.G().Threading;
    ASSERT_EQ(f.Press(th, 2, 5), PressResult::Stroke);
    f.Move(th, 2, 6);
    f.Move(th, 2, 7);
    // On screen the end shows one mark while the draft is untouched.
    EXPECT_EQ(f.At(f.Center(th, 2, 7)), MarkColor);
    EXPECT_EQ(f.At(f.Center(th, 2, 5)), f.Settings.BackgroundColor);
    EXPECT_EQ(f.At(f.Center(th, 2, 6)), f.Settings.BackgroundColor);
    EXPECT_EQ(f.Draft->Threading[2], 2);
    ASSERT_TRUE(f.Release());
    EXPECT_EQ(f.Draft->Threading[2], 7);
    EXPECT_TRUE(f.Draft->Changed);
    EXPECT_TRUE(f.Draft->UndoEnabled);
    f.ExpectScreenIsTheDraft("after the stroke");
    // Undo walks the three entries back to the first old value.
    EXPECT_EQ(f.Undo(), UndoKind::Stroke);
    EXPECT_EQ(f.Draft->Threading[2], 2);
    EXPECT_FALSE(f.Draft->UndoEnabled);
    f.ExpectScreenIsTheDraft("after undo");
    EXPECT_EQ(f.Undo(), UndoKind::None); // one level only
}

TEST(LineStroke, ThreadingLineMarksOneShaftPerEndRoundingTiesToEven) {
    StrokeFixture f;
    f.Show();
    const ViewAreaLayout& th = f.G().Threading;
    f.Press(th, 1, 1);
    f.Move(th, 8, 4);
    ASSERT_TRUE(f.Release());
    const int expected[] = {1, 1, 2, 2, 3, 3, 4, 4};
    for (int e = 1; e <= 8; ++e) EXPECT_EQ(f.Draft->Threading[e], expected[e - 1]) << e;
    EXPECT_EQ(f.Draft->Threading[9], 0);
    f.ExpectScreenIsTheDraft("line");

    // Halfway points go to the even shaft: 1, 1.5, 2, 2.5, 3.
    StrokeFixture g;
    g.Show();
    g.Press(g.G().Threading, 1, 1);
    g.Move(g.G().Threading, 5, 3);
    g.Release();
    const int even[] = {1, 2, 2, 2, 3};
    for (int e = 1; e <= 5; ++e) EXPECT_EQ(g.Draft->Threading[e], even[e - 1]) << e;

    // A steep line keeps the first point of each end.
    StrokeFixture s;
    s.Show();
    s.Press(s.G().Threading, 1, 1);
    s.Move(s.G().Threading, 2, 8);
    s.Release();
    EXPECT_EQ(s.Draft->Threading[1], 1);
    EXPECT_EQ(s.Draft->Threading[2], 5); // the line enters end 2 at step 4
}

TEST(LineStroke, MovingBackErasesTheOldLineFromTheScreen) {
    StrokeFixture f;
    f.Show();
    const ViewAreaLayout& tu = f.G().TieUp;
    f.Press(tu, 1, 1);
    f.Move(tu, 6, 6);
    EXPECT_EQ(f.At(f.Center(tu, 6, 6)), MarkColor);
    f.Move(tu, 3, 3);
    // Cells the line left show the draft again.
    EXPECT_EQ(f.At(f.Center(tu, 6, 6)), f.Settings.BackgroundColor);
    EXPECT_EQ(f.At(f.Center(tu, 3, 3)), MarkColor);
    f.Release();
    for (int s = 1; s <= 8; ++s)
        for (int t = 1; t <= 8; ++t) EXPECT_EQ(f.Draft->TieUpAt(s, t), s == t && s <= 3);
    f.ExpectScreenIsTheDraft("tie-up line");
}

TEST(Strokes, RightButtonDragUnthreadsTheEnds) {
    StrokeFixture f;
    f.Twill(10, 10);
    f.Show();
    const ViewAreaLayout& th = f.G().Threading;
    f.Press(th, 3, 1, StrokeButton::Right);
    f.Move(th, 6, 2);
    f.Release();
    for (int e = 1; e <= 10; ++e) EXPECT_EQ(f.Draft->Threading[e] == 0, e >= 3 && e <= 6) << e;
    f.ExpectScreenIsTheDraft("unthreaded");
    f.Undo();
    for (int e = 1; e <= 10; ++e) EXPECT_EQ(f.Draft->Threading[e], (e - 1) % 4 + 1);
    f.ExpectScreenIsTheDraft("rethreaded");
}

TEST(Strokes, RightClickInAColourRowPicksTheColourOnly) {
    StrokeFixture f;
    f.Twill(10, 10);
    f.Draft->WarpColors[4] = 33;
    f.Draft->WeftColors[6] = 44;
    f.Show();
    const Snapshot before(*f.Draft);
    EXPECT_EQ(f.Press(f.G().WarpColors, 4, 1, StrokeButton::Right), PressResult::ColorPicked);
    EXPECT_EQ(f.Draft->CurrentColor, 33);
    EXPECT_FALSE(f.Release());
    EXPECT_EQ(f.Press(f.G().WeftColors, 1, 6, StrokeButton::Right), PressResult::ColorPicked);
    EXPECT_EQ(f.Draft->CurrentColor, 44);
    EXPECT_TRUE(Snapshot(*f.Draft) == before);
    EXPECT_FALSE(f.Draft->Changed);
    EXPECT_FALSE(f.Draft->UndoEnabled);
}

TEST(Strokes, ColourStrokeCoversTheRangeFromStartToCurrent) {
    StrokeFixture f(StrokeTool::Pen);
    f.Twill(10, 10);
    f.Show();
    f.Draft->CurrentColor = 99;
    const ViewAreaLayout& wc = f.G().WarpColors;
    f.Press(wc, 2, 1);
    f.Move(wc, 6, 1);
    // Shown in the new colour, with the drawdown column, before it is applied.
    EXPECT_EQ(f.At(f.Center(wc, 6, 1)), f.Draft->ColorTable[99]);
    EXPECT_NE(f.Draft->WarpColors[6], 99);
    f.Move(wc, 4, 1);
    EXPECT_NE(f.At(f.Center(wc, 6, 1)), f.Draft->ColorTable[99]);
    ASSERT_TRUE(f.Release());
    for (int e = 1; e <= 8; ++e) EXPECT_EQ(f.Draft->WarpColors[e] == 99, e >= 2 && e <= 4) << e;
    f.ExpectScreenIsTheDraft("warp colours");

    const ViewAreaLayout& fc = f.G().WeftColors;
    f.Draft->CurrentColor = 98;
    f.Press(fc, 1, 7);
    f.Move(fc, 1, 5);
    f.Release();
    for (int p = 1; p <= 8; ++p) EXPECT_EQ(f.Draft->WeftColors[p] == 98, p >= 5 && p <= 7) << p;
    f.ExpectScreenIsTheDraft("weft colours");
}

TEST(Strokes, DrawdownStrokesEditTheCellTheyStandFor) {
    StrokeFixture f;
    f.Twill(10, 10);
    f.Draft->Threading[3] = 0;
    f.Show();
    const ViewAreaLayout& dd = f.G().Drawdown;
    // An empty end stands for nothing: no change, no undo given up.
    SaveUndo(*f.Draft);
    const Snapshot before(*f.Draft);
    f.Press(dd, 3, 2);
    EXPECT_FALSE(f.Release());
    EXPECT_TRUE(Snapshot(*f.Draft) == before);
    EXPECT_FALSE(f.Draft->Changed);
    EXPECT_TRUE(f.Draft->Undo.Valid);
    f.ExpectScreenIsTheDraft("nothing changed");

    // End 6 is on shaft 2, pick 4 on treadle 4: tie-up cell (2, 4).
    ASSERT_EQ(f.Draft->TieUpAt(2, 4), 0);
    f.Press(dd, 6, 4);
    ASSERT_TRUE(f.Release());
    EXPECT_EQ(f.Draft->TieUpAt(2, 4), 1);
    EXPECT_FALSE(f.Draft->Undo.Valid); // a stroke gives up the whole-draft copy
    f.ExpectScreenIsTheDraft("tie-up from drawdown");
    f.Press(dd, 6, 4, StrokeButton::Right);
    f.Release();
    EXPECT_EQ(f.Draft->TieUpAt(2, 4), 0);

    // In liftplan mode it is the liftplan cell (pick, shaft).
    StrokeFixture l;
    l.Twill(10, 10);
    l.Draft->TreadleMode = false;
    TreadlingToLiftplan(*l.Draft, 10);
    l.Draft->Treadles = l.Draft->Shafts;
    l.Show();
    const bool was = LiftplanGet(*l.Draft, 4, 2);
    l.Press(l.G().Drawdown, 6, 4, was ? StrokeButton::Right : StrokeButton::Left);
    l.Release();
    EXPECT_EQ(LiftplanGet(*l.Draft, 4, 2), !was);
    l.ExpectScreenIsTheDraft("liftplan from drawdown");
}

TEST(Strokes, TreadlingKeepsOneTreadlePerPickLiftplanTakesEveryCell) {
    StrokeFixture f(StrokeTool::Pen);
    f.Show();
    const ViewAreaLayout& tr = f.G().Treadling;
    f.Press(tr, 1, 3);
    f.Move(tr, 2, 3);
    f.Move(tr, 3, 3);
    f.Move(tr, 3, 4);
    f.Release();
    EXPECT_EQ(f.Draft->Treadling[3], 3);
    EXPECT_EQ(f.Draft->Treadling[4], 3);
    f.ExpectScreenIsTheDraft("treadling");

    StrokeFixture m(StrokeTool::Pen);
    m.Draft->MultipleTr = true;
    m.Show();
    m.Press(m.G().Treadling, 1, 3);
    m.Move(m.G().Treadling, 2, 3);
    m.Move(m.G().Treadling, 3, 3);
    m.Release();
    EXPECT_EQ(m.Draft->Liftplan[3], 0b111);
    m.ExpectScreenIsTheDraft("multiple treadling");
}

TEST(Strokes, AStrokeStopsGrowingAtAThousandCells) {
    StrokeFixture f(StrokeTool::Pen);
    f.Draft->TreadleMode = false;
    f.Draft->Treadles = f.Draft->Shafts;
    f.Show();
    const ViewAreaLayout& tr = f.G().Treadling;
    f.Press(tr, 1, 1);
    for (int n = 0; n < 1200; ++n) f.Move(tr, n % 2 ? 1 : 2, 1);
    EXPECT_EQ(f.Stroke.Entries.size(), size_t(MaxStrokeEntries));
    f.Release();
    EXPECT_EQ(f.Draft->Liftplan[1], 0b11);
    f.Undo();
    EXPECT_EQ(f.Draft->Liftplan[1], 0);
}

TEST(Strokes, ScrolledAndMirroredViewsEditTheEndUnderThePointer) {
    StrokeFixture f;
    f.Draft->RightStart = true;
    f.Draft->BottomStart = true;
    f.Draft->Ends = 300;
    f.Draft->Picks = 300;
    f.Twill(8, 8);
    f.Layout(600, 500);
    f.Window.ScrollEnds = 20;
    f.Window.ScrollPicks = 30;
    f.Paint();
    f.Press(f.G().Threading, 2, 3);
    f.Release();
    EXPECT_EQ(f.Draft->Threading[22], 3);
    f.Press(f.G().Treadling, 5, 1);
    f.Release();
    EXPECT_EQ(f.Draft->Treadling[31], 5);
    f.ExpectScreenIsTheDraft("scrolled");
    // Threading an end past the draft's length lengthens the draft.
    f.Window.ScrollEnds = 0;
    f.Draft->Ends = 30;
    f.Layout(600, 500);
    f.Paint();
    const int last = f.G().VisibleEnds;
    ASSERT_GT(last, 30);
    f.Press(f.G().Threading, last, 1);
    f.Release();
    EXPECT_EQ(f.Draft->Ends, last);
    // Columns up to the new last threaded end now show their weft.
    f.ExpectScreenIsTheDraft("beyond the draft");
}

TEST(Undo, WholeDraftCopyAfterACommandStrokeRecordAfterAStroke) {
    StrokeFixture f;
    f.Twill(10, 10);
    f.Show();
    const Snapshot original(*f.Draft);
    SaveUndo(*f.Draft);
    MarkChanged(*f.Draft);
    ClearDraft(*f.Draft); // a command
    EXPECT_EQ(f.Undo(), UndoKind::WholeDraft);
    EXPECT_TRUE(Snapshot(*f.Draft) == original);
    EXPECT_FALSE(f.Draft->Undo.Valid);
    EXPECT_FALSE(f.Draft->UndoEnabled);
}

TEST(Undo, ScrollingGivesUpAStrokeButKeepsAWholeDraftCopy) {
    StrokeFixture f;
    f.Twill(10, 10);
    f.Show();
    f.Press(f.G().Threading, 1, 8);
    f.Release();
    ASSERT_TRUE(f.Draft->UndoEnabled);
    GiveUpStrokeUndo(f.Stroke, *f.Draft);
    EXPECT_FALSE(f.Draft->UndoEnabled);
    EXPECT_EQ(f.Undo(), UndoKind::None);
    EXPECT_EQ(f.Draft->Threading[1], 8);

    SaveUndo(*f.Draft);
    MarkChanged(*f.Draft);
    GiveUpStrokeUndo(f.Stroke, *f.Draft);
    EXPECT_TRUE(f.Draft->UndoEnabled);
    EXPECT_EQ(f.Undo(), UndoKind::WholeDraft);
}

// Random strokes in every area, tool and button: the draft changes only
// where the stroke went, undo gives back exactly the draft before, and the
// screen always shows the draft.
TEST(Undo, RandomStrokesUndoExactlyAndKeepTheScreenTrue) {
    std::mt19937 rng(5);
    int appliedStrokes = 0;
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (LoomSystem system :
         {LoomSystem::SingleTreadling, LoomSystem::MultipleTreadling, LoomSystem::Liftplan})
        for (int round = 0; round < 24; ++round) {
            StrokeFixture f(round % 2 ? StrokeTool::Pen : StrokeTool::Line);
            *f.Draft = *test::RandomDraft(rng, system, round % 3 == 0);
            DraftState& d = *f.Draft;
            d.Style = 1 + round % 4;
            d.Zoom = 5;
            d.MarkingOn = round % 2 == 0;
            d.RightStart = round % 4 < 2;
            d.LayoutTopBot = round % 3 == 1;
            d.DesignMode = round % 12 == 11;
            if (d.DesignMode) d.MultipleTr = false;
            d.CurrentColor = pick(0, 255);
            f.Show(700, 600);
            const Snapshot before(d);
            const ViewAreaLayout* areas[] = {&f.G().Threading,  &f.G().TieUp,
                                             &f.G().Treadling,  &f.G().Drawdown,
                                             &f.G().WarpColors, &f.G().WeftColors};
            const ViewAreaLayout& a = *areas[size_t(pick(0, 5))];
            if (!a.Shown || a.Columns.Count == 0) continue;
            auto cell = [&] { return Point{pick(1, a.Columns.Count), pick(1, a.Rows.Count)}; };
            const Point start = cell();
            const StrokeButton button = pick(0, 3) ? StrokeButton::Left : StrokeButton::Right;
            if (f.Press(a, start.X, start.Y, button) != PressResult::Stroke) continue;
            for (int n = pick(0, 6); n > 0; --n) {
                const Point p = cell();
                f.Move(a, p.X, p.Y);
            }
            const bool applied = f.Release();
            f.ExpectScreenIsTheDraft("applied");
            if (!applied) {
                EXPECT_TRUE(Snapshot(d) == before);
                continue;
            }
            ++appliedStrokes;
            EXPECT_EQ(f.Undo(), UndoKind::Stroke);
            EXPECT_TRUE(Snapshot(d) == before) << int(system) << " round " << round;
            f.ExpectScreenIsTheDraft("undone");
        }
    EXPECT_GE(appliedStrokes, 15);
}

} // namespace
} // namespace hw
