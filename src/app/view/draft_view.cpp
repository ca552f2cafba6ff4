#include "view/draft_view.h"

#include "document/editor_document.h"
#include "model/primitives.h"
#include "view/cell_mark.h"
#include "view/change_paint.h"
#include "view/renderer.h"

#include <QApplication>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace hw {

namespace {

// The drawing area inside the surface: a margin of 7 pixels above, 4 below
// and 6 on the right.
constexpr int AreaTop = 7;
constexpr int AreaMarginHeight = 11;
constexpr int AreaMarginWidth = 6;

// The selection tool's cursor: a cross with a dotted frame.
QCursor MakeSelectCursor() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawLine(8, 0, 8, 16);
    p.drawLine(0, 8, 16, 8);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawRect(12, 12, 14, 12);
    return QCursor(pm, 8, 8);
}

StrokeButton ButtonOf(Qt::MouseButton b) {
    return b == Qt::RightButton ? StrokeButton::Right : StrokeButton::Left;
}

// Draws on a widget through its painter, in device pixels.
class PainterCanvas : public Canvas {
public:
    explicit PainterCanvas(QPainter& p) : p_(p) {}
    void FillRect(int x, int y, int width, int height, ColorRef color) override {
        p_.fillRect(QRect(x, y, width, height), QColor::fromRgb(ToRgb32(color)));
    }
    void DrawLine(int x0, int y0, int x1, int y1, ColorRef color) override {
        p_.setPen(QColor::fromRgb(ToRgb32(color)));
        p_.drawLine(x0, y0, x1, y1);
    }
    void SetPixel(int x, int y, ColorRef color) override { FillRect(x, y, 1, 1, color); }

private:
    QPainter& p_;
};

// A box of device pixels as the surface's (logical) rectangle around it.
QRect LogicalRect(const PixelBox& box, double r) {
    return {int(std::floor(box.X / r)), int(std::floor(box.Y / r)),
            int(std::ceil(box.Width / r)) + 2, int(std::ceil(box.Height / r)) + 2};
}

} // namespace

// The drawing surface: shows the view's picture and hands the mouse to it.
class DraftSurface : public QWidget {
public:
    explicit DraftSurface(DraftView& view, QWidget* parent) : QWidget(parent), view_(view) {
        setObjectName("DraftSurface");
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setMinimumSize(1, 1);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        if (view_.image_.isNull())
            p.fillRect(event->rect(), QColor(ToRgb32(view_.settings_.BackgroundColor)));
        else
            p.drawImage(QPoint(0, 0), view_.image_);
        if (!view_.frame_.Empty() || !view_.markBox_.Empty()) {
            const double r = devicePixelRatioF();
            p.scale(1 / r, 1 / r);
            PainterCanvas canvas(p);
            DrawSelectionFrame(canvas, view_.frame_);
            DrawCellMark(canvas, view_.markBox_);
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) return;
        const QPoint p = Device(e->position());
        view_.MouseDown(ButtonOf(e->button()), p.x(), p.y());
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        const QPoint p = Device(e->position());
        view_.MouseMove(p.x(), p.y());
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton)
            view_.MouseUp(ButtonOf(e->button()));
    }
    void wheelEvent(QWheelEvent* e) override {
        // Whole notches only; fine-grained wheels add up to one.
        wheelRemainder_ += e->angleDelta().y();
        const int notches = wheelRemainder_ / 120;
        wheelRemainder_ -= notches * 120;
        if (notches != 0) view_.MouseWheel(-notches);
        e->accept();
    }
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        view_.SurfaceResized();
    }
    void leaveEvent(QEvent* e) override {
        QWidget::leaveEvent(e);
        view_.MouseMove(-1, -1);
    }

private:
    QPoint Device(QPointF logical) const {
        const double r = devicePixelRatioF();
        return {int(std::floor(logical.x() * r)), int(std::floor(logical.y() * r))};
    }

    DraftView& view_;
    int wheelRemainder_ = 0;
};

DraftView::DraftView(EditorDocument& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setObjectName("DraftPanel");
    selectCursor_ = MakeSelectCursor();
    surface_ = new DraftSurface(*this, this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    hPanel_ = new QWidget(this);
    hPanel_->setObjectName("HScrollPanel");
    vPanel_ = new QWidget(this);
    vPanel_->setObjectName("VScrollPanel");
    scrollBarH_ = new QScrollBar(Qt::Horizontal, hPanel_);
    scrollBarH_->setObjectName("ScrollBarH");
    scrollBarV_ = new QScrollBar(Qt::Vertical, vPanel_);
    scrollBarV_->setObjectName("ScrollBarV");
    hPanel_->setFixedHeight(scrollBarH_->sizeHint().height() + 4);
    vPanel_->setFixedWidth(scrollBarV_->sizeHint().width() + 4);
    grid->addWidget(surface_, 0, 0);
    grid->addWidget(vPanel_, 0, 1);
    grid->addWidget(hPanel_, 1, 0);
    // Dragging the thumb shows nothing until it is let go; arrows and the
    // trough act when the button comes up.
    for (QScrollBar* b : {scrollBarH_, scrollBarV_}) {
        b->setTracking(false);
        b->setSingleStep(1);
        b->setFocusPolicy(Qt::NoFocus);
        b->installEventFilter(this);
        connect(b, &QScrollBar::valueChanged, this, [this] {
            if (!barPressed_) ScrollBarsMoved();
        });
    }
    connect(&doc_, &EditorDocument::Changed, this, &DraftView::ShowChange);
    connect(&doc_, &EditorDocument::Replaced, this, [this] {
        CancelStroke();
        DropSelection();
        SetCurrentColor(StartColor(doc_.Draft()));
        ResetScroll(window_);
        // A new, empty pattern has no cloth to show.
        const ClothExtent cloth = FabricExtent(doc_.Draft());
        if (cloth.Ends == 0 || cloth.Picks == 0) fabric_ = FabricView::None;
        LayoutStep();
        FullRepaint();
    });
}

DraftView::~DraftView() = default;

QWidget* DraftView::Surface() const {
    return surface_;
}

double DraftView::PixelRatio() const {
    return surface_->devicePixelRatioF();
}

bool DraftView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scrollBarH_ || watched == scrollBarV_) {
        if (event->type() == QEvent::MouseButtonPress) {
            barPressed_ = true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            // The bar takes the release first, then the scroll is applied.
            QTimer::singleShot(0, this, [this] {
                barPressed_ = false;
                ScrollBarsMoved();
            });
        }
    }
    return QWidget::eventFilter(watched, event);
}

RasterCanvas& DraftView::CanvasForSize() {
    const double r = PixelRatio();
    const QSize size = (QSizeF(surface_->size()) * r).toSize().expandedTo(QSize(1, 1));
    if (!canvas_ || image_.size() != size) {
        image_ = QImage(size, QImage::Format_RGB32);
        image_.setDevicePixelRatio(r);
        image_.fill(QColor(ToRgb32(settings_.BackgroundColor)));
        canvas_ = std::make_unique<RasterCanvas>(reinterpret_cast<uint32_t*>(image_.bits()),
                                                 image_.width(), image_.height(),
                                                 int(image_.bytesPerLine()));
    }
    return *canvas_;
}

void DraftView::SurfaceResized() {
    CanvasForSize();
    LayoutStep();
    FullRepaint();
}

StrokeTarget DraftView::Target() const {
    return StrokeTarget{doc_.Draft(), window_, geometry_};
}

// ---- layout and painting ----

void DraftView::LayoutStep() {
    DraftState& d = doc_.Draft();
    // Before the window is on screen the surface has no size yet: fitting
    // the zoom to it would throw the stored zoom away.
    if (!surface_->isVisible()) return;
    if (fabric_ != FabricView::None) {
        LayoutFabric();
        return;
    }
    RasterCanvas& canvas = CanvasForSize();
    const int zoom = d.Zoom;
    const ViewWindow before = window_;
    LayoutView(d, settings_, window_, geometry_, 0, AreaTop, canvas.Width() - AreaMarginWidth,
               canvas.Height() - AreaMarginHeight);
    laidOut_ = true;
    UpdateScrollBars();
    if (d.Zoom != zoom) emit ZoomShown(d.Zoom);
    if (window_.ScrollEnds != before.ScrollEnds || window_.ScrollPicks != before.ScrollPicks ||
        window_.VisibleEnds != before.VisibleEnds || window_.VisiblePicks != before.VisiblePicks)
        emit Scrolled();
}

void DraftView::UpdateScrollBars() {
    const DraftState& d = doc_.Draft();
    auto setup = [](QScrollBar* bar, const ScrollBarSetup& s) {
        const QSignalBlocker block(bar);
        bar->setRange(0, s.Maximum);
        bar->setPageStep(s.PageStep);
        bar->setValue(s.Position);
    };
    if (fabric_ != FabricView::None) {
        // Over the cloth, and as long as the panels.
        setup(scrollBarH_, FabricHorizontalBar(d, fabricLayout_, window_.FabricScrollEnds));
        setup(scrollBarV_, FabricVerticalBar(d, fabricLayout_, window_.FabricScrollPicks));
        scrollBarH_->setGeometry(2, 2, hPanel_->width() - 4, scrollBarH_->sizeHint().height());
        scrollBarV_->setGeometry(2, 2, scrollBarV_->sizeHint().width(), vPanel_->height() - 4);
        scrollBarH_->setVisible(true);
        scrollBarV_->setVisible(true);
        return;
    }
    setup(scrollBarH_, HorizontalBar(d, window_));
    setup(scrollBarV_, VerticalBar(d, window_));
    // Each bar is exactly as long as the drawdown.
    const double r = PixelRatio();
    const ViewAreaLayout& dd = geometry_.Drawdown;
    const int c = geometry_.Cell;
    const auto logical = [r](int device) { return int(std::lround(device / r)); };
    scrollBarH_->setGeometry(logical(dd.Columns.Start), 2, logical(geometry_.VisibleEnds * c + 1),
                             scrollBarH_->sizeHint().height());
    scrollBarV_->setGeometry(2, logical(dd.Rows.Start), scrollBarV_->sizeHint().width(),
                             logical(geometry_.VisiblePicks * c + 1));
    scrollBarH_->setVisible(geometry_.VisibleEnds > 0);
    scrollBarV_->setVisible(geometry_.VisiblePicks > 0);
}

void DraftView::FullRepaint() {
    if (!laidOut_) return;
    if (fabric_ != FabricView::None) {
        PaintFabric();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    RasterCanvas& canvas = CanvasForSize();
    const DraftState& d = doc_.Draft();
    DraftRenderer r(canvas, d, window_, geometry_, settings_);
    r.FullRepaint(canvas.Width(), canvas.Height());
    lastThreaded_ = LastThreadedVisible(d, window_);
    // An open stroke stays on screen.
    for (const StrokeItem& item : stroke_.Shown)
        PaintStrokeItem(r, d, window_, stroke_.Area, item, false);
    Flush();
    UpdateFrame();
    QApplication::restoreOverrideCursor();
}

void DraftView::ShowChange(const Change& change) {
    if (fabric_ != FabricView::None) {
        // The cloth shows every change somewhere; sizes change its layout.
        if (!change.Any()) return;
        if (RepaintNeeded(change) == RepaintScope::Layout) LayoutStep();
        PaintFabric();
        return;
    }
    switch (RepaintNeeded(change)) {
    case RepaintScope::None:
        return;
    case RepaintScope::Layout:
        LayoutStep();
        [[fallthrough]];
    case RepaintScope::Full:
        FullRepaint();
        return;
    case RepaintScope::Partial:
        break;
    }
    if (!laidOut_) return;
    const DraftState& d = doc_.Draft();
    DraftRenderer r(CanvasForSize(), d, window_, geometry_, settings_);
    PaintChange(r, d, window_, change, lastThreaded_);
    lastThreaded_ = LastThreadedVisible(d, window_);
    Flush();
    UpdateFrame();
}

void DraftView::ShowStrokePaint(const StrokePaint& paint) {
    if (!laidOut_ || (paint.FromDraft.empty() && paint.Show.empty())) return;
    const DraftState& d = doc_.Draft();
    DraftRenderer r(CanvasForSize(), d, window_, geometry_, settings_);
    for (const StrokeItem& item : paint.FromDraft)
        PaintStrokeItem(r, d, window_, paint.Area, item, true);
    for (const StrokeItem& item : paint.Show)
        PaintStrokeItem(r, d, window_, paint.Area, item, false);
    Flush();
}

void DraftView::Flush() {
    if (!canvas_) return;
    const PixelBox box = canvas_->Dirty();
    canvas_->ResetDirty();
    if (box.Empty()) return;
    const double r = PixelRatio();
    surface_->update(LogicalRect(box, r));
}

// ---- the selection ----

CellBlock DraftView::SelectedBlock() const {
    return SelectionBlock(doc_.Draft(), selection_);
}

void DraftView::DropSelection() {
    const bool had = selection_.Present();
    selection_ = {};
    UpdateFrame();
    if (had) emit SelectionChanged();
}

void DraftView::SetCellMark(const ViewHit& cell) {
    mark_ = cell;
    UpdateFrame();
}

void DraftView::UpdateFrame() {
    // The cell mark follows the layout and scrolling like the frame.
    const PixelBox mark = laidOut_ ? hw::CellMarkBox(geometry_, mark_) : PixelBox{};
    if (mark != markBox_) {
        const double r = PixelRatio();
        if (!markBox_.Empty()) surface_->update(LogicalRect(markBox_, r));
        if (!mark.Empty()) surface_->update(LogicalRect(mark, r));
        markBox_ = mark;
    }
    if (selection_.Present() && SelectedBlock().Area == SelArea::None) {
        // Its area went with a change of mode or loom.
        selection_ = {};
        emit SelectionChanged();
    }
    const PixelBox box =
        laidOut_ ? SelectionFrame(doc_.Draft(), window_, geometry_, selection_) : PixelBox{};
    if (box == frame_) return;
    const double r = PixelRatio();
    if (!frame_.Empty()) surface_->update(LogicalRect(frame_, r));
    if (!box.Empty()) surface_->update(LogicalRect(box, r));
    frame_ = box;
}

QImage DraftView::DrawingAreaImage() const {
    if (image_.isNull()) return {};
    const QRect area(geometry_.X0, geometry_.Y0, geometry_.Width, geometry_.Height);
    QImage copy =
        image_.copy(area.intersected(image_.rect())).convertToFormat(QImage::Format_RGB888);
    copy.setDevicePixelRatio(1);
    return copy;
}

// ---- zoom and scrolling ----

int DraftView::RequestZoom(int step) {
    DraftState& d = doc_.Draft();
    if (fabric_ != FabricView::None) {
        step = std::clamp(step, MinZoomStep, MaxZoomStep);
        if (fabric_ == FabricView::Interlacement)
            interlacementZoom_ = step;
        else
            d.ViewZoom = uint8_t(step);
        LayoutStep();
        FullRepaint();
        return step;
    }
    const RasterCanvas& canvas = CanvasForSize();
    const int accepted =
        AcceptedZoom(d, settings_.ShowThreading, step, canvas.Width() - AreaMarginWidth,
                     canvas.Height() - AreaMarginHeight);
    d.Zoom = uint8_t(accepted);
    LayoutStep();
    FullRepaint();
    return accepted;
}

void DraftView::ScrollBarsMoved() {
    const DraftState& d = doc_.Draft();
    if (fabric_ != FabricView::None) {
        int ends = FabricEndOffsetFromBar(d, fabricLayout_, scrollBarH_->value());
        int picks = FabricPickOffsetFromBar(d, fabricLayout_, scrollBarV_->value());
        ClampFabricScroll(d, fabricLayout_, ends, picks);
        if (ends == window_.FabricScrollEnds && picks == window_.FabricScrollPicks) return;
        window_.FabricScrollEnds = ends;
        window_.FabricScrollPicks = picks;
        UpdateScrollBars();
        emit Scrolled();
        PaintFabric();
        return;
    }
    ScrollTo(EndOffsetFromBar(d, window_, scrollBarH_->value()),
             PickOffsetFromBar(d, window_, scrollBarV_->value()));
}

void DraftView::ScrollTo(int endOffset, int pickOffset) {
    const int oldEnds = window_.ScrollEnds, oldPicks = window_.ScrollPicks;
    window_.ScrollEnds = endOffset;
    window_.ScrollPicks = pickOffset;
    ClampScroll(doc_.Draft(), window_);
    UpdateScrollBars();
    if (window_.ScrollEnds == oldEnds && window_.ScrollPicks == oldPicks) return;
    emit Scrolled();
    FullRepaint();
}

void DraftView::MouseWheel(int notches) {
    if (stroke_.Open() || fabric_ != FabricView::None) return;
    const int position = std::clamp(scrollBarV_->value() + 3 * notches, 0, scrollBarV_->maximum());
    ScrollTo(window_.ScrollEnds, PickOffsetFromBar(doc_.Draft(), window_, position));
}

// ---- tools and strokes ----

void DraftView::SetTool(StrokeTool tool) {
    stroke_.Tool = tool;
    SetSelectionMode(false);
}

void DraftView::SetSelectionMode(bool on) {
    selectionMode_ = on;
    if (!on) DropSelection();
    if (on)
        surface_->setCursor(selectCursor_);
    else
        surface_->unsetCursor();
    emit ToolChanged();
}

void DraftView::MouseDown(StrokeButton button, int x, int y) {
    if (fabric_ != FabricView::None) return;
    if (selectionMode_) {
        // The right button is the quick way back to drawing.
        if (button == StrokeButton::Right) {
            SetTool(StrokeTool::Line);
        } else if (SelectionPress(selection_, Target(), x, y)) {
            UpdateFrame();
            emit SelectionChanged();
        }
        return;
    }
    const PressOutcome out = StrokePress(stroke_, Target(), button, currentColor_, x, y);
    if (out.What == PressOutcome::ColorPicked) SetCurrentColor(out.Color);
    ShowStrokePaint(out.Paint);
}

void DraftView::MouseMove(int x, int y) {
    if (stroke_.Open()) ShowStrokePaint(StrokeMove(stroke_, Target(), x, y));
    const bool fabric = fabric_ != FabricView::None;
    if (!fabric && selectionMode_ && SelectionDrag(selection_, Target(), x, y)) {
        UpdateFrame();
        emit SelectionChanged();
    }
    const ViewHit hit = fabric ? ViewHit{} : HitTest(geometry_, x, y, false);
    if (hit == pointer_) return;
    pointer_ = hit;
    emit PointerMoved();
}

void DraftView::MouseUp(StrokeButton button) {
    if (button == StrokeButton::Left) selection_.Dragging = false;
    if (!stroke_.Open() || (button == StrokeButton::Left) != stroke_.Left) return;
    const FinishedStroke f = StrokeFinish(stroke_);
    doc_.Edit([&](DraftState& d) { f.Apply(d); });
    ShowStrokePaint(f.Paint);
}

void DraftView::CancelStroke() {
    if (stroke_.Open()) ShowStrokePaint(StrokeCancel(stroke_));
}

} // namespace hw

namespace hw {

// ---- the current colour and the fabric views ----

void DraftView::SetCurrentColor(int index) {
    index = std::clamp(index, 0, PaletteSize - 1);
    if (index == currentColor_) return;
    currentColor_ = index;
    emit CurrentColorChanged(index);
}

void DraftView::SetFabric(FabricView view) {
    if (view == fabric_) return;
    CancelStroke();
    DropSelection(); // the cloth has no cells to select
    fabric_ = view;
    pointer_ = {};
    emit PointerMoved();
    LayoutStep();
    FullRepaint();
    emit Scrolled();
}

int DraftView::ShownZoom() const {
    const DraftState& d = doc_.Draft();
    if (fabric_ == FabricView::None) return d.Zoom;
    return fabric_ == FabricView::Interlacement ? interlacementZoom_ : d.ViewZoom;
}

bool DraftView::SmallCells() const {
    if (fabric_ == FabricView::None) return doc_.Draft().Zoom < 4;
    return ShownZoom() < 3 || fabric_ == FabricView::Yarn;
}

ViewWindow DraftView::ShownRange() const {
    if (fabric_ == FabricView::None) return window_;
    // The cloth's ends and picks, as the status line counts them.
    const ClothExtent cloth = FabricExtent(doc_.Draft());
    ViewWindow w;
    w.ScrollEnds = window_.FabricScrollEnds;
    w.ScrollPicks = window_.FabricScrollPicks;
    w.VisibleEnds = std::clamp(cloth.Ends - w.ScrollEnds, 0, fabricLayout_.VisibleEnds);
    w.VisiblePicks = std::clamp(cloth.Picks - w.ScrollPicks, 0, fabricLayout_.VisiblePicks);
    return w;
}

void DraftView::LayoutFabric() {
    const DraftState& d = doc_.Draft();
    RasterCanvas& canvas = CanvasForSize();
    fabricLayout_ =
        hw::LayoutFabric(d, fabric_, ShownZoom(), 0, AreaTop, canvas.Width() - AreaMarginWidth,
                         canvas.Height() - AreaMarginHeight);
    const int ends = window_.FabricScrollEnds, picks = window_.FabricScrollPicks;
    ClampFabricScroll(d, fabricLayout_, window_.FabricScrollEnds, window_.FabricScrollPicks);
    laidOut_ = true;
    UpdateScrollBars();
    if (ends != window_.FabricScrollEnds || picks != window_.FabricScrollPicks) emit Scrolled();
}

void DraftView::PaintFabric() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    RasterCanvas& canvas = CanvasForSize();
    FabricRenderer(canvas, doc_.Draft(), fabricLayout_, window_.FabricScrollEnds,
                   window_.FabricScrollPicks, settings_.BackgroundColor, random_)
        .Paint(canvas.Width(), canvas.Height());
    Flush();
    QApplication::restoreOverrideCursor();
}

} // namespace hw
