#pragma once

#include "model/draft_state.h"
#include "model/message.h"
#include "model/view_window.h"
#include "view/geometry.h"
#include "view/raster_canvas.h"
#include "view/view_settings.h"

#include <memory>
#include <optional>
#include <vector>

namespace hw {

// What to draw; 0 takes the pattern's own zoom and style, and the used
// extent for ends and picks.
struct DraftImageOptions {
    int Zoom = 0;
    int Style = 0;
    int Ends = 0;
    int Picks = 0;
};

// Where everything of such a picture lies, and the draft it shows (its own
// copy, with the zoom and style of the options).
struct DraftImageLayout {
    std::unique_ptr<DraftState> Draft;
    ViewSettings Settings;
    ViewGeometry Geometry;
    ViewWindow Window;
    int Width = 0;
    int Height = 0;
};
DraftImageLayout LayoutDraftImage(const DraftState& d, const DraftImageOptions& o,
                                  const ViewSettings& s = {});

// Every colour the picture can hold: the settings' colours, the marks, the
// palette entries of its colour rows and, for the outlined style, their
// darker shades.
std::vector<ColorRef> DraftImageColors(const DraftImageLayout& l);

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
