#pragma once

#include <functional>
#include <string>
#include <vector>

namespace hw {

// The number of characters of UTF-8 text; a CR LF line break counts two,
// as the pattern file keeps it.
int Utf8Length(const std::string& utf8);

// The lines of a text with CR LF, LF or CR line breaks; no trailing empty
// line for a final break. With tabsToSpaces every tab becomes a space.
std::vector<std::string> TextLines(const std::string& text, bool tabsToSpaces = false);

// A line broken into pieces no wider than width, at spaces where it can,
// else between characters; every piece holds at least one character.
std::vector<std::string> WrapText(const std::string& line, int width,
                                  const std::function<int(const std::string&)>& measure);

} // namespace hw
