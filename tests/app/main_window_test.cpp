// The main window's commands driven through the real window: menus, keys,
// mouse strokes, files on disk.
#include "window_fixture.h"

#include "dialog_driver.h"

#include "commands/command_groups.h"
#include "dialogs/report_window.h"
#include "dialogs/translate_dialog.h"
#include "document/recovery_copy.h"
#include "help/context_help.h"
#include "mainwindow/status_line.h"
#include "platform/lang_binder.h"
#include "platform/qt_settings_store.h"
#include "platform/settings_session.h"
#include "text/help_topics.h"
#include "text/lang.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

using namespace hw;

namespace {

QByteArray Dump(const QString& path) {
    QProcess cli;
    cli.start(HW_CLI_PATH, {"dump", path});
    if (!cli.waitForFinished(20000) || cli.exitCode() != 0) return {};
    return cli.readAllStandardOutput();
}

// In the next dialog: clicks row `row` of a list (or presses Down `row`
// times in a combo box), fills the file field, then presses `button`.
void AnswerTransform(const char* list, int row, const QString& file = {},
                     const char* button = "OKBtn") {
    test::WhenModal([=](QWidget* dlg) {
        if (auto* l = dlg->findChild<QListWidget*>(list))
            QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                              l->visualItemRect(l->item(row)).center());
        if (auto* c = dlg->findChild<QComboBox*>(list))
            for (int i = 0; i < row; ++i) QTest::keyClick(c, Qt::Key_Down);
        if (!file.isEmpty()) test::Child<QLineEdit>(dlg, "FileEdit")->setText(file);
        test::Click(test::Child<QPushButton>(dlg, button));
    });
}

// The first two rows of each unit, column 1 first.
QString editorRowsOf(const UnitPair& u) {
    QString s;
    for (const UnitGrid* g : {&u.Unit1, &u.Unit2}) {
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 8; ++c) s += (*g)[size_t(r)][size_t(c)] ? '1' : '0';
        s += ' ';
    }
    return s.trimmed();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    test::WindowFixture w;

private slots:
    void init() {
        QFile::remove(w.File("settings.ini"));
        w.Prompter.Shown.clear();
        w.Prompter.Answers.clear();
        w.SavePath.clear();
        w.OpenPath.clear();
        w.Make();
    }
    void cleanup() {
        ApplyAppLanguage(LangEnglish);
        w.Drop();
    }

    // New, draw with the mouse, save, start another pattern, open the saved
    // one: it is what was drawn. The title marks unsaved changes.
    void drawSaveAndReopen() {
        test::AcceptNextDialog(
            {{"spinends", 40}, {"spinpicks", 30}, {"SpinShaft", 4}, {"SpinTr", 4}});
        w.Trigger("New1");
        DraftState& d = w.D();
        QCOMPARE(int(d.Ends), 40);
        QVERIFY(!w.Form->isWindowModified());
        QTest::mouseClick(w.Form->findChild<QToolButton*>("PenSpeedButton"), Qt::LeftButton);
        const ViewGeometry& g = w.V().Geometry();
        for (int e = 1; e <= 4; ++e) w.Click(g.Threading, e, e);
        for (int t = 1; t <= 4; ++t) w.Click(g.TieUp, t, t);
        for (int p = 1; p <= 4; ++p) w.Click(g.Treadling, 5 - p, p);
        for (int e = 1; e <= 4; ++e) QCOMPARE(int(d.Threading[e]), e);
        QCOMPARE(int(d.Treadling[1]), 4);
        QVERIFY(w.Form->isWindowModified());
        QVERIFY(w.Form->windowTitle().endsWith("[*]"));

        w.SavePath = w.File("drawn.hdw");
        w.Trigger("FileSaveItem");
        QVERIFY(!w.Form->Doc().Modified());
        QVERIFY(!w.Form->isWindowModified());
        QVERIFY(w.Form->windowTitle().contains("drawn.hdw"));
        QVERIFY(w.Action("ReverttoSaved1")->isEnabled());
        const QByteArray saved = Dump(w.SavePath);
        QVERIFY(!saved.isEmpty());

        test::AcceptNextDialog();
        w.Trigger("New1");
        QCOMPARE(int(d.Threading[1]), 0);
        QVERIFY(!w.Action("ReverttoSaved1")->isEnabled());
        QVERIFY(!w.Action("EditUndoItem")->isEnabled()); // New clears the history
        w.Open(w.SavePath);
        for (int e = 1; e <= 4; ++e) QCOMPARE(int(d.Threading[e]), e);
        QVERIFY(!w.Action("EditUndoItem")->isEnabled());
        w.SavePath = w.File("again.hdw");
        w.Trigger("FileSaveAsItem");
        QCOMPARE(Dump(w.SavePath), saved);
        QVERIFY(w.Prompter.Shown.empty());
    }

    // Every landed command that changes the draft is one step: undone and
    // redone through the menu and the keys, in order.
    void everyCommandUndoesAndRedoes() {
        w.Open(w.WritePattern("undo.hdw"));
        DraftState& d = w.D();
        const DraftState start = d;
        const ViewGeometry& g = w.V().Geometry();
        std::vector<DraftState> states{start};
        auto stepDone = [&] {
            QCOMPARE(w.Form->Doc().Core().UndoCount(), states.size());
            states.push_back(d);
        };
        w.Click(g.Threading, 10, 3); // strokes
        stepDone();
        w.Prompter.Answers = {IdNo}; // not saved first
        AnswerTransform("LibraryCombo", 1);
        w.Trigger("Translate1"); // Taquete: four blocks of four shafts
        QCOMPARE(w.Prompter.Shown.back().Kind, std::string("warn"));
        stepDone();
        w.V().SetCurrentColor(7);
        w.Click(g.WarpColors, 2, 1);
        stepDone();
        w.Prompter.Answers = {IdYes};
        QTest::mouseMove(w.Surface(), w.Cell(g.WarpColors, 1, 1));
        QTest::keyClick(w.Form.get(), Qt::Key_Delete); // end 2's colour moves to end 1
        QCOMPARE(int(d.WarpColors[1]), 7);
        stepDone();
        w.Trigger("Threading1"); // Clear > Threading
        stepDone();
        w.Trigger("Colors1");
        stepDone();
        test::WhenModal([](QWidget* dlg) {
            static_cast<QColorDialog*>(dlg)->setCurrentColor(QColor(1, 2, 3));
            static_cast<QDialog*>(dlg)->accept();
        });
        w.Trigger("ColorDialogItem"); // the current colour, 7
        stepDone();
        test::WhenModal([](QWidget* dlg) {
            test::Child<QToolButton>(dlg, "SpeedButton2")->click(); // a row of colours
            test::Click(test::Child<QPushButton>(dlg, "OKBtn"));
        });
        w.Trigger("EditColors1");
        stepDone();
        QTest::mouseMove(w.Surface(), w.Cell(g.Treadling, 1, 2));
        QTest::keyClick(w.Form.get(), Qt::Key_Insert);
        stepDone();
        test::AcceptNextDialog({{"SpinShafts", 6}});
        w.Trigger("Options2");
        QCOMPARE(int(d.Shafts), 6);
        stepDone();
        w.Trigger("Note1");
        QTest::keyClicks(w.Form->findChild<QWidget*>("Memo1"), "wool");
        QCOMPARE(d.Notes, std::string("wool")); // one step for the typing
        stepDone();
        w.Form->findChild<QWidget*>("Tmemoform")->close();
        w.Trigger("Tieup1");
        stepDone();
        w.Trigger("Treadling1");
        stepDone();
        // Open Components takes another pattern's threading, treadling and tie-up.
        w.OpenPath = w.WritePattern("parts.hdw", 20, 4);
        test::WhenModal([](QWidget* dlg) {
            test::Click(test::Child<QCheckBox>(dlg, "ThreadingBox"));
            test::Click(test::Child<QCheckBox>(dlg, "TreadlingBox"));
            test::Click(test::Child<QCheckBox>(dlg, "TieUpBox"));
            test::Click(test::Child<QPushButton>(dlg, "OKBtn"));
        });
        w.Trigger("OpenSelected1");
        QCOMPARE(int(d.Threading[20]), 4);
        stepDone();
        // The fill library and reanalysis: the straight threading of a
        // pointed one has shafts that lift alike, and plain weave ties
        // treadles 1 and 3 alike; reanalysis merges them.
        for (const char* fill : {"Pointed1", "StraightThreading1", "Reanalyze1", "Plain1",
                                 "Rosepath2", "ReanalyzeTreadling1", "AB1", "CCDD2"}) {
            w.Prompter.Answers = {IdOk};
            w.Trigger(fill);
            stepDone();
        }
        test::AcceptNextDialog({{"SpinMove", 1}});
        w.Trigger("Satin1");
        stepDone();
        test::WhenModal([](QWidget* dlg) {
            test::Click(test::Child<QCheckBox>(dlg, "FlipHBox"));
            test::Click(test::Child<QPushButton>(dlg, "OKBtn"));
        });
        w.Trigger("TieUpSpecial1");
        stepDone();
        test::AcceptNextDialog(); // OK before any Twill press makes one twill
        w.Trigger("RandomTwill1");
        stepDone();
        // The transformations with a dialog: a tabby inserted, a network,
        // the threading treadled, blocks of one colour.
        for (const char* command : {"InsertThreading1", "InsertTreadling1", "Network1"}) {
            AnswerTransform(command[0] == 'N' ? "InitialList" : "InsertList", 1);
            w.Trigger(command);
            stepDone();
        }
        test::AcceptNextDialog();
        w.Trigger("Trompaswrit1");
        QVERIFY(d.Treadling == d.Threading);
        stepDone();
        AnswerTransform("", 0, w.WritePattern("blocks.hdw"));
        w.Trigger("BlockSubstitution1");
        stepDone();
        // Utilities and Transform, a range dialog, cut and paste.
        w.Prompter.Answers = {IdNo};
        w.Trigger("Reducetoonerepeat1");
        stepDone();
        for (auto [name, first, second] : {std::tuple{"InsEnds1", 2, 3}, {"DelShafts1", 4, 4}}) {
            test::AcceptNextDialog({{"SpinEdit1", first}, {"SpinEdit2", second}});
            w.Trigger(name);
            stepDone();
        }
        for (const char* name : {"ReverseWarpOrder1", "Warp1", "ReverseOrder1", "Reverse1"}) {
            w.Trigger(name);
            stepDone();
        }
        test::WhenModal([](QWidget* dlg) { // two pairs switched, one step
            for (const char* first : {"1", "2"}) {
                test::TypeInto(test::Child<QSpinBox>(dlg, "SpinEdit1"), first);
                test::Click(test::Child<QPushButton>(dlg, "SwitchBtn"));
            }
            test::Click(test::Child<QPushButton>(dlg, "CloseBtn"));
        });
        w.Trigger("SwitchShafts1");
        stepDone();
        w.Prompter.Answers = {IdOk};
        w.Trigger("Rotate1");
        stepDone();
        QTest::keyClick(w.Form.get(), Qt::Key_M);
        w.Click(g.Threading, 1, 1);
        w.Trigger("EditCutItem");
        stepDone();
        w.Click(g.Threading, 3, 1);
        w.Trigger("EditPasteItem");
        stepDone();
        w.Click(g.Threading, 2, 1); // the selected end repeats, then typed input
        w.Trigger("Rep1");
        stepDone();
        test::WhenModal([](QWidget* dlg) { // end 1 of shaft 1 emptied
            QTest::keyClick(dlg, Qt::Key_1);
            QTest::keyClick(dlg, Qt::Key_Escape);
        });
        w.Trigger("KeyThreading");
        stepDone();
        test::WhenModal([](QWidget* dlg) {
            QTest::keyClicks(test::Child<QLineEdit>(dlg, "Edit1"), "2(1-3)");
            QTest::keyClick(test::Child<QLineEdit>(dlg, "Edit1"), Qt::Key_Return);
            test::Click(test::Child<QPushButton>(dlg, "CloseBtn"));
        });
        w.Trigger("NumericInput1");
        stepDone();
        // Options to a liftplan loom, then Clear > Liftplan.
        test::WhenModal([](QWidget* dlg) {
            test::Click(test::Child<QRadioButton>(dlg, "LoomGroup1"));
            test::Click(test::Child<QPushButton>(dlg, "OKBtn"));
        });
        w.Trigger("Options2");
        QVERIFY(!d.TreadleMode);
        stepDone();
        AnswerTransform("LibraryCombo", 18); // plain and shadow weave over the liftplan
        w.Trigger("Overlay1");
        stepDone();
        for (const char* command : {"InsertinLiftplan1", "DeleteinLiftplan1", "WrapLiftplan1"}) {
            test::AcceptNextDialog();
            w.Trigger(command);
            stepDone();
        }
        w.Trigger("Liftplan1");
        stepDone();
        w.Trigger("All1");
        stepDone();
        // The keys reach the window's shortcuts while it is the active one.
        w.Form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.Form.get()));
        auto same = [&](const DraftState& s) {
            return d.Threading == s.Threading && d.Treadling == s.Treadling &&
                   d.Liftplan == s.Liftplan && d.TieUp == s.TieUp && d.WarpColors == s.WarpColors &&
                   d.WeftColors == s.WeftColors && d.Shafts == s.Shafts &&
                   d.TreadleMode == s.TreadleMode && d.Notes == s.Notes && d.Palette == s.Palette &&
                   d.ColorTable == s.ColorTable;
        };
        for (size_t i = states.size() - 1; i > 0; --i) {
            QVERIFY(w.Action("EditUndoItem")->isEnabled());
            if (i % 2)
                w.Trigger("EditUndoItem");
            else
                QTest::keyClick(w.Form.get(), Qt::Key_Z, Qt::ControlModifier);
            QVERIFY2(same(states[i - 1]), qPrintable(QString("undo to %1").arg(i - 1)));
        }
        QVERIFY(!w.Action("EditUndoItem")->isEnabled());
        QVERIFY(!w.Form->Doc().Modified());
        for (size_t i = 1; i < states.size(); ++i) {
            QVERIFY(w.Action("EditRedoItem")->isEnabled());
            if (i % 2)
                QTest::keyClick(w.Form.get(), Qt::Key_Y, Qt::ControlModifier);
            else
                QTest::keyClick(w.Form.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QVERIFY2(same(states[i]), qPrintable(QString("redo to %1").arg(i)));
        }
        QVERIFY(!w.Action("EditRedoItem")->isEnabled());
        // A click that changes nothing records nothing.
        w.Trigger("EditUndoItem");
        QVERIFY(w.Action("EditRedoItem")->isEnabled());
    }

    // A transformation's Preview shows and Cancel takes back; a side file
    // that cannot be read, or an insert past shaft 16, is reported and
    // changes nothing, and the dialog stays open to correct it.
    void transformDialogsPreviewRefuseAndPaint() {
        w.Open(w.WritePattern("t.hdw", 8, 8));
        DraftState& d = w.D();
        const DraftState start = d;
        auto run = [&](const char* command, std::function<void(QWidget*)> fill, const char* last) {
            test::WhenModal([=](QWidget* dlg) {
                fill(dlg);
                test::Click(test::Child<QPushButton>(dlg, "PreviewBtn"));
                test::Click(test::Child<QPushButton>(dlg, "OKBtn"));
                test::Click(test::Child<QPushButton>(dlg, last)); // still open when refused
            });
            w.Trigger(command);
        };
        auto file = [](const QString& path) {
            return [path](QWidget* dlg) {
                if (auto* box = dlg->findChild<QCheckBox*>("FileBox")) test::Click(box);
                test::Child<QLineEdit>(dlg, "FileEdit")->setText(path);
            };
        };
        run("BlockSubstitution1", file(w.File("missing.hdw")), "CancelBtn");
        run("Network1", file(HW_TEST_DATA_DIR "/broken_version8.hdw"), "CancelBtn");
        QCOMPARE(w.Prompter.Shown.size(), size_t(4));
        QCOMPARE(w.Prompter.Shown[0].Kind + w.Prompter.Shown[0].Text,
                 "errorCannot find " + w.File("missing.hdw").toStdString());
        QCOMPARE(w.Prompter.Shown[3].Text,
                 std::string("File Read Error: Incompatible file version"));
        bool previewed = false;
        test::WhenModal([&](QWidget* dlg) {
            test::Click(test::Child<QPushButton>(dlg, "PreviewBtn"));
            previewed = d.Treadling == d.Threading;
            test::Click(test::Child<QPushButton>(dlg, "CancelBtn"));
        });
        w.Trigger("Trompaswrit1");
        QVERIFY(previewed && d.Treadling == start.Treadling && !w.Form->Doc().CanUndo());

        w.Form->Doc().Edit([](DraftState& d) { d.Shafts = 16, d.Threading[2] = 15; });
        w.Prompter.Shown.clear();
        run(
            "InsertThreading1",
            [](QWidget* dlg) {
                auto* l = test::Child<QListWidget>(dlg, "InsertList");
                QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                                  l->visualItemRect(l->item(0)).center());
            },
            "CancelBtn");
        QCOMPARE(w.Prompter.LastText(), GetText("TInsThrDlg", "@insmaxshafts"));
        QCOMPARE(int(d.Threading[2]), 15);
        QCOMPARE(w.Form->Doc().Core().UndoCount(), size_t(1));

        // The unit editor: columns from the right, left button sets, right
        // clears, a drag paints on; Cancel keeps the units as they were.
        UnitPair seen;
        w.Prompter.Answers = {IdNo};
        test::WhenModal([&](QWidget* dlg) {
            test::Click(test::Child<QPushButton>(dlg, "ClearBtn"));
            auto* editor = test::Child<UnitEditor>(dlg, "UnitEditor");
            auto at = [&](int unit, int row, int col) {
                return editor->CellRect(unit, row, col).center();
            };
            QVERIFY(at(1, 1, 1).x() > at(1, 1, 4).x()); // column 1 at the right
            QTest::mouseClick(editor, Qt::RightButton, {}, at(1, 1, 1));
            QTest::mousePress(editor, Qt::LeftButton, {}, at(2, 2, 4));
            QTest::mouseMove(editor, at(2, 2, 3));
            QTest::mouseRelease(editor, Qt::LeftButton, {}, at(2, 2, 3));
            seen = static_cast<TTranslateDlg*>(dlg)->Units();
            test::Click(test::Child<QPushButton>(dlg, "CancelBtn"));
        });
        w.Trigger("Translate1");
        QCOMPARE(editorRowsOf(seen), QString("0111111111111111 0000000000110000"));
        QVERIFY(d.TransUnit1 == start.TransUnit1);

        // Overlay from two liftplan files on a liftplan loom: lifted cells
        // from an empty liftplan, the others from the draft's own.
        auto empty = std::make_unique<DraftState>();
        empty->TreadleMode = false, empty->Shafts = empty->Treadles = 16;
        QVERIFY(SavePattern(*empty, w.File("empty.hdw").toStdString(), {}));
        w.Prompter.Answers = {IdNo}; // the changes are not kept
        w.Open(HW_TEST_DATA_DIR "/sample_v7_d.hdw");
        QVERIFY(LastLiftplanPick(d, MaxPicks) > 0);
        test::WhenModal([&](QWidget* dlg) {
            test::WhenModal([&](QWidget* files) {
                test::Child<QLineEdit>(files, "EditA")->setText(w.File("empty.hdw"));
                test::Child<QLineEdit>(files, "EditB")
                    ->setText(HW_TEST_DATA_DIR "/sample_v7_d.hdw");
                test::Click(test::Child<QPushButton>(files, "OKBtn"));
            });
            test::Click(test::Child<QCheckBox>(dlg, "FilesBox"));
            test::Click(test::Child<QPushButton>(dlg, "OKBtn"));
        });
        w.Trigger("Overlay1");
        QVERIFY(LastLiftplanPick(d, MaxPicks) == 0 && w.Form->Doc().CanUndo());

        // Wrap inside a selection of shafts 2..3 on pick 1.
        w.Form->Doc().Edit([](DraftState& d) { d.Liftplan[1] = d.Liftplan[2] = 0x3; });
        const ViewAreaLayout& lift = w.V().Geometry().Treadling;
        QTest::keyClick(w.Form.get(), Qt::Key_M);
        QTest::mousePress(w.Surface(), Qt::LeftButton, {}, w.Cell(lift, 2, 1));
        QTest::mouseMove(w.Surface(), w.Cell(lift, 3, 1));
        QTest::mouseRelease(w.Surface(), Qt::LeftButton, {}, w.Cell(lift, 3, 1));
        test::AcceptNextDialog({{"StepsSpin", 1}});
        w.Trigger("WrapLiftplan1");
        QCOMPARE(std::pair(int(d.Liftplan[1]), int(d.Liftplan[2])), std::pair(0x5, 0x3));
    }

    // Previews start from the draft the dialog opened on and leave no step;
    // the twill dialog keeps its settings; reports change nothing and
    // follow the language.
    void fillDialogsPreviewAndReportsChangeNothing() {
        w.Open(w.WritePattern("fills.hdw", 24, 24));
        DraftState& d = w.D();
        const auto tieUp = d.TieUp;
        for (const char* last : {"CancelBtn", "OKBtn"}) {
            test::WhenModal([last](QWidget* dlg) {
                test::TypeInto(test::Child<QSpinBox>(dlg, "SpinMove"), "3");
                test::Click(test::Child<QPushButton>(dlg, "PreviewBtn"));
                test::Click(test::Child<QPushButton>(dlg, last));
            });
            w.Trigger("Satin1");
        }
        QCOMPARE(w.Form->Doc().Core().UndoCount(), size_t(1));
        QCOMPARE(std::tuple(d.TieUpAt(1, 1), d.TieUpAt(4, 2), d.TieUpAt(3, 3)),
                 std::tuple(1, 1, 1));
        w.Trigger("EditUndoItem");
        QVERIFY(d.TieUp == tieUp);
        for (int round = 0; round < 2; ++round) {
            test::WhenModal([round](QWidget* dlg) {
                auto* balanced = test::Child<QCheckBox>(dlg, "BalancedBox");
                QCOMPARE(balanced->isChecked(), round == 0); // as the user left it
                if (round == 0) test::Click(balanced);
                test::Click(test::Child<QPushButton>(dlg, "TwillBtn"));
                test::Click(test::Child<QPushButton>(dlg, "CancelBtn"));
            });
            w.Trigger("RandomTwill1");
            QVERIFY(d.TieUp == tieUp && !w.Form->Doc().CanUndo());
        }
        w.Prompter.Answers = {IdCancel};
        w.Trigger("Reanalyze1");
        QVERIFY(!w.Form->Doc().CanUndo());
        w.Trigger("Floats1");
        auto* report = w.Form->findChild<TRtxtDlg*>("TRtxtDlg");
        QVERIFY(report && report->isVisible() && report->PrintButton()->isEnabled());
        QCOMPARE(report->Memo()->toPlainText().toStdString(), FloatsReport(d).Text);
        w.Form->Commands().Options.SwitchLanguage(LangGerman);
        QCOMPARE(report->windowTitle(), QString("Flottungen"));
        QVERIFY(!w.Form->Doc().Modified());
        w.Trigger("Threading1"); // nothing threaded: no pattern, nothing asked
        w.Trigger("StraightThreading1");
        QCOMPARE(w.Prompter.Shown.back().Kind + w.Prompter.LastText(),
                 "info" + GetText(GeneralForm, "@globnopat"));
    }

    // Design mode and back leaves a large draft exactly as it was and
    // unmodified; drawing in the design makes one step back to the draft.
    void designModeKeepsTheDraftUnlessTheDesignIsDrawn() {
        w.Open(w.WritePattern("large.hdw", 200, 180));
        DraftState& d = w.D();
        const DraftState before = d;
        QTest::keyClick(w.Form.get(), Qt::Key_D);
        QVERIFY(d.DesignMode);
        QVERIFY(w.Action("Design1")->isChecked());
        QVERIFY(!w.Action("Threading1")->isEnabled());
        QTest::keyClick(w.Form.get(), Qt::Key_D);
        QVERIFY(!d.DesignMode);
        QVERIFY(w.Action("Draft1")->isChecked());
        QVERIFY(d.Threading == before.Threading && d.Treadling == before.Treadling);
        QCOMPARE(int(d.Ends), 200);
        QVERIFY(!w.Form->Doc().Modified());
        QVERIFY(!w.Action("EditUndoItem")->isEnabled());

        QTest::keyClick(w.Form.get(), Qt::Key_D);
        const ViewGeometry& g = w.V().Geometry();
        w.Click(g.Drawdown, 1, 1, DesignGet(d, 1, 1) ? Qt::RightButton : Qt::LeftButton);
        QTest::keyClick(w.Form.get(), Qt::Key_D);
        QVERIFY(!d.DesignMode);
        QVERIFY(w.Form->Doc().Modified());
        QCOMPARE(LastThreadedEnd(d, MaxEnds), 50); // the draft of the 50 x 50 design
        w.Trigger("EditUndoItem");
        QVERIFY(!d.DesignMode);
        QVERIFY(d.Threading == before.Threading && d.Treadling == before.Treadling);
        QVERIFY(!w.Form->Doc().Modified());
    }

    void designModeAsksToSaveAndAFailedSaveStops() {
        w.Open(w.WritePattern("ask.hdw"));
        w.Click(w.V().Geometry().Treadling, 2, 1); // modified
        w.Prompter.Answers = {IdYes};              // then the Save As dialog is cancelled
        w.Trigger("Design1");
        QVERIFY(!w.D().DesignMode);
        QCOMPARE(w.Prompter.LastText(), GetText("TWform", "@mesdesign"));
        w.Prompter.Answers = {IdNo};
        w.Trigger("Design1");
        QVERIFY(w.D().DesignMode);
    }

    void unsavedChangesAreNeverDroppedSilently() {
        DraftState& d = w.D();
        w.Click(w.V().Geometry().Threading, 1, 3);
        w.Prompter.Answers = {IdCancel};
        w.Trigger("New1");
        QCOMPARE(int(d.Threading[1]), 3);
        QCOMPARE(w.Prompter.LastText(), GetText(GeneralForm, "@globsavepres") + "?");
        // Yes asks for a name; a failed save stops the command.
        w.Prompter.Answers = {IdYes};
        w.SavePath = w.File("no/such/folder/x.hdw");
        w.Trigger("New1");
        QCOMPARE(int(d.Threading[1]), 3);
        QCOMPARE(w.Prompter.Shown.back().Kind, std::string("error"));
        // Revert asks before it throws changes away.
        w.SavePath = w.File("kept.hdw");
        w.Trigger("FileSaveItem");
        w.Click(w.V().Geometry().Threading, 2, 4);
        w.Prompter.Answers = {IdNo};
        w.Trigger("ReverttoSaved1");
        QCOMPARE(int(d.Threading[2]), 4);
        QCOMPARE(w.Prompter.LastText(), GetText("TWform", "@revertask") + "?");
        w.Prompter.Answers = {IdYes};
        w.Trigger("ReverttoSaved1");
        QCOMPARE(int(d.Threading[2]), 0);
        // Closing asks too, naming the file; Cancel keeps the window open.
        w.Click(w.V().Geometry().Threading, 2, 4);
        w.Prompter.Answers = {IdCancel};
        QVERIFY(!w.Form->close());
        QCOMPARE(w.Prompter.LastText(),
                 GetText(GeneralForm, "@globsavech") + " " + w.SavePath.toStdString() + "?");
        QVERIFY(w.Form->isVisible());
    }

    // Import WIF asks about unsaved changes, keeps the draft on a refusal,
    // and gives an unnamed, modified pattern with a fresh history.
    void importWifMakesANewUnnamedPattern() {
        w.Open(w.WritePattern("kept.hdw"));
        w.Click(w.V().Geometry().Threading, 1, 3);
        const DraftState before = w.D();
        QCOMPARE(w.Action("ImportWif1")->shortcut(), QKeySequence("Ctrl+I"));
        w.Prompter.Answers = {IdNo, IdNo};
        w.OpenPath = HW_TEST_DATA_DIR "/wif/limit_shafts.wif";
        w.Trigger("ImportWif1");
        QVERIFY(w.Prompter.Shown.front().Kind == "yesnocancel" &&
                w.Prompter.LastText().find("17") != std::string::npos);
        QVERIFY(w.D().Threading == before.Threading && w.Action("EditUndoItem")->isEnabled());
        w.OpenPath = HW_TEST_DATA_DIR "/wif/skipped.wif";
        w.Trigger("ImportWif1");
        QCOMPARE(w.Prompter.LastText(), GetText("TWform", "@wifskipped").replace(0, 2, "10"));
        QVERIFY(w.D().Threading[4] == 2 && w.D().FileName.empty() && w.Form->isWindowModified());
        QVERIFY(!w.Action("EditUndoItem")->isEnabled() && !w.Action("ReverttoSaved1")->isEnabled());
        QVERIFY(w.Form->Commands().File.OpenNamedFile(HW_TEST_DATA_DIR "/wif/both_multiple.wif"));
        QVERIFY(w.D().Treadles == 5 && w.D().FileName.empty()); // a named WIF file is imported
    }

    void recentFilesMoveDropAndForgetMissingFiles() {
        QStringList paths;
        for (int i = 1; i <= 8; ++i) paths << w.WritePattern(QString("r%1.hdw").arg(i));
        for (const QString& p : paths) w.Open(p);
        const RecentFiles& recent = w.Form->Session().Prefs().Recent;
        QCOMPARE(QString::fromStdString(recent.Entry(0)), paths[7]);
        QCOMPARE(QString::fromStdString(recent.Entry(6)), paths[1]);
        QCOMPARE(w.Action("menyfil1")->text(), QString("&1 r8.hdw"));
        w.Trigger("menyfil4");
        QCOMPARE(QString::fromStdString(recent.Entry(0)), paths[4]);
        QCOMPARE(QString::fromStdString(recent.Entry(3)), paths[5]);
        QVERIFY(QFile::remove(paths[6]));
        w.Trigger("menyfil3"); // r7, gone
        QCOMPARE(QString::fromStdString(w.Prompter.LastText()), "Cannot find " + paths[6]);
        QVERIFY(!w.Action("menyfil7")->isVisible());
    }

    void aCommandLineWithSpacesAndNoQuotesOpens() {
        QDir(w.Dir.path()).mkpath("My Patterns");
        const QString path = w.WritePattern("My Patterns/rose path.hdw");
        w.Drop();
        w.Form = std::make_unique<TWform>();
        w.Form->SetPrompter(&w.Prompter);
        w.Form->SetCommandLine(path.split(' '));
        w.Form->show();
        QTRY_COMPARE(QString::fromStdString(w.D().FileName), path);
        QCOMPARE(int(w.D().Threading[1]), 1);
    }

    // Insert and Delete (also the keypad's) act at the mouse position.
    void insertAndDeleteKeysAtTheMousePosition() {
        w.Open(w.WritePattern("keys.hdw"));
        DraftState& d = w.D();
        const ViewGeometry& g = w.V().Geometry();
        QTest::mouseMove(w.Surface(), w.Cell(g.Threading, 3, 1));
        QTest::keyClick(w.Form.get(), Qt::Key_Insert, Qt::KeypadModifier);
        QCOMPARE(int(d.Threading[3]), 0);
        QCOMPARE(int(d.Threading[4]), 3);
        w.Prompter.Answers = {IdNo};
        QTest::keyClick(w.Form.get(), Qt::Key_Delete);
        QCOMPARE(int(d.Threading[4]), 3);
        QCOMPARE(w.Prompter.LastText(), GetText("TWform", "@delend") + " 3?");
        w.Prompter.Answers = {IdYes};
        QTest::keyClick(w.Form.get(), Qt::Key_Delete, Qt::KeypadModifier);
        QCOMPARE(int(d.Threading[3]), 3);
    }

    void toolKeysAndTheViewModesAreExclusive() {
        QTest::keyClick(w.Form.get(), Qt::Key_P);
        QVERIFY(w.Action("PenSpeedButton")->isChecked());
        QTest::keyClick(w.Form.get(), Qt::Key_S);
        QVERIFY(w.Action("LineSpeedButton")->isChecked());
        QTest::keyClick(w.Form.get(), Qt::Key_S);
        QVERIFY(w.Action("SelectSpeedButton")->isChecked());
        QVERIFY(!w.Action("PenSpeedButton")->isChecked());
        QTest::keyClick(w.Form.get(), Qt::Key_S);
        QVERIFY(w.Action("PenSpeedButton")->isChecked());
        QActionGroup* modes = w.Action("Draft1")->actionGroup();
        QVERIFY(modes && modes->isExclusive());
        QCOMPARE(w.Action("Interlacement1")->actionGroup(), modes);
    }

    // The zoom slider holds the focus, so the cursor keys change the zoom.
    void cursorKeysChangeTheZoom() {
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Form->ZoomSlider()));
        const int zoom = w.D().Zoom;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(int(w.D().Zoom), zoom - 1);
        test::AcceptNextDialog({{"SpinEdit1", 5}});
        w.Trigger("Zoom1");
        QCOMPARE(w.Form->ZoomSlider()->value(), 5);
    }

    // F1 on a highlighted menu item opens that item's page.
    void f1OnAMenuItemMeansTheItem() {
        QMenu* file = w.Form->Actions().Menu("File1");
        file->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        file->setActiveAction(w.Action("New1"));
        QCOMPARE(FindHelpContext(), help::NewPattern);
        file->setActiveAction(w.Action("OpenSelected1"));
        QCOMPARE(FindHelpContext(), help::LoadComponents);
        file->close();
    }

    // The status panels hold their longest texts in every language.
    void statusPanelsFitTheirTextsInEveryLanguage() {
        for (int lang = 0; lang < LanguageCount; ++lang) {
            w.Form->Commands().Options.SwitchLanguage(lang);
            StatusLine& s = w.Form->Status();
            ViewWindow big;
            big.ScrollEnds = big.ScrollPicks = MaxEnds - 100;
            big.VisibleEnds = big.VisiblePicks = 100;
            s.ShowRanges(big);
            ViewHit hit{ViewArea::Treadling, 16, 100};
            s.ShowPointer(w.D(), big, hit);
            for (int n : {1, 2, 3, 4, 6}) {
                QLabel* p = s.Panel(n);
                QVERIFY2(p->fontMetrics().horizontalAdvance(p->text()) <= p->contentsRect().width(),
                         qPrintable(QString("panel %1 in %2: %3").arg(n).arg(lang).arg(p->text())));
            }
            QVERIFY(w.Form->windowTitle().startsWith("Heddlewise"));
        }
    }

    // Every item of the action table has its texts in the window's table,
    // and the menus show them in the language chosen.
    void everyActionSpeaksEveryLanguage() {
        const TMultiLang table = LoadFormTable("TWform");
        for (int lang = 0; lang < LanguageCount; ++lang) {
            w.Form->Commands().Options.SwitchLanguage(lang);
            for (const ActionEntry& entry : ActionEntries()) {
                const QString name = entry.Name;
                if (entry.Kind == ActionKind::Separator || name.startsWith("menyfil")) continue;
                QVERIFY2(GetText(table, entry.Name) != entry.Name, entry.Name);
                QAction* a = entry.Kind == ActionKind::Menu
                                 ? w.Form->Actions().Menu(name)->menuAction()
                                 : w.Action(entry.Name);
                if (name == "KeyTreadling") continue; // named by the loom system
                QCOMPARE(a->text(), QString::fromStdString(GetText("TWform", entry.Name)));
            }
        }
    }

    // Changes not saved outlive a crash: the run keeps a copy of them while
    // they last, and a start after a run that ended offers its copy back.
    void unsavedChangesOutliveACrash() {
        const QString path = w.WritePattern("crash.hdw");
        w.Open(path);
        const QString folder = RecoveryCopy::FolderFor(SettingsFilePath());
        const auto files = [&](const QString& glob) { return QDir(folder).entryList({glob}); };
        w.Click(w.V().Geometry().Threading, 2, 3);
        const DraftState changed = w.D();
        w.Form->Recovery().Update();
        QCOMPARE(files("*.hdw").size(), 1);
        QVERIFY(RecoveryCopy::Find(folder).empty()); // this run's own
        // What a crash leaves behind: the copy with no run holding it.
        const auto crash = [&] {
            for (const QString& f : files("*-*.*"))
                if (!f.endsWith(".lock"))
                    QFile::copy(folder + "/" + f, folder + "/ended." + QFileInfo(f).suffix());
        };
        crash();
        w.Trigger("EditUndoItem");
        w.Form->Recovery().Update(); // nothing unsaved: no copy
        QCOMPARE(files("*.hdw"), QStringList{"ended.hdw"});

        w.Prompter.Answers = {IdYes};
        QVERIFY(w.Form->OfferRecovered());
        QVERIFY(w.Prompter.LastText().find("crash.hdw") != std::string::npos);
        QVERIFY(w.D().Threading == changed.Threading && w.D().FileName == path.toStdString());
        QVERIFY(w.Form->isWindowModified() && !w.Action("EditUndoItem")->isEnabled());
        QVERIFY(files("ended.*").isEmpty());

        w.Form->Recovery().Update();
        crash();
        w.Click(w.V().Geometry().Threading, 5, 3);
        const DraftState later = w.D();
        w.Prompter.Answers = {IdNo};
        QVERIFY(!w.Form->OfferRecovered() && files("ended.*").isEmpty());
        QVERIFY(w.D().Threading == later.Threading && later.Threading != changed.Threading);
    }

    // "Any files" shows files without an extension too; the file types
    // speak the window's language.
    void theOpenDialogShowsFilesWithoutAnExtension() {
        w.Form->Context().ChooseOpenPath = nullptr;
        QStringList filters;
        const auto open = [&] {
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                filters = dialog->nameFilters();
                dialog->reject();
            });
            w.Trigger("FileOpenItem");
        };
        open();
        QCOMPARE(filters, (QStringList{"Heddlewise patterns (*.hdw)", "Any files (*)"}));
        ApplyAppLanguage(LangFinnish);
        open();
        ApplyAppLanguage(LangEnglish);
        QCOMPARE(filters, (QStringList{"Heddlewise-mallit (*.hdw)", "Kaikki tiedostot (*)"}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
