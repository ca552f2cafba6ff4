#pragma once

#include "model/draft_state.h"

namespace hw {

// Inserting and deleting ends and picks. The end and pick counts never
// change: what is pushed past the last end (pick) is lost. Without
// withThreading (withTreadling) the call acts on the colour row alone, also
// in Design mode. Otherwise in Design mode they work on the 50 x 50 design
// grid instead, with withColours as the colours-linked flag. Insert returns the count actually
// inserted (clamped to the draft or the design grid).
int InsertEnds(DraftState& d, int from, int count, bool withThreading, bool withColours);
int InsertPicks(DraftState& d, int from, int count, bool withTreadling, bool withColours);
void DeleteEnds(DraftState& d, int from, int to, bool withThreading, bool withColours);
void DeletePicks(DraftState& d, int from, int to, bool withTreadling, bool withColours);

// Exchange two shafts (treadles) throughout the draft.
void SwitchShafts(DraftState& d, int a, int b);
void SwitchTreadles(DraftState& d, int a, int b);

} // namespace hw
