// Repeat, Keyboard Input and Numeric Input through the real menus, keys and
// windows; each input window is one step in the history.
#include "window_fixture.h"

#include "dialog_driver.h"

#include "text/lang.h"
#include "view/raster_canvas.h"
#include "view/renderer.h"

#include <QLabel>
#include <QLineEdit>

using namespace hw;

class InputWindowsTest : public QObject {
    Q_OBJECT
    test::WindowFixture w;

    std::string Threading(int from, int to) {
        std::string s;
        for (int e = from; e <= to; ++e) s += char('a' + w.D().Threading[e]); // a = empty
        return s;
    }
    void SetShafts(int shafts) {
        w.Form->Doc().Edit([shafts](DraftState& d) { d.Shafts = uint16_t(shafts); });
    }
    // The picture holds the draft as a fresh repaint would, the mark not in it.
    bool ScreenIsTheDraft() {
        const RasterCanvas& shown = w.V().Canvas();
        RasterCanvas fresh(shown.Width(), shown.Height());
        DraftRenderer(fresh, w.D(), w.V().Window(), w.V().Geometry(), w.V().Settings())
            .FullRepaint(fresh.Width(), fresh.Height());
        for (int y = 0; y < shown.Height(); ++y)
            for (int x = 0; x < shown.Width(); ++x)
                if (shown.Pixel(x, y) != fresh.Pixel(x, y)) return false;
        return true;
    }

private slots:
    void init() {
        w.Make();
        w.Form->Doc().Reset();
    }
    void cleanup() { w.Drop(); }

    void keyboardInputTypesTheThreading() {
        SetShafts(8);
        const size_t steps = w.Form->Doc().Core().UndoCount();
        const ViewGeometry& g = w.V().Geometry();
        const Qt::Key back = g.Threading.Columns.Forward ? Qt::Key_Left : Qt::Key_Right;
        const Qt::Key toShaftOne = g.Threading.Rows.Forward ? Qt::Key_Up : Qt::Key_Down;
        QString problem;
        test::WhenModal([&](QWidget* dlg) {
            auto keys = [dlg](std::initializer_list<Qt::Key> ks) {
                for (Qt::Key k : ks) QTest::keyClick(dlg, k);
            };
            keys({Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_Q, Qt::Key_0});
            if (Threading(1, 5) != "bcdea")
                problem = "1 2 3 4 Q 0: " + QString(Threading(1, 5).c_str());
            const PixelBox mark = w.V().CellMarkBox(); // on end 5, shaft 4
            if (mark.X != g.Threading.Columns.CellPos(5) || mark.Y != g.Threading.Rows.CellPos(4))
                problem += " mark misplaced";
            if (test::Child<QLabel>(dlg, "PosValue")->text() != "5") problem += " no end 5";
            const Qt::Key fwd = back == Qt::Key_Left ? Qt::Key_Right : Qt::Key_Left;
            const Qt::Key away = toShaftOne == Qt::Key_Up ? Qt::Key_Down : Qt::Key_Up;
            keys({back, Qt::Key_4});           // entered twice: empty
            keys({toShaftOne, Qt::Key_Space}); // from shaft 4 to 3 on end 5
            keys({Qt::Key_Home, toShaftOne, toShaftOne, toShaftOne});
            if (test::Child<QLabel>(dlg, "ValueValue")->text() != "8") problem += " no wrap to 8";
            keys({away});
            if (test::Child<QLabel>(dlg, "ValueValue")->text() != "1") problem += " no wrap to 1";
            // Insert with shaft 3 on end 5: the ends from 5 on move one further.
            keys({away, away, fwd, fwd, fwd, fwd, Qt::Key_Insert});
            if (Threading(1, 7) != "bcdadda")
                problem += " insert: " + QString(Threading(1, 7).c_str());
            if (!ScreenIsTheDraft()) problem += " not repainted";
            // Past the last visible end the draft scrolls by one.
            keys({Qt::Key_End, fwd});
            if (w.V().Window().ScrollEnds != 1) problem += " no scroll";
            test::Click(test::Child<QPushButton>(dlg, "Button1"));
        });
        w.Trigger("KeyThreading");
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(w.V().CellMarkBox().Empty());
        // The whole visit is one step: undo gives the draft it opened on.
        QCOMPARE(w.Form->Doc().Core().UndoCount(), steps + 1);
        w.Trigger("EditUndoItem");
        QCOMPARE(Threading(1, 7), std::string("aaaaaaa"));
        w.Trigger("EditRedoItem");
        QCOMPARE(Threading(1, 7), std::string("bcdadda"));

        // With 12 shafts Q is 11 and 0 is 10; F4 inverts the tie-up cell.
        SetShafts(12);
        w.V().ScrollTo(0, 0);
        test::WhenModal([](QWidget* dlg) {
            QTest::keyClick(dlg, Qt::Key_Q);
            QTest::keyClick(dlg, Qt::Key_0);
            QTest::keyClick(dlg, Qt::Key_Escape);
        });
        w.Trigger("KeyThreading");
        QCOMPARE(Threading(1, 2), std::string("lk"));
        test::WhenModal([](QWidget* dlg) {
            QTest::keyClick(dlg, Qt::Key_Space);
            QTest::keyClick(dlg, Qt::Key_Escape);
        });
        w.Trigger("KeyTieup");
        QCOMPARE(int(w.D().TieUpAt(1, 1)), 1);
    }

    void numericInputAndRepeat() {
        SetShafts(16);
        test::WhenModal([&](QWidget* dlg) {
            auto* edit = test::Child<QLineEdit>(dlg, "Edit1");
            QTest::keyClicks(edit, "2(1-8-1 8) 3(1-16)");
            test::Click(test::Child<QPushButton>(dlg, "InputBtn"));
            edit->clear();
            test::TypeInto(test::Child<QSpinBox>(dlg, "SpinEdit1"), "90");
            QTest::keyClicks(edit, "4-1");
            QTest::keyClick(edit, Qt::Key_Return); // Enter in the text runs it too
            edit->clear();
            test::TypeInto(test::Child<QSpinBox>(dlg, "SpinEdit1"), "200");
            for (int i = 0; i < 33; ++i) QTest::keyClicks(edit, "1(2)");
            test::Click(test::Child<QPushButton>(dlg, "InputBtn"));
            test::Click(test::Child<QPushButton>(dlg, "CloseBtn"));
        });
        w.Trigger("NumericInput1");
        QCOMPARE(Threading(1, 4), std::string("bcde"));
        QCOMPARE(Threading(79, 93), std::string("pqaaaaaaaaaedcb")); // 80 values, 4-1 at 90
        QCOMPARE(w.Prompter.LastText(), GetText("TNumInputForm", "@toolong"));
        QCOMPARE(Threading(231, 233), std::string("caa")); // 32 groups of "2" from 200
        QCOMPARE(w.Form->Doc().Core().UndoCount(), size_t(2));

        // Threading 1..231 on 2400 ends: the toolbar's Repeat fills up to
        // 2400; then there is no room and it says so.
        w.Trigger("RepSpeedButton");
        QCOMPARE(w.D().RepeatThreading, 231);
        QCOMPARE(int(w.D().Threading[2400]), int(w.D().Threading[2400 - 231]));
        w.Form->Doc().Edit([](DraftState& d) { d.Treadling[d.Picks] = 1; });
        w.Trigger("Rep1");
        QCOMPARE(w.Prompter.LastText(), GetText("TWform", "@selpart"));
    }
};

QTEST_MAIN(InputWindowsTest)
#include "input_windows_test.moc"
