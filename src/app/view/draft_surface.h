#pragma once

#include "view/raster_canvas.h"

#include <QImage>
#include <QWidget>

#include <memory>

namespace hw {

class TWform;

// The drawing area of the main window. The draft is rasterised into an
// image the size of the widget; painting only copies the changed part of it
// to the screen, so edits never flicker. Mouse, wheel and size events go to
// the main window's handlers.
class DraftSurface : public QWidget {
    Q_OBJECT
public:
    explicit DraftSurface(TWform* form, QWidget* parent = nullptr);

    // A canvas over the image, resized to the widget first when needed.
    RasterCanvas& Canvas();
    const QImage& Image() const { return image_; }
    // Brings what was drawn since the last flush to the screen.
    void Flush();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TWform* form_;
    QImage image_;
    std::unique_ptr<RasterCanvas> canvas_;
    int wheelRemainder_ = 0;
};

} // namespace hw
