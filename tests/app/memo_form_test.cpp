#include "dialogs/memo_form.h"
#include "help/context_help.h"
#include "help/help_window.h"
#include "text/help_topics.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace hw;

namespace {

// Shows the window with the note and puts the cursor at the end of the memo.
void Open(Tmemoform& form, const std::string& notes) {
    form.SetNotes(notes);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Memo()->setFocus();
    form.Memo()->moveCursor(QTextCursor::End);
}

QString Tail(const Tmemoform& form, int n) {
    return form.Memo()->toPlainText().right(n);
}

} // namespace

class MemoFormTest : public QObject {
    Q_OBJECT
private slots:
    void typingStopsAtTheLimit() {
        Tmemoform form;
        Open(form, std::string(2998, 'a'));
        QTest::keyClicks(form.Memo(), "bcd");
        QCOMPARE(form.Memo()->Length(), 3000);
        QCOMPARE(Tail(form, 3), QString("abc"));

        // A line break takes two places: it no longer fits in one.
        form.SetNotes(std::string(2999, 'a'));
        form.Memo()->moveCursor(QTextCursor::End);
        QTest::keyClick(form.Memo(), Qt::Key_Return);
        QCOMPARE(form.Memo()->Length(), 2999);
        QTest::keyClick(form.Memo(), Qt::Key_Tab);
        QCOMPARE(Tail(form, 2), QString("a\t"));

        // Typing over a selection replaces it, also when the memo is full,
        // and deleting makes room again.
        QTest::keyClick(form.Memo(), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClicks(form.Memo(), "z");
        QCOMPARE(Tail(form, 2), QString("az"));
        QCOMPARE(form.Memo()->Length(), 3000);
        QTest::keyClick(form.Memo(), Qt::Key_Backspace);
        QTest::keyClicks(form.Memo(), "yx");
        QCOMPARE(Tail(form, 2), QString("ay"));
    }

    void pastingIsCutToTheRoomLeft() {
        Tmemoform form;
        Open(form, std::string(2996, 'a'));
        // CR LF from another program is one line break of two places.
        QGuiApplication::clipboard()->setText("1\r\n2\r\n3");
        QTest::keyClick(form.Memo(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Tail(form, 4), QString("a1\n2"));
        QCOMPARE(form.Memo()->Length(), 3000);

        // Nothing more goes in at all.
        QGuiApplication::clipboard()->setText("xyz");
        QTest::keyClick(form.Memo(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(form.Memo()->Length(), 3000);
        QCOMPARE(Tail(form, 2), QString("\n2"));

        // Pasting over a selection may use the selection's room: the line
        // break and "2" free three places.
        QTest::keyClick(form.Memo(), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(form.Memo(), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(form.Memo(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Tail(form, 5), QString("a1xyz"));
        QCOMPARE(form.Memo()->Length(), 3000);
    }

    void textSetByCodeIsBoundedAndInputOutsideTypingIsCutBack() {
        Tmemoform form;
        form.SetNotes(std::string(3500, 'n'));
        QCOMPARE(form.Memo()->Length(), 3000);

        // A character outside the 16-bit range is never split at the limit.
        form.SetNotes(std::string(2999, 'a') + "\xF0\x9F\x98\x80");
        QCOMPARE(form.Notes(), std::string(2999, 'a'));

        // Text that gets in by another way (an input method) is cut back
        // to the limit right after.
        form.SetNotes(std::string(2999, 'a'));
        form.Memo()->moveCursor(QTextCursor::End);
        form.Memo()->textCursor().insertText("XYZ");
        QTRY_COMPARE(form.Memo()->Length(), 3000);
        QCOMPARE(Tail(form, 2), QString("aX"));
    }

    void notesKeepLineBreaksAsPatternFilesDo() {
        Tmemoform form;
        form.SetNotes("Warp: Köper\r\nline2\nline3\rline4");
        QCOMPARE(form.Memo()->blockCount(), 4);
        QCOMPARE(form.Notes(), std::string("Warp: Köper\r\nline2\r\nline3\r\nline4"));
        // Setting a note starts a fresh undo history.
        QVERIFY(!form.Memo()->document()->isUndoAvailable());
    }

    void editMenuActsOnTheMemoAndPrintWaits() {
        Tmemoform form;
        Open(form, "");
        auto* undo = form.findChild<QAction*>("Undo1");
        auto* edit = form.findChild<QMenu*>("Edit1");
        QVERIFY(undo && edit);
        QVERIFY(!undo->isEnabled());
        QVERIFY(!form.PrintAction()->isEnabled());

        QTest::keyClicks(form.Memo(), "tabby");
        QVERIFY(undo->isEnabled());
        edit->popup(form.mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(edit));
        QTest::mouseClick(edit, Qt::LeftButton, {}, edit->actionGeometry(undo).center());
        QTRY_COMPARE(form.Memo()->toPlainText(), QString());
    }

    void f1InTheNoteOpensItsHelp() {
        InstallF1Help();
        Tmemoform form;
        Open(form, "tabby");
        QTest::keyClick(form.Memo(), Qt::Key_F1);
        QCOMPARE(SharedHelpWindow().CurrentContext(), help::Notes);
        QCOMPARE(form.Notes(), std::string("tabby"));
        CloseHelp();
    }

    void openingIsSignalledAndOkCloses() {
        Tmemoform form;
        QSignalSpy opened(&form, &Tmemoform::Opened);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(opened.count(), 1);
        const QRect screen = form.screen()->availableGeometry();
        QVERIFY(qAbs(form.frameGeometry().center().x() - screen.center().x()) <= 1);

        // A stored placement is kept.
        Tmemoform placed;
        placed.move(10, 20);
        placed.show();
        QCOMPARE(placed.pos(), QPoint(10, 20));

        QTest::mouseClick(form.findChild<QPushButton*>("Button1"), Qt::LeftButton);
        QVERIFY(!form.isVisible());
        form.show();
        QCOMPARE(opened.count(), 2);

        // The window may shrink to 300 x 150 but never grow wider than it
        // started.
        form.resize(1000, 500);
        QCOMPARE(form.width(), Tmemoform::InitialWidth);
        QCOMPARE(form.height(), 500);
        form.resize(100, 50);
        QCOMPARE(form.size(), QSize(300, 150));
    }
};

QTEST_MAIN(MemoFormTest)
#include "memo_form_test.moc"
