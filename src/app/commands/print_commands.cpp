#include "commands/print_commands.h"

#include "dialogs/print_draft_dialog.h"
#include "dialogs/range_dialogs.h"
#include "document/editor_document.h"
#include "files/message_text.h"
#include "platform/printing.h"
#include "platform/settings_session.h"
#include "print/graphic_print.h"
#include "print/numeric_print.h"
#include "print/print_text.h"
#include "text/help_topics.h"
#include "text/lang.h"
#include "text/messages.h"
#include "view/draft_view.h"

#include <QDateTime>
#include <QLocale>

#include <memory>

namespace hw {

namespace {

// Long date and short time, as the caption line shows them.
std::string Now() {
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    return (locale.toString(now.date(), QLocale::LongFormat) + " " +
            locale.toString(now.time(), QLocale::ShortFormat))
        .toStdString();
}

void PrintText(CommandContext& ctx, const std::vector<std::string>& lines, TextFont font,
               const QString& title) {
    const Status s = ctx.Printer->PrintLines(lines, font, title);
    if (!s) ShowMessageText(ctx.Prompt(), MessageText(*s.Error));
}

} // namespace

void PrintCommands::PageSetup1Click() {
    PageMargins& margins = ctx_.Session->Prefs().Margins;
    ctx_.Printer->PageSetup(ctx_.Window, margins, ctx_.Doc->Draft().MetricUnits);
}

void PrintCommands::FilePrintSetup() {
    ctx_.Printer->PrinterSetup(ctx_.Window);
}

void PrintCommands::FilePrintItemClick() {
    const std::unique_ptr<DraftState> d =
        PrintableDraft(ctx_.Doc->Draft(), ctx_.Session->Prefs().Warpempty);
    const ViewWindow& w = ctx_.View->Window();
    PrintRange range;
    bool notes = true;
    {
        TPrintDraftDlg dialog(*d, ctx_.Window);
        dialog.SetValues(InitialPrintRange(*d, w.VisibleEnds, w.VisiblePicks), true);
        if (dialog.exec() != QDialog::Accepted) return;
        range = dialog.Range();
        notes = dialog.PrintNotes();
    }
    if (!ctx_.Printer->ChooseTarget(ctx_.Window)) return;
    GraphicPrintJob job;
    job.Range = range;
    job.PrintNotes = notes;
    job.Name = PrintName(d->FileName);
    job.DateTime = Now();
    job.Margins = ctx_.Session->Prefs().Margins;
    job.View = ctx_.View->Settings();
    const Status s =
        ctx_.Printer->PrintDraft(*d, job, QString::fromStdString("Heddlewise - " + job.Name));
    if (!s) ShowMessageText(ctx_.Prompt(), MessageText(*s.Error));
}

void PrintCommands::PrNumThreadingClick() {
    const auto d = PrintableDraft(ctx_.Doc->Draft(), ctx_.Session->Prefs().Warpempty);
    const int used = LastPrintableEnd(*d);
    if (used == 0 || !ctx_.Printer->ChooseTarget(ctx_.Window)) return;
    const bool landscape = ctx_.Printer->Landscape();
    int first = 1, last = ProposedLastEnd(*d, landscape);
    if (!TDlgNum2::Ask(ctx_.Window,
                       {GeneralForm, "@idthr", "@fromend", "@toend", "", " - ", "@numprint",
                        help::PrintNumeric},
                       1, used, 1, used, first, last))
        return;
    PrintNumeric(ThreadingPrintLines(*d, first, last, landscape, PrintName(d->FileName)));
}

void PrintCommands::PrNumLiftplanClick() {
    const auto d = PrintableDraft(ctx_.Doc->Draft(), ctx_.Session->Prefs().Warpempty);
    const int used = LastPrintablePick(*d);
    if (used == 0 || !ctx_.Printer->ChooseTarget(ctx_.Window)) return;
    int first = 1, last = ProposedLastPick(*d, ctx_.Printer->Landscape());
    if (!TDlgNum2::Ask(ctx_.Window,
                       {GeneralForm, d->TreadleMode ? "@idtr" : "@idlift", "@frompick", "@topick",
                        "", " ", "@numprint", help::PrintNumeric},
                       1, used, 1, used, first, last))
        return;
    PrintNumeric(LiftplanPrintLines(*d, first, last, PrintName(d->FileName)));
}

void PrintCommands::WarpColors1Click() {
    const auto d = PrintableDraft(ctx_.Doc->Draft(), ctx_.Session->Prefs().Warpempty);
    const int used = LastPrintableEnd(*d);
    if (used == 0 || !ctx_.Printer->ChooseTarget(ctx_.Window)) return;
    int first = 1, last = used;
    if (!TDlgNum2::Ask(ctx_.Window,
                       {GeneralForm, "@idwarpcol", "@fromend", "@toend", "", " ", "@numprint",
                        help::PrintNumeric},
                       1, used, 1, used, first, last))
        return;
    PrintNumeric(
        WarpColorPrintLines(*d, first, last, ctx_.Printer->Landscape(), PrintName(d->FileName)));
}

void PrintCommands::PrintNumeric(const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    const int job = ctx_.Printer->NextNumericJob();
    PrintText(ctx_, lines, TextFont::Fixed, QString("Heddlewise Numeric %1").arg(job));
}

void PrintReport(CommandContext& ctx, const std::string& text) {
    if (!ctx.Printer->ChooseTarget(ctx.Window)) return;
    PrintText(ctx, ReportPrintLines(text), TextFont::Fixed, QStringLiteral("Heddlewise"));
}

void PrintNotes(CommandContext& ctx, const std::string& notes) {
    if (!ctx.Printer->ChooseTarget(ctx.Window)) return;
    PrintText(ctx, TextLines(notes), TextFont::Notes, QStringLiteral("Heddlewise"));
}

} // namespace hw
