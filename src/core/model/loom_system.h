#pragma once

#include "model/draft_state.h"

namespace hw {

// Conversions between the three loom systems. Each keeps the drawdown of
// every pick that is woven (a treadled pick, a non-empty liftplan row).
void TreadlingToLiftplan(DraftState& d, int n);
void MultipleToLiftplan(DraftState& d);
void TreadlingToMultiple(DraftState& d);
void LiftplanToMultiple(DraftState& d);

// Builds a tie-up and a single treadling from liftplan rows 1..n, one tie-up
// column per distinct row in order of first appearance. Returns true when
// more than 16 distinct rows were met (those picks get treadle 16); the
// caller shows "@emaxtreadles".
bool DeriveTieupAndTreadling(DraftState& d, int n, bool clearTreadling);

// What changing the loom system did, for the caller to report and refresh.
struct LoomChangeResult {
    bool TreadleOverflow = false; // show "@emaxtreadles"
    bool RefreshView = false;
};
// Converts the draft from oldSystem to the loom system its flags now hold.
LoomChangeResult ChangeLoomSystem(DraftState& d, LoomSystem oldSystem);

// Design cell (p, e) for picks 1..P, ends 1..E (at most 50) := end e is
// threaded and its shaft is raised on pick p. With refresh, a single-treadling
// draft first rebuilds liftplan rows 1..P from treadling and tie-up and
// clears the rows after P. The shed is not applied.
void RecomputeWindow(DraftState& d, int ends, int picks, bool refresh);

} // namespace hw
