#pragma once

#include "model/change.h"
#include "view/renderer.h"

namespace hw {

// How much of the view a change of the draft touches.
enum class RepaintScope {
    None,    // nothing on screen shows it
    Partial, // cells, columns and rows: PaintChange
    Full,    // everything, same layout
    Layout,  // sizes, loom or layout changed: lay out, then everything
};
RepaintScope RepaintNeeded(const Change& c);

// Paints exactly what a Partial change touched. lastThreadedBefore is the
// last threaded visible end before the change: when it moves, the drawdown
// columns between gain or lose their weft.
void PaintChange(DraftRenderer& r, const DraftState& d, const ViewWindow& w, const Change& c,
                 int lastThreadedBefore);

} // namespace hw
