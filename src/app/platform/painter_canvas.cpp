#include "platform/painter_canvas.h"

#include "platform/lang_binder.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace hw {

namespace {

QColor ToQColor(ColorRef c) {
    return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c));
}

// A face at a size in points on the painter's device.
QFont PrintFontOf(const QString& face, int points, QPaintDevice* device) {
    QFont font(InstalledFamily(face), points);
    return QFont(font, device);
}

} // namespace

PainterCanvas::PainterCanvas(QPaintDevice& device, QPainter* painter, const PageMetrics& metrics)
    : device_(device), painter_(painter), metrics_(metrics),
      caption_(PrintFontOf("Times New Roman", 10, &device)),
      notes_(PrintFontOf("Arial", 11, &device)) {}

const QFont& PainterCanvas::Font(PrintFont font) const {
    return font == PrintFont::Caption ? caption_ : notes_;
}

int PainterCanvas::LineHeight(PrintFont font) const {
    return QFontMetrics(Font(font), &device_).height();
}

int PainterCanvas::TextWidth(PrintFont font, const std::string& utf8) const {
    return QFontMetrics(Font(font), &device_).horizontalAdvance(QString::fromStdString(utf8));
}

void PainterCanvas::DrawText(int x, int y, PrintFont font, const std::string& utf8) {
    if (!painter_) return;
    painter_->setFont(Font(font));
    painter_->setPen(Qt::black);
    const QFontMetrics metrics(Font(font), &device_);
    painter_->drawText(x, y + metrics.ascent(), QString::fromStdString(utf8));
}

void PainterCanvas::FillRect(int x, int y, int width, int height, ColorRef color) {
    if (painter_ && width > 0 && height > 0)
        painter_->fillRect(x, y, width, height, ToQColor(color));
}

void PainterCanvas::DrawLine(int x0, int y0, int x1, int y1, ColorRef color) {
    // Straight lines as rectangles: exactly the dots, on any device.
    if (x0 == x1 || y0 == y1) {
        FillRect(std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1,
                 color);
        return;
    }
    if (!painter_) return;
    painter_->setPen(QPen(ToQColor(color), 1));
    painter_->drawLine(x0, y0, x1, y1);
}

void PainterCanvas::SetPixel(int x, int y, ColorRef color) {
    FillRect(x, y, 1, 1, color);
}

void PainterCanvas::Blit(int x, int y, int width, int height, const uint32_t* pixels, int stride) {
    if (!painter_ || width <= 0 || height <= 0) return;
    const QImage image(reinterpret_cast<const uchar*>(pixels), width, height, qsizetype(stride) * 4,
                       QImage::Format_RGB32);
    painter_->drawImage(QPoint(x, y), image);
}

} // namespace hw
