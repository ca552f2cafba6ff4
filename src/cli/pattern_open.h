#pragma once

#include "model/draft_state.h"

#include <string>

namespace hw::cli {

// What the editor's Open does to a fresh document: the whole pattern, then
// the remembered repeat lengths. Reports go to stderr; false on failure.
bool OpenPatternAsEditorDoes(DraftState& d, const std::string& path);

} // namespace hw::cli
