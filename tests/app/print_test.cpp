// File > Print, Print Numeric and Page Setup, and the Print of the report and
// notes windows, through the real menus into PDF files read back with poppler.
#include "dialog_driver.h"
#include "window_fixture.h"

#include "dialogs/report_window.h"
#include "platform/painter_canvas.h"
#include "platform/printing.h"
#include "platform/settings_session.h"

#include <QPrinter>
#include <QProcess>

using namespace hw;

class PrintTest : public QObject {
    Q_OBJECT
    test::WindowFixture w;

    QString ToPdf(const QString& name) {
        QPrinter& p = w.Form->Context().Printer->Printer();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(w.File(name));
        return w.File(name);
    }
    static QString Run(const QString& program, const QStringList& args) {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }

private slots:
    void init() { w.Make(); }
    void cleanup() { w.Drop(); }

    // Cell by cell the page shows the colours the draft view shows, and
    // printing leaves the document alone.
    void theGraphicPrintShowsTheDraftView() {
        w.Open(w.WritePattern("rose.hdw", 8, 8));
        for (int e = 1; e <= 8; ++e) w.D().WarpColors[e] = uint8_t(e % 3 + 2);
        w.V().FullRepaint();
        const QString pdf = ToPdf("draft.pdf");
        const int steps = int(w.Form->Doc().Core().UndoCount());
        test::WhenModal([](QWidget* dlg) {
            auto* ends = test::Child<QSpinBox>(dlg, "NumEndsEdit");
            QCOMPARE(ends->value(), 8);
            test::TypeInto(ends, "0");
            QCOMPARE(test::Child<QLabel>(dlg, "ToEndLabel")->text(), QString("To End: 0"));
            test::TypeInto(ends, "8");
            test::Click(test::Child<QPushButton>(dlg, "OKBtn"));
        });
        w.Trigger("FilePrintItem");
        QVERIFY(Run("pdfinfo", {pdf}).contains("Heddlewise - rose.hdw"));
        QCOMPARE(int(w.Form->Doc().Core().UndoCount()), steps);
        QVERIFY(!w.Form->Doc().Modified());

        Printing& printing = *w.Form->Context().Printer;
        const PageMetrics m = printing.Metrics();
        GraphicPrintJob job{{1, 8, 1, 8}, true, "", "", w.Form->Session().Prefs().Margins, {}};
        const PrintLayout l = DraftPrintLayout(
            w.D(), job, m,
            PainterCanvas(printing.Printer(), nullptr, m).LineHeight(PrintFont::Caption));
        Run("pdftoppm", {"-r", "72", "-png", "-singlefile", pdf, w.File("page")});
        const QImage page(w.File("page.png"));
        QVERIFY(!page.isNull());
        // The print lays the range out as the view does, in cells of its own:
        // 8 ends and picks, 4 shafts and treadles, in cells of 2 here.
        const ViewGeometry g = ComputeGeometryForCell(w.D(), {}, 2, 0, 0, 31, 31);
        const ViewGeometry& screen = w.V().Geometry();
        auto compare = [&](const ViewAreaLayout& a, const ViewAreaLayout& b, int rows) {
            for (int e = 1; e <= 8; ++e)
                for (int r = 1; r <= rows; ++r) {
                    const double x =
                        m.OffsetX + l.Left + (a.Columns.CellPos(e) / 2 + .5) * l.CellWidth;
                    const double y =
                        m.OffsetY + l.Top + (a.Rows.CellPos(r) / 2 + .5) * l.CellHeight;
                    const QColor p = page.pixelColor(int(x * 72 / m.DpiX), int(y * 72 / m.DpiY));
                    const QColor v(w.V().Canvas().Pixel(b.Columns.CellPos(e) + screen.Cell / 2,
                                                        b.Rows.CellPos(r) + screen.Cell / 2));
                    QVERIFY2(std::abs(p.red() - v.red()) + std::abs(p.green() - v.green()) +
                                     std::abs(p.blue() - v.blue()) <=
                                 6,
                             qPrintable(QString("end %1, row %2").arg(e).arg(r)));
                }
        };
        compare(g.Drawdown, screen.Drawdown, 8);
        compare(g.Threading, screen.Threading, 4);
    }

    void aPrintThatDoesNotFitSaysSo() {
        w.Open(w.WritePattern("wide.hdw", 5000, 8));
        const QString pdf = ToPdf("wide.pdf");
        test::WhenModal([](QWidget* dlg) {
            test::Child<QSpinBox>(dlg, "NumEndsEdit")->setValue(5000);
            test::Click(test::Child<QPushButton>(dlg, "OKBtn"));
        });
        w.Trigger("FilePrintItem");
        QCOMPARE(w.Prompter.LastText(),
                 std::string("Too many ends/picks or too small printing area."));
        QVERIFY(!QFile::exists(pdf));
    }

    void numericPrintsAreCountedJobsOfText() {
        w.Open(w.WritePattern("rose.hdw", 120, 60));
        const struct {
            const char* Action;
            const char* Caption;
            int Last;
            QStringList Texts;
        } jobs[] = {
            {"PrNumThreading",
             "Threading - Numeric Print",
             120,
             {"rose.hdw     4 Shafts     Ends 76-120"}},
            {"PrNumLiftplan", "Treadling Numeric Print", 9, {"Picks 1-9", "9#   1 - - -"}},
            {"WarpColors1", "Warp Colors Numeric Print", 0, {"WarpColors/Yarns, Ends 1 - 120"}},
        };
        int n = 0;
        for (const auto& job : jobs) {
            const QString pdf = ToPdf(QString("n%1.pdf").arg(++n));
            test::WhenModal([&job](QWidget* dlg) {
                QCOMPARE(dlg->windowTitle(), QString(job.Caption));
                if (job.Last) test::Child<QSpinBox>(dlg, "SpinEdit2")->setValue(job.Last);
                test::Click(test::Child<QPushButton>(dlg, "OKBtn"));
            });
            w.Trigger(job.Action);
            QVERIFY(Run("pdfinfo", {pdf}).contains(QString("Heddlewise Numeric %1").arg(n)));
            const QString text = Run("pdftotext", {"-layout", pdf, "-"});
            for (const QString& t : job.Texts) QVERIFY2(text.contains(t), qPrintable(text));
        }
        QCOMPARE(Run("pdftotext", {w.File("n1.pdf"), "-"}).count('\f'), 2); // two pages
    }

    void theReportAndTheNotesPrint() {
        w.Open(w.WritePattern("rose.hdw", 8, 8));
        w.D().Notes = "Warp: cotton\r\nWeft: linen";
        w.Trigger("Heddles1");
        auto* report = w.Form->findChild<TRtxtDlg*>();
        QVERIFY(report && report->PrintButton()->isEnabled());
        QString pdf = ToPdf("report.pdf");
        test::Click(report->PrintButton());
        QVERIFY(Run("pdftotext", {pdf, "-"}).contains("Heddles"));
        w.Trigger("Note1");
        pdf = ToPdf("notes.pdf");
        w.Form->findChild<QAction*>("Print1")->trigger();
        QVERIFY(Run("pdftotext", {pdf, "-"}).contains("Weft: linen"));
    }

    // OK alone keeps the margins, whatever the units; a changed one is stored.
    void pageSetupStoresOnlyWhatChanged() {
        PageMargins& margins = w.Form->Session().Prefs().Margins;
        for (bool metric : {true, false}) {
            w.D().MetricUnits = metric;
            test::WhenModal([](QWidget* dlg) { static_cast<QDialog*>(dlg)->accept(); });
            w.Trigger("PageSetup1");
            QCOMPARE(margins, PageMargins{});
        }
        w.D().MetricUnits = true;
        for (bool ok : {true, false}) {
            test::WhenModal([ok](QWidget* dlg) {
                test::Child<QDoubleSpinBox>(dlg, "leftMargin")->setValue(ok ? 20 : 30);
                ok ? static_cast<QDialog*>(dlg)->accept() : static_cast<QDialog*>(dlg)->reject();
            });
            w.Trigger("PageSetup1");
            QCOMPARE(margins.Left, 787);
        }
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
