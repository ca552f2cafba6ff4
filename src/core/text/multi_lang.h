#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace hw {

// Language indices of every table: the order of the texts in an entry.
inline constexpr int LangEnglish = 0;
inline constexpr int LangGerman = 1;
inline constexpr int LangSwedish = 2;
inline constexpr int LangFinnish = 3;
inline constexpr int LanguageCount = 4;

// Everything a table sets on one named component of a form.
struct ComponentTexts {
    std::string Name;
    std::string Text;               // main text (caption, title, text)
    std::vector<std::string> Items; // the '"' entries in order
    bool HasHint = false;
    std::string ShortHint; // tool tip
    std::string LongHint;  // status line
};

// A form as the translation component sees it. The app implements it over a
// widget tree; tests implement it with a recorder.
class LangTarget {
public:
    virtual ~LangTarget() = default;
    virtual void SetCaption(const std::string& text) = 0;
    // False when the form has no component of that name (the group is skipped).
    virtual bool ApplyComponent(const ComponentTexts& texts) = 0;
    // The form's font as a CharSets entry: "face,charset".
    virtual std::string FontEntry() const = 0;
    virtual void SetFont(const std::string& face, int charSet) = 0;
    // After every change of language: texts code composes follow here.
    virtual void LanguageApplied() {}
};

// The translation component of one form: its table in every language and
// the language it now shows.
struct TMultiLang {
    std::string Form; // the table's name, e.g. "TWform"
    uint8_t Languages = LanguageCount;
    uint8_t ActiveLanguage = LangEnglish;
    uint8_t DefaultLanguage = LangEnglish;
    // An empty text in the active language falls back to the default
    // language's text; a missing translation then reads English, not blank.
    bool DefaultEnabled = true;
    // Flat table: key, then one text per language, repeated.
    std::vector<std::string> Words;
    // Components whose texts code sets; the walk never touches them.
    std::vector<std::string> DoNot;
    // One "face,charset" per language; filled up at run time when shorter.
    std::vector<std::string> CharSets;
    // The form the texts go to; none for a table used only for messages.
    LangTarget* Target = nullptr;

    size_t GroupSize() const { return size_t(Languages) + 1; }
    size_t EntryCount() const { return Languages ? Words.size() / GroupSize() : 0; }
    const std::string& Key(size_t entry) const { return Words[entry * GroupSize()]; }
    // The text of an entry in a language, without fallback.
    const std::string& RawText(size_t entry, int language) const {
        return Words[entry * GroupSize() + 1 + size_t(language)];
    }
    // The text of an entry in the active language with the default fallback.
    std::string Text(size_t entry) const;
};

// Reading a table file: one entry per line, key and one text per language
// separated by tabs; "\t", "\n" and "\\" escapes; blank lines and lines
// starting with "#" are skipped, except the settings lines "#DoNot",
// "#CharSets" and "#DefaultEnabled" followed by tab-separated values. Every
// fault is reported by line: an unknown escape (the text keeps it as
// written), and lines left out for the wrong number of fields, an empty key,
// a key that appears twice, or an item or hint with no component before it.
struct TableParse {
    TMultiLang Table;
    std::vector<std::string> Errors; // "line N: ..." for every rejected line
};
TableParse ParseTable(std::string_view form, std::string_view tsv);

// Keys are matched without regard to ASCII letter case.
std::string LowerKey(std::string_view key);

// The text of a key in the component's active language (with the default
// fallback); a key the table lacks comes back unchanged, and the not-found
// handler hears of it.
std::string GetText(const TMultiLang& c, std::string_view key);
// The '"' items that follow the named component's entry, in the active language.
std::vector<std::string> GetItems(const TMultiLang& c, std::string_view name);

// Called with the form and the key whenever a lookup finds no entry. The
// program sets none; the tests set one that fails on every such lookup, so a
// key missing from its table is caught wherever the code asks for it.
using TextNotFoundHandler = std::function<void(std::string_view form, std::string_view key)>;
// Installs a handler (an empty one removes it) and gives back the previous one.
TextNotFoundHandler SetTextNotFoundHandler(TextNotFoundHandler handler);
// Calls the handler, when one is set.
void ReportTextNotFound(std::string_view form, std::string_view key);

// "short|long" -> tool tip and status text; without "|" both are the whole text.
void SplitHint(const std::string& hint, std::string& shortHint, std::string& longHint);

// What SetActiveLanguage did; the caller shows the message of a refusal.
struct LanguageChange {
    bool Refused = false;
    std::string Message; // why it was refused; empty when the language was applied
};

// Applies a language to one form: remembers the form's font for the
// language it leaves, takes the new language's font, and rewrites every
// caption, text, item list and hint the table names. A language not below
// Languages is refused and nothing changes.
LanguageChange SetActiveLanguage(TMultiLang& c, int language);

// The refusal text of SetActiveLanguage.
inline constexpr const char* LanguageRangeMessage =
    "Value must not be higher than\nnumber of available languages.";

} // namespace hw
