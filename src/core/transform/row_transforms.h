#pragma once

#include "model/draft_state.h"
#include "model/message.h"
#include "transform/network.h"

#include <vector>

namespace hw {

// Insert Threading: one end from `insert` (its entries 1, 2, ... in turn)
// before every `interval` ends of the threading, or after every complete
// interval. The pattern moves up on the shafts (with the tie-up or the
// liftplan) so that the inserted ends take the lowest ones. Refused with a
// message, changing nothing, when that would pass shaft 16.
Status InsertThreadingSequence(DraftState& d, const Sequence& insert, int interval,
                               bool afterInterval);
// Insert Treadling (single treadling): the same over picks and treadles,
// the tie-up columns moving right.
Status InsertTreadlingSequence(DraftState& d, const Sequence& insert, int interval,
                               bool afterInterval);

// Insert in Liftplan: from pick `from` on, a blank pick before every group
// of `interval` picks, as long as from + interval does not pass the last
// used pick. With `rows`, the blank picks take its rows 1, 2, ... in turn.
// The pick count grows with the liftplan (up to 9600 picks).
void InsertLiftplanPicks(DraftState& d, int from, int interval,
                         const std::array<LiftplanRow, MaxPicks + 1>* rows = nullptr);
// Delete in Liftplan: pick `start` and every (interval + 1)-th pick after
// it go, the rest close up; the pick count stays.
void DeleteLiftplanPicks(DraftState& d, int start, int interval);

// Utilities > Tromp as Writ, in the order of the dialog's buttons.
enum class TrompChoice {
    ThreadingToTreadling,
    WarpToWeftColors,
    TreadlingToThreading,
    WeftToWarpColors,
    SwitchColors,
    SwitchThreadingTreadling,
};
// The choices with the treadling need single treadling outside Design mode.
bool TrompAvailable(const DraftState& d, TrompChoice c);
void TrompAsWrit(DraftState& d, TrompChoice c);

// Picks FirstPick..LastPick and shafts FirstShaft..LastShaft of the liftplan.
struct LiftplanBlock {
    int FirstPick = 1;
    int LastPick = 0;
    int FirstShaft = 1;
    int LastShaft = 0;
};
// Utilities > Wrap Liftplan: every pick's shafts (the treadles of multiple
// treadling) move `steps` to the right (negative: left), round over all of
// them or over the block's columns on the block's picks only.
void WrapLiftplan(DraftState& d, int steps, const LiftplanBlock* block = nullptr);

} // namespace hw
