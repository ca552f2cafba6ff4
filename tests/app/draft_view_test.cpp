#include "mainwindow/tw_form.h"
#include "model/primitives.h"
#include "text/lang.h"
#include "view/draft_surface.h"
#include "view/raster_canvas.h"
#include "view/renderer.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

#include <memory>

using namespace hw;

class DraftViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TWform> form;

    DraftSurface* S() { return form->Surface(); }
    QPoint Cell(const ViewAreaLayout& a, int col, int row) {
        const int c = form->Geometry().Cell;
        return {a.Columns.CellPos(col) + c / 2, a.Rows.CellPos(row) + c / 2};
    }
    // The colour the window shows at a point, read back from the screen.
    QRgb Shown(QPoint p) { return S()->grab().toImage().pixel(p) | 0xFF000000u; }
    static QRgb Rgb(ColorRef c) { return ToRgb32(c); }
    void Drag(Qt::MouseButton button, QPoint from, std::initializer_list<QPoint> path) {
        QTest::mousePress(S(), button, Qt::NoModifier, from);
        for (QPoint p : path) QTest::mouseMove(S(), p);
        QTest::mouseRelease(S(), button, Qt::NoModifier, path.size() ? *(path.end() - 1) : from);
    }
    void Click(const char* name) {
        auto* b = form->findChild<QToolButton*>(name);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // What the window shows equals a full repaint of the draft as it is.
    void VerifyScreenIsTheDraft() {
        const QImage& shown = S()->Image();
        RasterCanvas fresh(shown.width(), shown.height());
        DraftRenderer(fresh, form->Draft(), form->View(), form->Geometry(), form->Settings())
            .FullRepaint(fresh.Width(), fresh.Height());
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if ((shown.pixel(x, y) | 0xFF000000u) != fresh.Pixel(x, y))
                    QFAIL(qPrintable(QString("screen differs at %1,%2").arg(x).arg(y)));
        // And the screen itself shows the buffer.
        const QImage grabbed = S()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(grabbed.pixel(shown.width() / 2, shown.height() / 2),
                 shown.pixel(shown.width() / 2, shown.height() / 2));
    }

private slots:
    void init() {
        form = std::make_unique<TWform>();
        DraftState& d = form->Draft();
        d.Zoom = 9;
        d.Shafts = 4;
        d.Treadles = 4;
        for (int e = 1; e <= 24; ++e) d.Threading[e] = uint8_t((e - 1) % 4 + 1);
        for (int p = 1; p <= 24; ++p) d.Treadling[p] = uint8_t((p - 1) % 4 + 1);
        for (int t = 1; t <= 4; ++t) d.TieUpAt(t, t) = 1;
        form->resize(900, 650);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->LayoutStep();
        form->FullRepaint();
        QVERIFY(form->Geometry().VisibleEnds > 30);
    }
    void cleanup() { form.reset(); }

    void penStrokeInTheThreading() {
        Click("PenSpeedButton");
        const ViewAreaLayout& th = form->Geometry().Threading;
        Drag(Qt::LeftButton, Cell(th, 2, 1), {Cell(th, 2, 2), Cell(th, 2, 3)});
        QCOMPARE(int(form->Draft().Threading[2]), 3);
        QCOMPARE(Shown(Cell(th, 2, 3)), Rgb(MarkColor));
        QCOMPARE(Shown(Cell(th, 2, 1)), Rgb(form->Settings().BackgroundColor));
        QVERIFY(form->UndoAction()->isEnabled());
        QVERIFY(form->Draft().Changed);
        VerifyScreenIsTheDraft();
    }

    void lineInTheTieUp() {
        Click("LineSpeedButton");
        DraftState& d = form->Draft();
        ClearTieUp(d);
        form->FullRepaint();
        const ViewAreaLayout& tu = form->Geometry().TieUp;
        Drag(Qt::LeftButton, Cell(tu, 1, 4), {Cell(tu, 2, 3), Cell(tu, 4, 1)});
        for (int s = 1; s <= 4; ++s)
            for (int t = 1; t <= 4; ++t) QCOMPARE(int(d.TieUpAt(s, t)), s + t == 5 ? 1 : 0);
        QCOMPARE(Shown(Cell(tu, 4, 1)), Rgb(MarkColor));
        VerifyScreenIsTheDraft();
    }

    void treadlingStrokeAndUndoWithCtrlZ() {
        Click("PenSpeedButton");
        DraftState& d = form->Draft();
        const ViewAreaLayout& tr = form->Geometry().Treadling;
        Drag(Qt::LeftButton, Cell(tr, 1, 5), {Cell(tr, 2, 5), Cell(tr, 3, 5)});
        QCOMPARE(int(d.Treadling[5]), 3);
        // The drawdown row follows: end 3 (shaft 3) now shows warp on pick 5.
        const QRgb warp = Rgb(d.ColorTable[d.WarpColors[3]]);
        const QRgb weft = Rgb(d.ColorTable[d.WeftColors[5]]);
        const ViewAreaLayout& dd = form->Geometry().Drawdown;
        // Sinking shed: the tied shaft is lowered, the weft shows over it.
        QCOMPARE(Shown(Cell(dd, 3, 5)), weft);
        QCOMPARE(Shown(Cell(dd, 1, 5)), warp);
        VerifyScreenIsTheDraft();
        QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(int(d.Treadling[5]), 1);
        QVERIFY(!form->UndoAction()->isEnabled());
        VerifyScreenIsTheDraft();
    }

    void colourStrokeAndColourPick() {
        DraftState& d = form->Draft();
        d.CurrentColor = 45;
        const ViewAreaLayout& wc = form->Geometry().WarpColors;
        Drag(Qt::LeftButton, Cell(wc, 3, 1), {Cell(wc, 5, 1), Cell(wc, 7, 1)});
        for (int e = 1; e <= 9; ++e) QCOMPARE(d.WarpColors[e] == 45, e >= 3 && e <= 7);
        QCOMPARE(Shown(Cell(wc, 6, 1)), Rgb(d.ColorTable[45]));
        VerifyScreenIsTheDraft();
        // A right click picks a colour and changes nothing.
        QSignalSpy picked(form.get(), &TWform::CurrentColorChanged);
        d.Changed = false;
        QTest::mouseClick(S(), Qt::RightButton, Qt::NoModifier, Cell(wc, 1, 1));
        QCOMPARE(picked.count(), 1);
        QCOMPARE(d.CurrentColor, int(d.WarpColors[1]));
        QVERIFY(!d.Changed);
    }

    void undoAfterACommandRestoresTheWholeDraft() {
        DraftState& d = form->Draft();
        SaveUndo(d);
        MarkChanged(d);
        d.Shafts = 6;
        ClearThreadingFrom(d, 1);
        form->UpdateUndoAction();
        form->findChild<QAction*>("EditUndoItem")->trigger();
        QCOMPARE(int(d.Shafts), 4);
        QCOMPARE(int(d.Threading[7]), 3);
        QCOMPARE(form->Geometry().Shafts, 4);
        VerifyScreenIsTheDraft();
    }

    void scrollingGivesUpTheStrokeUndo() {
        DraftState& d = form->Draft();
        d.Picks = 400;
        form->LayoutStep();
        const ViewAreaLayout& th = form->Geometry().Threading;
        Drag(Qt::LeftButton, Cell(th, 1, 2), {});
        QVERIFY(form->UndoAction()->isEnabled());
        // Three picks per notch. Picks run from the bottom, where pick 1
        // is shown: rolling away from the user moves on to later picks.
        const int before = form->View().ScrollPicks;
        QWheelEvent wheel(QPointF(50, 50), S()->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(S(), &wheel);
        QCOMPARE(std::abs(form->View().ScrollPicks - before), 3);
        QVERIFY(!form->UndoAction()->isEnabled());
        VerifyScreenIsTheDraft();
        QCOMPARE(form->StatusPanel(2)->text(),
                 QString::fromStdString(GetText("TWform", "@idweft")) +
                     QString(": %1-%2")
                         .arg(form->View().ScrollPicks + 1)
                         .arg(form->View().ScrollPicks + form->View().VisiblePicks));
        // The horizontal bar scrolls when its action ends, mirrored for
        // ends from the right.
        d.Ends = 500;
        form->LayoutStep();
        QScrollBar* h = form->ScrollBarH();
        QVERIFY(d.RightStart);
        h->setValue(0);
        QCOMPARE(form->View().ScrollEnds, 500 - form->View().VisibleEnds);
        QCOMPARE(h->width(), form->Geometry().VisibleEnds * form->Geometry().Cell + 1);
    }

    void resizeThatMovesTheViewGivesUpTheStrokeUndo() {
        DraftState& d = form->Draft();
        d.Picks = 60;
        form->LayoutStep();
        form->ScrollTo(0, 1000); // as far as it goes
        const int scrolled = form->View().ScrollPicks;
        QVERIFY(scrolled > 0);
        const ViewAreaLayout& th = form->Geometry().Threading;
        Drag(Qt::LeftButton, Cell(th, 1, 2), {});
        QVERIFY(form->UndoAction()->isEnabled());
        // A taller window shows more picks, so the offset is clamped back.
        form->resize(900, 1000);
        QTRY_VERIFY(form->View().ScrollPicks < scrolled);
        QVERIFY(!form->UndoAction()->isEnabled());
        VerifyScreenIsTheDraft();
    }

    void zoomSliderStopsAtTheLargestFittingStep() {
        DraftState& d = form->Draft();
        d.Shafts = 16;
        d.Treadles = 16;
        form->resize(900, 420);
        QTRY_VERIFY(form->Geometry().Height < 330);
        QSlider* slider = form->ZoomSlider();
        slider->setValue(20);
        const int fitting =
            LargestFittingZoom(d, true, form->Geometry().Width, form->Geometry().Height);
        QVERIFY(fitting < 20);
        QCOMPARE(slider->value(), fitting);
        QCOMPARE(int(d.Zoom), fitting);
        QCOMPARE(form->findChild<QLabel*>("Zpanel")->text(), QString::number(fitting));
        slider->setValue(1);
        QCOMPARE(int(d.Zoom), 1);
        VerifyScreenIsTheDraft();
    }

    void selectionToolAndRightButtonBackToLine() {
        Click("SelectSpeedButton");
        QVERIFY(form->SelectionMode());
        const ViewAreaLayout& th = form->Geometry().Threading;
        const int before = form->Draft().Threading[3];
        QTest::mouseClick(S(), Qt::LeftButton, Qt::NoModifier, Cell(th, 3, 4));
        QCOMPARE(int(form->Draft().Threading[3]), before); // no drawing in selection mode
        QTest::mouseClick(S(), Qt::RightButton, Qt::NoModifier, Cell(th, 3, 4));
        QVERIFY(!form->SelectionMode());
        QVERIFY(form->findChild<QToolButton*>("LineSpeedButton")->isChecked());
    }

    void statusLineFollowsThePointerAndCaptionThePath() {
        const ViewAreaLayout& dd = form->Geometry().Drawdown;
        QTest::mouseMove(S(), Cell(dd, 4, 6));
        const QString end = QString::fromStdString(GetText("TWform", "@idend"));
        const QString pick = QString::fromStdString(GetText("TWform", "@idpick"));
        QCOMPARE(form->StatusPanel(3)->text(), end + ": 4");
        QCOMPARE(form->StatusPanel(4)->text(), pick + ": 6");
        QTest::mouseMove(S(), QPoint(S()->width() - 2, 2));
        QCOMPARE(form->StatusPanel(3)->text(), QString());
        form->SetPatternPath("/home/ann/patterns/rose.hdw");
        QCOMPARE(form->windowTitle(), QString("Heddlewise - rose.hdw")); // narrower than 1000
        form->resize(1100, 650);
        QTRY_COMPARE(form->windowTitle(), QString("Heddlewise - /home/ann/patterns/rose.hdw"));
    }
};

QTEST_MAIN(DraftViewTest)
#include "draft_view_test.moc"
