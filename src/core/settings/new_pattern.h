#pragma once

#include "model/draft_state.h"
#include "model/view_window.h"
#include "settings/settings.h"

namespace hw {

// What the New Pattern dialog shows and gives back.
struct NewPatternValues {
    int Ends = 2400;
    int Picks = 2400;
    int Shafts = 8;
    int Treadles = 8;
    bool Shed = true; // true: sinking
    bool UseDefaultPalette = false;
};

// The dialog's start: sizes of 2400, the stored defaults, the last palette choice.
NewPatternValues InitialNewPatternValues(const Settings& s);
// "Treadles:" is shown only when the stored default loom has treadles.
bool NewPatternShowsTreadles(const Settings& s);
// Shafts and treadles can be chosen unless Design mode is on and the
// defaults are for Design mode too.
bool NewPatternSizesEnabled(const DraftState& d, const Settings& s);

struct NewPatternResult {
    bool PaletteReset = false; // the palette window and colour box need refreshing
};

// New Pattern OK: the chosen shafts, treadles and shed become the stored
// defaults; the defaults are copied into the draft; the palette is reset
// when asked; the draft is cleared and its path forgotten. The caller then
// leaves any fabric mode and selection mode, shows the threading, updates
// the caption and "&Revert to Saved", and lays out and repaints.
NewPatternResult ApplyNewPattern(DraftState& d, ViewWindow& v, Settings& s,
                                 const NewPatternValues& values);

} // namespace hw
