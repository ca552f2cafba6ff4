#pragma once

#include "commands/command_context.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

class QLabel;
class QSlider;

namespace hw {

class ActionTable;
class DraftView;
class EditorDocument;
class Prompter;
class RecoveryCopy;
class SettingsSession;
class StatusLine;
struct CommandGroups;

// The main window. It owns the document of the run and puts together the
// menus and toolbar (from the action table), the draft view, the status
// line and the tool windows; the commands live in their groups.
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
    // Replaces the message boxes (tests); nullptr gives them back.
    void SetPrompter(Prompter* prompter);

    EditorDocument& Doc() { return *doc_; }
    DraftView& View() { return *view_; }
    ActionTable& Actions() { return *actions_; }
    CommandGroups& Commands() { return *groups_; }
    CommandContext& Context() { return ctx_; }
    SettingsSession& Session() { return *session_; }
    StatusLine& Status() { return *status_; }
    RecoveryCopy& Recovery() { return *recovery_; }
    QSlider* ZoomSlider() const { return slideBar1_; }

    // Menus, toolbar, caption and status line from the document and view.
    void Refresh();
    // Offers back what runs that ended without closing left unsaved (the
    // first show does this); true when a pattern was taken.
    bool OfferRecovered();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildToolBar();
    void FormShow();
    bool FormCloseQuery();
    void SlideBar1Change(int value);
    void RefreshCaption();

    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
    std::unique_ptr<SettingsSession> session_;
    EditorDocument* doc_ = nullptr;
    RecoveryCopy* recovery_ = nullptr;
    DraftView* view_ = nullptr;
    CommandContext ctx_;
    std::unique_ptr<CommandGroups> groups_;
    ActionTable* actions_ = nullptr;
    std::unique_ptr<StatusLine> status_;
    QSlider* slideBar1_ = nullptr;
    QLabel* zpanel_ = nullptr;
    QStringList commandLine_;
    int startLanguage_ = 2;
    bool firstShow_ = true;
};

} // namespace hw
