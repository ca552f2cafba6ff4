// The draft view in the main window, driven with real mouse, wheel and
// key events; what it shows is checked against a fresh repaint.
#include "window_fixture.h"

#include "mainwindow/status_line.h"
#include "text/lang.h"
#include "view/raster_canvas.h"
#include "view/renderer.h"

#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QWheelEvent>

using namespace hw;

class DraftViewTest : public QObject {
    Q_OBJECT
    test::WindowFixture w;

    void Drag(Qt::MouseButton button, QPoint from, std::initializer_list<QPoint> path) {
        QTest::mousePress(w.Surface(), button, Qt::NoModifier, from);
        for (QPoint p : path) QTest::mouseMove(w.Surface(), p);
        QTest::mouseRelease(w.Surface(), button, Qt::NoModifier,
                            path.size() ? *(path.end() - 1) : from);
    }
    // What the view holds equals a full repaint of the draft as it is, and
    // the screen shows it.
    void VerifyScreenIsTheDraft() {
        const RasterCanvas& shown = w.V().Canvas();
        RasterCanvas fresh(shown.Width(), shown.Height());
        DraftRenderer(fresh, w.D(), w.V().Window(), w.V().Geometry(), w.V().Settings())
            .FullRepaint(fresh.Width(), fresh.Height());
        for (int y = 0; y < shown.Height(); ++y)
            for (int x = 0; x < shown.Width(); ++x)
                if (shown.Pixel(x, y) != fresh.Pixel(x, y))
                    QFAIL(qPrintable(QString("screen differs at %1,%2").arg(x).arg(y)));
        const QImage grabbed = w.Surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint mid(shown.Width() / 2, shown.Height() / 2);
        QCOMPARE(grabbed.pixel(mid) | 0xFF000000u, shown.Pixel(mid.x(), mid.y()) | 0xFF000000u);
    }
    void Wheel(int delta) {
        QWheelEvent e(QPointF(50, 50), w.Surface()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.Surface(), &e);
    }

private slots:
    void init() {
        QFile::remove(w.File("settings.ini"));
        w.Make(900, 650);
        DraftState& d = w.D();
        w.Form->Doc().Edit([](DraftState& d) {
            d.Shafts = d.Treadles = 4;
            for (int e = 1; e <= 16; ++e) d.Threading[e] = uint8_t((e - 1) % 4 + 1);
            for (int p = 1; p <= 16; ++p) d.Treadling[p] = uint8_t((p - 1) % 4 + 1);
            for (int t = 1; t <= 4; ++t) d.TieUpAt(t, t) = 1;
            UpdateUsed(d);
        });
        w.Form->Doc().Reset();
        QCOMPARE(int(d.Shafts), 4);
    }
    void cleanup() { w.Drop(); }

    void strokesInEveryAreaUndoAndRedoWithTheKeys() {
        DraftState& d = w.D();
        const ViewGeometry& g = w.V().Geometry();
        Drag(Qt::LeftButton, w.Cell(g.Threading, 2, 1), {w.Cell(g.Threading, 5, 4)}); // a line
        QCOMPARE(int(d.Threading[5]), 4);
        Drag(Qt::RightButton, w.Cell(g.TieUp, 1, 1), {});
        QCOMPARE(int(d.TieUpAt(1, 1)), 0);
        Drag(Qt::LeftButton, w.Cell(g.Treadling, 3, 6), {});
        QCOMPARE(int(d.Treadling[6]), 3);
        w.V().SetCurrentColor(7);
        Drag(Qt::LeftButton, w.Cell(g.WarpColors, 1, 1), {w.Cell(g.WarpColors, 4, 1)});
        QCOMPARE(int(d.WarpColors[2]), 7);
        VerifyScreenIsTheDraft();
        for (int i = 0; i < 4; ++i) QTest::keyClick(w.Form.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(int(d.Threading[5]), 1);
        QCOMPARE(int(d.TieUpAt(1, 1)), 1);
        QCOMPARE(int(d.Treadling[6]), 2);
        VerifyScreenIsTheDraft();
        for (int i = 0; i < 2; ++i) QTest::keyClick(w.Form.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(int(d.TieUpAt(1, 1)), 0);
        VerifyScreenIsTheDraft();
    }

    // Strokes are kept in draft numbers: scrolling, by the wheel or a resize
    // that moves the view, keeps their undo.
    void scrollingKeepsTheUndo() {
        DraftState& d = w.D();
        d.Picks = 400;
        d.Ends = 500;
        w.V().LayoutStep();
        Drag(Qt::LeftButton, w.Cell(w.V().Geometry().Threading, 1, 2), {});
        // Three picks per notch.
        const int before = w.V().Window().ScrollPicks;
        Wheel(120);
        QCOMPARE(std::abs(w.V().Window().ScrollPicks - before), 3);
        VerifyScreenIsTheDraft();
        QCOMPARE(w.Form->Status().Panel(2)->text(),
                 QString::fromStdString(GetText("TWform", "@idweft")) +
                     QString(": %1-%2")
                         .arg(w.V().Window().ScrollPicks + 1)
                         .arg(w.V().Window().ScrollPicks + w.V().Window().VisiblePicks));
        // The horizontal bar is mirrored for ends from the right and as
        // wide as the drawdown.
        QScrollBar* h = w.V().ScrollBarH();
        h->setValue(0);
        QCOMPARE(w.V().Window().ScrollEnds, 500 - w.V().Window().VisibleEnds);
        QCOMPARE(h->width(), w.V().Geometry().VisibleEnds * w.V().Geometry().Cell + 1);
        w.Form->resize(900, 1000);
        QTRY_VERIFY(w.V().Window().VisiblePicks > 20);
        QVERIFY(w.Action("EditUndoItem")->isEnabled());
        w.Trigger("EditUndoItem");
        QCOMPARE(int(d.Threading[1]), 1);
        VerifyScreenIsTheDraft();
    }

    void zoomSliderStopsAtTheLargestFittingStep() {
        DraftState& d = w.D();
        d.Shafts = d.Treadles = 16;
        w.Form->resize(900, 420);
        QTRY_VERIFY(w.V().Geometry().Height < 330);
        QSlider* slider = w.Form->ZoomSlider();
        slider->setValue(20);
        const int fitting =
            LargestFittingZoom(d, true, w.V().Geometry().Width, w.V().Geometry().Height);
        QVERIFY(fitting < 20);
        QCOMPARE(slider->value(), fitting);
        QCOMPARE(int(d.Zoom), fitting);
        QCOMPARE(w.Form->findChild<QLabel*>("Zpanel")->text(), QString::number(fitting));
        VerifyScreenIsTheDraft();
    }

    void selectionToolAndRightButtonBackToLine() {
        w.Trigger("SelectSpeedButton");
        const ViewAreaLayout& th = w.V().Geometry().Threading;
        QTest::mouseClick(w.Surface(), Qt::LeftButton, Qt::NoModifier, w.Cell(th, 3, 4));
        QCOMPARE(int(w.D().Threading[3]), 3); // no drawing in selection mode
        QTest::mouseClick(w.Surface(), Qt::RightButton, Qt::NoModifier, w.Cell(th, 3, 4));
        QVERIFY(!w.V().SelectionMode());
        QVERIFY(w.Action("LineSpeedButton")->isChecked());
    }

    void statusLineFollowsThePointerAndCaptionThePath() {
        const ViewAreaLayout& dd = w.V().Geometry().Drawdown;
        QTest::mouseMove(w.Surface(), w.Cell(dd, 4, 6));
        StatusLine& s = w.Form->Status();
        QCOMPARE(s.Panel(3)->text(), QString::fromStdString(GetText("TWform", "@idend")) + ": 4");
        QCOMPARE(s.Panel(4)->text(), QString::fromStdString(GetText("TWform", "@idpick")) + ": 6");
        QTest::mouseMove(w.Surface(), QPoint(w.Surface()->width() - 2, 2));
        QCOMPARE(s.Panel(3)->text(), QString());
        w.D().FileName = "/home/ann/patterns/rose.hdw";
        w.Form->Refresh();
        QCOMPARE(w.Form->windowTitle(), QString("Heddlewise - rose.hdw[*]")); // narrower than 1000
        w.Form->resize(1100, 650);
        QTRY_COMPARE(w.Form->windowTitle(), QString("Heddlewise - /home/ann/patterns/rose.hdw[*]"));
    }
};

QTEST_MAIN(DraftViewTest)
#include "draft_view_test.moc"
