// heddlewise-cli draft-image FILE OUT.png: the draft as the draft view paints it.
#include "commands.h"
#include "options.h"
#include "pattern_open.h"

#include "export/draft_png.h"
#include "model/limits.h"

#include <memory>

namespace hw::cli {

static int RunDraftImage(const Args& args);

Command DraftImageCommand() {
    return {"draft-image", "FILE OUT.png [--zoom 1..20] [--style 1..4] [--ends N] [--picks N]",
            "Paints the draft as the draft view does (ends and picks 1..N, default the used "
            "extent) into a PNG file.",
            RunDraftImage};
}

static int RunDraftImage(const Args& args) {
    const Command self = DraftImageCommand();
    std::vector<std::string> paths;
    DraftImageOptions options;
    if (const auto bad = ParseOptions(self, args,
                                      {{"--zoom", 1, 20, &options.Zoom},
                                       {"--style", 1, 4, &options.Style},
                                       {"--ends", 1, MaxEnds, &options.Ends},
                                       {"--picks", 1, MaxPicks, &options.Picks}},
                                      {}, paths))
        return *bad;
    if (paths.size() != 2) return UsageError(self, "expected a pattern file and a PNG file");

    auto d = std::make_unique<DraftState>();
    if (!OpenPatternAsEditorDoes(*d, paths[0])) return ExitFileError;
    const Status written = ExportDraftImage(*d, paths[1], options);
    if (written) return ExitOk;
    Report(*written.Error);
    return ExitFileError;
}

} // namespace hw::cli
