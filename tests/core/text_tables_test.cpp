// Checks over every translation table the program carries, and over every
// text lookup in the sources.
#include "text/lang.h"
#include "text/multi_lang.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace hw {
namespace {

fs::path RepoDir() {
    return fs::path(HW_TEST_DATA_DIR).lexically_normal().parent_path().parent_path();
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

size_t CodePoints(const std::string& utf8) {
    return size_t(std::count_if(utf8.begin(), utf8.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }));
}

bool IsItem(const std::string& key) {
    return key == "\"";
}
bool IsHint(const std::string& key) {
    return LowerKey(key) == "\".hint";
}
bool IsName(const std::string& key) {
    return !IsItem(key) && !IsHint(key) && key.front() != '@' && LowerKey(key) != "%form%";
}

// Everything wrong with one table, one line per fault.
std::vector<std::string> TableFaults(const std::string& form, const std::string& source) {
    std::vector<std::string> faults;
    const TableParse parsed = ParseTable(form, source);
    for (const std::string& e : parsed.Errors) faults.push_back(form + ": " + e);
    const TMultiLang& t = parsed.Table;

    std::set<std::string> seen;
    bool afterName = false;
    for (size_t i = 0; i < t.EntryCount(); ++i) {
        const std::string& key = t.Key(i);
        const std::string where = form + " \"" + key + "\" (entry " + std::to_string(i + 1) + "): ";
        const std::string& english = t.RawText(i, LangEnglish);

        for (int lang = 1; lang < t.Languages; ++lang)
            if (t.RawText(i, lang).empty() && !english.empty())
                faults.push_back(where + "no text in language " + std::to_string(lang));

        if (!IsItem(key) && !IsHint(key) && !seen.insert(LowerKey(key)).second)
            faults.push_back(where + "key appears twice");

        if (IsItem(key) || IsHint(key)) {
            if (!afterName) faults.push_back(where + "item or hint without a component before it");
        } else if (key.front() != '@') {
            afterName = IsName(key);
        }

        for (int lang = 0; lang < t.Languages; ++lang) {
            const std::string& text = t.RawText(i, lang);
            if (IsHint(key) && !text.empty()) {
                const size_t bar = text.find('|');
                if (bar == std::string::npos || bar == 0 || bar + 1 == text.size())
                    faults.push_back(where + "hint is not \"short|long\" in language " +
                                     std::to_string(lang));
            }
            if (key.front() == '@' && CodePoints(text) > 255)
                faults.push_back(where + "message longer than 255 characters in language " +
                                 std::to_string(lang));
            // Pieces that are glued to numbers or names keep their spaces.
            if (lang > 0 && !english.empty() && !text.empty()) {
                if (english.front() == ' ' && text.front() != ' ')
                    faults.push_back(where + "lost the leading space in language " +
                                     std::to_string(lang));
                if (english.back() == ' ' && text.back() != ' ')
                    faults.push_back(where + "lost the trailing space in language " +
                                     std::to_string(lang));
            }
        }
    }
    return faults;
}

TEST(TranslationTables, EveryFileIsCompiledInUnchanged) {
    std::vector<std::string> onDisk;
    for (const auto& entry : fs::directory_iterator(RepoDir() / "resources" / "lang"))
        if (entry.path().extension() == ".tsv") onDisk.push_back(entry.path().stem().string());
    std::sort(onDisk.begin(), onDisk.end());
    EXPECT_EQ(FormTableNames(), onDisk);
    for (const std::string& form : onDisk)
        EXPECT_EQ(FormTableSource(form),
                  ReadFile(RepoDir() / "resources" / "lang" / (form + ".tsv")))
            << form;
    EXPECT_TRUE(HasFormTable(GeneralForm));
    EXPECT_TRUE(HasFormTable("TWform"));
}

TEST(TranslationTables, EveryEntryIsCompleteUniqueAndWellFormed) {
    std::vector<std::string> faults;
    for (const std::string& form : FormTableNames()) {
        std::vector<std::string> f = TableFaults(form, FormTableSource(form));
        faults.insert(faults.end(), f.begin(), f.end());
    }
    for (const std::string& f : faults) ADD_FAILURE() << f;
}

TEST(TranslationTables, TheCheckerCatchesEachKindOfFault) {
    const std::string bad = "@ok\tA\tB\tC\tD\n"
                            "\"\torphan\tx\tx\tx\n"
                            "@OK\tA\tB\tC\tD\n"
                            "@gap\tA\t\tC\tD\n"
                            "@empty\t\t\t\t\n"
                            "Btn\tA\tB\tC\tD\n"
                            "\".Hint\tno bar\tx|y\t|y\tx|y\n"
                            "\"\titem\tx\tx\tx\n"
                            "@glue\t - End \t- Kettfaden \t - x\t - y \n"
                            "@long\t" +
                            std::string(256, 'x') +
                            "\tB\tC\tD\n"
                            "@few\tA\tB\n";
    const std::vector<std::string> faults = TableFaults("TBad", bad);
    auto has = [&](const std::string& piece) {
        return std::any_of(faults.begin(), faults.end(), [&](const std::string& f) {
            return f.find(piece) != std::string::npos;
        });
    };
    EXPECT_TRUE(has("TBad: line 11: 3 fields, expected 5"));
    EXPECT_TRUE(has("\"\"\" (entry 2): item or hint without a component before it"));
    EXPECT_TRUE(has("\"@OK\" (entry 3): key appears twice"));
    EXPECT_TRUE(has("\"@gap\" (entry 4): no text in language 1"));
    EXPECT_TRUE(has("(entry 7): hint is not \"short|long\" in language 0"));
    EXPECT_TRUE(has("(entry 7): hint is not \"short|long\" in language 2"));
    EXPECT_TRUE(has("\"@glue\" (entry 9): lost the leading space in language 1"));
    EXPECT_TRUE(has("\"@glue\" (entry 9): lost the trailing space in language 2"));
    EXPECT_TRUE(has("\"@long\" (entry 10): message longer than 255 characters in language 0"));
    // The empty entry, the item after the button and the good lines pass.
    EXPECT_EQ(faults.size(), 9u);
}

// A call of GetText in the sources: where it is and its two arguments as written.
struct Lookup {
    std::string File;
    int Line = 0;
    std::string Form, Key;
};

// Drops comments so that prose about GetText is not taken for a call.
std::string StripComments(const std::string& src) {
    std::string out;
    out.reserve(src.size());
    enum { Code, Str, Chr, Line, Block } state = Code;
    for (size_t i = 0; i < src.size(); ++i) {
        const char c = src[i];
        const char next = i + 1 < src.size() ? src[i + 1] : '\0';
        switch (state) {
        case Code:
            if (c == '/' && next == '/')
                state = Line, ++i;
            else if (c == '/' && next == '*')
                state = Block, ++i;
            else {
                if (c == '"') state = Str;
                if (c == '\'') state = Chr;
                out += c;
            }
            break;
        case Str:
        case Chr:
            out += c;
            if (c == '\\' && i + 1 < src.size())
                out += src[++i];
            else if ((state == Str && c == '"') || (state == Chr && c == '\''))
                state = Code;
            break;
        case Line:
            if (c == '\n') state = Code, out += c;
            break;
        case Block:
            if (c == '\n') out += c; // keep line numbers
            if (c == '*' && next == '/') state = Code, ++i;
            break;
        }
    }
    return out;
}

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

// Every GetText( call with its top-level arguments.
std::vector<Lookup> FindLookups(const std::string& file, const std::string& text) {
    std::vector<Lookup> found;
    const std::string src = StripComments(text);
    const std::string name = "GetText";
    for (size_t at = src.find(name); at != std::string::npos; at = src.find(name, at + 1)) {
        const bool identStart =
            at == 0 ||
            !(std::isalnum(static_cast<unsigned char>(src[at - 1])) || src[at - 1] == '_');
        size_t open = at + name.size();
        while (open < src.size() && std::isspace(static_cast<unsigned char>(src[open]))) ++open;
        if (!identStart || open >= src.size() || src[open] != '(') continue;
        std::vector<std::string> args(1);
        int depth = 0;
        bool inString = false;
        size_t i = open + 1;
        for (; i < src.size(); ++i) {
            const char c = src[i];
            if (inString) {
                args.back() += c;
                if (c == '\\')
                    args.back() += src[++i];
                else if (c == '"')
                    inString = false;
                continue;
            }
            if (c == '"') inString = true;
            if (c == '(') ++depth;
            if (c == ')' && depth-- == 0) break;
            if (c == ',' && depth == 0) {
                args.emplace_back();
                continue;
            }
            args.back() += c;
        }
        Lookup l;
        l.File = file;
        l.Line = int(std::count(src.begin(), src.begin() + std::ptrdiff_t(at), '\n')) + 1;
        l.Form = Trim(args[0]);
        l.Key = args.size() > 1 ? Trim(args[1]) : "";
        if (args.size() != 2) l.Key = "<" + std::to_string(args.size()) + " arguments>";
        found.push_back(l);
    }
    return found;
}

bool IsStringLiteral(const std::string& arg) {
    return arg.size() >= 2 && arg.front() == '"' && arg.back() == '"' &&
           arg.find('"', 1) == arg.size() - 1;
}

// The form a lookup names, or "" when the argument is not a plain constant.
std::string FormOf(const std::string& arg) {
    if (arg == "GeneralForm" || arg == "hw::GeneralForm") return GeneralForm;
    if (IsStringLiteral(arg)) return arg.substr(1, arg.size() - 2);
    return "";
}

TEST(TranslationTables, EveryLookupInTheSourcesNamesAKeyOfItsTable) {
    // The text engine itself passes keys through variables.
    const std::set<std::string> engine = {"src/core/text/lang.h", "src/core/text/multi_lang.h",
                                          "src/core/text/multi_lang.cpp",
                                          "src/core/text/lang_registry.cpp"};
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(RepoDir() / "src")) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        const std::string rel = entry.path().lexically_relative(RepoDir()).generic_string();
        if (engine.count(rel)) continue;
        for (const Lookup& l : FindLookups(rel, ReadFile(entry.path()))) {
            const std::string where = l.File + ":" + std::to_string(l.Line) + ": ";
            const std::string form = FormOf(l.Form);
            if (form.empty() || !IsStringLiteral(l.Key)) {
                ADD_FAILURE() << where << "GetText(" << l.Form << ", " << l.Key
                              << ") must name its form and key literally";
                continue;
            }
            const std::string key = l.Key.substr(1, l.Key.size() - 2);
            if (!HasFormTable(form)) {
                ADD_FAILURE() << where << "no table resources/lang/" << form << ".tsv";
                continue;
            }
            const TMultiLang table = LoadFormTable(form);
            bool present = false;
            for (size_t i = 0; i < table.EntryCount(); ++i)
                present = present || LowerKey(table.Key(i)) == LowerKey(key);
            EXPECT_TRUE(present) << where << key << " is not in " << form;
            ++checked;
        }
    }
    // The message procedures and the message boxes look texts up themselves.
    EXPECT_GE(checked, 5);
}

} // namespace
} // namespace hw
