#include "help/help_window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

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
    setWindowTitle(QStringLiteral("Heddlewise Help"));
    resize(640, 560);

    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    contents->setObjectName("ContentsButton");
    back_ = new QPushButton(QStringLiteral("&Back"), this);
    back_->setObjectName("BackButton");
    forward_ = new QPushButton(QStringLiteral("&Forward"), this);
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
    emit TopicShown(context_);
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

namespace {

QPointer<HelpWindow> shared;
int sharedLanguage = 0;

} // namespace

HelpWindow& SharedHelpWindow() {
    if (!shared) {
        shared = new HelpWindow;
        shared->setAttribute(Qt::WA_DeleteOnClose);
        // Help left open must not keep the program running once the main
        // window has closed.
        shared->setAttribute(Qt::WA_QuitOnClose, false);
        shared->SetLanguage(sharedLanguage);
    }
    return *shared;
}

void SetHelpLanguage(int language) {
    sharedLanguage = language;
    if (shared) shared->SetLanguage(language);
}

int HelpLanguage() {
    return sharedLanguage;
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
