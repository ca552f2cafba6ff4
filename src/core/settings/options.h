#pragma once

#include "model/draft_state.h"
#include "settings/settings.h"

#include <functional>

namespace hw {

// What the Options dialog shows and gives back.
struct OptionsValues {
    // "Pattern"
    int Shafts = 8;
    int Treadles = 8;
    int Ends = 2400;
    int Picks = 2400;
    bool TreadleMode = true; // false: liftplan
    bool MultipleTr = false;
    bool Shed = true; // true: sinking
    int EndsPerUnit = 25;
    int PicksPerUnit = 25;
    bool MetricUnits = false; // the densities' unit; shown, not edited
    // "Style"
    int Style = 2;
    bool LayoutTopBot = true;
    // "Layout"
    bool RightStart = true;
    bool BottomStart = true;
    bool CkoLeftStart = false;
    bool Atopstart = true;
    // "Miscellaneous"
    ColorRef Background = 0xFFFFFF;
    bool ShowWarnings = true;
    bool Lagrpos = true;
    bool SaveSettings = true;
    bool Yarnsim = true;
    bool Warpempty = true;
    // "Save Settings" was pressed: OK also makes the values the defaults
    // for new patterns and writes them at once.
    bool SaveDefaults = false;

    friend bool operator==(const OptionsValues&, const OptionsValues&) = default;
};

// What the main window remembers before the dialog opens.
struct OptionsBefore {
    int Shafts = 0;
    int Treadles = 0;
    int Ends = 0;
    int Picks = 0;
    LoomSystem System = LoomSystem::SingleTreadling;
};

// Before opening: outside Design mode the used extents are brought up to
// date (so the dialog shows at least the used size), then the sizes and
// the loom system are remembered.
OptionsBefore PrepareOptions(DraftState& d);

// The dialog's controls as loaded from the draft and the settings.
OptionsValues LoadOptions(const DraftState& d, const Settings& s);

struct OptionsResult {
    bool TreadleOverflow = false; // more than 16 sheds: show "@emaxtreadles"
    bool RefreshView = false;     // the loom conversion rebuilt the treadling
};

// Options OK: applies the values to the draft and the settings and brings
// the draft in line - clears what lies beyond shrunk ends and picks,
// converts to a changed loom system, calls refitZoom (the view's zoom
// fitting), folds threading and treadling into fewer shafts and treadles -
// then marks the document changed. The new-pattern defaults follow the
// draft while "Save Settings on Exit" is ticked or with SaveDefaults (the
// caller then writes them). FinishOptions still has to follow.
OptionsResult ApplyOptions(DraftState& d, Settings& s, const OptionsValues& v,
                           const OptionsBefore& before, const std::function<void()>& refitZoom);

// After OK or Cancel: Design mode has no multiple treadling. The caller
// then recomputes the layout, repaints and refreshes the mode-dependent
// menu captions.
void FinishOptions(DraftState& d);

} // namespace hw
