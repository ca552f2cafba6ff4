// The program's message boxes, opened for real and answered with the mouse
// or the keyboard.
#include "platform/lang_binder.h"
#include "platform/qt_prompter.h"
#include "text/lang.h"
#include "text/messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

struct SeenBox {
    QString caption;
    QString text; // as shown, break chances removed
    QString detailed;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons; // in the order the box lays them out
    QRect frame;
};

// What to do with the next box: "Escape", or the text of the button to click.
void AnswerNextBox(const QString& answer, SeenBox* seen) {
    auto* poll = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(poll, &QTimer::timeout, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            if (started->elapsed() > 5000) {
                poll->deleteLater();
                QFAIL("no message box appeared");
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        *seen = SeenBox{};
        // Qt retranslates its own button texts when the language changes;
        // the program's texts must survive that.
        QEvent change(QEvent::LanguageChange);
        for (QWidget* w : box->findChildren<QWidget*>()) QApplication::sendEvent(w, &change);
        QApplication::sendEvent(box, &change);
        seen->caption = box->windowTitle();
        seen->text = box->text().remove(QChar(0x200B));
        seen->detailed = box->detailedText();
        seen->format = box->textFormat();
        seen->icon = box->icon();
        seen->frame = box->frameGeometry();
        QList<QAbstractButton*> buttons = box->buttons();
        std::sort(buttons.begin(), buttons.end(),
                  [](QAbstractButton* a, QAbstractButton* b) { return a->x() < b->x(); });
        for (QAbstractButton* b : buttons)
            if (b->isVisible() && box->buttonRole(b) != QMessageBox::ActionRole)
                seen->buttons << b->text();
        if (answer == "Escape") {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* b : buttons)
            if (b->text() == answer) {
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
        box->done(-1);
        QFAIL(qPrintable("no button " + answer));
    });
    poll->start(10);
}

using Ask = std::function<int(hw::Prompter&, const std::string&)>;

} // namespace

class MessagesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { hw::ApplyAppLanguage(hw::LangEnglish); }

    void informationHasOneOkAndTheProgramsCaption() {
        hw::QtPrompter p;
        SeenBox seen;
        AnswerNextBox("OK", &seen);
        p.ShowInfo("Warp repeat not found.");
        QCOMPARE(seen.caption, QString("Heddlewise"));
        QCOMPARE(seen.text, QString("Warp repeat not found."));
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.buttons, QStringList{"OK"});
    }

    void errorsAreCaptionedErrorWithTheErrorIcon() {
        hw::QtPrompter p;
        SeenBox seen;
        AnswerNextBox("Escape", &seen);
        hw::ReportNotFound(p, "/home/weaver/rose.hdw");
        QCOMPARE(seen.caption, QString("Error"));
        QCOMPARE(seen.text, QString("Cannot find /home/weaver/rose.hdw"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.buttons, QStringList{"OK"});
    }

    void everyAnswerGivesItsButtonNumber_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");
        const QStringList yn = {"Yes", "No"}, ync = {"Yes", "No", "Cancel"}, oc = {"OK", "Cancel"};
        const int q = QMessageBox::Question, w = QMessageBox::Warning, i = QMessageBox::Information;
        QTest::newRow("yes/no Yes") << "yesno"
                                    << "Yes" << hw::IdYes << q << yn;
        QTest::newRow("yes/no No") << "yesno"
                                   << "No" << hw::IdNo << q << yn;
        QTest::newRow("yes/no Escape") << "yesno"
                                       << "Escape" << hw::IdNo << q << yn;
        QTest::newRow("yes/no/cancel Yes") << "yesnocancel"
                                           << "Yes" << hw::IdYes << q << ync;
        QTest::newRow("yes/no/cancel No") << "yesnocancel"
                                          << "No" << hw::IdNo << q << ync;
        QTest::newRow("yes/no/cancel Cancel") << "yesnocancel"
                                              << "Cancel" << hw::IdCancel << q << ync;
        QTest::newRow("yes/no/cancel Escape") << "yesnocancel"
                                              << "Escape" << hw::IdCancel << q << ync;
        QTest::newRow("warning Yes") << "warn"
                                     << "Yes" << hw::IdYes << w << ync;
        QTest::newRow("warning No") << "warn"
                                    << "No" << hw::IdNo << w << ync;
        QTest::newRow("warning Escape") << "warn"
                                        << "Escape" << hw::IdCancel << w << ync;
        QTest::newRow("ok/cancel OK") << "okcancel"
                                      << "OK" << hw::IdOk << i << oc;
        QTest::newRow("ok/cancel Cancel") << "okcancel"
                                          << "Cancel" << hw::IdCancel << i << oc;
        QTest::newRow("ok/cancel Escape") << "okcancel"
                                          << "Escape" << hw::IdCancel << i << oc;
    }

    void everyAnswerGivesItsButtonNumber() {
        QFETCH(QString, kind);
        QFETCH(QString, answer);
        QFETCH(int, expected);
        QFETCH(int, icon);
        QFETCH(QStringList, buttons);
        hw::QtPrompter p;
        SeenBox seen;
        AnswerNextBox(answer, &seen);
        const std::string text = "Save present pattern before entering Design mode?";
        int result = 0;
        if (kind == "yesno") result = p.AskYesNo(text);
        if (kind == "yesnocancel") result = p.AskYesNoCancel(text);
        if (kind == "warn") result = p.WarnYesNoCancel(text);
        if (kind == "okcancel") result = p.AskOkCancel(text);
        QCOMPARE(result, expected);
        QCOMPARE(seen.caption, QString("Heddlewise"));
        QCOMPARE(seen.text, QString::fromStdString(text));
        QCOMPARE(int(seen.icon), icon);
        QCOMPARE(seen.buttons, buttons);
    }

    void confirmQuestionAsksWithAQuestionMarkAndIsTrueOnlyForYes() {
        hw::QtPrompter p;
        SeenBox seen;
        AnswerNextBox("Yes", &seen);
        QVERIFY(hw::ConfirmQuestion(p, "Rotate Pattern"));
        QCOMPARE(seen.text, QString("Rotate Pattern?"));
        AnswerNextBox("No", &seen);
        QVERIFY(!hw::ConfirmQuestion(p, "Rotate Pattern"));
        AnswerNextBox("Escape", &seen);
        QVERIFY(!hw::ConfirmQuestion(p, "Rotate Pattern"));
    }

    void confirmQuestion3ClosedWithEscapeIsCancel() {
        hw::QtPrompter p;
        SeenBox seen;
        AnswerNextBox("Escape", &seen);
        QCOMPARE(hw::ConfirmQuestion3(p, "Save changes to rose.hdw"), 3);
        QCOMPARE(seen.text, QString("Save changes to rose.hdw?"));
        AnswerNextBox("No", &seen);
        QCOMPARE(hw::ConfirmQuestion3(p, "Save changes to rose.hdw"), 2);
        AnswerNextBox("Yes", &seen);
        QCOMPARE(hw::ConfirmQuestion3(p, "Save changes to rose.hdw"), 1);
    }

    void textsAndButtonsFollowTheLanguage() {
        hw::QtPrompter p;
        SeenBox seen;
        hw::ApplyAppLanguage(hw::LangGerman);
        AnswerNextBox("Abbrechen", &seen);
        QCOMPARE(hw::ConfirmQuestion3(p, hw::GetText(hw::GeneralForm, "@globsavepres")), 3);
        QCOMPARE(seen.text, QString("Aktuelles Muster speichern?"));
        QCOMPARE(seen.buttons, (QStringList{"Ja", "Nein", "Abbrechen"}));

        hw::ApplyAppLanguage(hw::LangFinnish);
        AnswerNextBox("OK", &seen);
        hw::ReportNoPattern(p);
        QCOMPARE(seen.text, QString("Ei mallia."));
        QCOMPARE(seen.caption, QString("Heddlewise"));
        QCOMPARE(seen.buttons, QStringList{"OK"});
        AnswerNextBox("Kyllä", &seen);
        QCOMPARE(p.AskYesNo(hw::GetText("TWform", "@mesreana")), hw::IdYes);
        QCOMPARE(seen.buttons, (QStringList{"Kyllä", "Ei"}));

        hw::ApplyAppLanguage(hw::LangSwedish);
        AnswerNextBox("Avbryt", &seen);
        QCOMPARE(p.AskOkCancel(hw::GetText(hw::GeneralForm, "@printtime")), hw::IdCancel);
        QCOMPARE(seen.buttons, (QStringList{"OK", "Avbryt"}));
    }

    void longTextsStayOnTheScreenAndAreShownWhole() {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        // A long path is broken into lines; a text longer still shows its
        // beginning with the whole text under the details.
        std::string words;
        for (int i = 0; i < 400; ++i) words += "Threading " + std::to_string(i) + " ";
        const std::string path = "/home/weaver/" + std::string(700, 'r') + "/rosepath.hdw";
        hw::QtPrompter p;
        for (const std::string& text : {path, words}) {
            SeenBox seen;
            AnswerNextBox("OK", &seen);
            p.ShowInfo(text);
            const QString whole = QString::fromStdString(text);
            if (seen.detailed.isEmpty()) {
                QCOMPARE(seen.text, whole);
            } else {
                QCOMPARE(seen.detailed, whole);
                QVERIFY(whole.startsWith(seen.text.chopped(1)));
            }
            QVERIFY2(seen.frame.width() <= screen.width(),
                     qPrintable(QString::number(seen.frame.width())));
            QVERIFY2(seen.frame.height() <= screen.height(),
                     qPrintable(QString::number(seen.frame.height())));
        }
    }

    void markupInATextIsShownAsWritten() {
        hw::QtPrompter p;
        SeenBox seen;
        AnswerNextBox("OK", &seen);
        hw::ReportNotFound(p, "<b>bold</b> & <img src=x>.hdw");
        QCOMPARE(seen.format, Qt::PlainText);
        QCOMPARE(seen.text, QString("Cannot find <b>bold</b> & <img src=x>.hdw"));
    }

    void onlyLongWordsGetBreakChances() {
        QCOMPARE(hw::MessageBoxText("WarpColors/Yarns and C:\\short\\path"),
                 QString("WarpColors/Yarns and C:\\short\\path"));
        const QString broken = hw::MessageBoxText("/" + std::string(100, 'a') + "/b.hdw x");
        QVERIFY(broken.count(QChar(0x200B)) >= 3);
        QCOMPARE(QString(broken).remove(QChar(0x200B)),
                 QString("/" + QString(100, 'a') + "/b.hdw x"));
    }
};

QTEST_MAIN(MessagesTest)
#include "messages_test.moc"
