#include "document/document.h"
#include "edit/stroke.h"
#include "model/loom_system.h"
#include "model/primitives.h"
#include "view/change_paint.h"
#include "view_fixture.h"

#include <gtest/gtest.h>

#include <random>

namespace hw {
namespace {

using test::Point;

// A document shown in a view: strokes go through the engine, the document
// records them, and the canvas is repainted from the reports alone, as the
// editor's view does.
struct StrokeFixture : test::ViewFixture {
    Document Doc;
    StrokeState Stroke;
    int Color = 0;

    explicit StrokeFixture(StrokeTool tool = StrokeTool::Line) {
        Stroke.Tool = tool;
        Draft->Shafts = 8;
        Draft->Treadles = 8;
    }
    // Hands the draft built so far to the document and paints it.
    void Show(int width = 600, int height = 500) {
        Doc.Replace(*Draft);
        Draft = &Doc.Draft();
        Layout(width, height);
        Paint();
    }
    StrokeTarget Target() const { return {*Draft, Window, Geometry}; }
    DraftRenderer Renderer() { return DraftRenderer(*Canvas, *Draft, Window, Geometry, Settings); }
    void ShowPaint(const StrokePaint& p) {
        DraftRenderer r = Renderer();
        for (const StrokeItem& i : p.FromDraft) PaintStrokeItem(r, *Draft, Window, p.Area, i, true);
        for (const StrokeItem& i : p.Show) PaintStrokeItem(r, *Draft, Window, p.Area, i, false);
    }
    void ShowChange(const Change& c, int lastThreaded) {
        if (RepaintNeeded(c) == RepaintScope::Partial) {
            DraftRenderer r = Renderer();
            PaintChange(r, *Draft, Window, c, lastThreaded);
        } else if (RepaintNeeded(c) != RepaintScope::None) {
            Layout(Width, Height);
            Paint();
        }
    }
    PressOutcome::Kind Press(const ViewAreaLayout& a, int col, int row,
                             StrokeButton b = StrokeButton::Left) {
        const Point p = Center(a, col, row);
        const PressOutcome out = StrokePress(Stroke, Target(), b, Color, p.X, p.Y);
        if (out.What == PressOutcome::ColorPicked) Color = out.Color;
        ShowPaint(out.Paint);
        return out.What;
    }
    void Move(const ViewAreaLayout& a, int col, int row) {
        const Point p = Center(a, col, row);
        ShowPaint(StrokeMove(Stroke, Target(), p.X, p.Y));
    }
    // True when the stroke changed the draft (one step).
    bool Release() {
        const int last = LastThreadedVisible(*Draft, Window);
        const FinishedStroke f = StrokeFinish(Stroke);
        const Change c = Doc.Edit([&](DraftState& d) { f.Apply(d); });
        ShowChange(c, last);
        ShowPaint(f.Paint);
        return c.Any();
    }
    void Undo() {
        const int last = LastThreadedVisible(*Draft, Window);
        ShowChange(Doc.Undo(), last);
    }
    // What is on screen is what a full repaint of the draft gives.
    void ExpectScreenIsTheDraft(const char* when) {
        EXPECT_EQ(test::FirstDifference(*Canvas, *Fresh()), "") << when;
    }
    const ViewGeometry& G() const { return Geometry; }
};

TEST(PenStroke, DragAcrossThreeShaftsOfOneEndKeepsOnlyTheLast) {
    StrokeFixture f(StrokeTool::Pen);
    f.Twill(10, 10);
    f.Show();
    const ViewAreaLayout& th = f.G().Threading;
    ASSERT_EQ(f.Press(th, 2, 5), PressOutcome::Stroke);
    f.Move(th, 2, 6);
    f.Move(th, 2, 7);
    // On screen the end shows one mark while the draft is untouched.
    EXPECT_EQ(f.At(f.Center(th, 2, 7)), MarkColor);
    EXPECT_EQ(f.At(f.Center(th, 2, 5)), f.Settings.BackgroundColor);
    EXPECT_EQ(f.At(f.Center(th, 2, 6)), f.Settings.BackgroundColor);
    EXPECT_EQ(f.Draft->Threading[2], 2);
    ASSERT_TRUE(f.Release());
    EXPECT_EQ(f.Draft->Threading[2], 7);
    EXPECT_TRUE(f.Doc.Modified());
    f.ExpectScreenIsTheDraft("after the stroke");
    f.Undo();
    EXPECT_EQ(f.Draft->Threading[2], 2);
    EXPECT_FALSE(f.Doc.CanUndo());
    EXPECT_FALSE(f.Doc.Modified());
    f.ExpectScreenIsTheDraft("after undo");
}

TEST(LineStroke, ThreadingLineMarksOneShaftPerEndRoundingTiesToEven) {
    struct Case {
        CellPoint To;
        std::vector<int> Shafts; // of ends 1.. after a line from (1, 1)
    };
    // Halfway points go to the even shaft; a steep line keeps the first
    // point of each end.
    const Case cases[] = {
        {{8, 4}, {1, 1, 2, 2, 3, 3, 4, 4, 0}}, {{5, 3}, {1, 2, 2, 2, 3, 0}}, {{2, 8}, {1, 5, 0}}};
    for (const Case& c : cases) {
        StrokeFixture f;
        f.Show();
        f.Press(f.G().Threading, 1, 1);
        f.Move(f.G().Threading, c.To.Column, c.To.Row);
        ASSERT_TRUE(f.Release());
        for (size_t e = 1; e <= c.Shafts.size(); ++e)
            EXPECT_EQ(f.Draft->Threading[e], c.Shafts[e - 1]) << e;
        f.ExpectScreenIsTheDraft("line");
    }
}

// The drag preview, checked against the cells' places from the layout: the
// line shows the mark colour in the cells it crosses and nowhere else, and
// cells it left are background again.
TEST(LineStroke, DragPreviewShowsTheLineInTheLaidOutCells) {
    StrokeFixture f;
    f.Show();
    const ViewAreaLayout& tu = f.G().TieUp;
    const int cell = f.G().Cell;
    auto inner = [&](int t, int s) {
        // The inner fill starts one pixel right of and below the grid corner.
        const int x = tu.Columns.Start + (tu.Columns.Forward ? t - 1 : tu.Columns.Count - t) * cell;
        const int y = tu.Rows.Start + (tu.Rows.Forward ? s - 1 : tu.Rows.Count - s) * cell;
        return Point{x + 1 + (cell - 2) / 2, y + 1 + (cell - 2) / 2};
    };
    f.Press(tu, 1, 1);
    f.Move(tu, 6, 6);
    for (int t = 1; t <= 8; ++t)
        for (int s = 1; s <= 8; ++s)
            EXPECT_EQ(f.At(inner(t, s)), t == s && t <= 6 ? MarkColor : f.Settings.BackgroundColor)
                << t << "," << s;
    f.Move(tu, 3, 3);
    for (int t = 1; t <= 8; ++t)
        EXPECT_EQ(f.At(inner(t, t)), t <= 3 ? MarkColor : f.Settings.BackgroundColor) << t;
    EXPECT_EQ(f.Draft->TieUpAt(1, 1), 0); // nothing applied before the release
    f.Release();
    for (int s = 1; s <= 8; ++s)
        for (int t = 1; t <= 8; ++t) EXPECT_EQ(f.Draft->TieUpAt(s, t), s == t && s <= 3);
    f.ExpectScreenIsTheDraft("tie-up line");
    // Escape drops a stroke: nothing applied, the screen shows the draft.
    f.Press(tu, 8, 1);
    f.Move(tu, 8, 8);
    f.ShowPaint(StrokeCancel(f.Stroke));
    EXPECT_EQ(f.Draft->TieUpAt(8, 8), 0);
    f.ExpectScreenIsTheDraft("cancelled");
}

TEST(Strokes, ColourRowsPickWithTheRightButtonAndPaintARangeWithTheLeft) {
    StrokeFixture f(StrokeTool::Pen);
    f.Twill(10, 10);
    f.Draft->WarpColors[4] = 33;
    f.Show();
    const ViewAreaLayout& wc = f.G().WarpColors;
    EXPECT_EQ(f.Press(wc, 4, 1, StrokeButton::Right), PressOutcome::ColorPicked);
    EXPECT_EQ(f.Color, 33);
    EXPECT_FALSE(f.Release());
    EXPECT_FALSE(f.Doc.CanUndo());
    f.Color = 99;
    f.Press(wc, 2, 1);
    f.Move(wc, 6, 1);
    // Shown in the new colour before it is applied; a range that shrinks
    // gives the cells back.
    EXPECT_EQ(f.At(f.Center(wc, 6, 1)), f.Draft->ColorTable[99]);
    EXPECT_NE(f.Draft->WarpColors[6], 99);
    f.Move(wc, 4, 1);
    EXPECT_NE(f.At(f.Center(wc, 6, 1)), f.Draft->ColorTable[99]);
    ASSERT_TRUE(f.Release());
    for (int e = 1; e <= 8; ++e) EXPECT_EQ(f.Draft->WarpColors[e] == 99, e >= 2 && e <= 4) << e;
    f.ExpectScreenIsTheDraft("warp colours");
}

TEST(Strokes, DrawdownStrokesEditTheCellTheyStandFor) {
    StrokeFixture f;
    f.Twill(10, 10);
    f.Draft->Threading[3] = 0;
    f.Show();
    const ViewAreaLayout& dd = f.G().Drawdown;
    // An empty end stands for nothing: no step, and Undo stays off.
    f.Press(dd, 3, 2);
    EXPECT_FALSE(f.Release());
    EXPECT_FALSE(f.Doc.CanUndo());
    f.ExpectScreenIsTheDraft("nothing changed");
    // End 6 is on shaft 2, pick 4 on treadle 4: tie-up cell (2, 4).
    ASSERT_EQ(f.Draft->TieUpAt(2, 4), 0);
    f.Press(dd, 6, 4);
    ASSERT_TRUE(f.Release());
    EXPECT_EQ(f.Draft->TieUpAt(2, 4), 1);
    f.ExpectScreenIsTheDraft("tie-up from drawdown");
    // Setting a cell that is already set changes nothing and records nothing.
    f.Press(dd, 6, 4);
    EXPECT_FALSE(f.Release());
    EXPECT_EQ(f.Doc.StepCount(), 1u);

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

TEST(Strokes, TreadlingKeepsOneTreadlePerPickAndAStrokeStopsAtAThousandCells) {
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

    StrokeFixture l(StrokeTool::Pen);
    l.Draft->TreadleMode = false;
    l.Draft->Treadles = l.Draft->Shafts;
    l.Show();
    l.Press(l.G().Treadling, 1, 1);
    for (int n = 0; n < 1200; ++n) l.Move(l.G().Treadling, n % 2 ? 1 : 2, 1);
    EXPECT_EQ(l.Stroke.Cells.size(), size_t(MaxStrokeEntries));
    l.Release();
    EXPECT_EQ(l.Draft->Liftplan[1], 0b11);
    l.Undo();
    EXPECT_EQ(l.Draft->Liftplan[1], 0);
}

// Strokes are kept in draft numbers, so scrolling keeps their undo; undo
// gives back the counts a stroke past the last end raised; and a change of
// the counts after a stroke is a step of its own, undone first, so undo
// never writes a value the draft no longer allows.
TEST(Strokes, UndoKeepsDraftNumbersAndCounts) {
    StrokeFixture f;
    f.Draft->RightStart = f.Draft->BottomStart = true;
    f.Draft->Ends = f.Draft->Picks = 30;
    f.Twill(8, 8);
    f.Show();
    const int last = f.G().VisibleEnds;
    ASSERT_GT(last, 30);
    f.Press(f.G().Threading, last, 7);
    f.Release();
    EXPECT_EQ(std::tuple(f.Draft->Ends, f.Draft->EndsUsed, f.Draft->Threading[last]),
              std::tuple(last, last, 7));
    f.ExpectScreenIsTheDraft("beyond the draft");
    f.Doc.Edit([](DraftState& d) { d.Shafts = 4, FoldThreading(d); });
    EXPECT_EQ(f.Draft->Threading[last], 3);
    f.Window.ScrollEnds = 5;
    f.Paint();
    f.Undo();
    EXPECT_EQ(std::tuple(f.Draft->Shafts, f.Draft->Threading[last]), std::tuple(8, 7));
    f.Undo();
    EXPECT_EQ(std::tuple(f.Draft->Ends, f.Draft->EndsUsed, f.Draft->Threading[last]),
              std::tuple(30, 8, 0));
    f.ExpectScreenIsTheDraft("undone, scrolled");
}

// Random strokes in every area, tool and button: undo gives back exactly
// the draft before, redo the draft after, and the screen always shows it.
TEST(Strokes, RandomStrokesUndoAndRedoExactlyAndKeepTheScreenTrue) {
    std::mt19937 rng(5);
    int applied = 0;
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
            f.Color = pick(0, 255);
            f.Show(700, 600);
            const DraftState before = *f.Draft;
            const ViewAreaLayout* areas[] = {&f.G().Threading,  &f.G().TieUp,
                                             &f.G().Treadling,  &f.G().Drawdown,
                                             &f.G().WarpColors, &f.G().WeftColors};
            const ViewAreaLayout& a = *areas[size_t(pick(0, 5))];
            if (!a.Shown || a.Columns.Count == 0) continue;
            auto cell = [&] { return Point{pick(1, a.Columns.Count), pick(1, a.Rows.Count)}; };
            const Point start = cell();
            const StrokeButton button = pick(0, 3) ? StrokeButton::Left : StrokeButton::Right;
            if (f.Press(a, start.X, start.Y, button) != PressOutcome::Stroke) continue;
            for (int n = pick(0, 6); n > 0; --n) {
                const Point p = cell();
                f.Move(a, p.X, p.Y);
            }
            if (!f.Release()) continue;
            f.ExpectScreenIsTheDraft("applied");
            const DraftState after = *f.Draft;
            ++applied;
            f.Undo();
            EXPECT_TRUE(f.Draft->Threading == before.Threading && f.Draft->TieUp == before.TieUp &&
                        f.Draft->Liftplan == before.Liftplan &&
                        f.Draft->Treadling == before.Treadling &&
                        f.Draft->WarpColors == before.WarpColors &&
                        f.Draft->DesignGrid == before.DesignGrid && f.Draft->Ends == before.Ends)
                << int(system) << " round " << round;
            f.ExpectScreenIsTheDraft("undone");
            const int last = LastThreadedVisible(*f.Draft, f.Window);
            f.ShowChange(f.Doc.Redo(), last);
            EXPECT_TRUE(f.Draft->Threading == after.Threading && f.Draft->TieUp == after.TieUp &&
                        f.Draft->Liftplan == after.Liftplan);
            f.ExpectScreenIsTheDraft("redone");
        }
    EXPECT_GE(applied, 15);
}

} // namespace
} // namespace hw
