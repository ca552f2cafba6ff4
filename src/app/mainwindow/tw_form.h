#pragma once

#include "model/draft_state.h"
#include "model/view_window.h"

#include <QMainWindow>

#include <memory>

namespace hw {

class DraftSurface;

// The main window: menu, toolbar, draft surface and status line. It owns the
// one document of the run and the view state.
class TWform : public QMainWindow {
    Q_OBJECT
public:
    explicit TWform(QWidget* parent = nullptr);
    ~TWform() override;

    DraftState& Draft() { return *draft_; }
    ViewWindow& View() { return view_; }
    DraftSurface* Surface() const { return surface_; }

private:
    std::unique_ptr<DraftState> draft_;
    ViewWindow view_;
    DraftSurface* surface_ = nullptr;
};

} // namespace hw
