#pragma once

#include "print/page_canvas.h"

#include <QFont>

class QPaintDevice;
class QPainter;

namespace hw {

// A printed page through QPainter: the printer (or any paint device) in its
// own dots, with the caption and notes fonts of the graphic print. Without
// a painter it only measures.
class PainterCanvas : public PageCanvas {
public:
    PainterCanvas(QPaintDevice& device, QPainter* painter, const PageMetrics& metrics);

    PageMetrics Metrics() const override { return metrics_; }
    int LineHeight(PrintFont font) const override;
    int TextWidth(PrintFont font, const std::string& utf8) const override;
    void DrawText(int x, int y, PrintFont font, const std::string& utf8) override;

    void FillRect(int x, int y, int width, int height, ColorRef color) override;
    void DrawLine(int x0, int y0, int x1, int y1, ColorRef color) override;
    void SetPixel(int x, int y, ColorRef color) override;
    void Blit(int x, int y, int width, int height, const uint32_t* pixels, int stride) override;

private:
    const QFont& Font(PrintFont font) const;

    QPaintDevice& device_;
    QPainter* painter_;
    PageMetrics metrics_;
    QFont caption_;
    QFont notes_;
};

} // namespace hw
