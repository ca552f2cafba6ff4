#pragma once

#include "model/draft_state.h"
#include "model/view_window.h"
#include "view/view_settings.h"

namespace hw {

inline constexpr int MinZoomStep = 1;
inline constexpr int MaxZoomStep = 20;

// One axis of an area: Count cells of Cell pixels from Start, numbered from 1
// either forwards (cell 1 at Start) or backwards (cell 1 at the far end).
struct Axis {
    int Start = 0;
    int Count = 0;
    int Cell = 2;
    bool Forward = true;

    // Pixel of the grid corner of cell n.
    int CellPos(int n) const { return Start + (Forward ? n - 1 : Count - n) * Cell; }
    // Cell number under a pixel inside the axis.
    int NumberAt(int coord) const {
        const int index = (coord - Start) / Cell;
        return Forward ? index + 1 : Count - index;
    }
    // The grid line that closes cell n towards cell n + 1.
    int BoundaryAfter(int n) const { return Start + (Forward ? n : Count - n) * Cell; }
    int End() const { return Start + Count * Cell; }
};

// Edges of an area in pixels: Right and Bottom are its closing grid lines.
struct AreaRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const AreaRect&) const = default;
};

struct ViewAreaLayout {
    bool Shown = false;
    Axis Columns;
    Axis Rows;

    AreaRect Rect() const { return {Columns.Start, Rows.Start, Columns.End(), Rows.End()}; }
    // Strictly inside: the outline itself belongs to no cell.
    bool Contains(int x, int y) const {
        return Shown && Columns.Count > 0 && Rows.Count > 0 && x > Columns.Start &&
               x < Columns.End() && y > Rows.Start && y < Rows.End();
    }
};

// Everything the painting, hit testing and scrolling read, derived from the
// draft, the settings and the size of the drawing area.
struct ViewGeometry {
    int Cell = 2; // zoom step + 1
    int X0 = 0;   // drawing area origin
    int Y0 = 0;
    int Width = 0; // drawing area size
    int Height = 0;
    int ColumnsFit = 0;
    int RowsFit = 0;
    int VisibleEnds = 0;
    int VisiblePicks = 0;
    int Shafts = 0;   // as laid out
    int Treadles = 0; // the liftplan's shaft count in liftplan mode
    bool DesignMode = false;
    bool ShowThreading = true;
    bool LiftplanMode = false;
    bool MultipleTreadling = false;

    ViewAreaLayout WarpColors;
    ViewAreaLayout Threading;
    ViewAreaLayout TieUp;     // the direct tie-up lines in liftplan mode
    ViewAreaLayout Treadling; // treadling or liftplan
    ViewAreaLayout WeftColors;
    ViewAreaLayout Drawdown; // the design grid in Design mode
};

// The layout for a given zoom step and drawing area. Visible counts never go
// below 0, whatever the size.
ViewGeometry ComputeGeometry(const DraftState& d, const ViewSettings& s, int zoom, int x0, int y0,
                             int width, int height);
// The same for any cell size of at least 2 pixels (a printed page's cells
// are larger than any zoom step gives).
ViewGeometry ComputeGeometryForCell(const DraftState& d, const ViewSettings& s, int cell, int x0,
                                    int y0, int width, int height);

// The largest zoom step at which the threading (while shown) and the
// treadling still fit with room to spare; 1 when none does.
int LargestFittingZoom(const DraftState& d, bool showThreading, int width, int height);

// The zoom a request ends at: clamped to 1..20 and, in Draft mode, lowered to
// the largest fitting step.
int AcceptedZoom(const DraftState& d, bool showThreading, int requested, int width, int height);

// How many ends (picks) can be scrolled through: the draft's, at most 50 in
// Design mode.
int ScrollableEnds(const DraftState& d);
int ScrollablePicks(const DraftState& d);

// Clamps the offsets to 0 .. count - visible; true when one moved.
bool ClampScroll(const DraftState& d, ViewWindow& w);

// The layout step's arithmetic: clamps and fits the draft zoom, lays out,
// copies the visible counts into the window and clamps its offsets. Returns
// true when an offset moved.
bool LayoutView(DraftState& d, const ViewSettings& s, ViewWindow& w, ViewGeometry& g, int x0,
                int y0, int width, int height);

// Scroll bars: positions 0 .. Maximum, mirrored where the draft runs
// against the bar (ends from the right, picks from the bottom).
struct ScrollBarSetup {
    int Maximum = 0;
    int PageStep = 1;
    int Position = 0;
};
ScrollBarSetup HorizontalBar(const DraftState& d, const ViewWindow& w);
ScrollBarSetup VerticalBar(const DraftState& d, const ViewWindow& w);
int EndOffsetFromBar(const DraftState& d, const ViewWindow& w, int position);
int PickOffsetFromBar(const DraftState& d, const ViewWindow& w, int position);

// The last visible end (1-based visible index) that is threaded, 0 when none.
int LastThreadedVisible(const DraftState& d, const ViewWindow& w);

enum class ViewArea { None, Treadling, Threading, TieUp, WarpColors, WeftColors, Drawdown };

// A cell under the pointer, in the area's own numbers: visible end and shaft
// in the threading, treadle and shaft in the tie-up, treadle (or liftplan
// column) and visible pick in the treadling, visible end and pick in the
// drawdown or design grid, the visible end (Column) in the warp colours and
// the visible pick (Row) in the weft colours.
struct ViewHit {
    ViewArea Area = ViewArea::None;
    int Column = 0;
    int Row = 0;
    bool operator==(const ViewHit&) const = default;
};

// Finds the area and cell under a pixel, in the order a mouse press tries
// them. For editing, the tie-up counts only on a treadle loom and the
// drawdown not in multiple treadling.
ViewHit HitTest(const ViewGeometry& g, int x, int y, bool forEditing = true);

} // namespace hw
