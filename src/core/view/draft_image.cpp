#include "view/draft_image.h"

#include "model/primitives.h"
#include "view/geometry.h"
#include "view/renderer.h"

#include <algorithm>
#include <limits>
#include <new>

namespace hw {

DraftImage RenderDraftImage(const DraftState& source, const DraftImageOptions& o,
                            const ViewSettings& settings) {
    auto d = std::make_unique<DraftState>(source);
    if (o.Style >= 1 && o.Style <= 4) d->Style = o.Style;
    const int zoom = std::clamp(o.Zoom > 0 ? o.Zoom : int(d->Zoom), MinZoomStep, MaxZoomStep);
    const int cell = zoom + 1;
    ViewSettings s = settings;
    s.ShowThreading = true;

    int ends = o.Ends > 0 ? o.Ends : LastThreadedEnd(*d, d->Ends);
    int picks = o.Picks > 0 ? o.Picks : LastUsedPickView(*d, d->Picks);
    if (d->DesignMode) {
        ends = std::min(o.Ends > 0 ? o.Ends : int(d->Ends), DesignSize);
        picks = std::min(o.Picks > 0 ? o.Picks : int(d->Picks), DesignSize);
    }
    ends = std::clamp(ends, 0, MaxEnds);
    picks = std::clamp(picks, 0, MaxPicks);

    // Size the area so that exactly these ends and picks are visible.
    const ViewGeometry probe = ComputeGeometry(*d, s, zoom, 0, 0, 0, 0);
    const int columns = d->DesignMode ? ends + 2 : ends + probe.Treadles + 3;
    const int rows = d->DesignMode ? picks + 2 : picks + probe.Shafts + 3;
    const int width = columns * cell + 1;
    const int height = rows * cell + 1;
    const ViewGeometry g = ComputeGeometry(*d, s, zoom, 0, 0, width, height);
    ViewWindow w;
    w.VisibleEnds = g.VisibleEnds;
    w.VisiblePicks = g.VisiblePicks;

    DraftImage image;
    const uint64_t pixels = uint64_t(width) * uint64_t(height);
    try {
        if (pixels > std::numeric_limits<size_t>::max() / sizeof(uint32_t)) throw std::bad_alloc();
        image.Picture = std::make_unique<RasterCanvas>(width, height, s.BackgroundColor);
        DraftRenderer(*image.Picture, *d, w, g, s).FullRepaint(width, height);
    } catch (const std::bad_alloc&) {
        image.Picture.reset();
        image.Error = Message{{},
                              "Not enough memory for a picture of %1 x %2 pixels",
                              {std::to_string(width), std::to_string(height)}};
    }
    return image;
}

} // namespace hw
