#pragma once

#include "model/draft_state.h"
#include "model/message.h"

#include <string>

namespace hw {

// What a WIF file holds of the draft.
struct WifOptions {
    int Ends = 0;  // ends 1..Ends; 0: the used extent
    int Picks = 0; // picks 1..Picks; 0: the used extent
    // The tie-up with the treadling and also the liftplan they make (a
    // liftplan draft gets a direct tie-up, treadle k to shaft k).
    bool Both = false;
    std::string Date; // the [WIF] Date; empty: today
};

// The draft as a WIF 1.1 text (CRLF line ends, Windows-1252 notes):
// [WIF], [CONTENTS] naming every section that follows, [WEAVING], [WARP],
// [WEFT], [COLOR PALETTE], [COLOR TABLE], [THREADING], [TIEUP] and
// [TREADLING] for treadles, [LIFTPLAN] for a liftplan, [WARP COLORS],
// [WEFT COLORS] and [NOTES]. Indexes are 1-based (palette entry i is colour
// i + 1); the tie-up and liftplan are written as drawn, with "Rising
// Shed=false" for a sinking shed. A draft in Design mode is written as it
// stands; derive the draft from the design first.
std::string WifText(const DraftState& d, const WifOptions& o);

// Writes WifText through a temporary file ("File Write Error" leaves any
// old file as it was).
Status SaveWif(const DraftState& d, const std::string& path, const WifOptions& o);

} // namespace hw
