#pragma once

#include "model/draft_state.h"
#include "model/message.h"

#include <span>
#include <string>

namespace hw {

// The two small weaves of Translate and Overlay: unit 1 stands for a
// profile square that is up, unit 2 for one that is not. Grids are
// [row][column] from 0; row r (1..Picks) of the unit is Unit[r-1], a set
// cell raises the end. Only the first Picks rows and Ends columns count.
using UnitGrid = std::array<std::array<bool, 16>, 16>;
struct UnitPair {
    int Ends = 4;
    int Picks = 4;
    UnitGrid Unit1{};
    UnitGrid Unit2{};
    bool operator==(const UnitPair&) const = default;
};

UnitPair UnitsOf(const DraftState& d);
void StoreUnits(DraftState& d, const UnitPair& u);
// Each size 1..16; a unit of one end by one pick would translate nothing,
// so it becomes one end by two picks.
void SetUnitSize(UnitPair& u, int ends, int picks);
// "Clear": unit 1 all set, unit 2 all clear.
void ClearUnits(UnitPair& u);

// The built-in unit pairs, in the order the library list shows them.
struct UnitLibraryEntry {
    std::string Name;
    UnitPair Units;
};
std::span<const UnitLibraryEntry> UnitLibrary();

// Doubles both sizes and interleaves two layers: the old units decide which
// layer shows where. fromPick2 starts the first layer's picks on pick 2.
// Fails, changing nothing, when a size is above 8.
Status ConstructDoubleWeave(UnitPair& u, bool fromPick2);

// Translate in Draft mode with the draft's own units: every profile end
// becomes Ends ends and every profile pick Picks picks, then the combined
// reanalysis reduces the shafts. Fails without changing anything on an
// empty draft ("@globnopat"), when the result needs more than 16 shafts
// ("@todesign") or, on a treadle loom, more than 16 treadles
// ("@emaxtreadles").
Status TranslateDraft(DraftState& d, bool warpEmptyEnds);
// Translate in Design mode: the design grid expanded inside its 50 x 50.
void TranslateDesign(DraftState& d);
// Overlay with the units: every design cell (Design mode) or liftplan cell
// (a liftplan loom) becomes the matching cell of unit 1 where it is set and
// of unit 2 where it is not, the units tiled without expanding anything.
void OverlayUnits(DraftState& d);

} // namespace hw
