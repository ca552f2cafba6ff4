#pragma once

#include "view/canvas.h"
#include "view/geometry.h"

namespace hw {

// The box of one cell of the threading, tie-up or treadling (liftplan), from
// the grid line before it to the one after it, in the area's numbers as a
// hit gives them; empty when the cell is not on screen.
PixelBox CellMarkBox(const ViewGeometry& g, const ViewHit& cell);

// The keyboard cursor: the cell's outline and a dot in its middle, in red
// with a white ring, so it shows on set and empty cells alike.
void DrawCellMark(Canvas& c, const PixelBox& box);

} // namespace hw
