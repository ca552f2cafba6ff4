#pragma once

#include "model/draft_state.h"
#include "model/message.h"

#include <string>

namespace hw {

// The fabric picture of ends 1..ends and picks 1..picks: one pixel per end
// and per pick (rows of two pixels for each pair of picks with compression,
// at least one row), pick 1 at the bottom, end 1 on the side the threading
// starts from; then stretched to the densities by repeating whole columns
// or rows.
struct FabricPngSize {
    int ClothWidth = 0; // before the stretch
    int ClothHeight = 0;
    int Width = 0; // in the file
    int Height = 0;
};
FabricPngSize FabricPngSizeFor(const DraftState& d, int ends, int picks);

// Writes that picture as a PNG file (indexed when it has at most 256
// colours; white where no thread shows). "No Pattern." comes from the
// caller; this only fails to write or to find the memory.
Status ExportFabricPng(const DraftState& d, const std::string& path, int ends, int picks);

} // namespace hw
