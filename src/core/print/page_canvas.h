#pragma once

#include "view/canvas.h"

#include <string>

namespace hw {

// What a print job reads from its printer, in device dots. The canvas of a
// page has its origin at the corner of the printable area, which lies
// OffsetX, OffsetY dots inside the physical page.
struct PageMetrics {
    int DpiX = 600;
    int DpiY = 600;
    int PageWidth = 0; // the physical page
    int PageHeight = 0;
    int OffsetX = 0;
    int OffsetY = 0;
    int PrintableWidth = 0;
    int PrintableHeight = 0;
};

// The fonts of the graphic print: the caption line (a serif face, 10 pt)
// and the notes (a sans-serif face, 11 pt).
enum class PrintFont { Caption, Notes };

// A printed page: the drawing calls of a canvas, and text.
class PageCanvas : public Canvas {
public:
    virtual PageMetrics Metrics() const = 0;
    // The height of a line of text (the letter "M" with its line's ascent
    // and descent), in dots.
    virtual int LineHeight(PrintFont font) const = 0;
    virtual int TextWidth(PrintFont font, const std::string& utf8) const = 0;
    // Text in black with the top of its line at y.
    virtual void DrawText(int x, int y, PrintFont font, const std::string& utf8) = 0;
};

} // namespace hw
