// heddlewise-cli report repeats|heddles|colors|floats FILE [--language de|sv|fi]
#include "commands.h"
#include "pattern_open.h"

#include "text/lang.h"
#include "text/start_language.h"
#include "transform/reports.h"

#include <cstdio>
#include <memory>

namespace hw::cli {

static int RunReport(const Args& args);

Command ReportCommand() {
    return {"report", "repeats|heddles|colors|floats FILE [--language en|de|sv|fi]",
            "Prints a report of the Analyze menu, as the editor's report window shows it.",
            RunReport};
}

static int RunReport(const Args& args) {
    const Command self = ReportCommand();
    std::vector<std::string> words;
    int language = LangEnglish;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string code;
        if (args[i] == "--language") {
            if (i + 1 >= args.size()) return UsageError(self, "--language needs a value");
            code = args[++i];
        } else if (args[i].rfind("--language=", 0) == 0) {
            code = args[i].substr(11);
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return UsageError(self, "unknown option " + args[i]);
        } else {
            words.push_back(args[i]);
            continue;
        }
        const std::optional<int> l = LanguageFromCode(code);
        if (!l) return UsageError(self, "unknown language " + code);
        language = *l;
    }
    if (words.size() != 2) return UsageError(self, "expected a report and a file");
    const std::string& kind = words[0];
    if (kind != "repeats" && kind != "heddles" && kind != "colors" && kind != "floats")
        return UsageError(self, "unknown report " + kind);

    auto d = std::make_unique<DraftState>();
    if (!OpenPatternAsEditorDoes(*d, words[1])) return ExitFileError;
    SetLanguage(language);
    TextReport report;
    if (kind == "repeats") {
        const RepeatsReportResult r = RepeatsReport(*d);
        if (r.Error) {
            Report(*r.Error);
            return ExitFileError;
        }
        report = r.Report;
    } else {
        report = kind == "heddles"  ? HeddlesReport(*d)
                 : kind == "colors" ? ColorsReport(*d)
                                    : FloatsReport(*d);
    }
    std::fputs(report.Text.c_str(), stdout);
    return ExitOk;
}

} // namespace hw::cli
