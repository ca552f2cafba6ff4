// The draft view on a screen scaled by 1.5: the picture is made in device
// pixels, so every grid line is one pixel wide and the cells are evenly
// spaced; the mouse still finds the cell under it.
#include "window_fixture.h"

#include <QScreen>

using namespace hw;

class ScaledViewTest : public QObject {
    Q_OBJECT
    test::WindowFixture w;

private slots:
    void gridLinesAreOneDevicePixelAndEvenlySpaced() {
        w.Make(900, 650);
        QCOMPARE(w.V().PixelRatio(), 1.5);
        DraftState& d = w.D();
        d.Style = 2; // grid lines in the drawdown
        w.V().FullRepaint();
        const QImage shot = w.Surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.width(), w.V().Canvas().Width());
        const ViewGeometry& g = w.V().Geometry();
        const int y = g.Drawdown.Rows.Start + g.Cell / 2;
        const QRgb grid = ToRgb32(w.V().Settings().GridColor) | 0xFF000000u;
        std::vector<int> lines;
        for (int x = g.Drawdown.Columns.Start; x <= g.Drawdown.Columns.End(); ++x) {
            if ((shot.pixel(x, y) | 0xFF000000u) != grid) continue;
            QVERIFY2(lines.empty() || lines.back() != x - 1, "a grid line two pixels wide");
            lines.push_back(x);
        }
        QCOMPARE(int(lines.size()), g.VisibleEnds + 1);
        for (size_t i = 1; i < lines.size(); ++i) QCOMPARE(lines[i] - lines[i - 1], g.Cell);

        w.Click(g.Threading, 7, 3);
        QCOMPARE(int(d.Threading[7]), 3);
        w.Drop();
    }
};

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "1.5");
    QApplication app(argc, argv);
    ScaledViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "scaled_view_test.moc"
