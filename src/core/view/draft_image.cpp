#include "view/draft_image.h"

#include "model/primitives.h"
#include "view/geometry.h"
#include "view/renderer.h"

#include <algorithm>
#include <array>
#include <limits>
#include <new>

namespace hw {

DraftImageLayout LayoutDraftImage(const DraftState& source, const DraftImageOptions& o,
                                  const ViewSettings& settings) {
    DraftImageLayout l;
    l.Draft = std::make_unique<DraftState>(source);
    DraftState& d = *l.Draft;
    if (o.Style >= 1 && o.Style <= 4) d.Style = o.Style;
    const int zoom = std::clamp(o.Zoom > 0 ? o.Zoom : int(d.Zoom), MinZoomStep, MaxZoomStep);
    d.Zoom = uint8_t(zoom);
    const int cell = zoom + 1;
    l.Settings = settings;
    l.Settings.ShowThreading = true;

    int ends = o.Ends > 0 ? o.Ends : LastThreadedEnd(d, d.Ends);
    int picks = o.Picks > 0 ? o.Picks : LastUsedPickView(d, d.Picks);
    if (d.DesignMode) {
        ends = std::min(o.Ends > 0 ? o.Ends : int(d.Ends), DesignSize);
        picks = std::min(o.Picks > 0 ? o.Picks : int(d.Picks), DesignSize);
    }
    ends = std::clamp(ends, 0, MaxEnds);
    picks = std::clamp(picks, 0, MaxPicks);

    // Size the area so that exactly these ends and picks are visible.
    const ViewGeometry probe = ComputeGeometry(d, l.Settings, zoom, 0, 0, 0, 0);
    const int columns = d.DesignMode ? ends + 2 : ends + probe.Treadles + 3;
    const int rows = d.DesignMode ? picks + 2 : picks + probe.Shafts + 3;
    l.Width = columns * cell + 1;
    l.Height = rows * cell + 1;
    l.Geometry = ComputeGeometry(d, l.Settings, zoom, 0, 0, l.Width, l.Height);
    l.Window.VisibleEnds = l.Geometry.VisibleEnds;
    l.Window.VisiblePicks = l.Geometry.VisiblePicks;
    return l;
}

std::vector<ColorRef> DraftImageColors(const DraftImageLayout& l) {
    const DraftState& d = *l.Draft;
    std::vector<ColorRef> colors;
    auto add = [&](ColorRef c) {
        if (std::find(colors.begin(), colors.end(), c) == colors.end()) colors.push_back(c);
    };
    for (ColorRef c : {l.Settings.BackgroundColor, l.Settings.GridColor, l.Settings.MarkingColor,
                       MarkColor})
        add(c);
    std::array<bool, PaletteSize> used{};
    for (int e = 1; e <= l.Window.VisibleEnds && e <= MaxEnds; ++e)
        used[d.WarpColors[size_t(e)]] = true;
    for (int p = 1; p <= l.Window.VisiblePicks && p <= MaxPicks; ++p)
        used[d.WeftColors[size_t(p)]] = true;
    for (int i = 0; i < PaletteSize; ++i)
        if (used[size_t(i)]) add(d.ColorTable[size_t(i)]);
    if (d.Style == 4)
        for (size_t i = 0, n = colors.size(); i < n; ++i)
            add(FromRgb32(OutlineShade(ToRgb32(colors[i]))));
    return colors;
}

DraftImage RenderDraftImage(const DraftState& source, const DraftImageOptions& o,
                            const ViewSettings& settings) {
    const DraftImageLayout l = LayoutDraftImage(source, o, settings);
    const int width = l.Width, height = l.Height;
    DraftImage image;
    const uint64_t pixels = uint64_t(width) * uint64_t(height);
    try {
        if (pixels > std::numeric_limits<size_t>::max() / sizeof(uint32_t)) throw std::bad_alloc();
        image.Picture = std::make_unique<RasterCanvas>(width, height, l.Settings.BackgroundColor);
        DraftRenderer(*image.Picture, *l.Draft, l.Window, l.Geometry, l.Settings)
            .FullRepaint(width, height);
    } catch (const std::bad_alloc&) {
        image.Picture.reset();
        image.Error = Message{{},
                              "Not enough memory for a picture of %1 x %2 pixels",
                              {std::to_string(width), std::to_string(height)}};
    }
    return image;
}

} // namespace hw
