// The main window's commands driven through the real window: menus, keys,
// mouse strokes, files on disk.
#include "../core/scripted_prompter.h"
#include "files/pattern_file.h"
#include "mainwindow/tw_form.h"
#include "model/primitives.h"
#include "platform/qt_settings_store.h"
#include "platform/settings_session.h"
#include "text/lang.h"
#include "view/draft_surface.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace hw;

namespace {

// Presses OK in whatever modal dialog opens next, after setting the named
// spin boxes.
void AcceptNextDialog(std::vector<std::pair<const char*, int>> spins = {}) {
    QTimer::singleShot(0, [spins] {
        QWidget* w = QApplication::activeModalWidget();
        QVERIFY(w);
        for (const auto& [name, value] : spins) {
            auto* spin = w->findChild<QSpinBox*>(name);
            QVERIFY(spin);
            spin->setValue(value);
        }
        auto* ok = w->findChild<QPushButton*>("OKBtn");
        QVERIFY(ok);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
}

QByteArray Dump(const QString& path) {
    QProcess cli;
    cli.start(HW_CLI_PATH, {"dump", path});
    if (!cli.waitForFinished(20000) || cli.exitCode() != 0) return {};
    return cli.readAllStandardOutput();
}

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<TWform> form;
    test::ScriptedPrompter prompter;
    QString savePath;
    QString openPath;

    DraftSurface* S() { return form->Surface(); }
    QString File(const QString& name) { return dir.filePath(name); }
    QPoint Cell(const ViewAreaLayout& a, int col, int row) {
        const int c = form->Geometry().Cell;
        return {a.Columns.CellPos(col) + c / 2, a.Rows.CellPos(row) + c / 2};
    }
    void ClickCell(const ViewAreaLayout& a, int col, int row) {
        QTest::mouseClick(S(), Qt::LeftButton, Qt::NoModifier, Cell(a, col, row));
    }
    void Trigger(const char* name) {
        QAction* a = form->Menu().Action(name);
        QVERIFY2(a, name);
        QVERIFY2(a->isEnabled(), name);
        a->trigger();
    }
    void MakeForm() {
        form = std::make_unique<TWform>();
        form->SetPrompter(&prompter);
        form->ChooseSavePath = [this] { return savePath; };
        form->ChooseOpenPath = [this](const QString&) { return openPath; };
        form->setWindowState(Qt::WindowNoState);
        form->resize(1000, 720);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QTest::qWait(10); // the deferred first-show step
        form->Draft().Zoom = 9;
        form->LayoutStep();
        form->FullRepaint();
    }
    // A small saved pattern: 8 ends, 8 picks, 4 shafts and treadles.
    QString WritePattern(const QString& name, uint8_t firstShaft = 1) {
        auto d = std::make_unique<DraftState>();
        d->Shafts = d->Treadles = 4;
        for (int e = 1; e <= 8; ++e) d->Threading[e] = uint8_t((e + firstShaft - 2) % 4 + 1);
        for (int p = 1; p <= 8; ++p) d->Treadling[p] = uint8_t((p - 1) % 4 + 1);
        for (int t = 1; t <= 4; ++t) d->TieUpAt(t, t) = 1;
        UpdateUsed(*d);
        const QString path = File(name);
        if (!SavePattern(*d, path.toStdString(), SaveOptions{})) return {};
        return path;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        SetSettingsFileOverride(File("settings.ini"));
    }
    void init() {
        QFile::remove(File("settings.ini"));
        prompter.Shown.clear();
        prompter.Answers.clear();
        savePath.clear();
        openPath.clear();
        MakeForm();
    }
    void cleanup() {
        form->Draft().Changed = false; // no question at close
        form.reset();
    }

    // New, draw threading, tie-up and treadling with the mouse, save, start
    // another pattern, open the saved one: it is what was drawn.
    void drawSaveAndReopen() {
        AcceptNextDialog({{"spinends", 40}, {"spinpicks", 30}, {"SpinShaft", 4}, {"SpinTr", 4}});
        Trigger("New1");
        DraftState& d = form->Draft();
        QCOMPARE(int(d.Ends), 40);
        QCOMPARE(int(d.Shafts), 4);
        form->LayoutStep();
        form->FullRepaint();
        QTest::mouseClick(form->findChild<QToolButton*>("PenSpeedButton"), Qt::LeftButton);
        const ViewGeometry& g = form->Geometry();
        for (int e = 1; e <= 4; ++e) ClickCell(g.Threading, e, e); // a straight draw
        for (int t = 1; t <= 4; ++t) ClickCell(g.TieUp, t, t);
        ClickCell(g.TieUp, 1, 2);
        for (int p = 1; p <= 4; ++p) ClickCell(g.Treadling, 5 - p, p);
        for (int e = 1; e <= 4; ++e) QCOMPARE(int(d.Threading[e]), e);
        QCOMPARE(int(d.TieUpAt(2, 1)), 1);
        QCOMPARE(int(d.Treadling[1]), 4);
        QVERIFY(d.Changed);

        savePath = File("drawn.hdw");
        Trigger("FileSaveItem");
        QVERIFY(QFile::exists(savePath));
        QVERIFY(!d.Changed);
        QCOMPARE(QString::fromStdString(d.FileName), savePath);
        QVERIFY(form->windowTitle().contains("drawn.hdw"));
        QVERIFY(form->Menu().Action("ReverttoSaved1")->isEnabled());
        const QByteArray saved = Dump(savePath);
        QVERIFY(!saved.isEmpty());

        AcceptNextDialog();
        Trigger("New1");
        QCOMPARE(int(d.Threading[1]), 0);
        QVERIFY(d.FileName.empty());
        QVERIFY(!form->Menu().Action("ReverttoSaved1")->isEnabled());

        openPath = savePath;
        Trigger("FileOpenItem");
        for (int e = 1; e <= 4; ++e) QCOMPARE(int(d.Threading[e]), e);
        QCOMPARE(int(d.Treadling[4]), 1);
        QVERIFY(!d.MetricUnits); // Open always leaves inches
        // Saved again under another name, the dump is the same document.
        savePath = File("again.hdw");
        Trigger("FileSaveAsItem");
        QCOMPARE(Dump(savePath), saved);
        QVERIFY(prompter.Shown.empty());
    }

    void theDesignKeyTogglesAndReturnsToDraft() {
        openPath = WritePattern("design.hdw");
        Trigger("FileOpenItem");
        DraftState& d = form->Draft();
        const auto threading = d.Threading;
        S()->setFocus();
        QTest::keyClick(form.get(), Qt::Key_D);
        QVERIFY(d.DesignMode);
        QVERIFY(form->Menu().Action("Design1")->isChecked());
        QVERIFY(!form->Menu().Action("Threading1")->isEnabled()); // Clear > Threading
        QTest::keyClick(form.get(), Qt::Key_D);
        QVERIFY(!d.DesignMode);
        QVERIFY(form->Menu().Action("Draft1")->isChecked());
        // The twill comes back as a straight draw on four shafts.
        for (int e = 1; e <= 8; ++e) QCOMPARE(d.Threading[e], threading[e]);
        QVERIFY(!form->UndoAction()->isEnabled());
    }

    void designModeAsksToSaveAndAFailedSaveStops() {
        DraftState& d = form->Draft();
        openPath = WritePattern("ask.hdw");
        Trigger("FileOpenItem");
        d.Changed = true;
        // Yes, then the Save As dialog is cancelled: Design mode does not start.
        prompter.Answers = {IdYes};
        savePath.clear();
        Trigger("Design1");
        QVERIFY(!d.DesignMode);
        QCOMPARE(prompter.Shown.back().Kind, std::string("warn"));
        QCOMPARE(prompter.LastText(), GetText("TWform", "@mesdesign"));
        prompter.Answers = {IdCancel};
        Trigger("Design1");
        QVERIFY(!d.DesignMode);
        prompter.Answers = {IdNo};
        Trigger("Design1");
        QVERIFY(d.DesignMode);
    }

    void unsavedChangesAreNeverDroppedSilently() {
        DraftState& d = form->Draft();
        d.Threading[1] = 3;
        d.Changed = true;
        // Cancel keeps the draft.
        prompter.Answers = {IdCancel};
        Trigger("New1");
        QCOMPARE(int(d.Threading[1]), 3);
        QCOMPARE(prompter.LastText(), GetText(GeneralForm, "@globsavepres") + "?");
        // Yes on an unnamed pattern asks for a name; cancelling that stops too.
        prompter.Answers = {IdYes};
        openPath = WritePattern("other.hdw");
        Trigger("FileOpenItem");
        QCOMPARE(int(d.Threading[1]), 3);
        // Yes with a name saves, then opens.
        prompter.Answers = {IdYes};
        savePath = File("kept.hdw");
        Trigger("FileOpenItem");
        QVERIFY(QFile::exists(savePath));
        QCOMPARE(QString::fromStdString(d.FileName), openPath);
        // A save that fails stops the command: the old draft stays.
        d.Threading[1] = 2;
        d.Changed = true;
        d.FileName.clear(); // so Save goes through Save As to the bad place
        savePath = File("no/such/folder/x.hdw");
        prompter.Answers = {IdYes};
        Trigger("New1");
        QVERIFY(d.Changed);
        QCOMPARE(int(d.Threading[1]), 2);
        QCOMPARE(prompter.Shown.back().Kind, std::string("error"));
        // No drops the changes.
        prompter.Answers = {IdNo};
        AcceptNextDialog();
        Trigger("New1");
        QCOMPARE(int(d.Threading[1]), 0);
        // Closing asks as well, and Cancel keeps the window open.
        d.Changed = true;
        prompter.Answers = {IdCancel};
        QVERIFY(!form->close());
        QVERIFY(form->isVisible());
    }

    void recentFilesMoveDropAndForgetMissingFiles() {
        QStringList paths;
        for (int i = 1; i <= 8; ++i) paths << WritePattern(QString("r%1.hdw").arg(i));
        for (const QString& p : paths) {
            openPath = p;
            Trigger("FileOpenItem");
        }
        const RecentFiles& recent = form->Session().Prefs().Recent;
        // The eighth pushed the first one out.
        QCOMPARE(QString::fromStdString(recent.Entry(0)), paths[7]);
        QCOMPARE(QString::fromStdString(recent.Entry(6)), paths[1]);
        QCOMPARE(form->Menu().Action("menyfil1")->text(), QString("&1 r8.hdw"));
        QVERIFY(form->Menu().Action("menyfil7")->isVisible());
        QVERIFY(form->Menu().Action("menyfilskille")->isVisible());
        // Entry 4 moves to the top, 1..3 move down.
        Trigger("menyfil4");
        QCOMPARE(QString::fromStdString(form->Draft().FileName), paths[4]);
        QCOMPARE(QString::fromStdString(recent.Entry(0)), paths[4]);
        QCOMPARE(QString::fromStdString(recent.Entry(1)), paths[7]);
        QCOMPARE(QString::fromStdString(recent.Entry(3)), paths[5]);
        QCOMPARE(QString::fromStdString(recent.Entry(4)), paths[3]);
        // A deleted file is reported and leaves the list.
        QVERIFY(QFile::remove(paths[6]));
        Trigger("menyfil3"); // r7
        QCOMPARE(prompter.Shown.back().Kind, std::string("error"));
        QCOMPARE(QString::fromStdString(prompter.LastText()), "Cannot find " + paths[6]);
        QCOMPARE(QString::fromStdString(recent.Entry(2)), paths[5]);
        QVERIFY(!form->Menu().Action("menyfil7")->isVisible());
        QCOMPARE(QString::fromStdString(form->Draft().FileName), paths[4]);
    }

    void aCommandLineWithSpacesAndNoQuotesOpens() {
        QDir(dir.path()).mkpath("My Patterns");
        const QString path = WritePattern("My Patterns/rose path.hdw");
        QVERIFY(!path.isEmpty());
        form.reset();
        form = std::make_unique<TWform>();
        form->SetPrompter(&prompter);
        form->SetCommandLine(path.split(' '));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QTRY_COMPARE(QString::fromStdString(form->Draft().FileName), path);
        QCOMPARE(int(form->Draft().Threading[1]), 1);
        QVERIFY(prompter.Shown.empty());
    }

    void insertAndDeleteKeysAtTheMousePosition() {
        openPath = WritePattern("keys.hdw");
        Trigger("FileOpenItem");
        DraftState& d = form->Draft();
        const ViewGeometry& g = form->Geometry();
        d.WarpColors[3] = 44;
        // Over end 3 of the threading: Insert opens an empty end there.
        QTest::mouseMove(S(), Cell(g.Threading, 3, 1));
        QTest::keyClick(form.get(), Qt::Key_Insert);
        QCOMPARE(int(d.Threading[3]), 0);
        QCOMPARE(int(d.Threading[4]), 3);
        QCOMPARE(int(d.WarpColors[4]), 44); // linked colours move along
        QVERIFY(form->UndoAction()->isEnabled());
        // Delete asks first while warnings are shown; No keeps the end.
        prompter.Answers = {IdNo};
        QTest::keyClick(form.get(), Qt::Key_Delete);
        QCOMPARE(int(d.Threading[4]), 3);
        QCOMPARE(prompter.LastText(), GetText("TWform", "@delend") + " 3?");
        prompter.Answers = {IdYes};
        QTest::keyClick(form.get(), Qt::Key_Delete);
        QCOMPARE(int(d.Threading[3]), 3);
        // Over the weft colour column only the colour row moves.
        d.WeftColors[2] = 77;
        const int third = d.WeftColors[3];
        QTest::mouseMove(S(), Cell(g.WeftColors, 1, 2));
        QTest::keyClick(form.get(), Qt::Key_Insert);
        QCOMPARE(int(d.WeftColors[3]), 77);
        QCOMPARE(int(d.Treadling[2]), 2);
        // Undo restores the draft before the last key.
        Trigger("EditUndoItem");
        QCOMPARE(int(d.WeftColors[3]), third);
        QCOMPARE(int(d.WeftColors[2]), 77);
    }

    void toolKeysCycleAndClearUndoes() {
        QTest::keyClick(form.get(), Qt::Key_P);
        QVERIFY(form->findChild<QToolButton*>("PenSpeedButton")->isChecked());
        QTest::keyClick(form.get(), Qt::Key_S);
        QVERIFY(form->findChild<QToolButton*>("LineSpeedButton")->isChecked());
        QTest::keyClick(form.get(), Qt::Key_S);
        QVERIFY(form->SelectionMode());
        QTest::keyClick(form.get(), Qt::Key_S);
        QVERIFY(!form->SelectionMode());
        QVERIFY(form->findChild<QToolButton*>("PenSpeedButton")->isChecked());

        openPath = WritePattern("clear.hdw");
        Trigger("FileOpenItem");
        DraftState& d = form->Draft();
        Trigger("Threading1");
        QCOMPARE(LastThreadedEnd(d, MaxEnds), 0);
        QVERIFY(d.Changed);
        Trigger("EditUndoItem");
        QCOMPARE(LastThreadedEnd(d, MaxEnds), 8);
        Trigger("All1");
        QVERIFY(d.FileName.empty());
        QCOMPARE(LastTreadledPick(d, MaxPicks), 0);
    }

    void theZoomDialogMovesTheSlider() {
        AcceptNextDialog({{"SpinEdit1", 5}});
        Trigger("Zoom1");
        QCOMPARE(form->ZoomSlider()->value(), 5);
        QCOMPARE(int(form->Draft().Zoom), 5);
    }

    void languageSwitchKeepsTheCaptionAndRewritesTheMenus() {
        openPath = WritePattern("lang.hdw");
        Trigger("FileOpenItem");
        Trigger("Deutsch1");
        QCOMPARE(form->Menu().Action("FileOpenItem")->text(),
                 QString::fromStdString(GetText("TWform", "FileOpenItem")));
        QVERIFY(form->Menu().Action("Deutsch1")->isChecked());
        QVERIFY(form->windowTitle().contains("lang.hdw"));
        Trigger("English1");
        QCOMPARE(form->Menu().Action("FileOpenItem")->text(), QString("&Open..."));
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
