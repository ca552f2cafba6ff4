#pragma once

#include "model/draft_state.h"
#include "model/message.h"
#include "view/raster_canvas.h"
#include "view/view_settings.h"

#include <memory>
#include <optional>

namespace hw {

// What to draw; 0 takes the pattern's own zoom and style, and the used
// extent for ends and picks.
struct DraftImageOptions {
    int Zoom = 0;
    int Style = 0;
    int Ends = 0;
    int Picks = 0;
};

struct DraftImage {
    std::unique_ptr<RasterCanvas> Picture; // null when it could not be made
    std::optional<Message> Error;          // then: why, naming the picture's size
};

// The draft as the draft view paints it, ends 1..Ends and picks 1..Picks
// shown, threading shown, the default view settings. The picture is exactly
// the laid-out area with its origin at (0, 0). A picture too large for the
// memory there is gives an error instead.
DraftImage RenderDraftImage(const DraftState& d, const DraftImageOptions& o,
                            const ViewSettings& s = {});

} // namespace hw
