#pragma once

#include "view/renderer.h"

#include <vector>

namespace hw {

// Where a mouse stroke draws.
enum class StrokeArea {
    None,
    Threading,
    TieUp,
    Treadling, // single treadling: one treadle per pick
    Liftplan,  // liftplan or multiple treadling: free cells
    Drawdown,  // Draft mode: stands for tie-up or liftplan cells
    Design,
    WarpColors,
    WeftColors,
};

// One item of what the screen shows for an open stroke, in draft numbers:
// per end for the threading (Value = shaft, 0 = none) and the warp colours
// (Value = colour index), per pick for single treadling (Value = treadle)
// and the weft colours, per cell elsewhere (Value 1 set, 0 clear).
// Column is the end, treadle or liftplan column; Row the shaft or pick.
struct StrokeItem {
    int Column = 0;
    int Row = 0;
    int Value = 0;
    bool operator==(const StrokeItem&) const = default;
};

// Paints one stroke item: with the stroke's value, or (fromDraft) as the
// draft holds it. Items outside the visible ends and picks are skipped.
void PaintStrokeItem(DraftRenderer& r, const DraftState& d, const ViewWindow& w, StrokeArea area,
                     const StrokeItem& item, bool fromDraft);

} // namespace hw
