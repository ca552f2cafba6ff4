#include "view/draft_surface.h"

#include <QPainter>

namespace hw {

DraftSurface::DraftSurface(QWidget* parent) : QWidget(parent) {
    setObjectName("DraftSurface");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void DraftSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
}

} // namespace hw
