#pragma once

#include <QString>

#include <optional>

namespace hw {

// The settings file: $HEDDLEWISE_CONFIG when set (tests), else
// heddlewise.ini in the user's config folder under "Heddlewise".
QString SettingsFilePath();

// The "Language" value of the "Options6" group: the language a user chose in
// an earlier run. None when it is missing or not a number.
std::optional<int> ReadStoredLanguage();
void WriteStoredLanguage(int language);

} // namespace hw
