#include "help/help_window.h"

#include "platform/lang_binder.h"
#include "text/lang.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

namespace hw {

namespace {

QUrl UrlOf(const QString& path) {
    // Compiled-in pages live under ":/"; QTextBrowser reads them as qrc URLs.
    if (path.startsWith(QLatin1Char(':'))) return QUrl(QStringLiteral("qrc") + path);
    return QUrl::fromLocalFile(path);
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent, const QString& root) : QWidget(parent), root_(root) {
    setObjectName(FormName);
    setWindowFlag(Qt::Window);
    resize(HelpDefaultSize);

    auto* contents = new QPushButton(this);
    contents->setObjectName("ContentsButton");
    back_ = new QPushButton(this);
    back_->setObjectName("BackButton");
    forward_ = new QPushButton(this);
    forward_->setObjectName("ForwardButton");
    back_->setEnabled(false);
    forward_->setEnabled(false);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    // Links go through FollowLink so that they, too, pick the current
    // language and fall back to English.
    browser_->setOpenLinks(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);

    connect(contents, &QPushButton::clicked, this, &HelpWindow::ShowContents);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::FollowLink);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::SourceChanged);
    // The page on show follows a switch of the program's language too.
    new LangBinder(this, FormName, [this] { SetLanguage(CurrentLanguage()); });
}

QString HelpWindow::PagePath(const QString& root, const HelpTopic& topic, int language) {
    const QString page = QString::fromLatin1(topic.Page);
    const QString own = root + '/' + HelpLanguageFolder(language) + '/' + page;
    if (QFileInfo::exists(own)) return own;
    const QString english = root + '/' + HelpLanguageFolder(0) + '/' + page;
    if (QFileInfo::exists(english)) return english;
    return {};
}

void HelpWindow::SetLanguage(int language) {
    if (language == language_) return;
    language_ = language;
    if (context_ != 0) ShowTopic(context_);
}

bool HelpWindow::ShowTopic(int context) {
    const HelpTopic& topic = ResolveHelpTopic(context);
    const QString path = PagePath(root_, topic, language_);
    if (path.isEmpty()) return false;
    // Set before the source so that SourceChanged keeps a shared page's own
    // context (Insert Treadling shows the Insert Threading page).
    context_ = topic.Context;
    const QUrl url = UrlOf(path);
    if (browser_->source() == url)
        browser_->reload();
    else
        browser_->setSource(url);
    return true;
}

void HelpWindow::FollowLink(const QUrl& url) {
    const QString scheme = url.scheme();
    if (scheme == "http" || scheme == "https" || scheme == "mailto") {
        QDesktopServices::openUrl(url);
        return;
    }
    if (url.path().isEmpty() && url.hasFragment()) {
        browser_->scrollToAnchor(url.fragment());
        return;
    }
    if (const HelpTopic* t = FindHelpTopicByPage(url.fileName().toStdString()))
        ShowTopic(t->Context);
}

void HelpWindow::SourceChanged(const QUrl& url) {
    // Back and Forward change the page without ShowTopic.
    const std::string page = url.fileName().toStdString();
    const HelpTopic* current = FindHelpTopic(context_);
    if (current && page == current->Page) return;
    if (const HelpTopic* t = FindHelpTopicByPage(page)) context_ = t->Context;
}

QRect HelpWindowPlace(const QRect& owner, int ownerContentTop, const QRect& screen, QSize size) {
    size = size.boundedTo(screen.size());
    const int roomRight = screen.right() - owner.right();
    const int roomLeft = owner.left() - screen.left();
    QRect place(QPoint(), size);
    if (std::max(roomRight, roomLeft) >= HelpMinWidth) {
        // Beside the owner, on the side with room, narrowed to fit.
        const bool right = roomRight >= size.width() || roomRight >= roomLeft;
        place.setWidth(std::min(size.width(), right ? roomRight : roomLeft));
        place.moveLeft(right ? owner.right() + 1 : owner.left() - place.width());
        place.moveTop(std::clamp(owner.top(), screen.top(), screen.bottom() - size.height() + 1));
        return place;
    }
    // No room beside it (a maximized window): over its right part, below its
    // menu and toolbar so that they stay in reach.
    const int top =
        std::max(screen.top(), std::min(ownerContentTop, screen.bottom() - HelpMinHeight + 1));
    place.setHeight(std::min(size.height(), screen.bottom() - top + 1));
    place.moveTopLeft(QPoint(screen.right() - size.width() + 1, top));
    return place;
}

namespace {

// The window help is asked for from: the main window, or whatever top-level
// window the active one belongs to.
QWidget* OwnerWindow(const QWidget* help) {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || w == help) w = QApplication::activeWindow();
    if (w == help) w = nullptr;
    while (w && w->parentWidget()) w = w->parentWidget()->window();
    if (w) return w;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(top) && top->isVisible()) return top;
    return nullptr;
}

void Place(HelpWindow& w) {
    QWidget* owner = OwnerWindow(&w);
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect free = screen->availableGeometry();
    // The window manager's frame is not known before the first show; the
    // owner's frame is the best guess of it.
    const QRect outer = owner ? owner->frameGeometry() : QRect();
    const QSize frame = owner ? outer.size() - owner->geometry().size() : QSize(0, 0);
    const QSize size = w.size() + frame;
    QRect place(QPoint(), size.boundedTo(free.size()));
    if (owner) {
        int contentTop = outer.top();
        if (auto* main = qobject_cast<QMainWindow*>(owner); main && main->centralWidget())
            contentTop = main->centralWidget()->mapToGlobal(QPoint(0, 0)).y();
        place = HelpWindowPlace(outer, contentTop, free, size);
    } else {
        place.moveCenter(free.center());
    }
    w.resize(place.size() - frame);
    w.move(place.topLeft());
}

QPointer<HelpWindow> shared;

} // namespace

HelpWindow& SharedHelpWindow() {
    if (!shared) {
        shared = new HelpWindow;
        shared->setAttribute(Qt::WA_DeleteOnClose);
        // Help left open must not keep the program running once the main
        // window has closed.
        shared->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return *shared;
}

void SetHelpLanguage(int language) {
    if (shared) shared->SetLanguage(language);
}

bool ShowHelpTopic(int context) {
    HelpWindow& w = SharedHelpWindow();
    if (!w.ShowTopic(context)) return false;
    // A modal dialog blocks every window outside it, so help asked for from
    // a dialog must belong to that dialog to be readable; it returns to
    // standing alone when asked for outside one.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == &w) modal = nullptr;
    if (w.parentWidget() != modal) {
        w.hide();
        w.setParent(modal, Qt::Window);
    }
    // Placed when it appears; where the user moves it afterwards it stays.
    if (!w.isVisible()) Place(w);
    w.show();
    w.raise();
    w.activateWindow();
    return true;
}

bool ShowHelpContents() {
    return ShowHelpTopic(help::Contents);
}

void CloseHelp() {
    delete shared.data();
}

} // namespace hw
