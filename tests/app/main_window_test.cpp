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
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
