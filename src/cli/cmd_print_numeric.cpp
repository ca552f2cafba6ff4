// heddlewise-cli print-numeric threading|liftplan|warp-colors FILE: the numeric prints as text.
#include "commands.h"
#include "options.h"
#include "pattern_open.h"

#include "print/graphic_print.h"
#include "print/numeric_print.h"

#include <cstdio>
#include <memory>

namespace hw::cli {

static int RunPrintNumeric(const Args& args);

Command PrintNumericCommand() {
    return {"print-numeric", "threading|liftplan|warp-colors FILE [--from N --to N] [--landscape]",
            "Writes the text File > Print Numeric prints (a form feed line between pages); the "
            "range defaults to the one the editor proposes.",
            RunPrintNumeric};
}

static int RunPrintNumeric(const Args& args) {
    const Command self = PrintNumericCommand();
    std::vector<std::string> words;
    constexpr int Big = 999999; // any whole number; the print brings it into range
    constexpr int Proposed = -Big - 1;
    int from = 1, to = Proposed;
    bool landscape = false;
    if (const auto bad =
            ParseOptions(self, args, {{"--from", -Big, Big, &from}, {"--to", -Big, Big, &to}},
                         {{"--landscape", &landscape}}, words))
        return *bad;
    if (words.size() != 2) return UsageError(self, "expected a print and a file");
    const std::string& kind = words[0];
    if (kind != "threading" && kind != "liftplan" && kind != "warp-colors")
        return UsageError(self, "unknown print " + kind);

    auto source = std::make_unique<DraftState>();
    if (!OpenPatternAsEditorDoes(*source, words[1])) return ExitFileError;
    const std::unique_ptr<DraftState> d = PrintableDraft(*source);
    const std::string name = PrintName(words[1]);
    std::vector<std::string> lines;
    if (kind == "threading") {
        const int last = to == Proposed ? ProposedLastEnd(*d, landscape) : to;
        lines = ThreadingPrintLines(*d, from, last, landscape, name);
    } else if (kind == "liftplan") {
        const int last = to == Proposed ? ProposedLastPick(*d, landscape) : to;
        lines = LiftplanPrintLines(*d, from, last, name);
    } else {
        const int last = to == Proposed ? LastPrintableEnd(*d) : to;
        lines = WarpColorPrintLines(*d, from, last, landscape, name);
    }
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
    return ExitOk;
}

} // namespace hw::cli
