#pragma once

#include "edit/stroke_line.h"
#include "model/draft_state.h"
#include "model/view_window.h"
#include "view/canvas.h"
#include "view/geometry.h"
#include "view/view_settings.h"

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace hw {

enum class StrokeTool { Pen, Line };
enum class StrokeButton { Left, Right };

// Area codes of a stroke.
inline constexpr char StrokeNone = ' ';
inline constexpr char StrokeThreading = 'a';
inline constexpr char StrokeTieUp = 'b';
inline constexpr char StrokeTreadling = 'k'; // single treadling: one treadle per pick
inline constexpr char StrokeLiftplan = 'c';  // liftplan or multiple treadling: free cells
inline constexpr char StrokeDrawdown = 'd';
inline constexpr char StrokeDesign = 'p';
inline constexpr char StrokeWarpColors = 'f';
inline constexpr char StrokeWeftColors = 'g';

inline constexpr int MaxStrokeEntries = 1000;

// One stroked cell in visible numbers (as ViewHit gives them), and after the
// stroke is applied the value the draft held there.
struct StrokeEntry {
    uint16_t Column = 0;
    uint16_t Row = 0;
    uint16_t Old = 0;
};

// The mouse stroke in progress or, once applied, the record that undoes it.
struct StrokeState {
    StrokeTool Tool = StrokeTool::Line;
    char Code = StrokeNone;
    bool LeftDown = false;
    bool RightDown = false;
    CellPoint Start;
    CellPoint Current;
    std::vector<StrokeEntry> Entries;
    std::vector<CellPoint> Line;
    // What the screen shows for the open stroke, keyed by cell (column, row)
    // or by end or pick where one value per end or pick is shown.
    std::map<std::pair<int, int>, int> Shown;

    bool Open() const { return Code != StrokeNone && (LeftDown || RightDown); }
};

// What a stroke works on.
struct StrokeView {
    DraftState& Draft;
    const ViewWindow& Window;
    const ViewGeometry& Geometry;
    const ViewSettings& Settings;
    Canvas& Target;
};

enum class PressResult { Nothing, Stroke, ColorPicked };

// A button goes down at (x, y): starts a stroke in the area there and shows
// it, or (right button on a colour row) makes that colour the current one.
PressResult StrokePress(StrokeState& st, StrokeView& v, StrokeButton button, int x, int y);

// The pointer moved: over the stroke's own area the stroke follows it.
void StrokeMove(StrokeState& st, StrokeView& v, int x, int y);

// The button came up: applies the open stroke, keeping each cell's old value
// for undo, repaints what changed, gives up the whole-draft undo copy and
// marks the draft changed. False when nothing was applied.
bool StrokeRelease(StrokeState& st, StrokeView& v);

enum class UndoKind { None, WholeDraft, Stroke };

// Undoes the last command (whole-draft copy, which the caller then lays out
// and repaints in full) or else the last stroke (repainted here).
UndoKind UndoLast(StrokeState& st, StrokeView& v);

// The stroke record refers to screen positions; once the view scrolls it is
// given up. Undo stays possible only for a whole-draft copy.
void GiveUpStrokeUndo(StrokeState& st, DraftState& d);

} // namespace hw
