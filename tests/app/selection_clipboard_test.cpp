// The selection tool, the clipboard between two editors and Paste Special,
// through real mouse, keys and the system clipboard.
#include "window_fixture.h"

#include "dialog_driver.h"

#include "edit/clipboard.h"
#include "mainwindow/status_line.h"
#include "text/lang.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>

using namespace hw;

class SelectionClipboardTest : public QObject {
    Q_OBJECT
    test::WindowFixture a, b;

    // Selects from one cell to another with the selection tool.
    void Select(test::WindowFixture& w, const ViewAreaLayout& area, QPoint from, QPoint to) {
        QTest::keyClick(w.Form.get(), Qt::Key_M);
        QTest::mousePress(w.Surface(), Qt::LeftButton, {}, w.Cell(area, from.x(), from.y()));
        QTest::mouseMove(w.Surface(), w.Cell(area, to.x(), to.y()));
        QTest::mouseRelease(w.Surface(), Qt::LeftButton, {}, w.Cell(area, to.x(), to.y()));
    }
    void Key(test::WindowFixture& w, Qt::Key key, Qt::KeyboardModifiers m = Qt::ControlModifier) {
        w.Form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.Form.get()));
        QTest::keyClick(w.Form.get(), key, m);
    }
    std::vector<int> Threading(test::WindowFixture& w, int from, int n) {
        return std::vector<int>(w.D().Threading.begin() + from, w.D().Threading.begin() + from + n);
    }

private slots:
    void init() {
        a.Make();
        a.Open(a.WritePattern("a.hdw", 12, 12));
        b.Make();
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() {
        a.Drop();
        b.Drop();
    }

    // Copied in one editor and pasted in another through the real clipboard:
    // a threading as a picture, colours as marked text.
    void twoEditorsShareTheClipboard() {
        QVERIFY(!a.Action("EditCopyItem")->isEnabled() && !b.Action("EditPasteItem")->isEnabled());
        const ViewGeometry& ga = a.V().Geometry();
        Select(a, ga.Threading, {2, 4}, {5, 1});
        QVERIFY(a.Action("EditCopyItem")->isEnabled());
        QCOMPARE(a.Form->Status().Panel(0)->text(), QString("4"));
        // The dotted frame sits on the grid lines around the ends, over all shafts.
        const PixelBox f = a.V().FrameBox();
        QCOMPARE(f.X, ga.Threading.Columns.CellPos(5)); // end 1 at the right
        QCOMPARE(f.Height, 4 * ga.Cell + 1);
        const QImage shown = a.Surface()->grab().toImage();
        const int dot = f.X + (f.X + f.Y) % 2; // dots where x + y is even
        QCOMPARE(shown.pixel(dot, f.Y) & 0xFFFFFF, 0u);
        QCOMPARE(shown.pixel(dot + 1, f.Y) & 0xFFFFFF, 0xFFFFFFu);
        Key(a, Qt::Key_C);
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(4, 4));

        QTRY_VERIFY(b.Action("EditPasteItem")->isEnabled()); // told by the clipboard
        Select(b, b.V().Geometry().Threading, {7, 1}, {7, 1});
        Key(b, Qt::Key_V);
        QCOMPARE(Threading(b, 7, 5), (std::vector<int>{2, 3, 4, 1, 0}));
        QVERIFY(!b.V().HasSelection());

        a.D().WarpColors[3] = 9;
        Select(a, ga.WarpColors, {3, 1}, {4, 1});
        Key(a, Qt::Key_C);
        QVERIFY(QGuiApplication::clipboard()->text().startsWith("HDWCLIPC\r\n9\r\n"));
        Select(b, b.V().Geometry().WarpColors, {1, 1}, {1, 1});
        Key(b, Qt::Key_V);
        QCOMPARE(int(b.D().WarpColors[1]), 9);

        // Text of another program into a colour row is refused as an error;
        // a picture of another program into the threading is read.
        QGuiApplication::clipboard()->setText("HDWCLIPc\r\n1\r\n");
        Select(b, b.V().Geometry().WarpColors, {1, 1}, {1, 1});
        Key(b, Qt::Key_V);
        QCOMPARE(b.Prompter.Shown.back().Kind, std::string("error"));
        QCOMPARE(b.Prompter.LastText(), std::string("Incompatible clipboard format."));
        QCOMPARE(int(b.D().WarpColors[1]), 9);
        QImage drawn(30, 2, QImage::Format_ARGB32);
        drawn.fill(Qt::transparent);
        drawn.setPixel(2, 0, qRgb(200, 200, 255)), drawn.setPixel(20, 1, qRgb(0, 0, 0));
        QGuiApplication::clipboard()->setImage(drawn);
        Select(b, b.V().Geometry().Threading, {1, 1}, {1, 1});
        Key(b, Qt::Key_V);
        QCOMPARE(Threading(b, 1, 2), (std::vector<int>{3, 0}));
        Key(b, Qt::Key_V); // nothing selected any more
        QCOMPARE(b.Prompter.LastText(), GetText("TWform", "@selpaste"));
    }

    // Every Preview starts from the draft as it was; Cancel puts it back, OK
    // keeps the result as one step.
    void pasteSpecialPreviewsFromTheDraftAsItWas() {
        Select(a, a.V().Geometry().Threading, {1, 1}, {4, 1});
        Key(a, Qt::Key_C);
        const DraftState before = a.D();
        for (const char* button : {"CancelBtn", "OKBtn"}) {
            Select(a, a.V().Geometry().Threading, {5, 1}, {5, 1});
            test::WhenModal([&](QWidget* dlg) {
                test::Child<QCheckBox>(dlg, "InsertBox")->setChecked(true);
                test::TypeInto(test::Child<QSpinBox>(dlg, "ShiftSpin"), "1");
                for (int i = 0; i < 2; ++i) test::Click(test::Child<QPushButton>(dlg, "ApplyBtn"));
                test::Click(test::Child<QPushButton>(dlg, button));
            });
            a.Trigger("EditPasteSpecial1");
            // Inserted once, not once per preview; Cancel leaves nothing.
            const std::vector<int> kept{2, 3, 4, 1, 1, 2, 3, 4};
            QCOMPARE(Threading(a, 5, 8), *button == 'O' ? kept : Threading(a, 1, 8));
        }
        QCOMPARE(a.Form->Doc().Core().UndoCount(), size_t(1));
        a.Trigger("EditUndoItem");
        QVERIFY(a.D().Threading == before.Threading);
    }

    void selectAndCopyAndCopyImage() {
        a.D().WeftColors[3] = 5;
        test::WhenModal([](QWidget* dlg) {
            test::Click(test::Child<QRadioButton>(dlg, "SelectGroup3"));
            test::TypeInto(test::Child<QSpinBox>(dlg, "FromSpin"), "3");
            test::TypeInto(test::Child<QSpinBox>(dlg, "ToSpin"), "3");
            test::Click(test::Child<QPushButton>(dlg, "CopyBtn"));
        });
        a.Trigger("SelectCopy1");
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("HDWCLIPC\r\n5\r\n"));
        a.Prompter.Answers = {IdOk};
        a.Trigger("CopyImage1");
        const ViewGeometry& g = a.V().Geometry();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(g.Width, g.Height));
    }
};

QTEST_MAIN(SelectionClipboardTest)
#include "selection_clipboard_test.moc"
