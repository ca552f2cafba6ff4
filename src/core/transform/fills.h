#pragma once

#include "model/draft_state.h"

#include <random>
#include <string>
#include <vector>

namespace hw {

// The fill library: standard orders and weaves written as one repeat and
// continued over the whole area. Each fill also sets the remembered repeat
// length of the area it writes.

enum class FillOrder { Straight, Pointed, Rosepath };

// The first repeat of an order over 1..m: straight 1..m; pointed 1..m..2;
// rosepath 1..m..1 and m.
std::vector<uint8_t> OrderRepeat(FillOrder order, int m);
// Over every end on the shafts; over every pick on the treadles.
void FillThreadingOrder(DraftState& d, FillOrder order);
void FillTreadlingOrder(DraftState& d, FillOrder order);

// A weave of rows over the draft's shafts (bit s-1 = shaft s raised). In
// liftplan mode the rows fill the liftplan, repeated over every pick, and
// their number becomes the remembered repeat; on a treadle loom treadle t
// gets row ((t - 1) mod rows) + 1 as its tie-up column.
void ApplyWeave(DraftState& d, const std::vector<LiftplanRow>& rows);
// Plain weave: odd shafts on odd rows (treadles), even shafts on even ones.
void FillPlainWeave(DraftState& d);

// The random twill's first row, element s-1 = shaft s raised: runs of at
// most maxFloat, no longer float across the repeat's edge, with Balanced
// half of the shafts raised, and never plain weave above two shafts.
std::vector<bool> TwillBaseRow(int shafts, int maxFloat, bool balanced, std::mt19937& rng);
// Each row the one before moved one shaft up (direction A) or down (B).
std::vector<LiftplanRow> TwillRows(const std::vector<bool>& base, bool directionB);
// One shaft raised per row, move shafts further on each row.
std::vector<LiftplanRow> SatinRows(int shafts, int move);
// The moves that make a regular satin on this many shafts, as the dialog
// lists them ("3,5" or "7,9, 5,11, 3,13"); empty when there is none.
std::string SatinMoves(int shafts);

// Utilities > Tie-up Special, applied in this order to the tie-up of the
// draft's shafts and treadles.
struct TieUpEffects {
    bool TwillFromShaft1 = false;
    bool TwillFromShaft1AndTreadle1 = false; // only when the first is off
    bool FlipHorizontal = false;
    bool FlipVertical = false;
    bool Rotate90 = false; // the square of min(shafts, treadles) only
};
void ApplyTieUpEffects(DraftState& d, const TieUpEffects& e);

// Colour orders of two colours: upper case palette entries 5 and 1, lower
// case 4 and 0, swapped on a sinking shed. Single is "A" for the warp and
// "B" for the weft.
enum class ColorOrder { Single, AB, ab, AABB, aabb, ABA, aba };
void FillWarpColorOrder(DraftState& d, ColorOrder order);
void FillWeftColorOrder(DraftState& d, ColorOrder order);

} // namespace hw
