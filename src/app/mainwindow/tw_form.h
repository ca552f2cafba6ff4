#pragma once

#include "edit/stroke.h"
#include "model/draft_state.h"
#include "model/view_window.h"
#include "view/geometry.h"
#include "view/view_settings.h"

#include "mainwindow/main_menu.h"
#include "platform/qt_prompter.h"

#include <QCursor>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <random>

class QAction;
class QButtonGroup;
class QLabel;
class QKeyEvent;
class QPaintEvent;
class QScrollBar;
class QSlider;
class QToolButton;

namespace hw {

class DraftSurface;
class SettingsSession;
class Tmemoform;

// The main window: toolbar, draft surface with its scroll bars, status line.
// It owns the one document of the run and the view state; menus, file
// commands and settings are added around what is here.
class TWform : public QMainWindow {
    Q_OBJECT
public:
    // The settings file is the one of this run (see SettingsFilePath); the
    // interface language must already be chosen.
    explicit TWform(QWidget* parent = nullptr);
    ~TWform() override;

    // The command-line arguments after the program's own options: the
    // pattern opened at the first show.
    void SetCommandLine(const QStringList& args) { commandLine_ = args; }
    // The language the run started in; a different one is stored at exit.
    void SetStartLanguage(int language) { startLanguage_ = language; }
    // The locale decides whether the Language submenu is shown.
    void SetLocale(const QString& locale);

    MainMenu& Menu() { return *menu_; }
    SettingsSession& Session() { return *session_; }
    Prompter& Prompt() { return *prompter_; }
    // Replaces the message boxes (tests).
    void SetPrompter(Prompter* prompter);
    Tmemoform* NotesWindow();

    // Opens a pattern as File > Open does: the remembered repeats, the zoom
    // slider, the recent files, the caption. False when the load failed.
    bool OpenPattern(const QString& path);
    // Saves under the given path; false when it failed.
    bool SavePatternAs(const QString& path);
    // Asks the unsaved-changes question; false when the command must stop.
    bool ConfirmDiscard();
    // Gives up the whole-draft undo copy and the stroke list.
    void DiscardUndo();
    // The general menu-state update that runs after every command.
    void UpdateMenus();

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

    void FormKeyDown(QKeyEvent* event);

    // The file dialogs, replaceable in tests: return the chosen path or "".
    std::function<QString(const QString& caption)> ChooseOpenPath;
    std::function<QString()> ChooseSavePath;

public slots:
    // File
    void FileOpen();
    void OpenSelected1Click();
    void FileSave();
    void FileSaveAs();
    void ReverttoSaved1Click();
    void New1Click();
    void SaveVersion41Click();
    void SaveVersion31Click();
    void SaveVersion121Click();
    void menyfil1Click();
    void menyfil2Click();
    void menyfil3Click();
    void menyfil4Click();
    void menyfil5Click();
    void menyfil6Click();
    void menyfil7Click();
    void FileExit();
    // Edit
    void UnlinkColors1Click();
    void All1Click();
    void Threading1Click();
    void Liftplan1Click();
    void Tieup1Click();
    void Treadling1Click();
    void Colors1Click();
    // View
    void Draft1Click();
    void Design1Click();
    void ShowThreading1Click();
    // Options
    void Options2Click();
    void SaveSettings1Click();
    void English1Click();
    void Deutsch1Click();
    void Svensk1Click();
    void Suomi1Click();
    void Zoom1Click();
    void Note1Click();
    void Threadbook1Click();
    // Help
    void HelpContents();
    void HelpAbout();
    void TipofDayItemClick();
    void HeddlewiseHomePage1Click();
    // Toolbar
    void OptionSpeedButtonClick();

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
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    bool FormCloseQuery();
    void BuildToolBar();
    void OpenRecent(int index);
    void FillRecentMenu();
    void AfterDraftChange(bool layout);
    template <typename Op> void ClearCommand(Op op);
    void SwitchLanguage(int language);
    void SaveOldVersion(int version);
    QString DefaultPatternFolder() const;
    QString PatternFolder() const;
    void InsertOrDeleteAtPointer(bool insert);
    void BuildScrollPanels(QWidget* central);
    void BuildStatusLine();
    void LeaveSelectionMode();
    void UpdateScrollBars();
    void UpdateStatusPanels();
    void AfterScroll(bool moved);
    StrokeView MakeStrokeView();

    std::unique_ptr<DraftState> draft_;
    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
    std::unique_ptr<SettingsSession> session_;
    std::unique_ptr<MainMenu> menu_;
    Tmemoform* memo_ = nullptr;
    QStringList commandLine_;
    int startLanguage_ = 2;
    bool firstShow_ = true;
    std::mt19937 rng_;
    ViewHit pointer_; // the cell under the mouse, for Insert and Delete
    QToolButton* openButton_ = nullptr;
    QToolButton* saveButton_ = nullptr;
    QToolButton* optionButton_ = nullptr;
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
