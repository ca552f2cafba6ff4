#pragma once

#include "model/draft_state.h"
#include "text/prompter.h"

namespace hw {

// Threading from the design grid over ends 1..E and picks 1..P: identical
// columns share a shaft, shafts numbered by first appearance, empty columns
// unthreaded, columns beyond the sixteenth distinct one unthreaded. Returns
// the number of distinct non-empty columns. In counting mode nothing is
// written and the count stops as soon as it passes 16.
int DeriveThreading(DraftState& d, int ends, int picks, bool countingMode = false);

// Liftplan rows 1..P: the shafts of the threaded ends raised on each pick.
void BuildLiftplanFromDrawdown(DraftState& d, int ends, int picks);

enum class PeriodKind { Shafts, Treadles };
// Reorders shafts (treadles) by the period they recur with in the first 50
// ends (picks), unless the order is pointed or fewer than two are regular.
void SortByPeriod(DraftState& d, PeriodKind kind);

// Puts the unthreaded ends (untreadled picks) up to the last used one on an
// extra shaft (treadle) that lifts nothing.
void FillEmptyEnds(DraftState& d);
void FillEmptyPicks(DraftState& d);

// View > Draft from Design mode: the whole draft is derived from the design.
// More than 16 distinct columns asks "@emaxshafts"; Cancel returns false and
// leaves Design mode on. More than 16 distinct picks reports "@emaxtreadles".
bool DesignToDraft(DraftState& d, Prompter& prompter, bool warpEmptyEnds);

// View > Design: the drawdown of the first 50 ends and picks becomes the design.
void DraftToDesign(DraftState& d);

} // namespace hw
