#pragma once

#include "edit/stroke.h"
#include "model/draft_state.h"
#include "model/view_window.h"
#include "view/geometry.h"
#include "view/view_settings.h"

#include <QCursor>
#include <QMainWindow>
#include <QString>

#include <memory>

class QAction;
class QButtonGroup;
class QLabel;
class QPaintEvent;
class QScrollBar;
class QSlider;
class QToolButton;

namespace hw {

class DraftSurface;

// The main window: toolbar, draft surface with its scroll bars, status line.
// It owns the one document of the run and the view state; menus, file
// commands and settings are added around what is here.
class TWform : public QMainWindow {
    Q_OBJECT
public:
    explicit TWform(QWidget* parent = nullptr);
    ~TWform() override;

    DraftState& Draft() { return *draft_; }
    ViewWindow& View() { return view_; }
    ViewSettings& Settings() { return settings_; }
    const ViewGeometry& Geometry() const { return geometry_; }
    StrokeState& Stroke() { return stroke_; }
    DraftSurface* Surface() const { return surface_; }
    QSlider* ZoomSlider() const { return slideBar1_; }
    QScrollBar* ScrollBarH() const { return scrollBarH_; }
    QScrollBar* ScrollBarV() const { return scrollBarV_; }
    QLabel* StatusPanel(int n) const { return panels_[n]; }
    QAction* UndoAction() const { return undoAction_; }
    bool SelectionMode() const { return selectionMode_; }

    // Recomputes the layout from the window size and the draft: zoom fitting,
    // visible counts, scroll offsets and bars, status panels 1-2 and the zoom
    // display. Runs after every change of size, settings, mode or zoom.
    void LayoutStep();
    // Fills the surface with the background and paints the whole view.
    void FullRepaint();
    // Window caption and task bar title from the pattern path.
    void RefreshCaption();
    void SetPatternPath(const QString& path);
    QString PatternPath() const { return patternPath_; }
    // Scrolls the draft to the given offsets (clamped), by any path.
    void ScrollTo(int endOffset, int pickOffset);
    // "&Undo" follows the document's flag.
    void UpdateUndoAction();
    // The fabric views are drawn elsewhere; the draft view ignores the mouse
    // while one is shown.
    bool IsFabricMode() const { return false; }

    // Handlers of the draft surface.
    void FormPaint(QPaintEvent* event);
    void FormMouseDown(StrokeButton button, int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp(StrokeButton button, int x, int y);
    // Notches towards the user are positive.
    void FormMouseWheel(int notches);
    void FormResize();

public slots:
    void SlideBar1Change(int value);
    void ScrollBarHScroll();
    void ScrollBarVScroll();
    void EditUndo();
    void PenSpeedButtonClick();
    void LineSpeedButtonClick();
    void SelectSpeedButtonClick();

signals:
    // The draft changed: the fabric window repaints.
    void FabricRefreshRequested();
    // A right click on a colour row chose the current colour.
    void CurrentColorChanged(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolBar();
    void BuildScrollPanels(QWidget* central);
    void BuildStatusLine();
    void SetStartValues();
    void LeaveSelectionMode();
    void UpdateScrollBars();
    void UpdateStatusPanels();
    void AfterScroll(bool moved);
    StrokeView MakeStrokeView();

    std::unique_ptr<DraftState> draft_;
    ViewWindow view_;
    ViewSettings settings_;
    ViewGeometry geometry_;
    StrokeState stroke_;
    QString patternPath_;
    bool selectionMode_ = false;
    QCursor selectCursor_;

    DraftSurface* surface_ = nullptr;
    QWidget* hPanel_ = nullptr;
    QWidget* vPanel_ = nullptr;
    QScrollBar* scrollBarH_ = nullptr;
    QScrollBar* scrollBarV_ = nullptr;
    bool barPressed_ = false;
    QSlider* slideBar1_ = nullptr;
    QLabel* zpanel_ = nullptr;
    QToolButton* penButton_ = nullptr;
    QToolButton* lineButton_ = nullptr;
    QToolButton* selectButton_ = nullptr;
    QButtonGroup* tools_ = nullptr;
    QAction* undoAction_ = nullptr;
    QLabel* panels_[7] = {};
};

} // namespace hw
