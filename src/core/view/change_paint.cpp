#include "view/change_paint.h"

#include <algorithm>

namespace hw {

RepaintScope RepaintNeeded(const Change& c) {
    if (c.Parts.Intersects({Component::Sizes, Component::Loom, Component::Layout}))
        return RepaintScope::Layout;
    if (c.Has(Component::Palette)) return RepaintScope::Full;
    if (c.Parts.Intersects({Component::Threading, Component::TieUp, Component::Treadling,
                            Component::Liftplan, Component::WarpColors, Component::WeftColors,
                            Component::Design}))
        return RepaintScope::Partial;
    return RepaintScope::None;
}

void PaintChange(DraftRenderer& r, const DraftState& d, const ViewWindow& w, const Change& c,
                 int lastThreadedBefore) {
    // Visible numbers of the changed ends and picks, clipped to the view.
    const int k0 = std::max(c.Ends.First - w.ScrollEnds, 1);
    const int k1 = std::min(c.Ends.Last - w.ScrollEnds, w.VisibleEnds);
    const int i0 = std::max(c.Picks.First - w.ScrollPicks, 1);
    const int i1 = std::min(c.Picks.Last - w.ScrollPicks, w.VisiblePicks);
    const bool wholeDrawdown = c.Has(Component::TieUp) || c.Has(Component::Design);
    if (c.Has(Component::TieUp)) r.PaintTieUp();
    if (c.Has(Component::Threading))
        for (int k = k0; k <= k1; ++k) r.PaintThreadingColumn(k, r.ThreadingShaft(k));
    if (c.Has(Component::WarpColors))
        for (int k = k0; k <= k1; ++k) r.PaintWarpColorCell(k);
    if (c.Has(Component::Treadling) || c.Has(Component::Liftplan))
        for (int i = i0; i <= i1; ++i) r.PaintTreadlingRow(i);
    if (c.Has(Component::WeftColors))
        for (int i = i0; i <= i1; ++i) r.PaintWeftColorCell(i);
    if (wholeDrawdown) {
        r.PaintDrawdownColumns(1, w.VisibleEnds);
        return;
    }
    if (c.Parts.Intersects({Component::Threading, Component::WarpColors}) && k0 <= k1)
        r.PaintDrawdownColumns(k0, k1);
    if (c.Parts.Intersects({Component::Treadling, Component::Liftplan, Component::WeftColors}))
        for (int i = i0; i <= i1; ++i) r.PaintDrawdownRow(i);
    if (c.Has(Component::Threading)) {
        const int lastAfter = LastThreadedVisible(d, w);
        if (lastAfter != lastThreadedBefore)
            r.PaintDrawdownColumns(std::min(lastThreadedBefore, lastAfter) + 1,
                                   std::max(lastThreadedBefore, lastAfter));
    }
}

} // namespace hw
