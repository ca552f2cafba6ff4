#pragma once

#include "text/help_topics.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace hw {

// The help viewer: the HTML page of a help context number in the current
// language, with Contents, Back and Forward. Pages come from the help root
// (the pages compiled into the program, or a folder for tests); a page
// missing in the current language is shown in English.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* FormName = "THelpForm";
    static constexpr const char* CompiledRoot = ":/help";

    explicit HelpWindow(QWidget* parent = nullptr, const QString& root = CompiledRoot);

    // 0 English, 1 German, 2 Swedish, 3 Finnish. The page on show is
    // reloaded in the new language.
    void SetLanguage(int language);
    int Language() const { return language_; }

    // Shows the page of a context number; a number without a page shows the
    // contents. False only when not even an English page exists.
    bool ShowTopic(int context);
    void ShowContents() { ShowTopic(help::Contents); }
    // The context of the page on show (0 before the first page).
    int CurrentContext() const { return context_; }

    QTextBrowser* Browser() const { return browser_; }

    // The file of a topic's page in a language under a help root, falling
    // back to English; empty when neither exists.
    static QString PagePath(const QString& root, const HelpTopic& topic, int language);

private:
    void FollowLink(const QUrl& url);
    void SourceChanged(const QUrl& url);

    QString root_;
    int language_ = 0;
    int context_ = 0;
    QTextBrowser* browser_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
};

// The help window's size when it first appears, and the least width worth
// placing beside another window.
inline constexpr QSize HelpDefaultSize(640, 560);
inline constexpr int HelpMinWidth = 400;
inline constexpr int HelpMinHeight = 200;

// Where a help window of `size` goes on a screen's free area: beside its
// owner window (frame `owner`), on the right or else the left, narrowed to
// the room there; when neither side has HelpMinWidth, over the owner's right
// part with its top at `ownerContentTop` (below the owner's menu and
// toolbar). Always inside the screen.
QRect HelpWindowPlace(const QRect& owner, int ownerContentTop, const QRect& screen, QSize size);

// The one help window of the run, made on first use in the program's
// language, which it follows. SetHelpLanguage shows its page in another.
HelpWindow& SharedHelpWindow();
void SetHelpLanguage(int language);
// Shows (and raises) the shared help window at a context's page.
bool ShowHelpTopic(int context);
// Help > "Help Topics".
bool ShowHelpContents();
// Closes the shared help window, as the main window does when it goes.
void CloseHelp();

} // namespace hw
