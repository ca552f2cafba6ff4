#include "text/start_language.h"

namespace hw {

namespace {

constexpr const char* Codes[LanguageCount] = {"en", "de", "sv", "fi"};

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] - 'A' + 'a') : a[i];
        if (x != b[i]) return false;
    }
    return true;
}

std::string UnknownLanguage(std::string_view code) {
    return "unknown language '" + std::string(code) + "' for --language: use en, de, sv or fi";
}

} // namespace

std::optional<int> LanguageFromCode(std::string_view code) {
    for (int i = 0; i < LanguageCount; ++i)
        if (SameLetters(code, Codes[i])) return i;
    return std::nullopt;
}

const char* LanguageCode(int language) {
    return language >= 0 && language < LanguageCount ? Codes[language] : "";
}

bool IsFinnishLocale(std::string_view locale) {
    const size_t end = locale.find_first_of("_-.@");
    return SameLetters(locale.substr(0, end), "fi");
}

int ChooseStartLanguage(std::string_view locale, std::optional<int> stored,
                        std::optional<int> commandLine) {
    if (commandLine && *commandLine >= 0 && *commandLine < LanguageCount) return *commandLine;
    // The stored value comes from a file the user may have edited.
    if (stored && *stored >= 0 && *stored < LanguageCount) return *stored;
    return IsFinnishLocale(locale) ? LangFinnish : LangSwedish;
}

LanguageMenu LanguageMenuFor(std::string_view locale) {
    LanguageMenu menu;
    if (IsFinnishLocale(locale)) {
        menu.Visible = true;
        menu.Items[LangSwedish] = true;
        menu.Items[LangFinnish] = true;
    }
    return menu;
}

LanguageOption ParseLanguageOption(const std::vector<std::string>& args) {
    LanguageOption result;
    const std::string_view option = "--language";
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            result.Rest.insert(result.Rest.end(), args.begin() + std::ptrdiff_t(i) + 1, args.end());
            break;
        }
        std::optional<std::string_view> value;
        if (arg == option) {
            if (i + 1 >= args.size()) {
                result.Error = "--language needs a language: en, de, sv or fi";
                continue;
            }
            value = args[++i];
        } else if (arg.size() > option.size() && arg.compare(0, option.size(), option) == 0 &&
                   arg[option.size()] == '=') {
            value = std::string_view(arg).substr(option.size() + 1);
        } else {
            result.Rest.push_back(arg);
            continue;
        }
        if (auto lang = LanguageFromCode(*value))
            result.Language = lang;
        else
            result.Error = UnknownLanguage(*value);
    }
    return result;
}

} // namespace hw
