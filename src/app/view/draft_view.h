#pragma once

#include "edit/selection.h"
#include "edit/stroke.h"
#include "model/view_window.h"
#include "view/fabric.h"
#include "view/geometry.h"
#include "view/raster_canvas.h"
#include "view/view_settings.h"

#include <QCursor>
#include <QImage>
#include <QWidget>

#include <memory>
#include <random>

class QScrollBar;

namespace hw {

class EditorDocument;
class DraftSurface;

// The draft in the main window: the drawing surface with its two scroll
// bars, the layout and painting of the draft, and the mouse strokes. It
// changes the draft only through the document and repaints whatever the
// document reports as changed, whoever changed it.
//
// The picture is kept in device pixels, so that every grid line is exactly
// one pixel wide at any screen scale; coordinates below are device pixels.
class DraftView : public QWidget {
    Q_OBJECT
public:
    DraftView(EditorDocument& doc, QWidget* parent = nullptr);
    ~DraftView() override;

    ViewSettings& Settings() { return settings_; }
    const ViewWindow& Window() const { return window_; }
    const ViewGeometry& Geometry() const { return geometry_; }
    const RasterCanvas& Canvas() const { return *canvas_; }
    QWidget* Surface() const;
    QScrollBar* ScrollBarH() const { return scrollBarH_; }
    QScrollBar* ScrollBarV() const { return scrollBarV_; }
    // Device pixels per surface pixel.
    double PixelRatio() const;

    // The layout step: zoom fitting, visible counts, scroll offsets, bars.
    void LayoutStep();
    // The background, then the whole view.
    void FullRepaint();
    // Asks for a draft zoom step; returns the one taken (lowered to the
    // largest that fits in Draft mode).
    int RequestZoom(int step);
    // Scrolls the draft to these offsets (clamped).
    void ScrollTo(int endOffset, int pickOffset);

    StrokeTool Tool() const { return stroke_.Tool; }
    void SetTool(StrokeTool tool);
    bool SelectionMode() const { return selectionMode_; }
    void SetSelectionMode(bool on);
    bool Stroking() const { return stroke_.Open(); }
    int CurrentColor() const { return currentColor_; }
    void SetCurrentColor(int index);

    // The fabric views take the draft's place (None: the draft itself, in
    // Draft or Design mode). A switch lays out and repaints; in a fabric
    // view the mouse edits nothing and the bars scroll the cloth.
    FabricView Fabric() const { return fabric_; }
    void SetFabric(FabricView view);
    const FabricLayout& FabricGeometry() const { return fabricLayout_; }
    // The zoom the slider shows: the draft's, or the fabric view's.
    int ShownZoom() const;
    // Tool tips get in the way of small cells and of the yarn.
    bool SmallCells() const;
    // The ends and picks on screen, of the draft or of the cloth.
    ViewWindow ShownRange() const;
    // The cell under the mouse (for Insert and Delete and the status line).
    const ViewHit& Pointer() const { return pointer_; }

    // The selection tool's rectangle, in draft numbers; the block is empty
    // (Area None) when there is none or its area is gone with a mode change.
    const Selection& CurrentSelection() const { return selection_; }
    CellBlock SelectedBlock() const;
    bool HasSelection() const { return SelectedBlock().Area != SelArea::None; }
    void DropSelection();
    // The selection's frame on the surface, in device pixels (empty when
    // none is shown); it is drawn over the picture, never into it.
    PixelBox FrameBox() const { return frame_; }
    // A marked cell drawn over the picture like the frame (keyboard input's
    // cursor), in its area's numbers as a hit gives them; Area None hides it.
    void SetCellMark(const ViewHit& cell);
    PixelBox CellMarkBox() const { return markBox_; }
    // The drawing area's picture, as Copy Image takes it.
    QImage DrawingAreaImage() const;

    // The mouse, in device pixels of the surface (the surface forwards them).
    void MouseDown(StrokeButton button, int x, int y);
    void MouseMove(int x, int y);
    void MouseUp(StrokeButton button);
    // Notches towards the user are positive.
    void MouseWheel(int notches);
    // Drops an open stroke (Escape, a lost focus).
    void CancelStroke();

signals:
    // The visible ends or picks changed (scrolling, layout).
    void Scrolled();
    // The pointer moved to another cell (or out of every area).
    void PointerMoved();
    // The layout lowered the zoom.
    void ZoomShown(int step);
    // The drawing tool or selection mode changed.
    void ToolChanged();
    // The current colour changed (a right click in a colour row, a load).
    void CurrentColorChanged(int index);
    // A selection began, grew, shrank or went.
    void SelectionChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class DraftSurface;
    void ShowChange(const Change& change);
    void LayoutFabric();
    void PaintFabric();
    void ShowStrokePaint(const StrokePaint& paint);
    void SurfaceResized();
    void UpdateScrollBars();
    void ScrollBarsMoved();
    void Flush();
    RasterCanvas& CanvasForSize();
    StrokeTarget Target() const;
    // Brings the frame on screen up to date with the selection and layout.
    void UpdateFrame();

    EditorDocument& doc_;
    ViewSettings settings_;
    ViewWindow window_;
    ViewGeometry geometry_;
    StrokeState stroke_;
    bool selectionMode_ = false;
    int currentColor_ = 0;
    FabricView fabric_ = FabricView::None;
    FabricLayout fabricLayout_;
    int interlacementZoom_ = 10;
    std::mt19937 random_{std::random_device{}()}; // the yarn's texture
    int lastThreaded_ = 0;                        // last threaded visible end as painted
    ViewHit pointer_;
    QCursor selectCursor_;
    Selection selection_;
    PixelBox frame_;
    ViewHit mark_;
    PixelBox markBox_;

    DraftSurface* surface_ = nullptr;
    QWidget* hPanel_ = nullptr;
    QWidget* vPanel_ = nullptr;
    QScrollBar* scrollBarH_ = nullptr;
    QScrollBar* scrollBarV_ = nullptr;
    bool barPressed_ = false;
    bool laidOut_ = false;
    QImage image_;
    std::unique_ptr<RasterCanvas> canvas_;
};

} // namespace hw
