#include "settings/options.h"

#include "model/limits.h"
#include "model/loom_system.h"
#include "model/primitives.h"

#include <algorithm>

namespace hw {

OptionsBefore PrepareOptions(DraftState& d) {
    if (!d.DesignMode) UpdateUsed(d);
    return OptionsBefore{d.Shafts, d.Treadles, d.Ends, d.Picks, GetLoomSystem(d)};
}

OptionsValues LoadOptions(const DraftState& d, const Settings& s) {
    OptionsValues v;
    v.Shafts = d.Shafts;
    v.Treadles = d.Treadles;
    v.Ends = d.Ends;
    v.Picks = d.Picks;
    v.TreadleMode = d.TreadleMode;
    v.MultipleTr = d.TreadleMode && d.MultipleTr;
    v.Shed = d.Shed;
    v.EndsPerUnit = d.EndsPerUnit;
    v.PicksPerUnit = d.PicksPerUnit;
    v.MetricUnits = d.MetricUnits;
    v.Style = d.Style;
    v.LayoutTopBot = d.LayoutTopBot;
    v.RightStart = d.RightStart;
    v.BottomStart = d.BottomStart;
    v.CkoLeftStart = d.CkoLeftStart;
    v.Atopstart = d.Atopstart;
    v.Background = s.BackgroundColor;
    v.ShowWarnings = !s.ExpertMode;
    v.Lagrpos = s.Lagrpos;
    v.SaveSettings = s.SaveSettings;
    v.Yarnsim = s.Yarnsim;
    v.Warpempty = s.Warpempty;
    return v;
}

static void ApplyPreferences(Settings& s, const OptionsValues& v) {
    s.BackgroundColor = v.Background;
    s.ExpertMode = !v.ShowWarnings;
    s.Lagrpos = v.Lagrpos;
    s.SaveSettings = v.SaveSettings;
    s.Yarnsim = v.Yarnsim;
    s.Warpempty = v.Warpempty;
}

// Step 1: the controls into the draft, every value kept in its range.
static void ApplyControls(DraftState& d, const OptionsValues& v) {
    d.Shafts = uint16_t(std::clamp(v.Shafts, MinShafts, MaxShafts));
    d.TreadleMode = v.TreadleMode;
    if (d.TreadleMode) d.Treadles = uint16_t(std::clamp(v.Treadles, MinTreadles, MaxTreadles));
    d.MultipleTr = d.TreadleMode && v.MultipleTr && !d.DesignMode;
    d.Ends = uint16_t(std::clamp(v.Ends, MinEnds, MaxEnds));
    d.Picks = uint16_t(std::clamp(v.Picks, MinPicks, MaxPicks));
    d.Shed = v.Shed;
    d.EndsPerUnit = uint8_t(std::clamp(v.EndsPerUnit, MinDensity, MaxDensity));
    d.PicksPerUnit = uint8_t(std::clamp(v.PicksPerUnit, MinDensity, MaxDensity));
    d.Style = std::clamp(v.Style, 1, 4);
    d.LayoutTopBot = v.LayoutTopBot;
    d.RightStart = v.RightStart;
    d.BottomStart = v.BottomStart;
    d.CkoLeftStart = v.CkoLeftStart;
    d.Atopstart = v.Atopstart;
    // The units stay: the dialog showed and took the densities in them.
}

OptionsResult ApplyOptions(DraftState& d, Settings& s, const OptionsValues& v,
                           const OptionsBefore& before, const std::function<void()>& refitZoom) {
    OptionsResult result;
    ApplyControls(d, v);
    ApplyPreferences(s, v);

    const bool endsShrank = d.Ends < before.Ends;
    const bool picksShrank = d.Picks < before.Picks;
    if (picksShrank || (endsShrank && d.DesignMode)) ClearDesignBeyond(d, d.Ends + 1, d.Picks + 1);
    if (endsShrank) {
        ClearThreadingFrom(d, d.Ends + 1);
        ResetWarpColorsFrom(d, d.Ends + 1);
    }
    if (picksShrank) {
        if (GetLoomSystem(d) == LoomSystem::SingleTreadling)
            ClearTreadlingFrom(d, d.Picks + 1);
        else
            ClearLiftplanFrom(d, d.Picks + 1);
        ResetWeftColorsFrom(d, d.Picks + 1);
    }

    if (GetLoomSystem(d) != before.System) {
        const LoomChangeResult change = ChangeLoomSystem(d, before.System);
        result.TreadleOverflow = change.TreadleOverflow;
        result.RefreshView = change.RefreshView;
    }

    if (refitZoom) refitZoom();

    if (d.Shafts < before.Shafts) FoldThreading(d);
    if (GetLoomSystem(d) == LoomSystem::SingleTreadling && d.Treadles < before.Treadles)
        FoldTreadling(d);
    if (!d.TreadleMode) d.Treadles = d.Shafts;

    // The used extents must stay within the (possibly smaller) draft.
    if (!d.DesignMode) UpdateUsed(d);
    if (s.SaveSettings || v.SaveDefaults) TakeSnapshot(d, s.Snapshot, false, false);
    return result;
}

void FinishOptions(DraftState& d) {
    if (d.DesignMode) d.MultipleTr = false;
}

} // namespace hw
