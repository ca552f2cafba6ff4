// heddlewise-cli convert IN OUT --format hdw|hdw4|hdw3|hdw12
#include "commands.h"
#include "pattern_open.h"

#include "files/pattern_file.h"

#include <memory>

namespace hw::cli {

static int RunConvert(const Args& args);

Command ConvertCommand() {
    return {"convert", "IN OUT [--format hdw|hdw4|hdw3|hdw12]",
            "Writes a pattern (or an imported WIF file) in the current layout (hdw, the "
            "default) or an older one.",
            RunConvert};
}

static int RunConvert(const Args& args) {
    const Command self = ConvertCommand();
    std::vector<std::string> paths;
    std::string format = "hdw";
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format") {
            if (i + 1 >= args.size()) return UsageError(self, "--format needs a value");
            format = args[++i];
        } else if (args[i].rfind("--format=", 0) == 0) {
            format = args[i].substr(9);
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return UsageError(self, "unknown option " + args[i]);
        } else {
            paths.push_back(args[i]);
        }
    }
    if (paths.size() != 2) return UsageError(self, "expected an input and an output file");
    if (format != "hdw" && format != "hdw4" && format != "hdw3" && format != "hdw12")
        return UsageError(self, "unknown format " + format);

    auto d = std::make_unique<DraftState>();
    if (!OpenPatternAsEditorDoes(*d, paths[0])) return ExitFileError;
    const SaveOptions options; // layout options saved, as the editor's default
    const Status saved = format == "hdw" ? SavePattern(*d, paths[1], options)
                                         : SaveOldVersion(*d, paths[1],
                                                          format == "hdw4"   ? OldVersion::V4
                                                          : format == "hdw3" ? OldVersion::V3
                                                                             : OldVersion::V12,
                                                          options);
    if (saved) return ExitOk;
    Report(*saved.Error);
    return ExitFileError;
}

} // namespace hw::cli
