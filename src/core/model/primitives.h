#pragma once

#include "model/draft_state.h"
#include "model/view_window.h"

#include <cstdint>

namespace hw {

// Extent and presence.
int LastThreadedEnd(const DraftState& d, int n);
int LastTreadledPick(const DraftState& d, int n);
bool LiftplanRowUsed(const DraftState& d, int pick);
int LastLiftplanPick(const DraftState& d, int n);
int LastUsedPick(const DraftState& d, int n);
// The main window's variant: the treadling only for single treadling outside Design mode.
int LastUsedPickView(const DraftState& d, int n);
void UpdateEndsUsed(DraftState& d);
void UpdatePicksUsed(DraftState& d);
void UpdateUsed(DraftState& d);
void UpdateDesignUsed(DraftState& d);
bool ThreadingInView(const DraftState& d, const ViewWindow& v);
bool WeftingInView(const DraftState& d, const ViewWindow& v);
bool NoEndVisible(const DraftState& d, const ViewWindow& v);
int MaxThreadingShaft(const DraftState& d);
int MaxTreadlingTreadle(const DraftState& d);

// Clearing and defaults.
void ClearThreadingFrom(DraftState& d, int n);
void ClearTreadlingFrom(DraftState& d, int n);
void ClearLiftplanFrom(DraftState& d, int n);
void ClearTieUp(DraftState& d);
void ResetWarpColorsFrom(DraftState& d, int n);
void ResetWeftColorsFrom(DraftState& d, int n);
void ClearDesignBeyond(DraftState& d, int n, int m);
void ClearInsertBuffers(DraftState& d);
void ResetTransUnits(DraftState& d);
void ResetScroll(ViewWindow& v);
void ClearDraft(DraftState& d);
// Empties the draft for a new pattern; in Design mode the design grid is
// recomputed from the (now empty) draft.
void ClearDraftForNew(DraftState& d, ViewWindow& v);

// Folding and fitting counts.
void FoldThreading(DraftState& d);
void FoldTreadling(DraftState& d);
void FitShaftsToThreading(DraftState& d);

// Palette.
void RebuildColorTable(DraftState& d);
// The colour a new or opened pattern offers first: its first warp colour,
// on a sinking shed its first weft colour.
inline int StartColor(const DraftState& d) {
    return d.Shed ? d.WeftColors[1] : d.WarpColors[1];
}
void SetPaletteEntry(DraftState& d, int index, ColorRef color);
void LoadDefaultPalette(DraftState& d);

// A threading or treadling value that may index the tie-up or a liftplan
// row: anything above 16 counts as empty.
inline int SafeShaft(uint8_t v) {
    return v <= MaxShafts ? v : 0;
}

} // namespace hw
