#pragma once

#include "model/draft_state.h"

#include <cstdint>
#include <span>
#include <vector>

namespace hw {

// The design grid of a Design-mode pattern lives beside it: versions 6 and 7
// in a ".hdb" file, version 5 in a ".bmp" picture.

enum class CompanionStatus { Ok, BadSignature, Damaged };

// The ".hdb" bytes for the document's design grid: a 128-byte header ("HD",
// row length - 1 and row count, high byte first) and 50 rows of 300 bytes.
std::vector<uint8_t> EncodeDesignFile(const DraftState& d);

// Replaces the design grid with the rows of a ".hdb" file. Any row length
// and row count is accepted: at most 50 rows and 300 bytes of a row are
// kept, and cells beyond end 50 are cleared. On anything but Ok the grid is
// left as it was.
CompanionStatus DecodeDesignFile(std::span<const uint8_t> bytes, DraftState& d);

// Replaces the design grid from a BMP picture: cell (p, e) is set where the
// pixel at column W - e, row H - p (W, H the picture size capped at 50) is not
// pure white. Returns false, leaving the grid, when the bytes are no
// readable BMP or the picture is absurdly large.
bool DecodeDesignBitmap(std::span<const uint8_t> bytes, DraftState& d);

} // namespace hw
