#include "mainwindow/tw_form.h"

#include "colours/color_combo.h"
#include "commands/command_groups.h"
#include "document/editor_document.h"
#include "document/recovery_copy.h"
#include "files/message_text.h"
#include "files/file_io.h"
#include "help/context_help.h"
#include "help/help_window.h"
#include "mainwindow/action_table.h"
#include "mainwindow/status_line.h"
#include "platform/lang_binder.h"
#include "platform/printing.h"
#include "platform/qt_prompter.h"
#include "platform/qt_settings_store.h"
#include "platform/settings_session.h"
#include "settings/command_line.h"
#include "settings/settings.h"
#include "text/help_topics.h"
#include "text/lang.h"
#include "text/start_language.h"
#include "version.h"
#include "view/draft_view.h"
#include "view/status_text.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSlider>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace hw {

namespace {

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

} // namespace

TWform::TWform(QWidget* parent)
    : QMainWindow(parent), ownPrompter_(std::make_unique<QtPrompter>(this)),
      prompter_(ownPrompter_.get()), session_(std::make_unique<SettingsSession>()) {
    // FormCreate. The language was chosen before the window was made.
    setObjectName("TWform");
    SetHelpContext(this, help::Contents);
    doc_ = new EditorDocument(this);
    view_ = new DraftView(*doc_, this);
    setCentralWidget(view_);

    ctx_.Window = this;
    ctx_.Doc = doc_;
    ctx_.View = view_;
    ctx_.Session = session_.get();
    ctx_.Prompt = [this]() -> Prompter& { return *prompter_; };
    ctx_.Refresh = [this] { Refresh(); };
    ctx_.Printer = new Printing(this);
    groups_ = std::make_unique<CommandGroups>(ctx_);
    actions_ = new ActionTable(this, *groups_);
    ctx_.Actions = actions_;
    BuildToolBar();
    status_ = std::make_unique<StatusLine>(statusBar());
    resize(1000, 700);

    // Start values, the stored settings, the palette and the window's place.
    session_->Start(doc_->Draft(), this);
    view_->Settings().BackgroundColor = session_->Prefs().BackgroundColor;
    doc_->Reset();
    view_->SetTool(session_->Prefs().LineOn ? StrokeTool::Line : StrokeTool::Pen);
    // NufilPath stays empty until a pattern of the weaver's own is opened or
    // saved: till then File > Open starts among the samples.

    connect(doc_, &EditorDocument::StateChanged, this, &TWform::Refresh);
    recovery_ = new RecoveryCopy(*doc_, RecoveryCopy::FolderFor(SettingsFilePath()), this);
    connect(view_, &DraftView::Scrolled, this,
            [this] { status_->ShowRanges(view_->ShownRange()); });
    connect(view_, &DraftView::PointerMoved, this,
            [this] { status_->ShowPointer(doc_->Draft(), view_->Window(), view_->Pointer()); });
    connect(view_, &DraftView::ZoomShown, this, &TWform::Refresh);
    connect(view_, &DraftView::ToolChanged, this, &TWform::Refresh);
    // During a selection panel 0 shows its size.
    connect(view_, &DraftView::SelectionChanged, this, [this] {
        status_->ShowHint(Q(SelectionSizeText(view_->SelectedBlock())));
        Refresh();
    });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TWform::Refresh);

    // Texts the window composes itself follow every language switch too.
    new LangBinder(this, "TWform", [this] { Refresh(); });
    groups_->File.FillRecentMenu();
    Refresh();
}

TWform::~TWform() = default;

void TWform::SetPrompter(Prompter* prompter) {
    prompter_ = prompter ? prompter : ownPrompter_.get();
}

void TWform::SetLocale(const QString& locale) {
    const LanguageMenu m = LanguageMenuFor(locale.toStdString());
    actions_->Menu("Language1")->menuAction()->setVisible(m.Visible);
    const char* names[LanguageCount] = {"English1", "Deutsch1", "Svensk1", "Suomi1"};
    for (int i = 0; i < LanguageCount; ++i) actions_->Action(names[i])->setVisible(m.Items[i]);
}

void TWform::BuildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Tools"));
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    auto add = [&](const char* name, const QIcon& icon) {
        QAction* a = actions_->Action(name);
        a->setIcon(icon);
        bar->addAction(a);
        if (QWidget* w = bar->widgetForAction(a)) {
            w->setObjectName(name);
            // Tool tips get in the way of small cells.
            w->installEventFilter(this);
        }
    };
    add("OpenSpeedButton", style()->standardIcon(QStyle::SP_DialogOpenButton));
    add("SaveSpeedButton", style()->standardIcon(QStyle::SP_DialogSaveButton));
    bar->addSeparator();
    add("PenSpeedButton", ToolIcon(0));
    add("LineSpeedButton", ToolIcon(1));
    add("SelectSpeedButton", ToolIcon(2));
    bar->addSeparator();
    add("RepSpeedButton", style()->standardIcon(QStyle::SP_BrowserReload));
    bar->addSeparator();

    slideBar1_ = new QSlider(Qt::Horizontal, bar);
    slideBar1_->setObjectName("SlideBar1");
    slideBar1_->setRange(MinZoomStep, MaxZoomStep);
    slideBar1_->setSingleStep(1);
    slideBar1_->setPageStep(1);
    slideBar1_->setTickPosition(QSlider::TicksBelow);
    slideBar1_->setTickInterval(1);
    slideBar1_->setFixedWidth(200);
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
    add("OptionSpeedButton", style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    add("PalSpeedButton", ToolIcon(3));
    bar->addSeparator();
    auto* colorBox = new ColorComboBox(bar);
    bar->addWidget(colorBox);
    groups_->Colours.BindColorBox(colorBox);
    // After the colour box the zoom slider has the keys again.
    connect(colorBox, &QComboBox::activated, slideBar1_, [this] { slideBar1_->setFocus(); });
}

void TWform::SlideBar1Change(int value) {
    groups_->View.SetZoom(value);
}

// ---- state ----

void TWform::Refresh() {
    const DraftState& d = doc_->Draft();
    EnableState s;
    s.Design = d.DesignMode;
    s.Fabric = view_->Fabric() != FabricView::None;
    s.FabricView = int(view_->Fabric());
    s.PaletteWindow = session_->Prefs().PaletteWindow;
    s.FabricWindow = session_->Prefs().FabricWindow;
    s.TreadleLoom = d.TreadleMode;
    s.Multiple = d.TreadleMode && d.MultipleTr;
    s.ShowThreading = view_->Settings().ShowThreading;
    s.ColorsUnlinked = !d.ColorsLinked;
    s.PathKnown = !d.FileName.empty();
    s.CanUndo = doc_->CanUndo();
    s.CanRedo = doc_->CanRedo();
    s.SelectionMode = view_->SelectionMode();
    s.HasSelection = view_->HasSelection();
    s.CanPaste = groups_->Clipboard.CanPaste();
    s.Tool = view_->Tool();
    s.Language = CurrentLanguage();
    actions_->Update(s);
    // The treadling items read "Liftplan" on a dobby.
    actions_->Action("KeyTreadling")
        ->setText(Q(GetText(GeneralForm, d.TreadleMode ? "@idtr" : "@idlift")));
    {
        const QSignalBlocker block(slideBar1_);
        slideBar1_->setValue(view_->ShownZoom());
    }
    zpanel_->setText(QString::number(view_->ShownZoom()));
    slideBar1_->setToolTip(Q(GetText("TWform", "@zoomhint")));
    status_->FitToLanguage();
    status_->ShowRanges(view_->ShownRange());
    status_->ShowDraftState(d);
    // Fabric mode names the compression where the mouse position goes.
    if (s.Fabric)
        status_->ShowCompressed(d.Compressed && (view_->Fabric() == FabricView::Flat ||
                                                 view_->Fabric() == FabricView::Yarn));
    RefreshCaption();
}

void TWform::RefreshCaption() {
    const std::string& path = doc_->Draft().FileName;
    // "[*]" shows an unsaved pattern with an asterisk.
    setWindowTitle(Q(WindowCaption(ProductName, path, width())) + "[*]");
    setWindowIconText(Q(ApplicationTitle(ProductName, path)));
    setWindowModified(doc_->Modified());
}

// ---- events ----

bool TWform::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::StatusTip:
        // Long hints of menus and buttons go to status panel 0.
        if (status_) status_->ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    case QEvent::WindowDeactivate:
        // A stroke never outlives the window's focus.
        if (view_) view_->CancelStroke();
        break;
    case QEvent::Resize:
        if (doc_) RefreshCaption();
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

bool TWform::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && view_->SmallCells()) return true;
    return QMainWindow::eventFilter(watched, event);
}

void TWform::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShow_) return;
    firstShow_ = false;
    // The surface got its size while the window was still hidden; lay out
    // and paint for real now.
    view_->LayoutStep();
    view_->FullRepaint();
    Refresh();
    // The slider holds the focus, so the cursor keys change the zoom.
    slideBar1_->setFocus();
    // After the window is on screen, so messages have a parent to sit on.
    QTimer::singleShot(0, this, &TWform::FormShow);
}

void TWform::FormShow() {
    std::vector<std::string> args;
    for (const QString& a : commandLine_) args.push_back(a.toStdString());
    const std::string path = PatternFromCommandLine(args, RegularFileExists);
    // After a crash the unsaved pattern comes first; the file named on the
    // command line can still be opened from the menu.
    if (!OfferRecovered() && !path.empty()) groups_->File.OpenNamedFile(Q(path));
    if (session_->Prefs().TipOfDay) groups_->Help.TipofDayItemClick();
    // The tool windows as they were left.
    groups_->View.RestoreFabricWindow();
    groups_->Colours.RestorePaletteWindow();
    Refresh();
}

void TWform::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    CloseHelp();
}

bool TWform::OfferRecovered() {
    for (const RecoveryCopy::Left& left : RecoveryCopy::Find(recovery_->Folder())) {
        const std::string name = QFileInfo(left.Original).fileName().toStdString();
        const Message question = name.empty() ? Message{"TWform", "@recovernew", {}}
                                              : Message{"TWform", "@recover", {name}};
        const bool taken = prompter_->AskYesNo(MessageText(question)) == IdYes &&
                           groups_->File.RestoreRecovered(left.Pattern, left.Original);
        RecoveryCopy::Remove(left);
        if (taken) return true;
    }
    return false;
}

bool TWform::FormCloseQuery() {
    if (!groups_->File.ConfirmDiscard()) return false;
    recovery_->Discard();
    session_->Prefs().LineOn = view_->Tool() == StrokeTool::Line;
    session_->Close(doc_->Draft(), this);
    if (CurrentLanguage() != startLanguage_) {
        WriteLanguage(session_->Store(), CurrentLanguage());
        session_->Store().Flush();
    }
    return true;
}

void TWform::keyPressEvent(QKeyEvent* event) {
    // FormKeyDown. The keypad's Insert and Delete (Num Lock off) are the
    // same keys.
    const Qt::KeyboardModifiers extra =
        event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (view_->Stroking() && event->key() == Qt::Key_Escape) {
        view_->CancelStroke();
        return;
    }
    // A fabric view takes no keys of the draft.
    if (view_->Stroking() || extra || view_->Fabric() != FabricView::None) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_S:
        groups_->Edit.CycleTool();
        break;
    case Qt::Key_M:
        groups_->Edit.SelectSpeedButtonClick();
        break;
    case Qt::Key_L:
        groups_->Edit.LineSpeedButtonClick();
        break;
    case Qt::Key_P:
        groups_->Edit.PenSpeedButtonClick();
        break;
    case Qt::Key_D:
        groups_->View.ToggleDesign();
        break;
    case Qt::Key_Insert:
        groups_->Edit.InsertOrDeleteAtPointer(true);
        break;
    case Qt::Key_Delete:
        groups_->Edit.InsertOrDeleteAtPointer(false);
        break;
    default:
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace hw
