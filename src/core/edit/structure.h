#pragma once

#include "model/draft_state.h"
#include "model/message.h"

#include <optional>

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

// Shafts and treadles, one at a time from `from` on. Inserting stops at 16
// shafts (treadles) and never inserts at position 16. Deleting removes the
// ends (picks) on the deleted shafts (treadles), renumbers the later ones
// and always keeps at least 2, the rows (columns) left over empty.
// Treadles exist on treadle looms only; the liftplan follows the shafts.
void InsertShafts(DraftState& d, int from, int count);
void DeleteShafts(DraftState& d, int from, int to);
void InsertTreadles(DraftState& d, int from, int count);
void DeleteTreadles(DraftState& d, int from, int to);

// Repeats the used ends (picks) in mirror image after the last one, without
// repeating the last one, as far as the draft reaches; colours go with them.
// Reports "No Pattern." below 2 used ends and "No room left ..." when the
// last end (pick) is used; the draft is then unchanged.
std::optional<Message> MirrorWarp(DraftState& d);
std::optional<Message> MirrorWeft(DraftState& d);

// The back of the cloth: every tie-up cell (liftplan cell) inverted.
void ReverseFabric(DraftState& d);
// Ends (picks) 1 .. the last used one in reverse order, colours included.
void ReverseWarpOrder(DraftState& d);
void ReverseWeftOrder(DraftState& d);

// Exchanges warp and weft of a single-treadling draft: threading and
// treadling, the colour rows, the counts; the tie-up is transposed and
// inverted, since what was warp on top is now weft on top.
void TransposeDraft(DraftState& d);
// Turns the draft (single treadling or liftplan). A liftplan goes through a
// tie-up and back, so it fails when it has more than 16 different woven
// rows: the message names the count and the draft is unchanged.
std::optional<Message> TurnDraft(DraftState& d);

} // namespace hw
