#include "text/multi_lang.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace hw {

namespace {

char AsciiLower(char ch) {
    return ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch;
}

bool SameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

bool IsItemKey(std::string_view key) {
    return key == "\"";
}

bool IsHintKey(std::string_view key) {
    return SameKey(key, "\".hint");
}

bool IsFormKey(std::string_view key) {
    return SameKey(key, "%form%");
}

bool IsMessageKey(std::string_view key) {
    return !key.empty() && key.front() == '@';
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

// Decodes "\t", "\n" and "\\"; any other backslash is kept as written and
// reported, so a typo in a table shows up in the table test.
std::string Unescape(std::string_view field, bool& bad) {
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        const char ch = field[i];
        if (ch != '\\') {
            out += ch;
            continue;
        }
        const char next = i + 1 < field.size() ? field[i + 1] : '\0';
        if (next == 't') {
            out += '\t';
            ++i;
        } else if (next == 'n') {
            out += '\n';
            ++i;
        } else if (next == '\\') {
            out += '\\';
            ++i;
        } else {
            out += ch;
            bad = true;
        }
    }
    return out;
}

int EffectiveLanguage(const TMultiLang& c, int language) {
    if (language >= 0 && language < c.Languages) return language;
    return c.DefaultLanguage < c.Languages ? c.DefaultLanguage : 0;
}

bool InDoNot(const TMultiLang& c, std::string_view name) {
    return std::any_of(c.DoNot.begin(), c.DoNot.end(),
                       [&](const std::string& n) { return SameKey(n, name); });
}

void ParseFontEntry(const std::string& entry, std::string& face, int& charSet) {
    const size_t comma = entry.rfind(',');
    face = entry.substr(0, comma);
    charSet = 1; // the platform's default character set
    if (comma == std::string::npos) return;
    const std::string_view number = std::string_view(entry).substr(comma + 1);
    int value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc() && end == number.data() + number.size()) charSet = value;
}

void ApplyFont(TMultiLang& c, int language) {
    const std::string current = c.Target->FontEntry();
    while (c.CharSets.size() < c.Languages) c.CharSets.push_back(current);
    if (c.ActiveLanguage < c.Languages) c.CharSets[c.ActiveLanguage] = current;
    std::string face;
    int charSet = 1;
    ParseFontEntry(c.CharSets[size_t(language)], face, charSet);
    if (!face.empty()) c.Target->SetFont(face, charSet);
}

// Walks the table once and hands every named component its main text, the
// '"' items and the hint that follow its entry.
void ApplyTexts(TMultiLang& c) {
    ComponentTexts pending;
    bool havePending = false;
    auto flush = [&] {
        if (havePending && !InDoNot(c, pending.Name)) c.Target->ApplyComponent(pending);
        havePending = false;
    };
    for (size_t i = 0; i < c.EntryCount(); ++i) {
        const std::string& key = c.Key(i);
        if (IsFormKey(key)) {
            flush();
            c.Target->SetCaption(c.Text(i));
        } else if (IsItemKey(key)) {
            if (havePending) pending.Items.push_back(c.Text(i));
        } else if (IsHintKey(key)) {
            if (havePending) {
                pending.HasHint = true;
                SplitHint(c.Text(i), pending.ShortHint, pending.LongHint);
            }
        } else if (IsMessageKey(key)) {
            continue; // used by code, never by a component
        } else {
            flush();
            pending = ComponentTexts{};
            pending.Name = key;
            pending.Text = c.Text(i);
            havePending = true;
        }
    }
    flush();
}

TextNotFoundHandler& NotFoundHandler() {
    static TextNotFoundHandler handler;
    return handler;
}

} // namespace

std::string TMultiLang::Text(size_t entry) const {
    const int lang = EffectiveLanguage(*this, ActiveLanguage);
    const std::string& text = RawText(entry, lang);
    if (text.empty() && DefaultEnabled && DefaultLanguage < Languages)
        return RawText(entry, DefaultLanguage);
    return text;
}

std::string LowerKey(std::string_view key) {
    std::string out(key);
    for (char& ch : out) ch = AsciiLower(ch);
    return out;
}

TableParse ParseTable(std::string_view form, std::string_view tsv) {
    TableParse result;
    TMultiLang& t = result.Table;
    t.Form = std::string(form);
    if (tsv.substr(0, 3) == "\xEF\xBB\xBF") tsv.remove_prefix(3);

    const size_t fieldCount = t.GroupSize();
    std::set<std::string> keys;
    bool afterName = false; // items and hints belong to the last component named
    int lineNo = 0;
    size_t pos = 0;
    while (pos < tsv.size()) {
        size_t end = tsv.find('\n', pos);
        if (end == std::string_view::npos) end = tsv.size();
        std::string_view line = tsv.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        const std::string where = "line " + std::to_string(lineNo) + ": ";

        std::vector<std::string_view> fields = SplitFields(line);
        if (line.front() == '#') {
            const std::string_view name = fields.front();
            if (name == "#DoNot") {
                for (size_t f = 1; f < fields.size(); ++f)
                    if (!fields[f].empty()) t.DoNot.emplace_back(fields[f]);
            } else if (name == "#CharSets") {
                t.CharSets.clear();
                for (size_t f = 1; f < fields.size() && t.CharSets.size() < t.Languages; ++f)
                    t.CharSets.emplace_back(fields[f]);
            } else if (name == "#DefaultEnabled") {
                if (fields.size() == 2 && (fields[1] == "0" || fields[1] == "1"))
                    t.DefaultEnabled = fields[1] == "1";
                else
                    result.Errors.push_back(where + "#DefaultEnabled takes 0 or 1");
            }
            continue; // anything else after "#" is a comment
        }

        if (fields.size() != fieldCount) {
            result.Errors.push_back(where + std::to_string(fields.size()) + " fields, expected " +
                                    std::to_string(fieldCount));
            continue;
        }
        if (fields.front().empty()) {
            result.Errors.push_back(where + "empty key");
            continue;
        }
        const std::string_view key = fields.front();
        if (IsItemKey(key) || IsHintKey(key)) {
            if (!afterName) {
                result.Errors.push_back(where + "item or hint without a component before it");
                continue;
            }
        } else {
            if (!keys.insert(LowerKey(key)).second) {
                result.Errors.push_back(where + "key \"" + std::string(key) + "\" appears twice");
                afterName = false; // its items would land on the other entry
                continue;
            }
            if (!IsMessageKey(key)) afterName = !IsFormKey(key);
        }
        bool bad = false;
        t.Words.emplace_back(key);
        for (size_t f = 1; f < fields.size(); ++f) t.Words.push_back(Unescape(fields[f], bad));
        if (bad) result.Errors.push_back(where + "unknown backslash escape");
    }
    return result;
}

std::string GetText(const TMultiLang& c, std::string_view key) {
    for (size_t i = 0; i < c.EntryCount(); ++i)
        if (SameKey(c.Key(i), key)) return c.Text(i);
    ReportTextNotFound(c.Form, key);
    return std::string(key);
}

std::vector<std::string> GetItems(const TMultiLang& c, std::string_view name) {
    std::vector<std::string> items;
    const size_t n = c.EntryCount();
    for (size_t i = 0; i < n; ++i) {
        if (IsItemKey(c.Key(i)) || IsHintKey(c.Key(i)) || !SameKey(c.Key(i), name)) continue;
        for (size_t j = i + 1; j < n; ++j) {
            if (IsItemKey(c.Key(j)))
                items.push_back(c.Text(j));
            else if (!IsHintKey(c.Key(j)) && !IsMessageKey(c.Key(j)))
                break;
        }
        return items;
    }
    ReportTextNotFound(c.Form, name);
    return items;
}

TextNotFoundHandler SetTextNotFoundHandler(TextNotFoundHandler handler) {
    TextNotFoundHandler previous = std::move(NotFoundHandler());
    NotFoundHandler() = std::move(handler);
    return previous;
}

void ReportTextNotFound(std::string_view form, std::string_view key) {
    if (NotFoundHandler()) NotFoundHandler()(form, key);
}

void SplitHint(const std::string& hint, std::string& shortHint, std::string& longHint) {
    const size_t bar = hint.find('|');
    if (bar == std::string::npos) {
        shortHint = longHint = hint;
        return;
    }
    shortHint = hint.substr(0, bar);
    longHint = hint.substr(bar + 1);
}

LanguageChange SetActiveLanguage(TMultiLang& c, int language) {
    if (language < 0 || language >= c.Languages) return {true, LanguageRangeMessage};
    if (c.Target) ApplyFont(c, language);
    c.ActiveLanguage = uint8_t(language);
    if (c.Target) {
        ApplyTexts(c);
        c.Target->LanguageApplied();
    }
    return {};
}

} // namespace hw
