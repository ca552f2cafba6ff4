#pragma once

#include "settings/settings.h"

namespace hw {

// A rectangle in screen pixels.
struct ScreenRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;

    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// Where the main window opens. Geometry is the restored (not maximized)
// frame; Maximized says whether it opens maximized over it.
struct WindowPlacement {
    bool Maximized = false;
    ScreenRect Geometry;
};

inline constexpr int MinWindowWidth = 320;
inline constexpr int MinWindowHeight = 240;

// The start placement from the stored values. Nothing stored, or stored as
// maximized: maximized, restoring to the designed width and 7/8 of the
// screen height. Otherwise the stored size, fitted to the screen, at the
// designed position, moved to the screen's left (top) edge when its right
// (bottom) edge would lie off the screen.
WindowPlacement StartWindowPlacement(const Settings& s, const ScreenRect& screen,
                                     const ScreenRect& designed);

// At exit: whether the window is maximized and its restored size.
void RecordWindowPlacement(Settings& s, bool maximized, int width, int height);

// Where the notes window opens: the stored size fitted to the screen and to
// the window's limits (at least 300 x 150, never wider than designed), at
// the stored left edge, moved onto the screen, centred vertically; centred
// on the screen when no left edge is stored.
ScreenRect ReadNotesWindowPlacement(const Settings& s, const ScreenRect& screen);

} // namespace hw
