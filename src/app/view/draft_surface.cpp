#include "view/draft_surface.h"

#include "mainwindow/tw_form.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace hw {

DraftSurface::DraftSurface(TWform* form, QWidget* parent) : QWidget(parent), form_(form) {
    setObjectName("DraftSurface");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setMinimumSize(1, 1);
}

RasterCanvas& DraftSurface::Canvas() {
    const QSize size = this->size().expandedTo(QSize(1, 1));
    if (!canvas_ || image_.size() != size) {
        image_ = QImage(size, QImage::Format_RGB32);
        image_.fill(Qt::white);
        canvas_ = std::make_unique<RasterCanvas>(reinterpret_cast<uint32_t*>(image_.bits()),
                                                 image_.width(), image_.height(),
                                                 int(image_.bytesPerLine()));
    }
    return *canvas_;
}

void DraftSurface::Flush() {
    if (!canvas_) return;
    const PixelBox box = canvas_->Dirty();
    canvas_->ResetDirty();
    if (!box.Empty()) update(box.X, box.Y, box.Width, box.Height);
}

void DraftSurface::paintEvent(QPaintEvent* event) {
    form_->FormPaint(event);
}

static StrokeButton ButtonOf(Qt::MouseButton b) {
    return b == Qt::RightButton ? StrokeButton::Right : StrokeButton::Left;
}

void DraftSurface::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        form_->FormMouseDown(ButtonOf(event->button()), p.x(), p.y());
}

void DraftSurface::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    form_->FormMouseMove(p.x(), p.y());
}

void DraftSurface::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        form_->FormMouseUp(ButtonOf(event->button()), p.x(), p.y());
}

void DraftSurface::wheelEvent(QWheelEvent* event) {
    // Whole notches only; fine-grained wheels add up to one.
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ -= notches * 120;
    if (notches != 0) form_->FormMouseWheel(-notches); // towards the user is negative
    event->accept();
}

void DraftSurface::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    form_->FormResize();
}

void DraftSurface::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    form_->FormMouseMove(-1, -1);
}

} // namespace hw
