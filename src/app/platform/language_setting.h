#pragma once

#include <optional>

namespace hw {

// The "Language" value of the settings file of this run: the language a
// user chose in an earlier run. None when it is missing or not valid.
std::optional<int> ReadStoredLanguage();
void WriteStoredLanguage(int language);

} // namespace hw
