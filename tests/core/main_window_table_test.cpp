// Checks the main window's translation table against the menu tree that
// src/app/mainwindow/main_menu.cpp builds: every menu, item and separator has
// a complete entry (or is left to code through #DoNot), the English texts are
// the code's captions, every item with a command has a hint, and no two
// entries of one menu share an accelerator letter.
#include "text/lang.h"
#include "text/multi_lang.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace hw {
namespace {

const char* const LanguageNames[LanguageCount] = {"English", "German", "Swedish", "Finnish"};

fs::path RepoDir() {
    return fs::path(HW_TEST_DATA_DIR).lexically_normal().parent_path().parent_path();
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// One menu, menu item or named separator that the menu code creates.
struct MenuObject {
    std::string Name;
    std::string Caption; // the English caption as the code writes it
    std::string Menu;    // the menu it belongs to; "" for the menu bar
    bool IsItem = false; // an item with a command
    bool IsSeparator = false;
};

struct MenuSource {
    std::vector<MenuObject> Objects;
    std::vector<std::string> Errors;
};

bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// The source with comments and the insides of string and character literals
// blanked out, so that braces, commas and names are found only in code.
std::string CodeMask(const std::string& src) {
    std::string mask = src;
    enum { Code, Str, Chr, Line, Block } state = Code;
    for (size_t i = 0; i < src.size(); ++i) {
        const char c = src[i];
        const char next = i + 1 < src.size() ? src[i + 1] : '\0';
        switch (state) {
        case Code:
            if (c == '/' && next == '/')
                state = Line, mask[i] = mask[i + 1] = ' ', ++i;
            else if (c == '/' && next == '*')
                state = Block, mask[i] = mask[i + 1] = ' ', ++i;
            else if (c == '"')
                state = Str;
            else if (c == '\'')
                state = Chr;
            break;
        case Str:
        case Chr:
            if (c == '\\' && i + 1 < src.size()) {
                mask[i] = mask[i + 1] = ' ';
                ++i;
            } else if ((state == Str && c == '"') || (state == Chr && c == '\'')) {
                state = Code;
            } else if (c != '\n') {
                mask[i] = ' ';
            }
            break;
        case Line:
            if (c == '\n')
                state = Code;
            else
                mask[i] = ' ';
            break;
        case Block:
            if (c == '*' && next == '/')
                state = Code, mask[i] = mask[i + 1] = ' ', ++i;
            else if (c != '\n')
                mask[i] = ' ';
            break;
        }
    }
    return mask;
}

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

// The top-level arguments of the call whose "(" is at open.
std::vector<std::string> CallArguments(const std::string& src, const std::string& mask,
                                       size_t open) {
    std::vector<std::string> args;
    int depth = 0;
    size_t start = open + 1;
    for (size_t i = open + 1; i < mask.size(); ++i) {
        const char c = mask[i];
        if (c == '(') ++depth;
        if ((c == ',' && depth == 0) || (c == ')' && depth == 0)) {
            args.push_back(Trim(src.substr(start, i - start)));
            start = i + 1;
            if (c == ')') break;
        }
        if (c == ')') --depth;
    }
    return args;
}

// The value of a plain string literal argument.
bool Literal(const std::string& arg, std::string& value) {
    if (arg.size() < 2 || arg.front() != '"' || arg.back() != '"') return false;
    value.clear();
    for (size_t i = 1; i + 1 < arg.size(); ++i) {
        if (arg[i] == '"') return false; // two literals or more
        if (arg[i] == '\\' && i + 2 < arg.size()) ++i;
        value += arg[i];
    }
    return true;
}

// A counted loop right before a call: for (int i = A; i <= B; ++i) Add(...);
struct Loop {
    std::string Var;
    int From = 0, To = -1;
};

// An argument's value for one pass of a loop: a literal, or
// QString("...%1...").arg(<loop variable>).
bool ArgumentValue(const std::string& arg, const Loop* loop, int pass, std::string& value) {
    if (Literal(arg, value)) return true;
    static const std::regex formatted(R"re(^QString\((".*")\)\s*\.\s*arg\(\s*(\w+)\s*\)$)re");
    std::smatch m;
    if (!loop || !std::regex_match(arg, m, formatted) || m[2].str() != loop->Var) return false;
    if (!Literal(m[1].str(), value)) return false;
    const size_t at = value.find("%1");
    if (at == std::string::npos) return false;
    value.replace(at, 2, std::to_string(pass));
    return true;
}

// Reads the menu tree from the body of the MainMenu constructor.
MenuSource ReadMenuSource(const std::string& src) {
    MenuSource out;
    const std::string mask = CodeMask(src);
    const size_t ctor = mask.find("MainMenu::MainMenu(");
    const size_t open = ctor == std::string::npos ? ctor : mask.find('{', ctor);
    if (open == std::string::npos) {
        out.Errors.push_back("no MainMenu constructor");
        return out;
    }
    size_t close = open;
    for (int depth = 0; close < mask.size(); ++close) {
        if (mask[close] == '{') ++depth;
        if (mask[close] == '}' && --depth == 0) break;
    }
    const std::string body = mask.substr(open, close - open);
    auto lineOf = [&](size_t at) {
        return int(std::count(src.begin(), src.begin() + std::ptrdiff_t(at), '\n')) + 1;
    };

    // Where the body of each counted loop begins, and the variable that
    // keeps each new menu.
    std::map<size_t, Loop> loops;
    static const std::regex loopHead(
        R"(for\s*\(\s*int\s+(\w+)\s*=\s*(\d+)\s*;\s*(\w+)\s*<=\s*(\d+)\s*;\s*\+\+\s*(\w+)\s*\)\s*)");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), loopHead);
         it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        if (m[3].str() != m[1].str() || m[5].str() != m[1].str()) continue;
        loops[open + size_t(m.position(0) + m.length(0))] =
            Loop{m[1].str(), std::stoi(m[2].str()), std::stoi(m[4].str())};
    }
    std::map<size_t, std::string> keptIn; // position of a call -> its result variable
    static const std::regex menuVar(R"(QMenu\s*\*\s*(\w+)\s*=\s*(top|AddMenu)\s*\()");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), menuVar);
         it != std::sregex_iterator(); ++it)
        keptIn[open + size_t(it->position(2))] = (*it)[1].str();

    std::map<std::string, std::string> menuOfVar;
    size_t at = open;
    while (at < close) {
        if (!IsIdentChar(mask[at])) {
            ++at;
            continue;
        }
        const size_t wordAt = at;
        while (at < close && IsIdentChar(mask[at])) ++at;
        const std::string word = mask.substr(wordAt, at - wordAt);
        size_t paren = at;
        while (paren < close && std::isspace(static_cast<unsigned char>(mask[paren]))) ++paren;
        if (paren >= close || mask[paren] != '(' ||
            (word != "top" && word != "AddMenu" && word != "Add" && word != "setObjectName"))
            continue;
        const std::vector<std::string> args = CallArguments(src, mask, paren);
        const int line = lineOf(wordAt);
        const std::string where = "line " + std::to_string(line) + ": ";

        if (word == "setObjectName") {
            // Named separators. The helpers name their own objects from
            // variables; those names are read at the helpers' calls.
            MenuObject o;
            if (args.size() == 1 && Literal(args[0], o.Name)) {
                o.IsSeparator = true;
                out.Objects.push_back(o);
            }
            continue;
        }
        const size_t nameArg = word == "top" ? 0 : 1;
        if (args.size() < nameArg + 2) {
            out.Errors.push_back(where + "too few arguments to " + word + "(...)");
            continue;
        }
        std::string menu;
        if (word != "top") {
            const auto parent = menuOfVar.find(args[0]);
            if (parent == menuOfVar.end()) {
                out.Errors.push_back(where + "unknown menu variable \"" + args[0] + "\"");
                continue;
            }
            menu = parent->second;
        }
        const auto loop = loops.find(wordAt);
        const Loop* l = loop == loops.end() ? nullptr : &loop->second;
        const int first = l ? l->From : 0, last = l ? l->To : 0;
        for (int pass = first; pass <= last; ++pass) {
            MenuObject o;
            o.Menu = menu;
            o.IsItem = word == "Add";
            if (!ArgumentValue(args[nameArg], l, pass, o.Name) ||
                !ArgumentValue(args[nameArg + 1], l, pass, o.Caption)) {
                out.Errors.push_back(where + "cannot read the name and caption of " + word + "(" +
                                     args[nameArg] + ", " + args[nameArg + 1] + ")");
                break;
            }
            out.Objects.push_back(o);
            const auto var = keptIn.find(wordAt);
            if (var != keptIn.end()) menuOfVar[var->second] = o.Name;
        }
    }
    return out;
}

// The accelerators of a caption: the characters after single "&"s ("&&"
// stands for "&" itself), folded to lower case. A "&" at the very end counts
// with the value 0.
std::vector<char32_t> Accelerators(const std::string& text) {
    std::vector<char32_t> found;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (i + 1 < text.size() && text[i + 1] == '&') {
            ++i;
            continue;
        }
        char32_t c = 0;
        if (i + 1 < text.size()) {
            const unsigned char b = static_cast<unsigned char>(text[i + 1]);
            if (b < 0x80)
                c = b;
            else if ((b & 0xE0) == 0xC0 && i + 2 < text.size())
                c = char32_t(b & 0x1F) << 6 |
                    char32_t(static_cast<unsigned char>(text[i + 2]) & 0x3F);
            else
                c = 0xFFFD; // beyond the Latin letters of the four languages
        }
        if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
        if (c >= 0xC0 && c <= 0xDE && c != 0xD7) c += 0x20; // Ä, Å, Ö, Ü ...
        found.push_back(c);
    }
    return found;
}

std::string Utf8(char32_t c) {
    if (c < 0x80) return std::string(1, char(c));
    if (c < 0x800) return {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
    return "?";
}

bool IsNameKey(const std::string& key) {
    return !key.empty() && key != "\"" && LowerKey(key) != "\".hint" && key.front() != '@' &&
           LowerKey(key) != "%form%";
}

// Everything wrong between the menu tree and the table, one line per fault.
std::vector<std::string> MenuTableFaults(const MenuSource& source, const TMultiLang& table) {
    std::vector<std::string> faults;
    std::map<std::string, size_t> entryOf; // lower-case name -> entry
    for (size_t i = 0; i < table.EntryCount(); ++i)
        if (IsNameKey(table.Key(i))) entryOf.emplace(LowerKey(table.Key(i)), i);
    // The hint entry that belongs to a component's entry, or npos.
    auto hintOf = [&](size_t entry) {
        for (size_t j = entry + 1; j < table.EntryCount(); ++j) {
            const std::string key = LowerKey(table.Key(j));
            if (key == "\".hint") return j;
            if (IsNameKey(key) || key == "%form%") break;
        }
        return std::string::npos;
    };

    // The accelerators of each menu, in each language: letter -> first owner.
    std::map<std::string, std::map<char32_t, std::string>> taken[LanguageCount];
    for (const MenuObject& o : source.Objects) {
        const bool left =
            std::any_of(table.DoNot.begin(), table.DoNot.end(),
                        [&](const std::string& n) { return LowerKey(n) == LowerKey(o.Name); });
        const auto found = entryOf.find(LowerKey(o.Name));
        if (left) {
            if (found != entryOf.end()) faults.push_back(o.Name + ": in #DoNot but has an entry");
            continue;
        }
        if (found == entryOf.end()) {
            faults.push_back(o.Name + ": no entry and not in #DoNot");
            continue;
        }
        const size_t e = found->second;
        const std::string& english = table.RawText(e, LangEnglish);
        if (!o.IsSeparator && english != o.Caption)
            faults.push_back(o.Name + ": English text \"" + english + "\" is not the caption \"" +
                             o.Caption + "\" of the code");
        for (int lang = 0; lang < table.Languages; ++lang)
            if (table.RawText(e, lang).empty())
                faults.push_back(o.Name + ": no text in " + LanguageNames[lang]);
        if (o.IsItem) {
            const size_t hint = hintOf(e);
            if (hint == std::string::npos)
                faults.push_back(o.Name + ": no hint");
            else
                for (int lang = 0; lang < table.Languages; ++lang)
                    if (table.RawText(hint, lang).empty())
                        faults.push_back(o.Name + ": no hint in " + LanguageNames[lang]);
        }
        if (o.Menu == "Language1")
            for (int lang = 1; lang < table.Languages; ++lang)
                if (table.RawText(e, lang) != english)
                    faults.push_back(o.Name + ": a language keeps its own name, but reads \"" +
                                     table.RawText(e, lang) + "\" in " + LanguageNames[lang]);

        const size_t englishMarks = Accelerators(english).size();
        for (int lang = 0; lang < table.Languages; ++lang) {
            if (table.RawText(e, lang).empty()) continue; // reported above
            const std::vector<char32_t> keys = Accelerators(table.RawText(e, lang));
            if (keys.size() != englishMarks || keys.size() > 1)
                faults.push_back(o.Name + ": " + std::to_string(keys.size()) + " accelerators in " +
                                 LanguageNames[lang] + ", " + std::to_string(englishMarks) +
                                 " in English");
            if (keys.empty() || keys.front() == 0) continue;
            auto [owner, fresh] = taken[lang][o.Menu].emplace(keys.front(), o.Name);
            if (!fresh)
                faults.push_back((o.Menu.empty() ? "the menu bar" : "menu " + o.Menu) + ", " +
                                 LanguageNames[lang] + ": " + owner->second + " and " + o.Name +
                                 " share the accelerator '" + Utf8(keys.front()) + "'");
        }
    }
    return faults;
}

TEST(TranslationMainWindowTable, TheCheckerCatchesEachKindOfFault) {
    const std::string code = R"(
namespace hw {
MainMenu::MainMenu(QMainWindow* window, QObject* receiver) : window_(window) {
    auto top = [&](const QString& name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(name);  // a helper naming from a variable
        return m;
    };
    QMenu* file = top("File1", "&File");
    Add(file, "Open1", "&Open...", "Open1Click", "Ctrl+O");
    Add(file, "Other1", "&other", "Other1Click");
    QMenu* sub = AddMenu(file, "Sub1", "&Sub, \"quoted\"");
    Add(sub, "Gone1", "Gone", "Gone1Click");
    Add(sub, "Kept1", "Kept", "Kept1Click");
    QMenu* language = AddMenu(file, "Language1", "&Language");
    Add(language, "English1", "&English", "English1Click");
    for (int i = 1; i <= 2; ++i)
        Add(file, QString("recent%1").arg(i), QString("&%1 ").arg(i), QString("r%1").arg(i));
    QAction* s = file->addSeparator();
    s->setObjectName("sep1");
    // Add(file, "Commented1", "Commented", "x");
    Add(file, NameOf(3), "Unread", "UnreadClick");
    Add(nowhere, "Lost1", "Lost", "Lost1Click");
}
void MainMenu::Other() { Add(file, "Outside1", "Outside", "x"); }
} // namespace hw
)";
    const MenuSource source = ReadMenuSource(code);
    std::vector<std::string> read;
    for (const MenuObject& o : source.Objects)
        read.push_back(o.Menu + "/" + o.Name + "=" + o.Caption + (o.IsItem ? " item" : ""));
    const std::vector<std::string> expectRead = {"/File1=&File",
                                                 "File1/Open1=&Open... item",
                                                 "File1/Other1=&other item",
                                                 "File1/Sub1=&Sub, \"quoted\"",
                                                 "Sub1/Gone1=Gone item",
                                                 "Sub1/Kept1=Kept item",
                                                 "File1/Language1=&Language",
                                                 "Language1/English1=&English item",
                                                 "File1/recent1=&1  item",
                                                 "File1/recent2=&2  item",
                                                 "/sep1="};
    EXPECT_EQ(read, expectRead);
    ASSERT_EQ(source.Errors.size(), 2u);
    EXPECT_EQ(source.Errors[0],
              "line 22: cannot read the name and caption of Add(NameOf(3), \"Unread\")");
    EXPECT_EQ(source.Errors[1], "line 23: unknown menu variable \"nowhere\"");

    const std::string tsv = "#DoNot\trecent1\trecent2\tsep1\tKept1\n"
                            "File1\t&File\t&Datei\t\t&Tiedosto\n"
                            "Open1\t&Open...\t&Öffnen...\t&Öppna...\tAvaa...\n"
                            "\".Hint\tOpen|Open a file\tÖffnen|Datei öffnen\tx|y\tx|y\n"
                            "Other1\t&other\t&Anderes\t&övrigt\t&Muu\n"
                            "Sub1\t&Subs, \"quoted\"\t&Un&ter\tU&nder\tA&la && muu\n"
                            "Kept1\tKept\tBehalten\tKvar\tJää\n"
                            "Language1\t&Language\t&Sprache\t&Språk\t&Kieli\n"
                            "English1\t&English\t&Englisch\t&English\t&English\n"
                            "\".Hint\tEnglish|In English\tEnglish|Auf Englisch\tEnglish|x\t\n";
    const TableParse parsed = ParseTable("TWform", tsv);
    ASSERT_TRUE(parsed.Errors.empty());
    std::vector<std::string> faults = MenuTableFaults(source, parsed.Table);
    std::sort(faults.begin(), faults.end());
    std::vector<std::string> expect = {
        "English1: a language keeps its own name, but reads \"&Englisch\" in German",
        "English1: no hint in Finnish",
        "File1: no text in Swedish",
        "Gone1: no entry and not in #DoNot",
        "Kept1: in #DoNot but has an entry",
        "Open1: 0 accelerators in Finnish, 1 in English",
        "Other1: no hint",
        "Sub1: 2 accelerators in German, 1 in English",
        "Sub1: English text \"&Subs, \"quoted\"\" is not the caption \"&Sub, \"quoted\"\" of "
        "the code",
        "menu File1, English: Open1 and Other1 share the accelerator 'o'",
        "menu File1, Swedish: Open1 and Other1 share the accelerator 'ö'",
    };
    std::sort(expect.begin(), expect.end());
    EXPECT_EQ(faults, expect);
}

TEST(TranslationMainWindowTable, CoversEveryMenuObjectTheWindowBuilds) {
    const fs::path path = RepoDir() / "src" / "app" / "mainwindow" / "main_menu.cpp";
    const MenuSource source = ReadMenuSource(ReadFile(path));
    for (const std::string& e : source.Errors) ADD_FAILURE() << "main_menu.cpp " << e;
    ASSERT_FALSE(source.Objects.empty()) << "no menu read from " << path;
    const bool hasRecentFiles =
        std::any_of(source.Objects.begin(), source.Objects.end(),
                    [](const MenuObject& o) { return o.Name == "menyfil7" && o.IsItem; });
    EXPECT_TRUE(hasRecentFiles) << "the recent-file items were not read";

    // Two clashes come with the English captions of the program's menu, which
    // the table must not change; every other one is a fault.
    std::vector<std::string> inherited = {
        "menu Options1, English: ColorWindow1 and ColorDialogItem share the accelerator 'c'",
        "menu Utilities1, English: EditColors1 and SwitchTreadles1 share the accelerator 'e'"};
    for (const std::string& fault : MenuTableFaults(source, LoadFormTable("TWform"))) {
        const auto known = std::find(inherited.begin(), inherited.end(), fault);
        if (known != inherited.end())
            inherited.erase(known);
        else
            ADD_FAILURE() << fault;
    }
    for (const std::string& gone : inherited)
        ADD_FAILURE() << "no longer found, drop it from the list: " << gone;
}

} // namespace
} // namespace hw
