// heddlewise-cli fabric-png FILE OUT.png: the cloth as File > Export saves it.
#include "commands.h"
#include "options.h"
#include "pattern_open.h"

#include "export/fabric_png.h"
#include "model/limits.h"
#include "text/lang.h"
#include "view/fabric.h"

#include <memory>

namespace hw::cli {

static int RunFabricPng(const Args& args);

Command FabricPngCommand() {
    return {"fabric-png", "FILE OUT.png [--ends N] [--picks N]",
            "Saves the fabric of ends and picks 1..N (default the used extent) as a PNG "
            "picture, one pixel per thread, stretched to the densities.",
            RunFabricPng};
}

static int RunFabricPng(const Args& args) {
    const Command self = FabricPngCommand();
    std::vector<std::string> paths;
    int ends = 0, picks = 0;
    if (const auto bad = ParseOptions(
            self, args, {{"--ends", 1, MaxEnds, &ends}, {"--picks", 1, MaxPicks, &picks}}, {},
            paths))
        return *bad;
    if (paths.size() != 2) return UsageError(self, "expected a pattern file and a PNG file");

    auto d = std::make_unique<DraftState>();
    if (!OpenPatternAsEditorDoes(*d, paths[0])) return ExitFileError;
    const ClothExtent extent = FabricExtent(*d);
    if (extent.Ends == 0 || extent.Picks == 0) {
        Report({GeneralForm, "@globnopat", {}});
        return ExitFileError;
    }
    const Status written = ExportFabricPng(*d, paths[1], ends > 0 ? ends : extent.Ends,
                                           picks > 0 ? picks : extent.Picks);
    if (written) return ExitOk;
    Report(*written.Error);
    return ExitFileError;
}

} // namespace hw::cli
