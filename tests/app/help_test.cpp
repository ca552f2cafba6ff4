#include "../core/scripted_prompter.h"
#include "dialog_driver.h"

#include "help/context_help.h"
#include "help/external_programs.h"
#include "help/help_window.h"
#include "text/help_topics.h"

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
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void WritePage(const QString& path, const QString& body) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(("<html><head><title>t</title></head><body>" + body + "</body></html>").toUtf8());
}

// Clicks the link whose text is `text`, as a user would.
void ClickLink(QTextBrowser* b, const QString& text) {
    QTextCursor c = b->document()->find(text);
    QVERIFY2(!c.isNull(), qPrintable("no link " + text));
    c.setPosition(c.selectionStart() + 1);
    QTest::mouseClick(b->viewport(), Qt::LeftButton, {}, b->cursorRect(c).center());
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CloseHelp(); }

    // Every context has a page in every language, the English title agrees
    // with the table, every link inside a page leads to a page, and the
    // contents reach every page.
    void shippedPagesAreCompleteAndLinked() {
        const QRegularExpression title("<title>([^<]+)</title>");
        const QRegularExpression link("href=\"([^\"#:]+)\"");
        QSet<QString> tablePages;
        for (const HelpTopic& t : HelpTopics()) tablePages.insert(t.Page);
        for (int lang = 0; lang < 4; ++lang) {
            const QString folder = QString(":/help/") + HelpLanguageFolder(lang);
            for (const HelpTopic& t : HelpTopics()) {
                const QString path = folder + '/' + t.Page;
                const QString html = ReadAll(path);
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
                QVERIFY2(tablePages.contains(file), qPrintable(folder + '/' + file));
            const QString contents = ReadAll(folder + "/100.html");
            for (const QString& page : tablePages)
                QVERIFY2(page == "100.html" || contents.contains("href=\"" + page + "\""),
                         qPrintable(folder + "/100.html lacks " + page));
        }
    }

    // A page missing in the language is shown in English, an unknown number
    // shows the contents, a switch reloads the page; links follow the
    // language, Back returns, web links go to the browser.
    void pagesFollowTheLanguageWithEnglishAsFallback() {
        QTemporaryDir dir;
        const QString links = "<p><a href=\"650.html\">Options page</a></p>"
                              "<p><a href=\"https://heddlewise.org/\">Home page</a></p>";
        WritePage(dir.filePath("en/100.html"), "english contents " + links);
        WritePage(dir.filePath("en/650.html"), "english options");
        WritePage(dir.filePath("sv/100.html"), "svenska " + links);
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "Open");

        HelpWindow w(nullptr, dir.path());
        w.SetLanguage(LangSwedish);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.ShowTopic(9999));
        QCOMPARE(w.CurrentContext(), help::Contents);
        QVERIFY(w.Browser()->toPlainText().contains("svenska"));
        auto* back = w.findChild<QPushButton*>("BackButton");
        QVERIFY(!back->isEnabled());
        ClickLink(w.Browser(), "Options page");
        QTRY_COMPARE(w.CurrentContext(), help::Options);
        QVERIFY(w.Browser()->toPlainText().contains("english options"));
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(w.CurrentContext(), help::Contents);
        w.SetLanguage(LangEnglish);
        QVERIFY(w.Browser()->toPlainText().contains("english contents"));
        ClickLink(w.Browser(), "Home page");
        QTRY_COMPARE(catcher.Urls, QList<QUrl>{QUrl("https://heddlewise.org/")});
        QCOMPARE(w.CurrentContext(), help::Contents);
        QDesktopServices::unsetUrlHandler("https");
    }

    // F1 opens the page of the nearest widget that carries a context, of the
    // highlighted menu item (else its menu), else the contents.
    void f1OpensThePageOfWhatHasTheFocus() {
        InstallF1Help();
        QMainWindow window;
        SetHelpContext(&window, help::Options);
        QMenu* file = window.menuBar()->addMenu("&File");
        SetHelpContext(file->menuAction(), help::FileMenu);
        SetHelpContext(file->addAction("&Open..."), help::Open);
        file->addAction("E&xit");
        window.setCentralWidget(new QWidget);
        auto* plain = new QLineEdit(window.centralWidget());
        auto* group = new QGroupBox(window.centralWidget());
        SetHelpContext(group, help::LoadComponents);
        auto* inGroup = new QLineEdit(group);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::keyClick(plain, Qt::Key_F1);
        QCOMPARE(SharedHelpWindow().CurrentContext(), help::Options);
        QTest::keyClick(inGroup, Qt::Key_F1);
        QCOMPARE(SharedHelpWindow().CurrentContext(), help::LoadComponents);
        for (int downs : {1, 2}) {
            file->popup(window.mapToGlobal(QPoint(10, 10)));
            QVERIFY(QTest::qWaitForWindowExposed(file));
            for (int i = 0; i < downs; ++i) QTest::keyClick(file, Qt::Key_Down);
            QTest::keyClick(file, Qt::Key_F1);
            QCOMPARE(SharedHelpWindow().CurrentContext(), downs == 1 ? help::Open : help::FileMenu);
            QTRY_VERIFY(!file->isVisible());
        }
        SetHelpContext(&window, 0); // nothing carries a context: the contents
        QTest::keyClick(plain, Qt::Key_F1);
        QCOMPARE(SharedHelpWindow().CurrentContext(), help::Contents);
        SetHelpLanguage(LangFinnish);
        QTest::keyClick(inGroup, Qt::Key_F1);
        QVERIFY(SharedHelpWindow().Browser()->source().toString().endsWith("/fi/210.html"));
    }

    // Help asked for from a modal dialog must be usable while it runs;
    // outside one it stands alone again.
    void helpFromAModalDialogBelongsToIt() {
        QDialog dialog;
        SetHelpContext(&dialog, help::NewPattern);
        auto* field = new QLineEdit(&dialog);
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
        QVERIFY(ShowHelpTopic(help::Contents));
        QCOMPARE(SharedHelpWindow().parentWidget(), nullptr);
    }

    // Help appears beside the main window where there is room, else over
    // its right part below the menu and toolbar; always inside the screen.
    // Left open, it does not keep the program running once the main window
    // has closed.
    void helpAppearsBesideTheMainWindowAndGoesWithIt() {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const int third = screen.width() / 3;
        for (const QRect& place :
             {QRect(screen.topLeft(), QSize(third, screen.height() / 2)),
              QRect(screen.right() - third, screen.top() + 40, third, 300), screen}) {
            QMainWindow main;
            main.menuBar()->addMenu("&File");
            main.setCentralWidget(new QWidget);
            main.setGeometry(place);
            main.show();
            QVERIFY(QTest::qWaitForWindowExposed(&main));
            QVERIFY(ShowHelpContents());
            const QRect help = SharedHelpWindow().frameGeometry();
            QVERIFY(screen.contains(help));
            if (place != screen) {
                QVERIFY(!help.intersects(main.frameGeometry()));
                CloseHelp();
                continue;
            }
            QVERIFY(help.top() >= main.centralWidget()->mapToGlobal(QPoint()).y());
            bool timedOut = false;
            QTimer::singleShot(0, &main, &QWidget::close);
            QTimer::singleShot(3000, qApp, [&] {
                timedOut = true;
                QCoreApplication::quit();
            });
            QApplication::exec();
            QVERIFY(!timedOut);
        }
    }

    void threadbookFailureIsReported() {
        test::ScriptedPrompter p;
        QVERIFY(!StartThreadbook(p, "/nonexistent/hdp-missing"));
        QVERIFY(!StartThreadbook(p, ""));
        QCOMPARE(p.Shown.size(), size_t(2));
        QCOMPARE(p.Shown[0].Kind + p.Shown[0].Text, std::string("infoUnable to start Threadbook"));
        QVERIFY(StartThreadbook(p, "true")); // a program that exists starts without a word
        QCOMPARE(p.Shown.size(), size_t(2));
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
