// heddlewise-cli wif FILE OUT.wif: the draft as File > Export > Save to WIF-file writes it.
#include "commands.h"
#include "options.h"
#include "pattern_open.h"

#include "export/wif_export.h"
#include "model/limits.h"

#include <memory>

namespace hw::cli {

static int RunWif(const Args& args);

Command WifCommand() {
    return {"wif", "FILE OUT.wif [--ends N] [--picks N] [--both]",
            "Writes ends and picks 1..N (default the used extent) as a WIF 1.1 file; --both "
            "writes the tie-up and treadling and also the liftplan.",
            RunWif};
}

static int RunWif(const Args& args) {
    const Command self = WifCommand();
    std::vector<std::string> paths;
    WifOptions options;
    if (const auto bad = ParseOptions(
            self, args,
            {{"--ends", 1, MaxEnds, &options.Ends}, {"--picks", 1, MaxPicks, &options.Picks}},
            {{"--both", &options.Both}}, paths))
        return *bad;
    if (paths.size() != 2) return UsageError(self, "expected a pattern file and a WIF file");

    auto d = std::make_unique<DraftState>();
    if (!OpenPatternAsEditorDoes(*d, paths[0])) return ExitFileError;
    const Status written = ExportWif(*d, paths[1], options);
    if (written) return ExitOk;
    Report(*written.Error);
    return ExitFileError;
}

} // namespace hw::cli
