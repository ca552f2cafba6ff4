#pragma once

#include <QWidget>

namespace hw {

// The drawing area of the main window, where the draft is painted and drawn on.
class DraftSurface : public QWidget {
    Q_OBJECT
public:
    explicit DraftSurface(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace hw
