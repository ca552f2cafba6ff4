#include "pattern_open.h"

#include "files/message_text.h"
#include "files/pattern_file.h"
#include "files/wif_reader.h"
#include "transform/repeat.h"

#include <cstdio>

namespace hw::cli {

void Report(const Message& m) {
    std::fprintf(stderr, "%s\n", MessageText(m).c_str());
}

bool OpenPatternAsEditorDoes(DraftState& d, const std::string& path) {
    if (IsWifToImport(path)) {
        const WifReadResult r = ReadWifFile(d, path);
        if (r.Error) Report(*r.Error);
        for (const Message& w : r.Warnings) Report(w);
        if (!r.Ok) return false;
        UpdateRememberedRepeats(d);
        return true;
    }
    const LoadResult r = LoadPattern(d, path, {});
    if (r.Error) Report(*r.Error);
    for (const Message& w : r.Warnings) Report(w);
    if (!r.Ok) return false;
    UpdateRememberedRepeats(d);
    return true;
}

} // namespace hw::cli
