#include "settings/new_pattern.h"

#include "model/limits.h"
#include "model/primitives.h"

#include <algorithm>

namespace hw {

NewPatternValues InitialNewPatternValues(const Settings& s) {
    NewPatternValues v;
    v.Shafts = s.Snapshot.Shafts;
    v.Treadles = s.Snapshot.Treadles;
    v.Shed = s.Snapshot.Shed;
    v.UseDefaultPalette = s.NewUsesDefaultPalette;
    return v;
}

bool NewPatternShowsTreadles(const Settings& s) {
    return s.Snapshot.TreadleMode;
}

bool NewPatternSizesEnabled(const DraftState& d, const Settings& s) {
    return !(d.DesignMode && s.Snapshot.DesignMode);
}

NewPatternResult ApplyNewPattern(DraftState& d, ViewWindow& v, Settings& s,
                                 const NewPatternValues& values) {
    DefaultsSnapshot& n = s.Snapshot;
    d.Ends = uint16_t(std::clamp(values.Ends, MinEnds, MaxEnds));
    d.Picks = uint16_t(std::clamp(values.Picks, MinPicks, MaxPicks));
    d.Shafts = uint16_t(std::clamp(values.Shafts, MinShafts, MaxShafts));
    d.TreadleMode = n.TreadleMode;
    d.Treadles =
        d.TreadleMode ? uint16_t(std::clamp(values.Treadles, MinTreadles, MaxTreadles)) : d.Shafts;
    d.Shed = values.Shed;

    n.Shafts = d.Shafts;
    n.Treadles = d.Treadles;
    n.Shed = d.Shed;

    d.MultipleTr = n.TreadleMode && n.MultipleTr;
    d.EndsPerUnit = n.EndsPerUnit;
    d.PicksPerUnit = n.PicksPerUnit;
    d.RightStart = n.RightStart;
    d.BottomStart = n.BottomStart;
    d.CkoLeftStart = n.CkoLeftStart;
    d.Atopstart = n.Atopstart;
    d.LayoutTopBot = n.LayoutTopBot;
    d.MarkingOn = n.MarkingOn;
    d.FullMarking = n.FullMarking;
    d.MarkEndsInterval = n.MarkEndsInterval;
    d.MarkPicksInterval = n.MarkPicksInterval;
    d.Compressed = false;
    d.DesignMode = d.DesignMode && n.DesignMode;
    if (d.DesignMode) d.MultipleTr = false;

    NewPatternResult result;
    s.NewUsesDefaultPalette = values.UseDefaultPalette;
    if (values.UseDefaultPalette) {
        LoadDefaultPalette(d);
        result.PaletteReset = true;
    }

    ClearDraftForNew(d, v);
    if (d.DesignMode)
        UpdateDesignUsed(d);
    else
        UpdateUsed(d);
    d.FileName.clear();
    return result;
}

} // namespace hw
