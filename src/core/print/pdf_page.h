#pragma once

#include "model/message.h"
#include "print/page_canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hw {

// A printer that is a one-page PDF file: the page is printable to its
// edges, at a resolution of the caller's choosing. Rectangles and lines are
// vector paths, copied pixel blocks are images, and text is set in the
// standard PDF fonts (Times for the caption, Helvetica for the notes), so
// nothing has to be embedded.
class PdfPage : public PageCanvas {
public:
    // The paper in points (1/72 inch).
    PdfPage(double widthPoints, double heightPoints, int dpi);

    PageMetrics Metrics() const override;
    int LineHeight(PrintFont font) const override;
    int TextWidth(PrintFont font, const std::string& utf8) const override;
    void DrawText(int x, int y, PrintFont font, const std::string& utf8) override;

    void FillRect(int x, int y, int width, int height, ColorRef color) override;
    void DrawLine(int x0, int y0, int x1, int y1, ColorRef color) override;
    void SetPixel(int x, int y, ColorRef color) override;
    void Blit(int x, int y, int width, int height, const uint32_t* pixels, int stride) override;

    // The whole file, with the title in its document information.
    std::vector<uint8_t> Bytes(const std::string& title) const;
    // Written through a temporary file beside the target.
    Status Save(const std::string& path, const std::string& title) const;

private:
    struct Image {
        int Width = 0;
        int Height = 0;
        std::vector<uint8_t> Data; // deflated RGB
    };
    void Color(ColorRef color);

    double widthPt_;
    double heightPt_;
    int dpi_;
    std::string content_;
    std::vector<Image> images_;
    ColorRef color_ = 0xFFFFFFFF; // none set yet
};

} // namespace hw
