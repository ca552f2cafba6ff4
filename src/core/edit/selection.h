#pragma once

#include "edit/stroke.h"
#include "view/canvas.h"

#include <string>

namespace hw {

// Where a selection lies. The liftplan grid is the liftplan, or the pressed
// treadles of multiple treadling; the design grid exists in Design mode.
enum class SelArea { None, Threading, Treadling, Liftplan, TieUp, Design, WarpColors, WeftColors };

// A block of cells in draft numbers, first <= last on both axes. Columns
// are ends (threading, design grid, warp colours), treadles (treadling,
// tie-up) or liftplan columns; rows are shafts (threading, tie-up) or picks.
struct CellBlock {
    SelArea Area = SelArea::None;
    int FirstColumn = 0;
    int LastColumn = -1;
    int FirstRow = 0;
    int LastRow = -1;

    int Width() const { return LastColumn - FirstColumn + 1; }
    int Height() const { return LastRow - FirstRow + 1; }
    bool operator==(const CellBlock&) const = default;
};

// The selection of the main window, kept in draft numbers so that scrolling
// never moves it: the cell where the drag began and the one it reached.
struct Selection {
    SelArea Area = SelArea::None;
    CellPoint Anchor;
    CellPoint Moving;
    bool Dragging = false;

    bool Present() const { return Area != SelArea::None; }
};

// The left button went down with the selection tool: a selection starts in
// the area under the point (threading, warp colours, treadling or liftplan,
// weft colours, the design grid in Design mode, the tie-up of a treadle
// loom). Elsewhere the old selection stays. True when one started.
bool SelectionPress(Selection& sel, const StrokeTarget& t, int x, int y);
// The pointer moved with the button held: over the selection's own area the
// moving corner follows it. True when the selection changed.
bool SelectionDrag(Selection& sel, const StrokeTarget& t, int x, int y);

// The selected block with the shape rules: the threading spans every shaft,
// single treadling every treadle, a colour row is one cell thick; numbers
// are brought into the draft. An empty block (Area None) when there is no
// selection or its area does not exist in the draft's present mode.
CellBlock SelectionBlock(const DraftState& d, const Selection& sel);

// Ends (picks) first..last of one area, as Select and Copy takes them:
// item 0 threading, 1 treadling or liftplan, 2 warp colours, 3 weft colours.
CellBlock RangeBlock(const DraftState& d, int item, int first, int last);

// The frame of a selection in device pixels: from the grid line before its
// first cell to the one after its last, cut to what is on screen. Empty when
// nothing of it shows, and in the grids other than the design grid while
// the cells are smaller than zoom step 7.
PixelBox SelectionFrame(const DraftState& d, const ViewWindow& w, const ViewGeometry& g,
                        const Selection& sel);
// Draws a frame: a dotted black line on white along the box's edge.
void DrawSelectionFrame(Canvas& c, const PixelBox& box);

// Status panel 0 while selecting: ends or picks counted, or "columns x rows".
std::string SelectionSizeText(const CellBlock& b);

} // namespace hw
