#pragma once

#include "model/draft_state.h"
#include "model/view_window.h"
#include "view/geometry.h"

#include <string>

namespace hw {

// Status panels 1 and 2: "Warp: first-last" and "Weft: first-last" of the
// visible ends and picks, in draft numbers.
std::string WarpRangeText(const ViewWindow& w);
std::string WeftRangeText(const ViewWindow& w);

// Status panels 3 and 4 for the cell under the pointer; both empty outside
// every area.
struct PositionTexts {
    std::string First;
    std::string Second;
};
PositionTexts PointerPositionTexts(const DraftState& d, const ViewWindow& w, const ViewHit& hit);

// Status panel 6: the shed of the draft.
std::string ShedText(const DraftState& d);

// The window caption: the product name alone, or " - " and the pattern's
// path; only the file name while the window is narrower than 1000 pixels or
// the path is too long to show.
std::string WindowCaption(const std::string& product, const std::string& path, int windowWidth);

// The task bar title: the pattern name and " - " before the product name.
std::string ApplicationTitle(const std::string& product, const std::string& path);

// The file name of a path, without folders ("/" or "\" separated).
std::string FileNameOf(const std::string& path);

} // namespace hw
