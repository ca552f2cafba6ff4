#include "view/stroke_paint.h"

#include "model/primitives.h"

namespace hw {

void PaintStrokeItem(DraftRenderer& r, const DraftState& d, const ViewWindow& w, StrokeArea area,
                     const StrokeItem& item, bool fromDraft) {
    const int k = item.Column - w.ScrollEnds; // visible end
    const int i = item.Row - w.ScrollPicks;   // visible pick
    const bool endShown = k >= 1 && k <= w.VisibleEnds;
    const bool pickShown = i >= 1 && i <= w.VisiblePicks;
    switch (area) {
    case StrokeArea::Threading:
        if (endShown) r.PaintThreadingColumn(k, fromDraft ? r.ThreadingShaft(k) : item.Value);
        break;
    case StrokeArea::Treadling:
        if (!pickShown) break;
        if (fromDraft)
            r.PaintTreadlingRow(i);
        else
            r.PaintTreadlingRow(i, item.Value > 0 ? uint16_t(1u << (item.Value - 1)) : 0);
        break;
    case StrokeArea::TieUp:
        r.PaintTieUpCell(item.Row, item.Column,
                         fromDraft ? d.TieUpAt(item.Row, item.Column) == 1 : item.Value != 0);
        break;
    case StrokeArea::Liftplan:
        if (pickShown)
            r.PaintTreadlingCell(i, item.Column,
                                 fromDraft ? (r.TreadlingColumns(i) >> (item.Column - 1)) & 1u
                                           : item.Value != 0);
        break;
    case StrokeArea::Drawdown:
    case StrokeArea::Design:
        // A set cell raises the shaft: the warp shows on a rising shed.
        if (endShown && pickShown)
            r.PaintDrawdownCell(k, i, fromDraft ? -1 : ((item.Value != 0) == d.Shed ? 1 : 0));
        break;
    case StrokeArea::WarpColors:
        if (!endShown) break;
        if (fromDraft)
            r.PaintWarpColorCell(k);
        else
            r.PaintWarpColorCell(k, item.Value);
        r.PaintDrawdownColumn(k, fromDraft ? -1 : item.Value);
        break;
    case StrokeArea::WeftColors:
        if (!pickShown) break;
        if (fromDraft)
            r.PaintWeftColorCell(i);
        else
            r.PaintWeftColorCell(i, item.Value);
        r.PaintDrawdownRow(i, fromDraft ? -1 : item.Value);
        break;
    case StrokeArea::None:
        break;
    }
}

} // namespace hw
