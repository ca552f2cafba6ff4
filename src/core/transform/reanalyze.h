#pragma once

#include "model/draft_state.h"
#include "model/message.h"

namespace hw {

// Reanalysis re-expresses the draft with the fewest shafts (treadles) while
// it weaves the same cloth. Shafts are compared by what they lift on every
// used pick, treadles by the used shafts they lift; identical ones merge,
// numbered by first appearance from end (pick) 1, and one that never lifts
// leaves its ends (picks) empty. Every used end and pick is renumbered, so
// a draft without a short repeat keeps its cloth beyond the fiftieth end or
// pick too. Each returns false, changing nothing, in Design mode, with
// multiple treadling, or while the threading or the treadling (liftplan)
// is empty.

// Transform > Reanalyze Threading; with warpEmptyEnds the empty ends go on
// an extra shaft that never lifts.
bool ReanalyzeThreading(DraftState& d, bool warpEmptyEnds);
// Transform > Reanalyze Treadling (single treadling only); with
// warpEmptyEnds the empty picks go on an extra treadle tied to nothing.
bool ReanalyzeTreadling(DraftState& d, bool warpEmptyEnds);
// Shafts and then treadles, as Translate runs it after expanding a draft.
// Without warpEmptyEnds a shaft (treadle) that lifts nothing leaves its
// ends unthreaded (picks untreadled), which shows another cloth on a
// sinking shed (on a treadle loom); with it they go on an extra one.
bool CombinedReanalysis(DraftState& d, bool warpEmptyEnds);

// Transform > Straight Threading: one shaft per end of the threading
// repeat, the tie-up (or liftplan) rewritten to weave the same cloth. Fails
// without changing anything on an empty draft ("@globnopat"), a repeat of
// more than 16 ends ("@toostraight" and the length) or no repeat at all.
Status StraightThreading(DraftState& d);

} // namespace hw
