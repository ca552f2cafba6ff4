#pragma once

#include "document/document.h"
#include "edit/stroke_line.h"
#include "model/view_window.h"
#include "view/geometry.h"
#include "view/stroke_paint.h"

#include <vector>

namespace hw {

enum class StrokeTool { Pen, Line };
enum class StrokeButton { Left, Right };

inline constexpr int MaxStrokeEntries = 1000;

// The mouse stroke in progress, in draft numbers (so scrolling never
// invalidates it). Nothing here touches the draft until the release.
struct StrokeState {
    StrokeTool Tool = StrokeTool::Line;
    StrokeArea Area = StrokeArea::None;
    bool Left = true; // the left button sets, the right one clears
    int Color = 0;    // what a colour stroke paints
    CellPoint Start;
    CellPoint Current;
    // Pen: every cell visited, in order; line: the cells of the line now.
    std::vector<CellPoint> Cells;
    // What the screen shows for the stroke, sorted by cell.
    std::vector<StrokeItem> Shown;

    bool Open() const { return Area != StrokeArea::None; }
};

// What the view repaints for a stroke: items back as the draft holds them,
// then items with the stroke's values.
struct StrokePaint {
    StrokeArea Area = StrokeArea::None;
    std::vector<StrokeItem> FromDraft;
    std::vector<StrokeItem> Show;
};

// What a stroke is drawn over: the draft and the view's window onto it.
struct StrokeTarget {
    const DraftState& Draft;
    const ViewWindow& Window;
    const ViewGeometry& Geometry;
};

struct PressOutcome {
    enum Kind { Nothing, Stroke, ColorPicked } What = Nothing;
    int Color = 0; // ColorPicked: the colour under the pointer
    StrokePaint Paint;
};

// A button goes down at (x, y): starts a stroke in the area there, or (right
// button on a colour row) reads the colour under the pointer. color is the
// current colour, which a colour stroke paints with.
PressOutcome StrokePress(StrokeState& st, const StrokeTarget& t, StrokeButton button, int color,
                         int x, int y);

// The pointer moved: over the stroke's own area the stroke follows it.
StrokePaint StrokeMove(StrokeState& st, const StrokeTarget& t, int x, int y);

// A stroke whose button came up: what it does to the draft, and the
// picture to take back off the screen once the draft holds it.
struct FinishedStroke {
    StrokeArea Area = StrokeArea::None;
    bool Left = true;
    int Color = 0;
    std::vector<CellPoint> Cells;
    int First = 0; // colour strokes: the range of ends or picks
    int Last = -1;
    StrokePaint Paint;

    // Writes the stroke into the draft (the caller makes it one edit).
    void Apply(DraftState& d) const;
};

// The button came up: the stroke ends; applying it is one edit.
FinishedStroke StrokeFinish(StrokeState& st);

// Escape or a lost focus: the stroke is dropped and the screen shows the
// draft again.
StrokePaint StrokeCancel(StrokeState& st);

} // namespace hw
