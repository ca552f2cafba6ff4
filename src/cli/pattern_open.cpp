#include "pattern_open.h"

#include "stderr_prompter.h"

#include "files/pattern_file.h"
#include "transform/repeat.h"

namespace hw::cli {

bool OpenPatternAsEditorDoes(DraftState& d, const std::string& path) {
    StderrPrompter prompter;
    if (!LoadPattern(d, path, {}, prompter).Ok) return false;
    UpdateRememberedRepeats(d);
    return true;
}

} // namespace hw::cli
