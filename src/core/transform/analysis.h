#pragma once

#include "model/draft_state.h"
#include "model/message.h"

#include <functional>
#include <vector>

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

// Puts the unthreaded ends (untreadled picks) up to the last used one, or
// up to `last` when given, on an extra shaft (treadle) that lifts nothing.
void FillEmptyEnds(DraftState& d, int last = 0);
void FillEmptyPicks(DraftState& d, int last = 0);

// The threading and liftplan rows of the 50 x 50 design (the end and pick
// counts raised to its extent, shafts and treadles to its distinct columns);
// nothing beyond the fiftieth end and pick is kept.
void DeriveThreadingAndLiftplan(DraftState& d);

struct DesignToDraftResult {
    bool Done = false;             // false: the user kept Design mode, nothing changed
    std::vector<Message> Warnings; // "@emaxtreadles": the picks needed more than 16 treadles
};

// View > Draft from Design mode: the whole draft is derived from the design.
// More than 16 distinct columns first asks confirmManyShafts (the
// "@emaxshafts" question); false keeps Design mode on.
DesignToDraftResult DesignToDraft(DraftState& d, bool warpEmptyEnds,
                                  const std::function<bool()>& confirmManyShafts);

// View > Design: the drawdown of the first 50 ends and picks becomes the design.
void DraftToDesign(DraftState& d);

} // namespace hw
