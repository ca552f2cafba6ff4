#pragma once

#include "model/draft_state.h"
#include "model/message.h"

#include <string>

namespace hw::cli {

// What the editor's Open does to a fresh document: the whole pattern, then
// the remembered repeat lengths; a WIF file (by its extension or its first
// section) is read as File > Import WIF reads it. Reports go to stderr;
// false on failure.
bool OpenPatternAsEditorDoes(DraftState& d, const std::string& path);

// A message on stderr, as the editor would show it.
void Report(const Message& m);

} // namespace hw::cli
