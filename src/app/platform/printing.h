#pragma once

#include "model/draft_state.h"
#include "model/message.h"
#include "print/graphic_print.h"
#include "settings/settings.h"

#include <QObject>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class QPrinter;
class QWidget;

namespace hw {

// The fonts of the text prints: Courier New 12 pt for numbers and reports
// (or the closest fixed-pitch face installed), Arial 11 pt for notes.
enum class TextFont { Fixed, Notes };

// The printer of the run, shared by every print: Printer Setup and Page
// Setup change it, and every job goes to it.
class Printing : public QObject {
    Q_OBJECT
public:
    explicit Printing(QObject* parent = nullptr);
    ~Printing() override;

    QPrinter& Printer() { return *printer_; }
    bool Landscape() const;
    // The page as a graphic print sees it, in the printer's dots.
    PageMetrics Metrics() const;

    // File > Printer Setup: the print dialog; its choices stay with the
    // printer. False on Cancel.
    bool PrinterSetup(QWidget* parent);
    // File > Page Setup with the stored margins; OK writes them back.
    bool PageSetup(QWidget* parent, PageMargins& margins, bool metric);
    // A job needs somewhere to go: with neither a printer nor a file chosen,
    // the print dialog asks first. False when the user cancelled.
    bool ChooseTarget(QWidget* parent);

    // Lines of text, a page after each FormFeed line and whenever a page is
    // full; a line wider than the page goes on in the next one.
    Status PrintLines(const std::vector<std::string>& lines, TextFont font, const QString& title);
    // The graphic print of the draft on one page. Nothing is printed when
    // it fails.
    Status PrintDraft(const DraftState& d, const GraphicPrintJob& job, const QString& title);

    // The numeric jobs of the run, counted for their titles.
    int NextNumericJob() { return ++numericJobs_; }

private:
    std::unique_ptr<QPrinter> printer_;
    int numericJobs_ = 0;
};

} // namespace hw
