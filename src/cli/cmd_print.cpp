// heddlewise-cli print FILE OUT.pdf: the graphic print of the used extent as a PDF page.
#include "commands.h"
#include "options.h"
#include "pattern_open.h"

#include "model/primitives.h"
#include "print/graphic_print.h"
#include "print/pdf_page.h"

#include <ctime>
#include <memory>

namespace hw::cli {

static int RunPrint(const Args& args);

Command PrintCommand() {
    return {"print", "FILE OUT.pdf",
            "Prints the draft's used extent as File > Print does, with 1-inch margins, onto an "
            "A4 page in a PDF file.",
            RunPrint};
}

// The caption's date and time, long date and short time.
static std::string Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    return std::strftime(text, sizeof text, "%A, %d %B %Y %H:%M", &local) ? text : "";
}

static int RunPrint(const Args& args) {
    const Command self = PrintCommand();
    std::vector<std::string> paths;
    if (const auto bad = ParseOptions(self, args, {}, {}, paths)) return *bad;
    if (paths.size() != 2) return UsageError(self, "expected a pattern file and a PDF file");

    auto source = std::make_unique<DraftState>();
    if (!OpenPatternAsEditorDoes(*source, paths[0])) return ExitFileError;
    const std::unique_ptr<DraftState> d = PrintableDraft(*source);
    GraphicPrintJob job;
    job.Range = {1, LastThreadedEnd(*d, d->Ends), 1, LastUsedPickView(*d, d->Picks)};
    job.Name = PrintName(paths[0]);
    job.DateTime = Now();
    PdfPage page(595.28, 841.89, 600); // A4
    Status s = PrintDraftPage(page, *d, job);
    if (s) s = page.Save(paths[1], "Heddlewise - " + job.Name);
    if (s) return ExitOk;
    Report(*s.Error);
    return ExitFileError;
}

} // namespace hw::cli
