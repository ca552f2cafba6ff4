// The main window's commands: start and close, files, clearing, view modes,
// options, language, notes and help.
#include "mainwindow/tw_form.h"

#include "dialogs/blend_dialog.h"
#include "dialogs/components_dialog.h"
#include "dialogs/memo_form.h"
#include "dialogs/new_dialog.h"
#include "dialogs/num_dialog.h"
#include "dialogs/options_dialog.h"
#include "edit/structure.h"
#include "edit/unsaved_changes.h"
#include "files/message_text.h"
#include "files/pattern_file.h"
#include "help/about_box.h"
#include "help/context_help.h"
#include "help/external_programs.h"
#include "help/help_window.h"
#include "help/tip_of_the_day.h"
#include "model/loom_system.h"
#include "model/primitives.h"
#include "platform/lang_binder.h"
#include "platform/settings_session.h"
#include "settings/command_line.h"
#include "settings/settings.h"
#include "text/help_topics.h"
#include "text/lang.h"
#include "text/messages.h"
#include "text/start_language.h"
#include "transform/analysis.h"
#include "transform/repeat.h"
#include "view/draft_surface.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSlider>
#include <QStandardPaths>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>

namespace hw {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
std::string S(const QString& s) {
    return s.toStdString();
}

const char* const OpenFilter = "Heddlewise patterns (*.hdw)|*.hdw|Any files (*.*)|*.*";
const char* const SaveFilter = "Heddlewise pattern (*.hdw)|*.hdw|Any file (*.*)|*.*";

} // namespace

void TWform::SetPrompter(Prompter* prompter) {
    prompter_ = prompter ? prompter : ownPrompter_.get();
}

void TWform::SetLocale(const QString& locale) {
    const LanguageMenu m = LanguageMenuFor(S(locale));
    menu_->Menu("Language1")->menuAction()->setVisible(m.Visible);
    const char* names[LanguageCount] = {"English1", "Deutsch1", "Svensk1", "Suomi1"};
    for (int i = 0; i < LanguageCount; ++i) menu_->Action(names[i])->setVisible(m.Items[i]);
}

// ---- start, first show and close ----

void TWform::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShow_) return;
    firstShow_ = false;
    // The surface got its size while the window was still hidden; lay out
    // and paint for real now.
    FormResize();
    // After the window is on screen, so messages have a parent to sit on.
    QTimer::singleShot(0, this, &TWform::FormShow);
}

void TWform::FormShow() {
    std::vector<std::string> args;
    for (const QString& a : commandLine_) args.push_back(S(a));
    const std::string path = PatternFromCommandLine(args, RegularFileExists);
    if (!path.empty()) OpenPattern(Q(path));
    if (session_->Prefs().TipOfDay) TipofDayItemClick();
}

void TWform::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    CloseHelp();
}

bool TWform::FormCloseQuery() {
    if (!ConfirmDiscard()) return false;
    hw::Settings& prefs = session_->Prefs();
    prefs.LineOn = stroke_.Tool == StrokeTool::Line;
    session_->Close(*draft_, this);
    if (CurrentLanguage() != startLanguage_) {
        WriteLanguage(session_->Store(), CurrentLanguage());
        session_->Store().Flush();
    }
    return true;
}

void TWform::FileExit() {
    close();
}

bool TWform::event(QEvent* event) {
    // Long hints of menus and buttons go to status panel 0.
    if (event->type() == QEvent::StatusTip) {
        if (panels_[0]) panels_[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// ---- menu state ----

void TWform::UpdateMenus() {
    const DraftState& d = *draft_;
    MainMenu::State s;
    s.Design = d.DesignMode;
    s.Fabric = IsFabricMode();
    s.TreadleLoom = d.TreadleMode;
    s.Multiple = d.TreadleMode && d.MultipleTr;
    s.ShowThreading = settings_.ShowThreading;
    s.ColorsUnlinked = !d.ColorsLinked;
    s.PathKnown = !d.FileName.empty();
    s.UndoAvailable = d.UndoEnabled;
    menu_->Update(s);

    // setcheckedview
    menu_->Action("Draft1")->setChecked(!d.DesignMode && !IsFabricMode());
    menu_->Action("Design1")->setChecked(d.DesignMode && !IsFabricMode());
    const char* languages[LanguageCount] = {"English1", "Deutsch1", "Svensk1", "Suomi1"};
    for (int i = 0; i < LanguageCount; ++i)
        menu_->Action(languages[i])->setChecked(CurrentLanguage() == i);
    // The treadling items read "Liftplan" on a dobby.
    menu_->Action("KeyTreadling")
        ->setText(
            Q(d.TreadleMode ? GetText(GeneralForm, "@idtr") : GetText(GeneralForm, "@idlift")));
    UpdateUndoAction();
}

void TWform::DiscardUndo() {
    GiveUpStrokeUndo(stroke_, *draft_);
    draft_->Undo.Valid = false;
    draft_->UndoEnabled = false;
    UpdateUndoAction();
}

void TWform::AfterDraftChange(bool layout) {
    if (layout) LayoutStep();
    FullRepaint();
    UpdateMenus();
    emit FabricRefreshRequested();
}

// ---- files ----

QString TWform::DefaultPatternFolder() const {
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                           "/Heddlewise");
}

QString TWform::PatternFolder() const {
    const QString folder = Q(session_->Prefs().NufilPath);
    return QDir(folder).exists() ? folder : QDir::homePath();
}

bool TWform::ConfirmDiscard() {
    return ConfirmDiscardChanges(*prompter_, *draft_, [this] {
        if (draft_->FileName.empty()) {
            FileSaveAs();
        } else {
            SavePatternAs(Q(draft_->FileName));
        }
        return !draft_->Changed;
    });
}

bool TWform::OpenPattern(const QString& path) {
    LoadRequest request;
    const LoadResult r = LoadPattern(*draft_, S(path), request);
    if (r.Error) prompter_->ShowError(MessageText(*r.Error));
    for (const Message& w : r.Warnings) prompter_->ShowError(MessageText(w));
    if (!r.Ok) return false;
    // The draft is another one now: nothing of the old one may be undone
    // into it.
    DiscardUndo();
    ResetScroll(view_);
    SetPatternPath(path);
    UpdateRememberedRepeats(*draft_);
    if (session_->Prefs().Recent.Add(S(path))) FillRecentMenu();
    if (memo_) memo_->SetNotes(draft_->Notes);
    {
        const QSignalBlocker block(slideBar1_);
        slideBar1_->setValue(draft_->Zoom);
    }
    LeaveSelectionMode();
    AfterDraftChange(true);
    return true;
}

bool TWform::SavePatternAs(const QString& path) {
    SaveOptions options;
    options.SaveLayout = session_->Prefs().Lagrpos;
    if (const Status saved = SavePattern(*draft_, S(path), options); !saved) {
        prompter_->ShowError(MessageText(*saved.Error));
        return false;
    }
    SetPatternPath(path);
    if (session_->Prefs().Recent.Add(S(path))) FillRecentMenu();
    UpdateMenus();
    return true;
}

void TWform::FileOpen() {
    if (!ConfirmDiscard()) return;
    QString path;
    if (ChooseOpenPath) {
        path = ChooseOpenPath(QString());
    } else {
        QFileDialog dialog(this);
        dialog.setObjectName("OpenDialog");
        SetHelpContext(&dialog, help::Open);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setNameFilters(QtNameFilters({OpenFilter}));
        dialog.setDefaultSuffix("hdw");
        dialog.setDirectory(PatternFolder());
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            path = dialog.selectedFiles().front();
    }
    if (path.isEmpty()) return;
    // Pictures and WIF files are not patterns.
    if (IsBmpFile(S(path)) || IsWifFile(S(path))) return;
    if (!OpenPattern(path)) return;
    draft_->MetricUnits = false;
    session_->Prefs().NufilPath = S(QFileInfo(path).absolutePath());
}

void TWform::OpenSelected1Click() {
    QString path;
    const QString caption = Q(GetText("TWform", "@idopencomp"));
    if (ChooseOpenPath) {
        path = ChooseOpenPath(caption);
    } else {
        QFileDialog dialog(this, caption, PatternFolder());
        SetHelpContext(&dialog, help::Open);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(QtNameFilters({OpenFilter}));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            path = dialog.selectedFiles().front();
    }
    if (path.isEmpty()) return;
    ComponentsDialog components(this);
    BlendDialog blend(this);
    DialogComponentChooser chooser(components, blend);
    const LoadResult r = LoadComponents(*draft_, S(path), chooser);
    if (r.Error) prompter_->ShowError(MessageText(*r.Error));
    if (!r.Ok) return;
    // The loader saved the whole draft as the undo copy.
    GiveUpStrokeUndo(stroke_, *draft_);
    MarkChanged(*draft_);
    if (memo_) memo_->SetNotes(draft_->Notes);
    {
        const QSignalBlocker block(slideBar1_);
        slideBar1_->setValue(draft_->Zoom);
    }
    AfterDraftChange(true);
}

void TWform::FileSave() {
    if (draft_->FileName.empty()) {
        FileSaveAs();
        return;
    }
    SavePatternAs(Q(draft_->FileName));
}

void TWform::FileSaveAs() {
    QString path;
    if (ChooseSavePath) {
        path = ChooseSavePath();
    } else {
        QFileDialog dialog(this);
        dialog.setObjectName("SaveDialog");
        SetHelpContext(&dialog, help::Save);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(QtNameFilters({SaveFilter}));
        dialog.setDefaultSuffix("hdw");
        dialog.setDirectory(PatternFolder());
        if (!draft_->FileName.empty()) dialog.selectFile(Q(draft_->FileName));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            path = dialog.selectedFiles().front();
    }
    if (path.isEmpty()) return;
    if (SavePatternAs(path)) session_->Prefs().NufilPath = S(QFileInfo(path).absolutePath());
}

void TWform::SaveOldVersion(int version) {
    QString path = ChooseSavePath
                       ? ChooseSavePath()
                       : QFileDialog::getSaveFileName(this, QString(), PatternFolder(),
                                                      QtNameFilters({SaveFilter}).join(";;"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += ".hdw";
    SaveOptions options;
    options.SaveLayout = session_->Prefs().Lagrpos;
    // An export: the document keeps its own name and modified flag.
    if (const Status saved = hw::SaveOldVersion(*draft_, S(path), OldVersion(version), options);
        !saved)
        prompter_->ShowError(MessageText(*saved.Error));
}

void TWform::SaveVersion41Click() {
    SaveOldVersion(int(OldVersion::V4));
}
void TWform::SaveVersion31Click() {
    SaveOldVersion(int(OldVersion::V3));
}
void TWform::SaveVersion121Click() {
    SaveOldVersion(int(OldVersion::V12));
}

void TWform::ReverttoSaved1Click() {
    if (draft_->FileName.empty()) return;
    OpenPattern(Q(draft_->FileName));
}

void TWform::New1Click() {
    if (!ConfirmDiscard()) return;
    NewPatternResult result;
    if (!ShowNewPattern(this, *draft_, view_, session_->Prefs(), &result)) return;
    DiscardUndo();
    SetPatternPath(QString());
    if (memo_) memo_->SetNotes(draft_->Notes);
    settings_.ShowThreading = true;
    LeaveSelectionMode();
    AfterDraftChange(true);
}

void TWform::FillRecentMenu() {
    const RecentFiles& recent = session_->Prefs().Recent;
    for (int i = 0; i < RecentFiles::Count; ++i) {
        QAction* a = menu_->Action(QString("menyfil%1").arg(i + 1));
        const std::string caption = recent.Caption(i);
        a->setText(Q(caption));
        a->setVisible(!caption.empty());
        a->setStatusTip(Q(recent.Entry(i)));
    }
    menu_->Action("menyfilskille")->setVisible(recent.SeparatorVisible());
}

void TWform::OpenRecent(int index) {
    const std::optional<std::string> path = session_->Prefs().Recent.Choose(
        index, *prompter_, [](const std::string& p) { return RegularFileExists(p); });
    if (!path) {
        FillRecentMenu();
        return;
    }
    if (!ConfirmDiscard()) return;
    OpenPattern(Q(*path));
}

void TWform::menyfil1Click() {
    OpenRecent(0);
}
void TWform::menyfil2Click() {
    OpenRecent(1);
}
void TWform::menyfil3Click() {
    OpenRecent(2);
}
void TWform::menyfil4Click() {
    OpenRecent(3);
}
void TWform::menyfil5Click() {
    OpenRecent(4);
}
void TWform::menyfil6Click() {
    OpenRecent(5);
}
void TWform::menyfil7Click() {
    OpenRecent(6);
}

// ---- edit ----

void TWform::UnlinkColors1Click() {
    draft_->ColorsLinked = !draft_->ColorsLinked;
    UpdateStatusPanels();
    UpdateMenus();
}

template <typename Op> void TWform::ClearCommand(Op op) {
    DraftState& d = *draft_;
    SaveUndo(d);
    GiveUpStrokeUndo(stroke_, d);
    op(d);
    UpdateUsed(d);
    MarkChanged(d);
    AfterDraftChange(true);
}

void TWform::All1Click() {
    ClearCommand([](DraftState& d) {
        ClearDraft(d);
        if (d.DesignMode) RecomputeWindow(d, DesignSize, DesignSize, true);
    });
    SetPatternPath(QString());
    UpdateMenus();
}

void TWform::Threading1Click() {
    ClearCommand([](DraftState& d) { ClearThreadingFrom(d, 1); });
}

void TWform::Liftplan1Click() {
    ClearCommand([](DraftState& d) { ClearLiftplanFrom(d, 1); });
}

void TWform::Tieup1Click() {
    ClearCommand([](DraftState& d) { ClearTieUp(d); });
}

void TWform::Treadling1Click() {
    ClearCommand([](DraftState& d) {
        ClearTreadlingFrom(d, 1);
        // In multiple treadling the pressed treadles live in the liftplan rows.
        if (d.MultipleTr) ClearLiftplanFrom(d, 1);
    });
}

void TWform::Colors1Click() {
    ClearCommand([](DraftState& d) {
        ResetWarpColorsFrom(d, 1);
        ResetWeftColorsFrom(d, 1);
        RebuildColorTable(d);
    });
}

// ---- view modes ----

void TWform::Design1Click() {
    DraftState& d = *draft_;
    if (d.DesignMode) return;
    if (d.TreadleMode && d.MultipleTr) return;
    const bool hasDraft = LastThreadedEnd(d, MaxEnds) > 0 && LastUsedPick(d, MaxPicks) > 0;
    if (!session_->Prefs().ExpertMode && d.Changed && hasDraft) {
        const int answer = prompter_->WarnYesNoCancel(GetText("TWform", "@mesdesign"));
        if (answer == IdCancel) return;
        if (answer == IdYes) {
            FileSaveAs();
            // A cancelled or failed save stops the switch: the draft is not
            // safe on disk yet.
            if (d.Changed) return;
        }
    }
    DiscardUndo();
    DraftToDesign(d);
    LeaveSelectionMode();
    AfterDraftChange(true);
}

void TWform::Draft1Click() {
    DraftState& d = *draft_;
    if (!d.DesignMode) return;
    const DesignToDraftResult r = DesignToDraft(d, session_->Prefs().Warpempty, [this] {
        return ConfirmOk(*prompter_, GetText(GeneralForm, "@emaxshafts"));
    });
    if (!r.Done) return;
    for (const Message& w : r.Warnings) ShowMessageText(*prompter_, MessageText(w));
    DiscardUndo();
    LeaveSelectionMode();
    AfterDraftChange(true);
}

void TWform::ShowThreading1Click() {
    settings_.ShowThreading = !settings_.ShowThreading;
    AfterDraftChange(true);
}

// ---- options ----

void TWform::Options2Click() {
    DraftState& d = *draft_;
    const LoomSystem before = GetLoomSystem(d);
    OptionsContext ctx{d,          session_->Prefs(),         session_->Store(),
                       *prompter_, settings_.BackgroundColor, [this] { LayoutStep(); }};
    OptionsResult result;
    ShowOptions(this, ctx, &result);
    // A converted draft is another draft as far as the undo copy goes.
    if (GetLoomSystem(d) != before) DiscardUndo();
    AfterDraftChange(true);
}

void TWform::OptionSpeedButtonClick() {
    Options2Click();
}

void TWform::SaveSettings1Click() {
    hw::Settings& prefs = session_->Prefs();
    TakeSnapshot(*draft_, prefs.Snapshot, false, false);
    if (!WriteDefaults(session_->Store(), *draft_, prefs) || !session_->Store().Flush())
        prompter_->ShowError("File Write Error");
}

void TWform::SwitchLanguage(int language) {
    if (!ApplyAppLanguage(language)) return;
    SetHelpLanguage(language);
    UpdateStatusPanels();
    RefreshCaption();
    UpdateMenus();
}

void TWform::English1Click() {
    SwitchLanguage(LangEnglish);
}
void TWform::Deutsch1Click() {
    SwitchLanguage(LangGerman);
}
void TWform::Svensk1Click() {
    SwitchLanguage(LangSwedish);
}
void TWform::Suomi1Click() {
    SwitchLanguage(LangFinnish);
}

void TWform::Zoom1Click() {
    int value = slideBar1_->value();
    const QString caption = Q(GetText("TWform", "@zoomtitle"));
    const QString label = Q(GetText("TWform", "@zoomtxt")) + ":";
    if (TDlgNum1::Ask(this, caption, label, MinZoomStep, MaxZoomStep, value) &&
        value != slideBar1_->value())
        slideBar1_->setValue(value);
}

Tmemoform* TWform::NotesWindow() {
    if (!memo_) {
        memo_ = new Tmemoform(this);
        memo_->SetNotes(draft_->Notes);
        connect(memo_, &Tmemoform::Opened, this, [this] {
            // Opening the notes counts as a change of the pattern.
            draft_->Changed = true;
        });
        if (auto* text = memo_->findChild<QPlainTextEdit*>("Memo1"))
            connect(text, &QPlainTextEdit::textChanged, this,
                    [this] { draft_->Notes = memo_->Notes(); });
    }
    return memo_;
}

void TWform::Note1Click() {
    Tmemoform* memo = NotesWindow();
    memo->SetNotes(draft_->Notes);
    memo->show();
    memo->raise();
    memo->activateWindow();
}

void TWform::Threadbook1Click() {
    StartThreadbook(*prompter_);
}

// ---- help ----

void TWform::HelpContents() {
    ShowHelpContents();
}

void TWform::HelpAbout() {
    TAboutBox about(this);
    about.exec();
}

void TWform::TipofDayItemClick() {
    // Deferred, so the menu has closed before the tip window appears.
    QTimer::singleShot(0, this, [this] {
        TTipOfTheDay tip(this);
        tip.SetShowAtStartup(session_->Prefs().TipOfDay);
        tip.exec();
        session_->Prefs().TipOfDay = tip.ShowAtStartup();
    });
}

void TWform::HeddlewiseHomePage1Click() {
    OpenHomePage();
}

// ---- keyboard ----

void TWform::keyPressEvent(QKeyEvent* event) {
    FormKeyDown(event);
}

void TWform::FormKeyDown(QKeyEvent* event) {
    if (stroke_.Open() || IsFabricMode() || (event->modifiers() & ~Qt::ShiftModifier)) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_S:
        if (selectionMode_)
            PenSpeedButtonClick();
        else if (stroke_.Tool == StrokeTool::Pen)
            LineSpeedButtonClick();
        else
            SelectSpeedButtonClick();
        break;
    case Qt::Key_M:
        SelectSpeedButtonClick();
        break;
    case Qt::Key_L:
        LineSpeedButtonClick();
        break;
    case Qt::Key_P:
        PenSpeedButtonClick();
        break;
    case Qt::Key_D:
        if (draft_->DesignMode)
            Draft1Click();
        else
            Design1Click();
        break;
    case Qt::Key_Insert:
        InsertOrDeleteAtPointer(true);
        break;
    case Qt::Key_Delete:
        InsertOrDeleteAtPointer(false);
        break;
    default:
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TWform::InsertOrDeleteAtPointer(bool insert) {
    DraftState& d = *draft_;
    const ViewArea area = pointer_.Area;
    const bool warp = area == ViewArea::Threading || area == ViewArea::WarpColors;
    const bool weft = area == ViewArea::Treadling || area == ViewArea::WeftColors;
    if (!warp && !weft) return;
    const bool colourOnly = area == ViewArea::WarpColors || area == ViewArea::WeftColors;
    // In Design mode only the colour rows take these keys.
    if (d.DesignMode && !colourOnly) return;
    const int number = warp ? pointer_.Column + view_.ScrollEnds : pointer_.Row + view_.ScrollPicks;
    if (number < 1 || number > (warp ? d.Ends : d.Picks)) return;
    if (!insert && !session_->Prefs().ExpertMode) {
        std::string text;
        if (warp)
            text = colourOnly ? GetText("TWform", "@delwarpcol") : GetText("TWform", "@delend");
        else
            text = colourOnly ? GetText("TWform", "@delweftcol") : GetText("TWform", "@delpick");
        if (!ConfirmQuestion(*prompter_, text + " " + std::to_string(number))) return;
    }
    SaveUndo(d);
    GiveUpStrokeUndo(stroke_, d);
    const bool withGrid = !colourOnly;
    const bool withColours = colourOnly || d.ColorsLinked;
    if (warp) {
        if (insert)
            InsertEnds(d, number, 1, withGrid, withColours);
        else
            DeleteEnds(d, number, number, withGrid, withColours);
    } else {
        if (insert)
            InsertPicks(d, number, 1, withGrid, withColours);
        else
            DeletePicks(d, number, number, withGrid, withColours);
    }
    UpdateUsed(d);
    MarkChanged(d);
    AfterDraftChange(false);
}

} // namespace hw
