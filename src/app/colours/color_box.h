#pragma once

#include <QColor>
#include <QList>
#include <QWidget>

namespace hw {

// A grid of colour cells, Columns x Rows, cell i in column i mod Columns and
// row i div Columns; each swatch is its cell less Spacing on every side,
// sunken, and the selected one is outlined in black when ShowFocus is on.
// A press on a cell selects it and reports a click.
class TColorBox : public QWidget {
    Q_OBJECT
public:
    explicit TColorBox(QWidget* parent = nullptr);

    void SetColors(const QList<QColor>& colors);
    const QList<QColor>& Colors() const { return colors_; }
    void SetGrid(int columns, int rows);
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    void SetSelection(int index); // clamped to the cells
    int Selection() const { return selection_; }
    void SetSpacing(int spacing) { spacing_ = std::max(spacing, 0), update(); }
    void SetShowFocus(bool on) { showFocus_ = on, update(); }
    // The cell under a point, or -1.
    int IndexAt(QPoint p) const;
    // The swatch of a cell.
    QRect Swatch(int index) const;

signals:
    void clicked();
    void doubleClicked();

protected:
    QSize sizeHint() const override { return {256, 48}; }
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    QList<QColor> colors_;
    int columns_ = 8;
    int rows_ = 2;
    int selection_ = 0;
    int spacing_ = 1;
    bool showFocus_ = false;
};

} // namespace hw
