#pragma once

#include "text/prompter.h"

#include <functional>
#include <string>

namespace hw {

// Before a command that would drop the open draft (New, Open, a recent
// file, closing the window): when the draft is modified, asks whether to
// save it - "Save changes to <path>?" or, for an unnamed pattern, "Save
// present pattern?" - with Yes, No and Cancel. Yes runs save, which returns
// false when the save failed or was cancelled. True when the command may go
// on: the draft is unmodified, saved, or the user chose No.
bool ConfirmDiscardChanges(Prompter& prompter, bool modified, const std::string& fileName,
                           const std::function<bool()>& save);

} // namespace hw
