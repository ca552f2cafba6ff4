#pragma once

#include "model/draft_state.h"
#include "view/raster_canvas.h"
#include "view/view_settings.h"

#include <memory>

namespace hw {

// What to draw; 0 takes the pattern's own zoom and style, and the used
// extent for ends and picks.
struct DraftImageOptions {
    int Zoom = 0;
    int Style = 0;
    int Ends = 0;
    int Picks = 0;
};

// The draft as the draft view paints it, ends 1..Ends and picks 1..Picks
// shown, threading shown, the default view settings. The picture is exactly
// the laid-out area with its origin at (0, 0).
std::unique_ptr<RasterCanvas> RenderDraftImage(const DraftState& d, const DraftImageOptions& o,
                                               const ViewSettings& s = {});

} // namespace hw
