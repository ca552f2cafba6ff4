#pragma once

#include "files/wif_file.h"
#include "model/draft_state.h"
#include "model/message.h"

#include <memory>
#include <string>

namespace hw {

// The draft a WIF file describes: in Design mode the one View > Draft makes
// of the design (at any number of shafts), else the draft as it is.
std::unique_ptr<DraftState> DraftForWif(const DraftState& d, bool warpEmptyEnds);

// The sizes the "WIF Save" dialog offers: the used extent, and one repeat
// of the threading and treadling (or of the colours when theirs is longer);
// the used extent where no repeat is found.
struct WifSize {
    int Ends = 0;
    int Picks = 0;
};
WifSize WifFullSize(const DraftState& d);
WifSize WifRepeatSize(const DraftState& d);

// Writes the WIF file of DraftForWif.
Status ExportWif(const DraftState& d, const std::string& path, const WifOptions& o,
                 bool warpEmptyEnds = true);

} // namespace hw
