// The colours and the cloth through the real window: the palette window,
// the toolbar's colour box, Edit Colors, the fabric views, the fabric window
// and the two exports.
#include "window_fixture.h"

#include "colours/col_edit_dlg.h"
#include "colours/color_box.h"
#include "colours/color_combo.h"
#include "colours/pal_win.h"
#include "dialog_driver.h"
#include "dialogs/options_dialog.h"
#include "export/fabric_png.h"
#include "mainwindow/status_line.h"
#include "platform/settings_session.h"
#include "view/fab_window.h"

#include <QColorDialog>
#include <QLabel>
#include <QSlider>

using namespace hw;

class ColoursFabricTest : public QObject {
    Q_OBJECT
    test::WindowFixture w;

    template <class T> T* Find(const char* name) {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* found =
                    top->objectName() == name ? qobject_cast<T*>(top) : top->findChild<T*>(name))
                return found;
        return nullptr;
    }
    static void Answer(QColor c) {
        test::WhenModal([c](QWidget* dlg) {
            auto* colors = qobject_cast<QColorDialog*>(dlg);
            QVERIFY(colors);
            colors->setCurrentColor(c);
            colors->accept();
        });
    }
    static QPoint Centre(const TColorBox* box, int i) { return box->Swatch(i).center(); }
    static bool Same(const RasterCanvas& a, const RasterCanvas& b) {
        return a.Width() == b.Width() && a.Height() == b.Height() &&
               std::equal(a.Data(), a.Data() + size_t(a.Stride()) * a.Height(), b.Data());
    }

private slots:
    void init() {
        QFile::remove(w.File("settings.ini"));
        w.Prompter.Shown.clear();
        w.Make();
    }
    void cleanup() { w.Drop(); }

    // Palette window, colour box and colour rows agree on the current colour.
    void theCurrentColourIsOneEverywhere() {
        w.Open(w.WritePattern("c.hdw"));
        w.Trigger("ColorWindow1");
        auto* pal = Find<TPalWin>("TPalWin");
        auto* box = Find<ColorComboBox>("ComboBoxL");
        QVERIFY(pal && pal->isVisible() && w.Action("ColorWindow1")->isChecked());
        QTest::mouseClick(pal->Grid(), Qt::LeftButton, {}, Centre(pal->Grid(), 5));
        QCOMPARE(w.V().CurrentColor(), 5);
        QCOMPARE(box->currentIndex(), 5);
        QVERIFY(pal->windowTitle().endsWith(" 5"));
        emit box->activated(9);
        QCOMPARE(pal->Selected(), 9);
        // A right click picks a colour up; the left button paints it.
        w.Click(w.V().Geometry().WarpColors, 1, 1, Qt::RightButton);
        QCOMPARE(std::tuple(box->currentIndex(), pal->Selected()), std::tuple(6, 6));
        w.Click(w.V().Geometry().WeftColors, 1, 2);
        QCOMPARE(int(w.D().WeftColors[2]), 6);
        // The panel: 64, 256, 16 colours, and 64 again.
        for (const int side : {256, 96, 160}) {
            QTest::mouseClick(pal->Panel(), Qt::LeftButton);
            QCOMPARE(pal->Grid()->width(), side);
        }
        // A double click edits the colour; undo brings it back.
        const ColorRef before = w.D().ColorTable[5];
        Answer(QColor(10, 20, 30));
        QTest::mouseDClick(pal->Grid(), Qt::LeftButton, {}, Centre(pal->Grid(), 5));
        QCOMPARE(w.D().ColorTable[5], MakeColorRef(10, 20, 30));
        QCOMPARE(pal->Grid()->Colors()[5], QColor(10, 20, 30));
        w.Trigger("EditUndoItem");
        QCOMPARE(w.D().ColorTable[5], before);
        pal->close();
        QVERIFY(!w.Action("ColorWindow1")->isChecked() && !w.Form->Session().Prefs().PaletteWindow);
    }

    // The draft shows each change at once; Revert and Cancel give back the
    // palette exactly; OK is one step.
    void editColorsShowsEveryChangeAndKeepsOneStep() {
        const auto start = w.D().Palette;
        for (const char* close : {"CancelBtn", "OKBtn"}) {
            test::WhenModal([&](QWidget* dlg) {
                auto* ed = static_cast<TColEditDlg*>(dlg);
                // A failure below returns early: the dialog must not wait.
                const std::unique_ptr<QWidget, void (*)(QWidget*)> closer(dlg, [](QWidget* d) {
                    if (d->isVisible()) static_cast<QDialog*>(d)->reject();
                });
                test::Child<QComboBox>(dlg, "SizeCombo")->setCurrentIndex(1); // 64 colours
                auto choose = [&](int i, const char* slot) {
                    QTest::mouseClick(ed->Grid(), Qt::LeftButton, {}, Centre(ed->Grid(), i));
                    if (slot) test::Click(test::Child<QWidget>(dlg, slot));
                };
                choose(10, "Panel1"), choose(14, "Panel2");
                test::Click(test::Child<QPushButton>(dlg, "BlendBtn"));
                QCOMPARE(w.D().Palette[12], ed->Palette()[12]); // shown while open
                QVERIFY(w.D().Palette[12] != start[12]);
                test::Click(test::Child<QPushButton>(dlg, "RevertBtn"));
                QVERIFY(w.D().Palette == start);
                ed->RowButton(3)->click();
                QCOMPARE(w.D().Palette[0], start[24]);
                // 16 colours: slots and selection beyond 15 fall back to 0.
                test::Child<QComboBox>(dlg, "SizeCombo")->setCurrentIndex(0);
                QCOMPARE(std::tuple(ed->Slot(0), ed->Slot(1), ed->Selected()),
                         std::tuple(10, 14, 14));
                choose(3, "Panel2");
                test::Child<QComboBox>(dlg, "SizeCombo")->setCurrentIndex(1);
                choose(40, "Panel1");
                test::Child<QComboBox>(dlg, "SizeCombo")->setCurrentIndex(0);
                QCOMPARE(std::tuple(ed->Slot(0), ed->Slot(1), ed->Selected()), std::tuple(0, 3, 0));
                test::Click(test::Child<QPushButton>(dlg, close));
            });
            w.Trigger("EditColors1");
        }
        QCOMPARE(w.D().Palette[0], start[24]);
        QCOMPARE(w.Form->Doc().Core().UndoCount(), size_t(1));
        w.Trigger("EditUndoItem");
        QVERIFY(w.D().Palette == start);
    }

    // Each fabric view is the core's picture of the cloth; none edits.
    void fabricViewsShowTheClothAndEditNothing() {
        w.Trigger("Fabric1"); // an empty draft
        QCOMPARE(w.Prompter.LastText(), GetText(GeneralForm, "@globnopat"));
        QVERIFY(w.Action("Draft1")->isChecked() && w.V().Fabric() == FabricView::None);
        w.Open(w.WritePattern("f.hdw", 60, 50));
        DraftState& d = w.D();
        d.Compressed = true;
        for (const char* mode : {"Fabric1", "Drapery1", "Interlacement1"}) {
            w.Trigger(mode);
            QVERIFY(w.Action(mode)->isChecked());
            QVERIFY(!w.Action("ShowThreading1")->isEnabled() &&
                    !w.Action("OpenSelected1")->isEnabled());
            RasterCanvas fresh(w.V().Canvas().Width(), w.V().Canvas().Height());
            std::mt19937 rng(1);
            FabricRenderer(fresh, d, w.V().FabricGeometry(), 0, 0, White, rng)
                .Paint(fresh.Width(), fresh.Height());
            QVERIFY(Same(fresh, w.V().Canvas()));
        }
        QCOMPARE(w.Form->ZoomSlider()->value(), 10); // the interlacement's zoom
        w.Trigger("Fabric1");
        QCOMPARE(w.Form->Status().Panel(3)->text(),
                 QString::fromStdString(GetText("TWform", "@compressed")));
        w.Form->ZoomSlider()->setValue(5);
        QCOMPARE(int(d.ViewZoom), 5);
        const auto threading = d.Threading;
        QTest::mouseClick(w.Surface(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::keyClick(w.Form.get(), Qt::Key_D);
        QVERIFY(d.Threading == threading && !d.DesignMode);
        w.Trigger("Draft1");
        QCOMPARE(w.Form->ZoomSlider()->value(), int(d.Zoom));
        QVERIFY(w.Action("ShowThreading1")->isEnabled());
    }

    void theFabricWindowFollowsStrokesAndMovesTheDraft() {
        w.Open(w.WritePattern("big.hdw", 400, 300));
        w.Trigger("FabricWindow1");
        auto* fab = Find<TFabwindow>("TFabwindow");
        QVERIFY(fab && fab->isVisible() && w.Action("FabricWindow1")->isChecked());
        QVERIFY(fab->ScrollBarH()->isVisible()); // 400 ends do not fit
        auto offset = [&] {                      // the bar mirrored for ends from the right
            const QScrollBar* h = fab->ScrollBarH();
            return w.D().RightStart ? h->maximum() - h->value() : h->value();
        };
        auto painted = [&] {
            const QImage& p = fab->Picture();
            RasterCanvas fresh(p.width(), p.height());
            PaintFabricWindow(fresh, w.D(), p.width(), p.height(), offset(), 0, White);
            for (int y = 0; y < p.height(); ++y)
                for (int x = 0; x < p.width(); ++x)
                    if ((p.pixel(x, y) & 0xFFFFFF) != (fresh.Pixel(x, y) & 0xFFFFFF)) return false;
            return true;
        };
        QVERIFY(painted());
        w.Click(w.V().Geometry().Threading, 2, 3);
        QVERIFY(painted());
        // A click centres the draft on the end clicked.
        const double r = fab->Surface()->devicePixelRatioF();
        QTest::mouseClick(fab->Surface(), Qt::LeftButton, {}, QPoint(int(5 / r), int(5 / r)));
        const ClothPoint at = FabricWindowHit(w.D(), fab->Picture().width(),
                                              fab->Picture().height(), offset(), 0, 5, 5);
        QVERIFY(at.End > 200); // ends from the right: the left edge holds the high ones
        QCOMPARE(w.V().Window().ScrollEnds, std::clamp(at.End - w.V().Window().VisibleEnds / 2, 0,
                                                       400 - w.V().Window().VisibleEnds));
        fab->close();
        QVERIFY(!w.Action("FabricWindow1")->isChecked() && !w.Form->Session().Prefs().FabricWindow);
    }

    void exportsFromTheMenu() {
        w.Trigger("PNG1");
        QCOMPARE(w.Prompter.LastText(), GetText(GeneralForm, "@globnopat"));
        w.Open(w.WritePattern("e.hdw", 30, 20));
        w.SavePath = w.File("e.png");
        test::AcceptNextDialog({{"SpinEdit1", 18}, {"SpinEdit2", 17}});
        w.Trigger("PNG1");
        const FabricPngSize size = FabricPngSizeFor(w.D(), 18, 17);
        QCOMPARE(QImage(w.SavePath).size(), QSize(size.Width, size.Height));
        w.SavePath = w.File("e.wif");
        test::WhenModal([](QWidget* dlg) {
            test::Click(test::Child<QPushButton>(dlg, "Repbtn"));
            test::Click(test::Child<QCheckBox>(dlg, "Bothbox"));
            test::Click(test::Child<QPushButton>(dlg, "OKBtn"));
        });
        w.Trigger("WIF1");
        QFile wif(w.SavePath);
        QVERIFY(wif.open(QIODevice::ReadOnly));
        const QByteArray text = wif.readAll();
        QVERIFY(text.contains("Threads=4\r\n") && text.contains("[LIFTPLAN]\r\n"));
    }
};

QTEST_MAIN(ColoursFabricTest)
#include "colours_fabric_test.moc"
