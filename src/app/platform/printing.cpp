#include "platform/printing.h"

#include "help/context_help.h"
#include "platform/lang_binder.h"
#include "platform/painter_canvas.h"
#include "print/numeric_print.h"
#include "print/print_text.h"
#include "text/help_topics.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <cmath>

namespace hw {

namespace {

// The hourglass while a job is prepared.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

Status PrinterFailed() {
    return {Message{"TWform", "@printerror", {}}};
}

// The printer's margins it cannot print in, in its dots.
QMargins HardwareMargins(const QPrinter& p) {
    QPageLayout layout = p.pageLayout();
    layout.setMargins(layout.minimumMargins());
    return layout.marginsPixels(p.resolution());
}

QString ExpandTabs(const QString& line) {
    QString out;
    for (QChar c : line) {
        if (c != QLatin1Char('\t')) {
            out += c;
            continue;
        }
        do out += QLatin1Char(' ');
        while (out.size() % 8 != 0);
    }
    return out;
}

} // namespace

Printing::Printing(QObject* parent)
    : QObject(parent), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // The page is drawn from the paper's corner; the margins are the
    // print's own business.
    printer_->setFullPage(true);
}

Printing::~Printing() = default;

bool Printing::Landscape() const {
    return printer_->pageLayout().orientation() == QPageLayout::Landscape;
}

bool Printing::PrinterSetup(QWidget* parent) {
    QPrintDialog dialog(printer_.get(), parent);
    SetHelpContext(&dialog, help::PrintDraft);
    return dialog.exec() == QDialog::Accepted;
}

bool Printing::PageSetup(QWidget* parent, PageMargins& margins, bool metric) {
    // Inches show thousandths of an inch; millimetres whole millimetres.
    const double scale = metric ? 100.0 : 1000.0;
    const QPageLayout::Unit unit = metric ? QPageLayout::Millimeter : QPageLayout::Inch;
    auto shown = [&](int stored) { return MarginShown(stored, metric) / scale; };
    printer_->setPageMargins(QMarginsF(shown(margins.Left), shown(margins.Top),
                                       shown(margins.Right), shown(margins.Bottom)),
                             unit);
    QPageSetupDialog dialog(printer_.get(), parent);
    SetHelpContext(&dialog, help::PrintDraft);
    if (dialog.exec() != QDialog::Accepted) return false;
    // The dialog may have switched the unit.
    const QPageLayout layout = printer_->pageLayout();
    const bool inches = layout.units() == QPageLayout::Inch;
    const QMarginsF m = layout.margins(inches ? QPageLayout::Inch : QPageLayout::Millimeter);
    const double back = inches ? 1000.0 : 100.0;
    auto stored = [&](double value, int previous) {
        return MarginStored(int(std::lround(value * back)), !inches, previous);
    };
    margins = {stored(m.left(), margins.Left), stored(m.top(), margins.Top),
               stored(m.right(), margins.Right), stored(m.bottom(), margins.Bottom)};
    return true;
}

bool Printing::ChooseTarget(QWidget* parent) {
    const bool file = printer_->outputFormat() == QPrinter::PdfFormat;
    if (file ? !printer_->outputFileName().isEmpty() : !printer_->printerName().isEmpty())
        return true;
    return PrinterSetup(parent);
}

Status Printing::PrintLines(const std::vector<std::string>& lines, TextFont kind,
                            const QString& title) {
    WaitCursor wait;
    QPrinter& p = *printer_;
    p.setDocName(title);
    QPainter painter;
    if (!painter.begin(&p)) return PrinterFailed();
    QFont font(InstalledFamily(kind == TextFont::Fixed ? "Courier New" : "Arial"),
               kind == TextFont::Fixed ? 12 : 11);
    if (kind == TextFont::Fixed) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    font = QFont(font, &p);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font, &p);
    // Where a printer prints: a quarter inch in from the edges at least.
    const QRect paper = p.paperRect(QPrinter::DevicePixel).toRect();
    const QMargins hardware = HardwareMargins(p);
    const int inset = p.resolution() / 4;
    const QRect area =
        paper.adjusted(std::max(hardware.left(), inset), std::max(hardware.top(), inset),
                       -std::max(hardware.right(), inset), -std::max(hardware.bottom(), inset));
    int y = area.top();
    auto measure = [&](const std::string& s) {
        return metrics.horizontalAdvance(QString::fromStdString(s));
    };
    for (const std::string& line : lines) {
        if (line == FormFeed) {
            p.newPage();
            y = area.top();
            continue;
        }
        const QString expanded = ExpandTabs(QString::fromStdString(line));
        for (const std::string& piece : WrapText(expanded.toStdString(), area.width(), measure)) {
            if (y + metrics.height() > area.bottom() && y > area.top()) {
                p.newPage();
                y = area.top();
            }
            painter.drawText(area.left(), y + metrics.ascent(), QString::fromStdString(piece));
            y += metrics.lineSpacing();
        }
    }
    return painter.end() ? Status{} : PrinterFailed();
}

PageMetrics Printing::Metrics() const {
    const QPrinter& p = *printer_;
    PageMetrics m;
    m.DpiX = p.logicalDpiX();
    m.DpiY = p.logicalDpiY();
    const QRect paper = p.paperRect(QPrinter::DevicePixel).toRect();
    const QMargins hardware = HardwareMargins(p);
    m.PageWidth = paper.width();
    m.PageHeight = paper.height();
    m.OffsetX = hardware.left();
    m.OffsetY = hardware.top();
    m.PrintableWidth = paper.width() - hardware.left() - hardware.right();
    m.PrintableHeight = paper.height() - hardware.top() - hardware.bottom();
    return m;
}

Status Printing::PrintDraft(const DraftState& d, const GraphicPrintJob& job, const QString& title) {
    WaitCursor wait;
    QPrinter& p = *printer_;
    const PageMetrics m = Metrics();
    // A print that cannot be laid out never starts a job.
    PainterCanvas measure(p, nullptr, m);
    if (!DraftPrintLayout(d, job, m, measure.LineHeight(PrintFont::Caption)).Fits())
        return PrintDraftPage(measure, d, job);
    p.setDocName(title);
    QPainter painter;
    if (!painter.begin(&p)) return PrinterFailed();
    painter.translate(m.OffsetX, m.OffsetY);
    PainterCanvas canvas(p, &painter, m);
    const Status s = PrintDraftPage(canvas, d, job);
    const bool ended = painter.end();
    if (!s) return s;
    return ended ? Status{} : PrinterFailed();
}

} // namespace hw
