#include "mainwindow/tw_form.h"

#include "view/draft_surface.h"

namespace hw {

TWform::TWform(QWidget* parent) : QMainWindow(parent), draft_(std::make_unique<DraftState>()) {
    setObjectName("TWform");
    setWindowTitle("Heddlewise");
    surface_ = new DraftSurface(this);
    setCentralWidget(surface_);
    resize(900, 650);
}

TWform::~TWform() = default;

} // namespace hw
