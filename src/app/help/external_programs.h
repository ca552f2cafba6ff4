#pragma once

#include "text/prompter.h"

#include <QString>

namespace hw {

// The companion program started by Options > "Threadbook", found by name on
// the search path.
inline constexpr const char* ThreadbookProgram = "hdp";
// Help > "On the Web" > "Heddlewise Home Page".
inline constexpr const char* HomePageUrl = "https://heddlewise.org/";

// Starts the program detached; when it cannot be started reports "Unable to
// start Threadbook" and gives false.
bool StartThreadbook(Prompter& prompter, const QString& program = ThreadbookProgram);

// Opens the home page in the user's browser; false when no browser took it.
bool OpenHomePage();

} // namespace hw
