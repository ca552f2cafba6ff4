#include "../core/scripted_prompter.h"
#include "help/context_help.h"
#include "help/external_programs.h"
#include "help/help_window.h"
#include "text/help_topics.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtTest>

#include <set>

using namespace hw;

// Receives the URLs the program hands to the desktop's browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Urls;
public slots:
    void Open(const QUrl& url) { Urls << url; }
};

namespace {

QString ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

void WritePage(const QString& path, const QString& title, const QString& body) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>")
                .arg(title, body)
                .toUtf8());
}

QString ShownPage(const HelpWindow& w) {
    return w.Browser()->source().toString();
}

// Clicks the link whose text is `text` in a browser, as a user would.
void ClickLink(QTextBrowser* b, const QString& text) {
    QTextCursor c = b->document()->find(text);
    QVERIFY2(!c.isNull(), qPrintable("no link " + text));
    c.setPosition(c.selectionStart() + 1);
    const QPoint at = b->cursorRect(c).center();
    QTest::mouseClick(b->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void init() { SetHelpLanguage(0); }
    void cleanup() { CloseHelp(); }

    // Every context has a page in every language, the English title agrees
    // with the table, every link inside a page leads to a page, and the
    // contents reach every page.
    void shippedPagesAreCompleteAndLinked() {
        const QRegularExpression title("<title>([^<]+)</title>");
        const QRegularExpression link("href=\"([^\"#:]+)\"");
        std::set<QString> tablePages;
        for (const HelpTopic& t : HelpTopics()) tablePages.insert(t.Page);
        for (int lang = 0; lang < 4; ++lang) {
            const QString folder = QString(":/help/") + HelpLanguageFolder(lang);
            for (const HelpTopic& t : HelpTopics()) {
                const QString path = folder + '/' + t.Page;
                const QString html = ReadAll(path);
                QVERIFY2(!html.isEmpty(), qPrintable("missing " + path));
                const auto m = title.match(html);
                QVERIFY2(m.hasMatch() && !m.captured(1).trimmed().isEmpty(), qPrintable(path));
                if (lang == 0 && FindHelpTopicByPage(t.Page)->Context == t.Context)
                    QCOMPARE(m.captured(1), QString::fromUtf8(t.Title));
                for (auto it = link.globalMatch(html); it.hasNext();) {
                    const QString target = it.next().captured(1);
                    QVERIFY2(FindHelpTopicByPage(target.toStdString()),
                             qPrintable(path + " links to " + target));
                }
            }
            // No page ships that the table cannot open.
            for (const QString& file : QDir(folder).entryList(QDir::Files))
                QVERIFY2(tablePages.count(file), qPrintable(folder + '/' + file));
            // The contents page links to every other page.
            const QString contents = ReadAll(folder + "/100.html");
            for (const QString& page : tablePages)
                if (page != "100.html")
                    QVERIFY2(contents.contains("href=\"" + page + "\""),
                             qPrintable(folder + "/100.html lacks " + page));
        }
    }

    // A page missing in the chosen language is shown in English; a page
    // that exists is shown in the language; an unknown number shows the
    // contents; switching the language reloads the page on show.
    void missingLanguagePageFallsBackToEnglish() {
        QTemporaryDir dir;
        WritePage(dir.filePath("en/100.html"), "Contents", "english contents");
        WritePage(dir.filePath("en/650.html"), "Options", "english options");
        WritePage(dir.filePath("de/100.html"), "Inhalt", "deutscher Inhalt");

        HelpWindow w(nullptr, dir.path());
        w.SetLanguage(1);
        QVERIFY(w.ShowTopic(help::Options));
        QCOMPARE(ShownPage(w), QUrl::fromLocalFile(dir.filePath("en/650.html")).toString());
        QVERIFY(w.Browser()->toPlainText().contains("english options"));
        QCOMPARE(w.CurrentContext(), help::Options);

        QVERIFY(w.ShowTopic(9999));
        QCOMPARE(w.CurrentContext(), help::Contents);
        QVERIFY(w.Browser()->toPlainText().contains("deutscher Inhalt"));

        w.SetLanguage(0);
        QVERIFY(w.Browser()->toPlainText().contains("english contents"));

        QTemporaryDir empty;
        HelpWindow none(nullptr, empty.path());
        QVERIFY(!none.ShowTopic(help::Options));
        QCOMPARE(none.CurrentContext(), 0);
    }

    // Links follow the language with the same fallback, Back returns, and
    // web links go to the browser.
    void linksBackAndWebLinks() {
        QTemporaryDir dir;
        const QString links = "<p><a href=\"650.html\">Options page</a></p>"
                              "<p><a href=\"https://heddlewise.org/\">Home page</a></p>";
        WritePage(dir.filePath("en/100.html"), "Contents", links);
        WritePage(dir.filePath("sv/100.html"), "Innehåll", "svenska " + links);
        WritePage(dir.filePath("en/650.html"), "Options", "english options");

        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "Open");

        HelpWindow w(nullptr, dir.path());
        w.SetLanguage(2);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.ShowTopic(help::Contents));
        auto* back = w.findChild<QPushButton*>("BackButton");
        QVERIFY(!back->isEnabled());

        ClickLink(w.Browser(), "Options page");
        QTRY_COMPARE(w.CurrentContext(), help::Options);
        QVERIFY(w.Browser()->toPlainText().contains("english options"));

        QVERIFY(back->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(w.CurrentContext(), help::Contents);
        QVERIFY(w.Browser()->toPlainText().contains("svenska"));

        ClickLink(w.Browser(), "Home page");
        QTRY_COMPARE(catcher.Urls.size(), 1);
        QCOMPARE(catcher.Urls.front(), QUrl("https://heddlewise.org/"));
        QCOMPARE(w.CurrentContext(), help::Contents);

        QVERIFY(OpenHomePage());
        QCOMPARE(catcher.Urls.size(), 2);
        QCOMPARE(catcher.Urls.back(), QUrl(QString::fromLatin1(HomePageUrl)));
        QDesktopServices::unsetUrlHandler("https");
    }

    // F1 in a dialog opens the page of the nearest widget that carries a
    // context, else the dialog's, else the contents.
    void f1OpensTheFocusedDialogsPage() {
        InstallF1Help();
        QDialog dialog;
        SetHelpContext(&dialog, help::Options);
        auto* plain = new QLineEdit(&dialog);
        auto* group = new QGroupBox("Components", &dialog);
        SetHelpContext(group, help::LoadComponents);
        auto* inGroup = new QLineEdit(group);
        (new QVBoxLayout(group))->addWidget(inGroup);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(plain);
        layout->addWidget(group);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        QTest::keyClick(plain, Qt::Key_F1);
        QVERIFY(SharedHelpWindow().isVisible());
        QCOMPARE(SharedHelpWindow().CurrentContext(), help::Options);
        QVERIFY(ShownPage(SharedHelpWindow()).endsWith("/en/650.html"));
        // Typing F1 puts nothing into the field.
        QVERIFY(plain->text().isEmpty());

        QTest::keyClick(inGroup, Qt::Key_F1);
        QCOMPARE(SharedHelpWindow().CurrentContext(), help::LoadComponents);

        QWidget loose;
        auto* field = new QLineEdit(&loose);
        loose.show();
        QTest::keyClick(field, Qt::Key_F1);
        QCOMPARE(SharedHelpWindow().CurrentContext(), help::Contents);

        // The shared window follows the help language.
        SetHelpLanguage(3);
        QTest::keyClick(plain, Qt::Key_F1);
        QVERIFY(ShownPage(SharedHelpWindow()).endsWith("/fi/650.html"));
    }

    // F1 with a menu open opens the highlighted item's page, or its menu's
    // page when the item has none, and closes the menu.
    void f1OpensTheHighlightedMenuItemsPage() {
        InstallF1Help();
        QMainWindow window;
        SetHelpContext(&window, help::Contents);
        QMenu* file = window.menuBar()->addMenu("&File");
        SetHelpContext(file->menuAction(), help::FileMenu);
        QAction* open = file->addAction("&Open...");
        SetHelpContext(open, help::Open);
        file->addAction("E&xit");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        file->popup(window.mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        QTest::keyClick(file, Qt::Key_Down);
        QCOMPARE(file->activeAction(), open);
        QTest::keyClick(file, Qt::Key_F1);
        QCOMPARE(SharedHelpWindow().CurrentContext(), help::Open);
        QTRY_VERIFY(!file->isVisible());

        file->popup(window.mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        QTest::keyClick(file, Qt::Key_Down);
        QTest::keyClick(file, Qt::Key_Down);
        QCOMPARE(file->activeAction()->text(), QString("E&xit"));
        QTest::keyClick(file, Qt::Key_F1);
        QCOMPARE(SharedHelpWindow().CurrentContext(), help::FileMenu);
    }

    // Help asked for from a modal dialog must be usable while it runs.
    void helpFromAModalDialogBelongsToIt() {
        QDialog dialog;
        SetHelpContext(&dialog, help::NewPattern);
        auto* field = new QLineEdit(&dialog);
        (new QVBoxLayout(&dialog))->addWidget(field);
        InstallF1Help();
        bool checked = false;
        QTimer::singleShot(0, &dialog, [&] {
            QTest::keyClick(field, Qt::Key_F1);
            HelpWindow& help = SharedHelpWindow();
            checked = help.isVisible() && help.CurrentContext() == help::NewPattern &&
                      help.parentWidget() == &dialog && help.isWindow();
            dialog.reject();
        });
        dialog.exec();
        QVERIFY(checked);
        // Outside a dialog it stands alone again.
        QVERIFY(ShowHelpTopic(help::Contents));
        QCOMPARE(SharedHelpWindow().parentWidget(), nullptr);
    }

    // Help left open does not keep the program running after its main
    // window closes.
    void helpWindowDoesNotHoldTheProgramOpen() {
        QMainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(ShowHelpContents());
        QCOMPARE(SharedHelpWindow().CurrentContext(), help::Contents);
        bool timedOut = false;
        QTimer::singleShot(0, &window, &QWidget::close);
        QTimer::singleShot(3000, qApp, [&] {
            timedOut = true;
            QCoreApplication::quit();
        });
        QApplication::exec();
        QVERIFY(!timedOut);
    }

    void threadbookFailureIsReported() {
        test::ScriptedPrompter p;
        QVERIFY(!StartThreadbook(p, "/nonexistent/hdp-missing"));
        QCOMPARE(p.Shown.size(), size_t(1));
        QCOMPARE(QString::fromStdString(p.Shown[0].Kind), QString("info"));
        QCOMPARE(QString::fromStdString(p.Shown[0].Text), QString("Unable to start Threadbook"));

        QVERIFY(!StartThreadbook(p, ""));
        QCOMPARE(p.Shown.size(), size_t(2));

        // A program that exists starts without a word.
        test::ScriptedPrompter quiet;
        QVERIFY(StartThreadbook(quiet, "true"));
        QVERIFY(quiet.Shown.empty());
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
