#include "view/cell_mark.h"

#include "view/view_settings.h"

namespace hw {

PixelBox CellMarkBox(const ViewGeometry& g, const ViewHit& cell) {
    const ViewAreaLayout* a = cell.Area == ViewArea::Threading   ? &g.Threading
                              : cell.Area == ViewArea::TieUp     ? &g.TieUp
                              : cell.Area == ViewArea::Treadling ? &g.Treadling
                                                                 : nullptr;
    if (!a || !a->Shown || cell.Column < 1 || cell.Column > a->Columns.Count || cell.Row < 1 ||
        cell.Row > a->Rows.Count)
        return {};
    return {a->Columns.CellPos(cell.Column), a->Rows.CellPos(cell.Row), g.Cell + 1, g.Cell + 1};
}

void DrawCellMark(Canvas& c, const PixelBox& box) {
    if (box.Empty()) return;
    const int x1 = box.X + box.Width - 1, y1 = box.Y + box.Height - 1;
    c.FillRect(box.X, box.Y, box.Width, 1, Red);
    c.FillRect(box.X, y1, box.Width, 1, Red);
    c.FillRect(box.X, box.Y, 1, box.Height, Red);
    c.FillRect(x1, box.Y, 1, box.Height, Red);
    // The dot, where the cell's inside leaves room for a ring around it.
    const int inner = box.Width - 2;
    if (inner < 5) return;
    const int dot = inner / 3, at = (inner - dot) / 2;
    c.FillRect(box.X + at, box.Y + at, dot + 2, dot + 2, White);
    c.FillRect(box.X + at + 1, box.Y + at + 1, dot, dot, Red);
}

} // namespace hw
