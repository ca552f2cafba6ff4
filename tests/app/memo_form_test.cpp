#include "dialogs/memo_form.h"
#include "platform/settings_session.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace hw;

class MemoFormTest : public QObject {
    Q_OBJECT
    Tmemoform* form_ = nullptr;

    LimitedMemo* Memo() { return form_->Memo(); }
    void Note(const std::string& notes) {
        form_->SetNotes(notes);
        Memo()->setFocus();
        Memo()->moveCursor(QTextCursor::End);
    }
    QString Tail(int n) { return Memo()->toPlainText().right(n); }
    void Paste(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(Memo(), Qt::Key_V, Qt::ControlModifier);
    }

private slots:
    void init() {
        form_ = new Tmemoform;
        form_->resize(100, 50); // the smallest it gets
        QCOMPARE(form_->size(), QSize(300, 150));
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_));
    }
    void cleanup() { delete form_; }

    // Typed, pasted, set or composed: at most 3000 characters, a line break counting two.
    void theNoteNeverOutgrowsThePatternFile() {
        Note(std::string(2998, 'a'));
        QTest::keyClicks(Memo(), "bcd");
        QCOMPARE(Tail(3), QString("abc"));
        QTest::keyClick(Memo(), Qt::Key_Backspace);
        QTest::keyClick(Memo(), Qt::Key_Return); // two places do not fit in one
        QTest::keyClick(Memo(), Qt::Key_Tab);
        QCOMPARE(Tail(2), QString("b\t"));

        Note(std::string(2996, 'a')); // CR LF from another program: one line break
        Paste("1\r\n2\r\n3");
        QCOMPARE(Tail(4), QString("a1\n2"));
        Paste("xyz"); // nothing more goes in at all
        QCOMPARE(Tail(2), QString("\n2"));
        // Pasting over a selection may use its room: "\n2" frees three places.
        QTest::keyClick(Memo(), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(Memo(), Qt::Key_Left, Qt::ShiftModifier);
        Paste("xyz");
        QCOMPARE(Tail(5), QString("a1xyz"));
        QCOMPARE(Memo()->Length(), 3000);

        Note(std::string(3500, 'n'));
        QCOMPARE(Memo()->Length(), 3000);
        Note(std::string(2999, 'a') + "\xF0\x9F\x98\x80"); // never split at the limit
        QCOMPARE(form_->Notes(), std::string(2999, 'a'));
        Memo()->textCursor().insertText("XYZ"); // as an input method would
        QTRY_COMPARE(Memo()->Length(), 3000);
        QCOMPARE(Tail(2), QString("aX"));
        // Line breaks come back as pattern files keep them; a new note has no undo.
        form_->SetNotes("Warp: Köper\r\nline2\nline3\rline4");
        QCOMPARE(Memo()->blockCount(), 4);
        QCOMPARE(form_->Notes(), std::string("Warp: Köper\r\nline2\r\nline3\r\nline4"));
        QVERIFY(!Memo()->document()->isUndoAvailable());
    }

    void menusActOnTheMemo() {
        auto* undo = form_->findChild<QAction*>("Undo1");
        auto* edit = form_->findChild<QMenu*>("Edit1");
        QVERIFY(!undo->isEnabled() && !form_->PrintAction()->isEnabled());
        Note("");
        QTest::keyClicks(Memo(), "tabby");
        edit->popup(form_->mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(edit));
        QTest::mouseClick(edit, Qt::LeftButton, {}, edit->actionGeometry(undo).center());
        QTRY_COMPARE(Memo()->toPlainText(), QString());
    }

    // A tool window of the main window, never above a dialog, placed as stored and
    // leaving where it was moved, resized or hidden to in the settings.
    void placementIsRestoredAndKeptInTheSettings() {
        QTemporaryDir dir;
        auto session = std::make_unique<SettingsSession>(dir.filePath("notes.ini"));
        QWidget main;
        auto* form = new Tmemoform(&main);
        QCOMPARE(form->windowType(), Qt::Tool);
        QVERIFY(!(form->windowFlags() & Qt::WindowStaysOnTopHint));
        session->Prefs().Memo = {350, 200, 40};
        BindNotesPlacement(*form, *session);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(QRect(form->pos(), form->size()), QRect(40, form->y(), 350, 200));
        form->resize(1000, 100); // at most as wide as it was designed, at least 150 high
        QCOMPARE(form->size(), QSize(Tmemoform::InitialWidth, 150));
        form->move(70, 90);
        QTest::mouseClick(form->findChild<QPushButton*>("Button1"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
        QVERIFY(session->Prefs().Memo == (NotesPlacement{Tmemoform::InitialWidth, 150, 70}));
        form->show();
        session.reset(); // the window outlives the session harmlessly
        form->resize(300, 300);
        delete form;
    }
};

QTEST_MAIN(MemoFormTest)
#include "memo_form_test.moc"
