#include "colours/color_combo.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace hw {

namespace {

constexpr int ItemHeight = 18;
constexpr int SwatchWidth = 14;

QColor Q(ColorRef c) {
    return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c));
}

// A swatch inset 2 pixels from the left, top and bottom, the number 4
// pixels to its right, in black on white.
void PaintItem(QPainter& p, const QRect& r, ColorRef color, int index, bool selected) {
    p.fillRect(r, selected ? QColor(Qt::darkBlue) : QColor(Qt::white));
    const QRect swatch(r.left() + 2, r.top() + 2, SwatchWidth, r.height() - 4);
    p.fillRect(swatch, Q(color));
    p.setPen(Qt::black);
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
    p.setPen(selected ? Qt::white : Qt::black);
    p.drawText(r.adjusted(swatch.right() + 1 + 4 - r.left(), 0, 0, 0),
               Qt::AlignVCenter | Qt::AlignLeft, QString::number(index));
}

class ItemDelegate : public QStyledItemDelegate {
public:
    explicit ItemDelegate(ColorComboBox* box) : QStyledItemDelegate(box), box_(box) {}
    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
        PaintItem(*p, o.rect, box_->ColorAt(i.row()), i.row(), o.state & QStyle::State_Selected);
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {box_->width(), ItemHeight};
    }

private:
    ColorComboBox* box_;
};

} // namespace

ColorComboBox::ColorComboBox(QWidget* parent) : QComboBox(parent) {
    setObjectName("ComboBoxL");
    setFixedWidth(63);
    setMaxVisibleItems(16);
    setItemDelegate(new ItemDelegate(this));
    for (int i = 0; i < PaletteSize; ++i) addItem(QString::number(i));
}

void ColorComboBox::SetPalette(const std::array<ColorRef, PaletteSize>& colors) {
    colors_ = colors;
    update();
    view()->viewport()->update();
}

void ColorComboBox::paintEvent(QPaintEvent*) {
    // The frame and arrow as the style draws them, the current item as the
    // list draws it.
    QStylePainter p(this);
    QStyleOptionComboBox o;
    initStyleOption(&o);
    o.currentText.clear();
    p.drawComplexControl(QStyle::CC_ComboBox, o);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0)
        PaintItem(p, field, colors_[size_t(currentIndex())], currentIndex(), false);
}

} // namespace hw
