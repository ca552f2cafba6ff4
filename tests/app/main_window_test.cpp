#include "mainwindow/tw_form.h"
#include "view/draft_surface.h"

#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensTitledWithADraftSurface() {
        hw::TWform form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QString("Heddlewise"));
        QVERIFY(form.Surface() != nullptr);
        QVERIFY(form.Surface()->isVisible());
        QCOMPARE(form.Draft().Ends, 2400);
        // Shown for the first time, the view is laid out and painted at the
        // start zoom without any further resize.
        QCOMPARE(int(form.Draft().Zoom), 15);
        QVERIFY(form.Geometry().VisibleEnds > 10);
        QVERIFY(form.Geometry().VisiblePicks > 10);
        const QImage shown = form.Surface()->Image();
        const QPoint inGrid(form.Geometry().Drawdown.Columns.CellPos(1),
                            form.Geometry().Drawdown.Rows.CellPos(1));
        QVERIFY(shown.pixel(inGrid) != shown.pixel(inGrid + QPoint(3, 3)));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
