#pragma once

#include "model/draft_state.h"

namespace hw {

// Grid and marking line colours offered by the Options dialog.
inline constexpr ColorRef LightGray = 0xC0C0C0;
inline constexpr ColorRef DarkGray = 0x808080;
inline constexpr ColorRef Black = 0x000000;
inline constexpr ColorRef Red = MakeColorRef(255, 0, 0);
inline constexpr ColorRef White = 0xFFFFFF;

// Filled threading, tie-up, treadling and liftplan cells; fixed.
inline constexpr ColorRef MarkColor = Black;

// The view settings that are not stored with a pattern. The style, zoom and
// start positions live in DraftState because a pattern file carries them.
struct ViewSettings {
    ColorRef GridColor = DarkGray;
    ColorRef MarkingColor = Black;
    ColorRef BackgroundColor = White;
    bool ShowThreading = true;
    bool UseGridStyleInDesign = false;
};

} // namespace hw
