#pragma once

#include "view/canvas.h"

#include <vector>

namespace hw {

// How the draft's cell grid lands on paper: the renderer draws square cells
// of Cell pixels; on the page a cell is CellWidth x CellHeight dots, lines
// are PenX dots wide (vertical) and PenY dots high (horizontal), and the
// drawing's corner is at OriginX, OriginY of the target.
struct PrintScale {
    int OriginX = 0;
    int OriginY = 0;
    int Cell = 2;
    int CellWidth = 2;
    int CellHeight = 2;
    int PenX = 1;
    int PenY = 1;
};

// A canvas that takes the renderer's drawing of a draft and puts it on a
// printed page. Cell corners and the first dot inside a cell keep their
// place exactly, so a filled cell starts one dot inside its grid corner; the
// rest of a cell scales. Lines grow to the pen widths towards the cells
// before them, and a fill that ends at a grid line stops short of the wider
// line, so that cells never cover the lines.
class PrintCanvas : public Canvas {
public:
    PrintCanvas(Canvas& target, const PrintScale& scale);

    // Where a coordinate of the drawing lies on the target.
    int MapX(int x) const;
    int MapY(int y) const;

    void FillRect(int x, int y, int width, int height, ColorRef color) override;
    void DrawLine(int x0, int y0, int x1, int y1, ColorRef color) override;
    void SetPixel(int x, int y, ColorRef color) override;
    void Blit(int x, int y, int width, int height, const uint32_t* pixels, int stride) override;

private:
    Canvas& target_;
    PrintScale s_;
    std::vector<uint32_t> buffer_;
    std::vector<int> columns_;
};

} // namespace hw
