#pragma once

namespace hw {

// The part of the main window's view state that document operations need:
// which ends and picks are on screen. Offsets count the ends (picks) scrolled
// out of view; the visible counts say how many follow.
struct ViewWindow {
    int ScrollEnds = 0;
    int ScrollPicks = 0;
    int VisibleEnds = 0;
    int VisiblePicks = 0;
    // The fabric views' own offsets.
    int FabricScrollEnds = 0;
    int FabricScrollPicks = 0;

    int LastVisibleEnd() const { return ScrollEnds + VisibleEnds; }
    int LastVisiblePick() const { return ScrollPicks + VisiblePicks; }
};

} // namespace hw
