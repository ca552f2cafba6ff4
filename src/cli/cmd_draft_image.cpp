// heddlewise-cli draft-image FILE OUT.png: the draft as the draft view paints it.
#include "commands.h"
#include "pattern_open.h"

#include "files/png_file.h"
#include "model/limits.h"
#include "view/draft_image.h"

#include <charconv>
#include <memory>

namespace hw::cli {

static int RunDraftImage(const Args& args);

Command DraftImageCommand() {
    return {"draft-image", "FILE OUT.png [--zoom 1..20] [--style 1..4] [--ends N] [--picks N]",
            "Paints the draft as the draft view does (ends and picks 1..N, default the used "
            "extent) into a PNG file.",
            RunDraftImage};
}

// A whole decimal number in lo..hi, or nothing.
static bool ParseBounded(const std::string& text, int lo, int hi, int& value) {
    int v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end || v < lo || v > hi) return false;
    value = v;
    return true;
}

static int RunDraftImage(const Args& args) {
    const Command self = DraftImageCommand();
    std::vector<std::string> paths;
    DraftImageOptions options;
    struct Option {
        const char* name;
        int lo, hi;
        int* value;
    } const known[] = {{"--zoom", 1, 20, &options.Zoom},
                       {"--style", 1, 4, &options.Style},
                       {"--ends", 1, MaxEnds, &options.Ends},
                       {"--picks", 1, MaxPicks, &options.Picks}};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 2 || a[0] != '-') {
            paths.push_back(a);
            continue;
        }
        const Option* option = nullptr;
        std::string value;
        for (const Option& o : known) {
            const std::string name = o.name;
            if (a == name) {
                if (i + 1 >= args.size()) return UsageError(self, name + " needs a value");
                option = &o;
                value = args[++i];
            } else if (a.rfind(name + "=", 0) == 0) {
                option = &o;
                value = a.substr(name.size() + 1);
            }
        }
        if (!option) return UsageError(self, "unknown option " + a);
        if (!ParseBounded(value, option->lo, option->hi, *option->value))
            return UsageError(self, std::string(option->name) + " must be a number in " +
                                        std::to_string(option->lo) + ".." +
                                        std::to_string(option->hi));
    }
    if (paths.size() != 2) return UsageError(self, "expected a pattern file and a PNG file");

    auto d = std::make_unique<DraftState>();
    if (!OpenPatternAsEditorDoes(*d, paths[0])) return ExitFileError;
    const DraftImage image = RenderDraftImage(*d, options);
    if (image.Error) {
        Report(*image.Error);
        return ExitFileError;
    }
    const RasterCanvas& picture = *image.Picture;
    const Status written =
        WritePng(paths[1], picture.Data(), picture.Width(), picture.Height(), picture.Stride());
    if (written) return ExitOk;
    Report(*written.Error);
    return ExitFileError;
}

} // namespace hw::cli
