#pragma once

#include "edit/selection.h"
#include "model/draft_state.h"
#include "model/message.h"

namespace hw {

// What a range repeat copies: the threading, the single treadling, the
// liftplan rows (liftplan, multiple treadling), or a colour row.
enum class RepeatKind { Threading, Treadling, Liftplan, WarpColors, WeftColors };

struct RepeatSpan {
    RepeatKind Kind = RepeatKind::Threading;
    int First = 1; // ends or picks, in either order
    int Last = 1;
    // The liftplan columns that travel; the whole row when they span them all.
    int FirstColumn = 1;
    int LastColumn = MaxTreadles;
};

// The copies a command makes: as many as fit.
inline constexpr int RepeatAllCopies = 60000;

// Entries First..Last follow themselves up to the end (pick) count, at most
// `copies` times, the last copy cut off; entries before First stay. With
// withColours the threading takes its warp colours along, the treadling and
// liftplan their weft colours; colour rows copy only themselves.
void RepeatRange(DraftState& d, const RepeatSpan& r, bool withColours,
                 int copies = RepeatAllCopies);

// Whether a fill has room: the last pick is empty, or else the last end is
// unthreaded.
bool FillHasRoom(const DraftState& d);

// Without a selection: threading, treadling or liftplan and the colour rows
// continue up to the end and pick counts, each with its own repeat, found
// afresh and remembered. A side with nothing on it is left alone.
void FillPattern(DraftState& d, bool withColours);

// In Design mode the same over the design grid (ends and picks up to 50)
// and the colours of its ends and picks: the design is read as threading
// and liftplan rows, filled, and drawn again. False, changing nothing, when
// the design has more than 16 distinct columns or no room.
bool FillDesign(DraftState& d, bool withColours);

// A block of the design grid tiles the grid to its right and below, up to
// 50 (or the end and pick counts); with withColours the colours of its ends
// and picks go along. Cells left of it and above it stay.
void RepeatDesignBlock(DraftState& d, const CellBlock& b, bool withColours);

// Edit > Repeat: a selection (other than the tie-up) repeats itself, else
// the draft is filled. "@selpart" when neither can be done; nothing
// changes then.
Status RepeatCommand(DraftState& d, const CellBlock& selection);

} // namespace hw
