#pragma once

#include "edit/clipboard.h"

namespace hw {

// The choices of the Paste Special dialog.
struct PasteOptions {
    int Copies = 1;             // 1..9999
    bool FillRemaining = false; // as many copies as fit
    bool Insert = false;        // push what follows the target along
    bool Negative = false;      // grids: set and empty cells exchanged
    bool Rotate = false;        // grids: a further quarter turn per copy
    bool FlipHorizontal = false;
    bool FlipVertical = false;
    int Advance = 0; // threading, treadling: each copy moved up by this
};
inline constexpr int MaxPasteCopies = 9999;

// Pastes several copies of the clipboard block, the first at the target's
// first cell and each next one a step further: in the grids the step from
// the copied block to the target, in the threading, treadling and colour
// rows the block's own length. Flips and Negative act on copies 1, 3, 5...
// Nothing happens unless CheckPaste with the copy record passes.
void PasteSpecial(DraftState& d, const CellBlock& target, const CopyRecord& source,
                  const ClipContent& clip, const PasteOptions& o);

} // namespace hw
