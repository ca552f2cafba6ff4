#pragma once

#include "text/multi_lang.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hw {

// "en", "de", "sv", "fi" in any letter case -> 0..3.
std::optional<int> LanguageFromCode(std::string_view code);
// 0..3 -> "en", "de", "sv", "fi"; "" otherwise.
const char* LanguageCode(int language);

// True when the primary language of a locale name ("fi_FI.UTF-8", "fi-FI",
// "fi") is Finnish.
bool IsFinnishLocale(std::string_view locale);

// The language a run starts in: the one chosen with --language; otherwise a
// stored "Language" value in 0..3 (remembered from an earlier run);
// otherwise Swedish, or Finnish for a Finnish user.
int ChooseStartLanguage(std::string_view locale, std::optional<int> stored,
                        std::optional<int> commandLine);

// The "&Language" submenu of the main window: hidden for most users; a
// Finnish user gets it with "&Svensk" and "S&uomi" only.
struct LanguageMenu {
    bool Visible = false;
    bool Items[LanguageCount] = {}; // English, Deutsch, Svensk, Suomi
};
LanguageMenu LanguageMenuFor(std::string_view locale);

// The editor's own option "--language CODE" / "--language=CODE" taken out of
// the command line (program name excluded); the rest is passed on in order.
// "--" ends the options.
struct LanguageOption {
    std::optional<int> Language;
    std::string Error; // a usage error; empty when the line is fine
    std::vector<std::string> Rest;
};
LanguageOption ParseLanguageOption(const std::vector<std::string>& args);

} // namespace hw
