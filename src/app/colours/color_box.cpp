#include "colours/color_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace hw {

TColorBox::TColorBox(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void TColorBox::SetColors(const QList<QColor>& colors) {
    colors_ = colors;
    update();
}

void TColorBox::SetGrid(int columns, int rows) {
    columns_ = std::max(columns, 1);
    rows_ = std::max(rows, 1);
    SetSelection(selection_);
    update();
}

void TColorBox::SetSelection(int index) {
    selection_ = std::clamp(index, 0, columns_ * rows_ - 1);
    update();
}

QRect TColorBox::Swatch(int index) const {
    const int w = width() / columns_, h = height() / rows_;
    const QRect cell((index % columns_) * w, (index / columns_) * h, w, h);
    return cell.adjusted(spacing_, spacing_, -spacing_, -spacing_);
}

int TColorBox::IndexAt(QPoint p) const {
    const int w = width() / columns_, h = height() / rows_;
    if (w <= 0 || h <= 0 || p.x() < 0 || p.y() < 0) return -1;
    const int column = p.x() / w, row = p.y() / h;
    if (column >= columns_ || row >= rows_) return -1;
    return row * columns_ + column;
}

void TColorBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    for (int i = 0; i < columns_ * rows_ && i < colors_.size(); ++i) {
        const QRect s = Swatch(i);
        qDrawShadePanel(&p, s.adjusted(-1, -1, 1, 1), palette(), true, 1);
        p.fillRect(s, colors_[i]);
    }
    if (showFocus_ && selection_ < colors_.size()) {
        p.setPen(Qt::black);
        p.drawRect(Swatch(selection_).adjusted(-1, -1, 0, 0)); // one pixel outside
    }
}

void TColorBox::mousePressEvent(QMouseEvent* e) {
    const int i = IndexAt(e->position().toPoint());
    if (i >= 0 && i < colors_.size()) SetSelection(i);
    emit clicked();
}

void TColorBox::mouseDoubleClickEvent(QMouseEvent* e) {
    const int i = IndexAt(e->position().toPoint());
    if (i < 0 || i >= colors_.size()) return;
    SetSelection(i);
    emit doubleClicked();
}

} // namespace hw
