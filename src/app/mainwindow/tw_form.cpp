#include "mainwindow/tw_form.h"

#include "help/context_help.h"
#include "model/primitives.h"
#include "platform/lang_binder.h"
#include "platform/settings_session.h"
#include "text/help_topics.h"
#include "text/lang.h"
#include "version.h"
#include "view/draft_surface.h"
#include "view/renderer.h"
#include "view/status_text.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace hw {

namespace {

// The drawing area inside the surface: a margin of 7 pixels above, 4 below
// and 6 on the right.
constexpr int AreaTop = 7;
constexpr int AreaMarginHeight = 11;
constexpr int AreaMarginWidth = 6;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Toolbar pictures, drawn rather than shipped.
QIcon ToolIcon(int kind) {
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == 0) { // pen
        p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(5, 15, 15, 5);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(3, 17, 5, 15);
    } else if (kind == 1) { // line
        p.setPen(QPen(Qt::black, 1.5));
        p.drawLine(3, 16, 17, 4);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(3, 16), 1.5, 1.5);
        p.drawEllipse(QPointF(17, 4), 1.5, 1.5);
    } else if (kind == 2) { // selection
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(3, 4, 14, 12);
    } else { // palette: four colour chips
        const QColor chips[4] = {QColor(245, 0, 32), QColor(252, 233, 3), QColor(75, 126, 36),
                                 QColor(41, 49, 124)};
        for (int i = 0; i < 4; ++i) p.fillRect(3 + (i % 2) * 7, 3 + (i / 2) * 7, 7, 7, chips[i]);
        p.setPen(Qt::black);
        p.drawRect(3, 3, 14, 14);
    }
    return QIcon(pm);
}

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

} // namespace

TWform::TWform(QWidget* parent)
    : QMainWindow(parent), draft_(std::make_unique<DraftState>()),
      ownPrompter_(std::make_unique<QtPrompter>(this)), prompter_(ownPrompter_.get()),
      session_(std::make_unique<SettingsSession>()) {
    // FormCreate. The language was chosen before the window was made.
    setObjectName("TWform");
    selectCursor_ = MakeSelectCursor();
    SetHelpContext(this, help::Contents);

    menu_ = std::make_unique<MainMenu>(this, this);
    undoAction_ = menu_->Action("EditUndoItem");
    // F1 on a menu item opens the page of its menu.
    const std::pair<const char*, int> menuHelp[] = {{"File1", help::FileMenu},
                                                    {"Edit1", help::EditMenu},
                                                    {"View1", help::ViewMenu},
                                                    {"Utilities1", help::UtilitiesMenu},
                                                    {"Transform1", help::TransformMenu},
                                                    {"Fill1", help::FillMenu},
                                                    {"Analyze1", help::AnalyzeMenu},
                                                    {"Options1", help::OptionsMenu},
                                                    {"Help1", help::HelpMenu}};
    for (const auto& [name, context] : menuHelp) SetHelpContext(menu_->Menu(name), context);
    BuildToolBar();
    auto* central = new QWidget(this);
    central->setObjectName("DraftPanel");
    surface_ = new DraftSurface(this, central);
    BuildScrollPanels(central);
    setCentralWidget(central);
    BuildStatusLine();
    resize(1000, 700);

    // Start values, the stored settings, the palette and the window's place.
    session_->Start(*draft_, this);
    stroke_.Tool = session_->Prefs().LineOn ? StrokeTool::Line : StrokeTool::Pen;
    (stroke_.Tool == StrokeTool::Pen ? penButton_ : lineButton_)->setChecked(true);
    if (session_->Prefs().NufilPath.empty())
        session_->Prefs().NufilPath = DefaultPatternFolder().toStdString();
    {
        const QSignalBlocker block(slideBar1_);
        slideBar1_->setValue(draft_->Zoom);
    }
    rng_.seed(std::random_device{}());

    new LangBinder(this, "TWform");
    FillRecentMenu();
    RefreshCaption();
    LayoutStep();
    UpdateMenus();
}

TWform::~TWform() = default;

void TWform::BuildToolBar() {
    QToolBar* bar = addToolBar(tr("Tools"));
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    auto button = [&](const char* name, const QString& text, const QIcon& icon) {
        auto* b = new QToolButton(bar);
        b->setObjectName(name);
        b->setText(text);
        b->setIcon(icon);
        b->setAutoRaise(true);
        b->installEventFilter(this); // tool tips follow the zoom
        bar->addWidget(b);
        return b;
    };
    auto tool = [&](const char* name, const QString& text, int icon) {
        QToolButton* b = button(name, text, ToolIcon(icon));
        b->setCheckable(true);
        return b;
    };
    openButton_ =
        button("OpenSpeedButton", tr("Open"), style()->standardIcon(QStyle::SP_DialogOpenButton));
    connect(openButton_, &QToolButton::clicked, this, &TWform::FileOpen);
    saveButton_ =
        button("SaveSpeedButton", tr("Save"), style()->standardIcon(QStyle::SP_DialogSaveButton));
    connect(saveButton_, &QToolButton::clicked, this, &TWform::FileSave);
    bar->addSeparator();
    penButton_ = tool("PenSpeedButton", tr("Pen"), 0);
    lineButton_ = tool("LineSpeedButton", tr("Line"), 1);
    selectButton_ = tool("SelectSpeedButton", tr("Selection"), 2);
    tools_ = new QButtonGroup(this);
    tools_->setExclusive(true);
    tools_->addButton(penButton_);
    tools_->addButton(lineButton_);
    tools_->addButton(selectButton_);
    (stroke_.Tool == StrokeTool::Pen ? penButton_ : lineButton_)->setChecked(true);
    connect(penButton_, &QToolButton::clicked, this, &TWform::PenSpeedButtonClick);
    connect(lineButton_, &QToolButton::clicked, this, &TWform::LineSpeedButtonClick);
    connect(selectButton_, &QToolButton::clicked, this, &TWform::SelectSpeedButtonClick);
    bar->addSeparator();
    // Repeating a selection arrives with the clipboard work; shown, disabled.
    button("RepSpeedButton", tr("Repeat"), style()->standardIcon(QStyle::SP_BrowserReload))
        ->setEnabled(false);
    bar->addSeparator();

    slideBar1_ = new QSlider(Qt::Horizontal, bar);
    slideBar1_->setObjectName("SlideBar1");
    slideBar1_->setRange(MinZoomStep, MaxZoomStep);
    slideBar1_->setPageStep(1);
    slideBar1_->setTickPosition(QSlider::TicksBelow);
    slideBar1_->setTickInterval(1);
    slideBar1_->setFixedWidth(200);
    slideBar1_->setValue(draft_->Zoom);
    slideBar1_->setToolTip(Q(GetText("TWform", "@zoomhint")));
    bar->addWidget(slideBar1_);
    zpanel_ = new QLabel(bar);
    zpanel_->setObjectName("Zpanel");
    zpanel_->setFixedWidth(28);
    zpanel_->setAlignment(Qt::AlignCenter);
    zpanel_->setFrameShape(QFrame::Panel);
    zpanel_->setFrameShadow(QFrame::Sunken);
    bar->addWidget(zpanel_);
    connect(slideBar1_, &QSlider::valueChanged, this, &TWform::SlideBar1Change);
    bar->addSeparator();
    optionButton_ = button("OptionSpeedButton", tr("Options"),
                           style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    connect(optionButton_, &QToolButton::clicked, this, &TWform::OptionSpeedButtonClick);
    // The palette window and the colour box arrive with the colour work.
    button("PalSpeedButton", tr("Color Palette"), ToolIcon(3))->setEnabled(false);
    bar->addSeparator();
    auto* colorBox = new QComboBox(bar);
    colorBox->setObjectName("ComboBoxL");
    colorBox->setFixedWidth(60);
    colorBox->setEnabled(false);
    bar->addWidget(colorBox);
}

void TWform::BuildScrollPanels(QWidget* central) {
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    hPanel_ = new QWidget(central);
    hPanel_->setObjectName("HScrollPanel");
    vPanel_ = new QWidget(central);
    vPanel_->setObjectName("VScrollPanel");
    scrollBarH_ = new QScrollBar(Qt::Horizontal, hPanel_);
    scrollBarH_->setObjectName("ScrollBarH");
    scrollBarV_ = new QScrollBar(Qt::Vertical, vPanel_);
    scrollBarV_->setObjectName("ScrollBarV");
    const int extent = scrollBarH_->sizeHint().height();
    hPanel_->setFixedHeight(extent + 4);
    vPanel_->setFixedWidth(scrollBarV_->sizeHint().width() + 4);
    grid->addWidget(surface_, 0, 0);
    grid->addWidget(vPanel_, 0, 1);
    grid->addWidget(hPanel_, 1, 0);
    // Dragging the thumb shows nothing until it is let go; arrows and the
    // trough act when the button comes up.
    for (QScrollBar* b : {scrollBarH_, scrollBarV_}) {
        b->setTracking(false);
        b->setSingleStep(1);
        b->installEventFilter(this);
    }
    connect(scrollBarH_, &QScrollBar::valueChanged, this, [this] {
        if (!barPressed_) ScrollBarHScroll();
    });
    connect(scrollBarV_, &QScrollBar::valueChanged, this, [this] {
        if (!barPressed_) ScrollBarVScroll();
    });
}

bool TWform::eventFilter(QObject* watched, QEvent* event) {
    // Toolbar tool tips get in the way of small cells.
    if (event->type() == QEvent::ToolTip && qobject_cast<QToolButton*>(watched) && draft_->Zoom < 4)
        return true;
    if (watched == scrollBarH_ || watched == scrollBarV_) {
        if (event->type() == QEvent::MouseButtonPress) {
            barPressed_ = true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            // The bar takes the release first, then the scroll is applied.
            QTimer::singleShot(0, this, [this, watched] {
                barPressed_ = false;
                if (watched == scrollBarH_)
                    ScrollBarHScroll();
                else
                    ScrollBarVScroll();
            });
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TWform::BuildStatusLine() {
    QStatusBar* status = statusBar();
    status->setObjectName("StatusLine");
    const int widths[7] = {0, 120, 120, 100, 100, 22, 0};
    for (int i = 0; i < 7; ++i) {
        auto* l = new QLabel(status);
        l->setObjectName(QString("StatusPanel%1").arg(i));
        if (i > 0) {
            l->setFrameShape(QFrame::Panel);
            l->setFrameShadow(QFrame::Sunken);
        }
        panels_[i] = l;
        if (i == 0)
            status->addWidget(l, 1);
        else
            status->addPermanentWidget(l);
        if (widths[i] > 0) l->setFixedWidth(widths[i]);
    }
    panels_[5]->setAlignment(Qt::AlignCenter);
    panels_[6]->setFixedWidth(
        panels_[6]->fontMetrics().horizontalAdvance(Q(GetText("TWform", "@idsinking"))) + 16);
}

StrokeView TWform::MakeStrokeView() {
    return StrokeView{*draft_, view_, geometry_, settings_, surface_->Canvas()};
}

// ---- layout and painting ----

void TWform::LayoutStep() {
    DraftState& d = *draft_;
    // Before the window is on screen the surface has no size yet: fitting
    // the zoom to it would throw the stored zoom away. The first resize
    // lays out for real.
    if (!surface_->isVisible()) {
        zpanel_->setText(QString::number(d.Zoom));
        UpdateStatusPanels();
        UpdateUndoAction();
        return;
    }
    const int width = surface_->width() - AreaMarginWidth;
    const int height = surface_->height() - AreaMarginHeight;
    const bool moved = LayoutView(d, settings_, view_, geometry_, 0, AreaTop, width, height);
    if (moved) AfterScroll(true);
    if (slideBar1_->value() != d.Zoom) {
        const QSignalBlocker block(slideBar1_);
        slideBar1_->setValue(d.Zoom);
    }
    zpanel_->setText(QString::number(d.Zoom));
    UpdateScrollBars();
    UpdateStatusPanels();
    UpdateUndoAction();
}

void TWform::UpdateScrollBars() {
    const DraftState& d = *draft_;
    auto setup = [](QScrollBar* bar, const ScrollBarSetup& s) {
        const QSignalBlocker block(bar);
        bar->setRange(0, s.Maximum);
        bar->setPageStep(s.PageStep);
        bar->setValue(s.Position);
    };
    setup(scrollBarH_, HorizontalBar(d, view_));
    setup(scrollBarV_, VerticalBar(d, view_));
    // Each bar is exactly as long as the drawdown.
    const ViewAreaLayout& dd = geometry_.Drawdown;
    const int c = geometry_.Cell;
    const int hExtent = scrollBarH_->sizeHint().height();
    const int vExtent = scrollBarV_->sizeHint().width();
    scrollBarH_->setGeometry(dd.Columns.Start, 2, geometry_.VisibleEnds * c + 1, hExtent);
    scrollBarV_->setGeometry(2, dd.Rows.Start, vExtent, geometry_.VisiblePicks * c + 1);
    scrollBarH_->setVisible(geometry_.VisibleEnds > 0);
    scrollBarV_->setVisible(geometry_.VisiblePicks > 0);
}

void TWform::UpdateStatusPanels() {
    panels_[1]->setText(Q(WarpRangeText(view_)));
    panels_[2]->setText(Q(WeftRangeText(view_)));
    panels_[5]->setText(draft_->ColorsLinked ? "=" : "-");
    panels_[6]->setText(Q(ShedText(*draft_)));
}

void TWform::UpdateUndoAction() {
    undoAction_->setEnabled(draft_->UndoEnabled);
}

void TWform::FullRepaint() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    RasterCanvas& canvas = surface_->Canvas();
    DraftRenderer(canvas, *draft_, view_, geometry_, settings_)
        .FullRepaint(canvas.Width(), canvas.Height());
    surface_->Flush();
    QApplication::restoreOverrideCursor();
}

void TWform::FormPaint(QPaintEvent* event) {
    QPainter p(surface_);
    const QImage& image = surface_->Image();
    if (image.isNull()) {
        p.fillRect(event->rect(), QColor(ToRgb32(settings_.BackgroundColor)));
        return;
    }
    p.drawImage(event->rect(), image, event->rect());
}

void TWform::FormResize() {
    surface_->Canvas(); // the image follows the new size
    LayoutStep();
    RefreshCaption();
    FullRepaint();
}

void TWform::RefreshCaption() {
    const std::string path = patternPath_.toStdString();
    setWindowTitle(Q(WindowCaption(ProductName, path, width())));
    setWindowIconText(Q(ApplicationTitle(ProductName, path)));
}

void TWform::SetPatternPath(const QString& path) {
    patternPath_ = path;
    draft_->FileName = path.toStdString();
    RefreshCaption();
}

// ---- zoom and scrolling ----

void TWform::SlideBar1Change(int value) {
    DraftState& d = *draft_;
    zpanel_->setText(QString::number(value));
    const int width = surface_->width() - AreaMarginWidth;
    const int height = surface_->height() - AreaMarginHeight;
    const int accepted = AcceptedZoom(d, settings_.ShowThreading, value, width, height);
    if (accepted != value) {
        // Too large to fit: the slider goes back.
        const QSignalBlocker block(slideBar1_);
        slideBar1_->setValue(accepted);
    }
    d.Zoom = uint8_t(accepted);
    LayoutStep();
    FullRepaint();
}

void TWform::ScrollBarHScroll() {
    ScrollTo(EndOffsetFromBar(*draft_, view_, scrollBarH_->value()), view_.ScrollPicks);
}

void TWform::ScrollBarVScroll() {
    ScrollTo(view_.ScrollEnds, PickOffsetFromBar(*draft_, view_, scrollBarV_->value()));
}

void TWform::ScrollTo(int endOffset, int pickOffset) {
    const int oldEnds = view_.ScrollEnds, oldPicks = view_.ScrollPicks;
    view_.ScrollEnds = endOffset;
    view_.ScrollPicks = pickOffset;
    ClampScroll(*draft_, view_);
    const bool moved = view_.ScrollEnds != oldEnds || view_.ScrollPicks != oldPicks;
    UpdateScrollBars();
    if (!moved) return;
    AfterScroll(true);
    UpdateStatusPanels();
    FullRepaint();
}

// A stroke's undo record holds screen positions; whatever moved the view
// makes it meaningless.
void TWform::AfterScroll(bool moved) {
    if (!moved) return;
    GiveUpStrokeUndo(stroke_, *draft_);
    UpdateUndoAction();
}

void TWform::FormMouseWheel(int notches) {
    if (IsFabricMode() || stroke_.Open()) return;
    const int position = std::clamp(scrollBarV_->value() + 3 * notches, 0, scrollBarV_->maximum());
    {
        const QSignalBlocker block(scrollBarV_);
        scrollBarV_->setValue(position);
    }
    ScrollBarVScroll();
}

// ---- mouse editing ----

void TWform::FormMouseDown(StrokeButton button, int x, int y) {
    if (IsFabricMode()) return;
    if (selectionMode_) {
        // The right button is the quick way back to drawing.
        if (button == StrokeButton::Right) LineSpeedButtonClick();
        return;
    }
    StrokeView v = MakeStrokeView();
    const PressResult r = StrokePress(stroke_, v, button, x, y);
    surface_->Flush();
    if (r == PressResult::ColorPicked) emit CurrentColorChanged(draft_->CurrentColor);
}

void TWform::FormMouseMove(int x, int y) {
    if (IsFabricMode()) return;
    if (!selectionMode_ && stroke_.Open()) {
        StrokeView v = MakeStrokeView();
        StrokeMove(stroke_, v, x, y);
        surface_->Flush();
    }
    pointer_ = HitTest(geometry_, x, y, false);
    const PositionTexts t = PointerPositionTexts(*draft_, view_, pointer_);
    panels_[3]->setText(Q(t.First));
    panels_[4]->setText(Q(t.Second));
}

void TWform::FormMouseUp(StrokeButton button, int, int) {
    if (IsFabricMode() || selectionMode_ || !stroke_.Open()) return;
    if ((button == StrokeButton::Left) != stroke_.LeftDown) return; // not the stroke's button
    const uint16_t ends = draft_->Ends, picks = draft_->Picks;
    StrokeView v = MakeStrokeView();
    const bool applied = StrokeRelease(stroke_, v);
    surface_->Flush();
    if (!applied) return;
    if (draft_->Ends != ends || draft_->Picks != picks) LayoutStep();
    UpdateUndoAction();
    emit FabricRefreshRequested();
}

void TWform::EditUndo() {
    if (stroke_.Open()) return;
    StrokeView v = MakeStrokeView();
    const UndoKind kind = UndoLast(stroke_, v);
    if (kind == UndoKind::WholeDraft) {
        LayoutStep();
        FullRepaint();
    } else {
        surface_->Flush();
    }
    UpdateUndoAction();
    if (kind != UndoKind::None) emit FabricRefreshRequested();
}

// ---- tools ----

void TWform::LeaveSelectionMode() {
    selectionMode_ = false;
    surface_->unsetCursor();
    (stroke_.Tool == StrokeTool::Pen ? penButton_ : lineButton_)->setChecked(true);
    panels_[0]->clear();
}

void TWform::PenSpeedButtonClick() {
    stroke_.Tool = StrokeTool::Pen;
    LeaveSelectionMode();
}

void TWform::LineSpeedButtonClick() {
    stroke_.Tool = StrokeTool::Line;
    LeaveSelectionMode();
}

void TWform::SelectSpeedButtonClick() {
    selectionMode_ = true;
    selectButton_->setChecked(true);
    surface_->setCursor(selectCursor_);
}

} // namespace hw
