#pragma once

#include <string>

namespace hw {

// The text of a "@" key (or any key) in the translation table of a form, in
// the current language. A key the table lacks comes back unchanged.
std::string GetText(const std::string& form, const std::string& key);

// The form whose table holds the general messages.
inline constexpr const char* GeneralForm = "TTransformDlg";

} // namespace hw
