#include "export/wif_export.h"

#include "model/primitives.h"
#include "transform/analysis.h"
#include "transform/repeat.h"

#include <algorithm>

namespace hw {

std::unique_ptr<DraftState> DraftForWif(const DraftState& d, bool warpEmptyEnds) {
    auto draft = std::make_unique<DraftState>(d);
    if (draft->DesignMode) DesignToDraft(*draft, warpEmptyEnds, [] { return true; });
    return draft;
}

WifSize WifFullSize(const DraftState& d) {
    return {LastThreadedEnd(d, d.Ends), LastUsedPick(d, d.Picks)};
}

WifSize WifRepeatSize(const DraftState& d) {
    auto copy = std::make_unique<DraftState>(d);
    UpdateRememberedRepeats(*copy);
    const WifSize full = WifFullSize(d);
    const int ends = std::max(copy->RepeatThreading, copy->RepeatWarpColors);
    const int picks = std::max(copy->RepeatTreadling, copy->RepeatWeftColors);
    return {ends > 0 ? std::min(ends, full.Ends) : full.Ends,
            picks > 0 ? std::min(picks, full.Picks) : full.Picks};
}

Status ExportWif(const DraftState& d, const std::string& path, const WifOptions& o,
                 bool warpEmptyEnds) {
    return SaveWif(*DraftForWif(d, warpEmptyEnds), path, o);
}

} // namespace hw
