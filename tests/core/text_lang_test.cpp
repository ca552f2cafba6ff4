// The text module: translation tables and their lookups, the message
// procedures, and the language a run starts in.
#include "text/lang.h"
#include "text/messages.h"
#include "text/multi_lang.h"
#include "text/start_language.h"

#include "scripted_prompter.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace hw {
namespace {

using Strings = std::vector<std::string>;
using test::ScriptedPrompter;

// For the whole core test program: a lookup of a key its table lacks (or of
// a table not compiled in) fails the test that made it.
[[maybe_unused]] const bool missingTextsFail = [] {
    SetTextNotFoundHandler([](std::string_view form, std::string_view key) {
        ADD_FAILURE() << "no entry \"" << key << "\" in the table of " << form;
    });
    return true;
}();

// Collects the lookups that find nothing, in place of the handler that fails
// the test, and puts the language back to English.
struct MissedLookups {
    Strings Keys;
    TextNotFoundHandler previous =
        SetTextNotFoundHandler([this](std::string_view form, std::string_view key) {
            Keys.push_back(std::string(form) + " " + std::string(key));
        });
    ~MissedLookups() {
        SetTextNotFoundHandler(previous);
        SetLanguage(LangEnglish);
    }
};

TEST(TextTable, ReadsEntriesAndReportsBadLinesByNumber) {
    const std::string tsv = "\xEF\xBB\xBF# a comment line\r\n"
                            "\r\n"
                            "#DoNot\tPanel1\t\tPanel2\n"
                            "@tab\ta\\tb\tline1\\nline2\tback\\\\slash\t\n"
                            "@space\t - Pick #\t - Schuss \t\t \n"
                            "@short\tA\tB\n"
                            "\tA\tB\tC\tD\n"
                            "@esc\tC:\\Patterns\tB\tC\tD\n"
                            "\"\torphan\tx\tx\tx\n"
                            "@TAB\tagain\tB\tC\tD\n"
                            "%Form%\tT\tT\tT\tT\n"
                            "\".Hint\ta|b\ta|b\ta|b\ta|b\n"
                            "@last\tA\tB\tC\tD"; // no final newline
    const TableParse p = ParseTable("TSample", tsv);
    EXPECT_EQ(p.Errors, (Strings{"line 6: 3 fields, expected 5", "line 7: empty key",
                                 "line 8: unknown backslash escape",
                                 "line 9: item or hint without a component before it",
                                 "line 10: key \"@TAB\" appears twice",
                                 "line 12: item or hint without a component before it"}));
    const TMultiLang& t = p.Table;
    EXPECT_EQ(t.Words, (Strings{"@tab", "a\tb", "line1\nline2", "back\\slash", "",
                                // Spaces at either end belong to the text: pieces are glued.
                                "@space", " - Pick #", " - Schuss ", "", " ",
                                // A bad escape is kept as written.
                                "@esc", "C:\\Patterns", "B", "C", "D", "%Form%", "T", "T", "T", "T",
                                "@last", "A", "B", "C", "D"}));
    EXPECT_EQ(t.DoNot, (Strings{"Panel1", "Panel2"}));
}

TEST(TextLookup, FindsKeysInAnyCaseFallsBackWhenAllowedAndReportsMissingKeys) {
    TMultiLang t = ParseTable("TSample", "@globnopat\tNo Pattern.\tKein Muster.\t\tEi mallia.\n"
                                         "@blank\t\t\t\t\n"
                                         "OpenDialog\t\t\t\t\n"
                                         "\"\tPatterns|*.hdw\tMuster|*.hdw\tx\tx\n"
                                         "\".Hint\ta|b\tc|d\te|f\tg|h\n"
                                         "\"\tAny|*\tAlle|*\tx\tx\n"
                                         "Next\tx\tx\tx\tx\n"
                                         "\"\tnot mine\tx\tx\tx\n")
                       .Table;
    MissedLookups missed;
    EXPECT_EQ(GetText(t, "@GLOBNOPAT"), "No Pattern.");
    t.ActiveLanguage = LangFinnish;
    EXPECT_EQ(GetText(t, "@GlobNoPat"), "Ei mallia.");
    t.ActiveLanguage = LangSwedish; // no Swedish text: English
    EXPECT_EQ(GetText(t, "@globnopat"), "No Pattern.");
    EXPECT_EQ(GetText(t, "@blank"), "");
    t.ActiveLanguage = LangGerman;
    EXPECT_EQ(GetItems(t, "opendialog"), (Strings{"Muster|*.hdw", "Alle|*"}));
    EXPECT_EQ(GetText(t, "@globnopa"), "@globnopa");
    EXPECT_TRUE(GetItems(t, "Nothing").empty());
    EXPECT_EQ(GetText("TNoSuchForm", "@globnopat"), "@globnopat");
    EXPECT_EQ(missed.Keys,
              (Strings{"TSample @globnopa", "TSample Nothing", "TNoSuchForm @globnopat"}));
}

// Forms that follow the registry's switches are checked with real widgets
// in the app tests; here the lookups by code and a table lacking languages.
TEST(TextRegistry, LookupsFollowTheCurrentLanguage) {
    MissedLookups reset;
    EXPECT_EQ(GetText(GeneralForm, "@GLOBNOPAT"), "No Pattern.");
    ASSERT_TRUE(SetLanguage(LangGerman));
    EXPECT_EQ(GetText(GeneralForm, "@globnopat"), "Kein Muster.");
    // One key, two forms, two texts.
    EXPECT_EQ(GetText(GeneralForm, "@fromend"), "Ab Kettfaden:");
    EXPECT_EQ(GetText("TInsThrDlg", "@fromend"), "Kettfaden Nr. 1");
    ASSERT_TRUE(SetLanguage(LangFinnish));
    EXPECT_EQ(GetText("TWform", "@IDTREADLE"), "Poljin");
    // Outside the four languages nothing changes.
    EXPECT_FALSE(SetLanguage(LanguageCount));
    EXPECT_FALSE(SetLanguage(-1));
    EXPECT_EQ(CurrentLanguage(), LangFinnish);
    // A form made now starts in Finnish; one whose table lacks it, in its default.
    TMultiLang t = ParseTable("TSample", "@msg\tHello\tHallo\tHej\tHei\n").Table;
    Loaded(t);
    EXPECT_EQ(GetText(t, "@msg"), "Hei");
    t.Languages = 2;
    t.Words = {"@msg", "Two", "Zwei"};
    Loaded(t);
    EXPECT_EQ(GetText(t, "@msg"), "Two");
    // Asked for a language it lacks, it says why and stays as it is.
    for (int bad : {LanguageCount, -1, LangSwedish}) {
        const LanguageChange change = SetActiveLanguage(t, bad);
        EXPECT_TRUE(change.Refused) << bad;
        EXPECT_EQ(change.Message, "Value must not be higher than\nnumber of available languages.");
    }
    EXPECT_EQ(GetText(t, "@msg"), "Two");
}

// The reader reports faulty lines (field counts, escapes, keys twice, stray
// items); the texts must besides be complete in every language, hints
// "short|long", messages no longer than a box holds, and pieces glued to
// numbers keep their spaces.
TEST(TranslationTables, EveryTableReadsCleanAndEveryTextIsComplete) {
    for (const std::string& form : FormTableNames()) {
        const TableParse parsed = ParseTable(form, FormTableSource(form));
        for (const std::string& e : parsed.Errors) ADD_FAILURE() << form << ": " << e;
        const TMultiLang& t = parsed.Table;
        for (size_t i = 0; i < t.EntryCount(); ++i) {
            const std::string& key = t.Key(i);
            const std::string& english = t.RawText(i, LangEnglish);
            for (int lang = 0; lang < t.Languages; ++lang) {
                SCOPED_TRACE(form + " " + key + " in language " + std::to_string(lang));
                const std::string& text = t.RawText(i, lang);
                EXPECT_FALSE(text.empty() && !english.empty()) << "no text";
                if (LowerKey(key) == "\".hint" && !text.empty()) {
                    const size_t bar = text.find('|');
                    EXPECT_TRUE(bar != std::string::npos && bar > 0 && bar + 1 < text.size())
                        << "hint is not \"short|long\": " << text;
                }
                const auto isLead = [](char ch) { return (ch & 0xC0) != 0x80; };
                if (key.front() == '@') {
                    EXPECT_LE(std::count_if(text.begin(), text.end(), isLead), 255) << text;
                }
                if (english.empty() || text.empty()) continue;
                EXPECT_FALSE(english.front() == ' ' && text.front() != ' ') << "leading space";
                EXPECT_FALSE(english.back() == ' ' && text.back() != ' ') << "trailing space";
            }
        }
    }
}

TEST(MessageProcedures, QuestionsAddAQuestionMarkAndMapTheAnswers) {
    // The answer, then what ConfirmQuestion, ConfirmQuestion3 and ConfirmOk make of it.
    for (const auto& [answer, expected] : std::map<int, std::string>{{IdYes, "1 1 0"},
                                                                     {IdNo, "0 2 0"},
                                                                     {IdCancel, "0 3 0"},
                                                                     {IdOk, "0 3 1"},
                                                                     {0, "0 3 0"}}) {
        ScriptedPrompter p;
        p.Answers = {answer, answer, answer};
        const bool yes = ConfirmQuestion(p, "Rotate Pattern");
        const int choice = ConfirmQuestion3(p, "Save changes to rose.hdw");
        const bool ok = ConfirmOk(p, "Convert to straight threading?");
        EXPECT_EQ(std::to_string(yes) + " " + std::to_string(choice) + " " + std::to_string(ok),
                  expected)
            << answer;
        ASSERT_EQ(p.Shown.size(), 3u);
        EXPECT_EQ(p.Shown[0].Kind + p.Shown[0].Text, "yesnoRotate Pattern?");
        EXPECT_EQ(p.Shown[1].Kind + p.Shown[1].Text, "yesnocancelSave changes to rose.hdw?");
        EXPECT_EQ(p.Shown[2].Kind + p.Shown[2].Text, "okcancelConvert to straight threading?");
    }
}

TEST(CheckPattern, NeedsThreadingAndWeftingInView) {
    ViewWindow v;
    v.VisibleEnds = v.VisiblePicks = 100;
    const struct {
        const char* what;
        int threadedEnd, treadledPick, liftedPick; // 0: none
        bool liftplan, expected;
    } cases[] = {
        {"empty draft", 0, 0, 0, false, false},
        {"both in view", 3, 5, 0, false, true},
        {"threading only", 3, 0, 0, false, false},
        {"treadling only", 0, 5, 0, false, false},
        {"threading past the view", 150, 5, 0, false, false},
        {"treadling past the view", 3, 150, 0, false, false},
        {"liftplan mode reads no treadling", 3, 5, 0, true, false},
        {"liftplan in view", 3, 0, 5, true, true},
    };
    for (const auto& c : cases) {
        auto d = test::NewDraft();
        if (c.liftplan) SetLoomSystem(*d, LoomSystem::Liftplan);
        if (c.threadedEnd) d->Threading[size_t(c.threadedEnd)] = 2;
        if (c.treadledPick) d->Treadling[size_t(c.treadledPick)] = 1;
        if (c.liftedPick) d->Liftplan[size_t(c.liftedPick)] = 0x0005;
        ScriptedPrompter p;
        EXPECT_EQ(CheckPattern(p, *d, v), c.expected) << c.what;
        EXPECT_EQ(p.LastText(), c.expected ? "" : "No Pattern.") << c.what;
    }
    // The text is looked up when it is shown.
    MissedLookups reset;
    SetLanguage(LangFinnish);
    ScriptedPrompter p;
    EXPECT_FALSE(CheckPattern(p, *test::NewDraft(), v));
    EXPECT_EQ(p.Shown.back().Kind + p.LastText(), "infoEi mallia.");
}

TEST(StartLanguage, SwedishUnlessTheUserIsFinnishOrChoseAnother) {
    for (const char* locale : {"sv_SE.UTF-8", "en_US", "", "fil_PH"})
        EXPECT_EQ(ChooseStartLanguage(locale, {}, {}), LangSwedish) << locale;
    for (const char* locale : {"fi_FI.UTF-8", "fi-FI", "FI", "fi@euro"})
        EXPECT_EQ(ChooseStartLanguage(locale, {}, {}), LangFinnish) << locale;
    // A stored choice from an earlier run, then the command line, win.
    EXPECT_EQ(ChooseStartLanguage("fi_FI", LangGerman, {}), LangGerman);
    EXPECT_EQ(ChooseStartLanguage("sv_SE", LangEnglish, {}), LangEnglish);
    EXPECT_EQ(ChooseStartLanguage("sv_SE", LangGerman, LangEnglish), LangEnglish);
    EXPECT_EQ(ChooseStartLanguage("fi_FI", {}, LangSwedish), LangSwedish);
    // The stored value comes from a file the user may have edited.
    for (int stored : {-1, 4, 1000000})
        EXPECT_EQ(ChooseStartLanguage("fi_FI", stored, {}), LangFinnish) << stored;
}

TEST(StartLanguage, OnlyAFinnishUserSeesTheLanguageMenuWithSvenskAndSuomi) {
    EXPECT_FALSE(LanguageMenuFor("sv_SE.UTF-8").Visible || LanguageMenuFor("en_GB").Visible);
    const LanguageMenu fi = LanguageMenuFor("fi_FI.UTF-8");
    EXPECT_TRUE(fi.Visible && !fi.Items[0] && !fi.Items[1] && fi.Items[2] && fi.Items[3]);
}

TEST(LanguageOptionParsing, TakesBothSpellingsAndPassesTheRestOn) {
    LanguageOption o = ParseLanguageOption({"--language", "EN", "rose.hdw"});
    EXPECT_EQ(o.Language, LangEnglish);
    EXPECT_EQ(o.Error, "");
    EXPECT_EQ(o.Rest, std::vector<std::string>{"rose.hdw"});
    o = ParseLanguageOption({"/tmp/my pattern.hdw", "--language=de", "--language=fi"});
    EXPECT_EQ(o.Language, LangFinnish);
    EXPECT_EQ(o.Rest, std::vector<std::string>{"/tmp/my pattern.hdw"});
    // After "--" everything is a file name, and so is a look-alike.
    o = ParseLanguageOption({"--languages.hdw", "--", "--language", "sv"});
    EXPECT_EQ(o.Language, std::nullopt);
    EXPECT_EQ(o.Rest, (std::vector<std::string>{"--languages.hdw", "--language", "sv"}));
}

TEST(LanguageOptionParsing, ReportsMissingAndUnknownLanguages) {
    LanguageOption o = ParseLanguageOption({"rose.hdw", "--language"});
    EXPECT_EQ(o.Error, "--language needs a language: en, de, sv or fi");
    EXPECT_EQ(o.Rest, std::vector<std::string>{"rose.hdw"});
    for (const char* bad : {"klingon", "se", "english", "de_DE", ""}) {
        o = ParseLanguageOption({std::string("--language=") + bad});
        EXPECT_EQ(o.Language, std::nullopt) << bad;
        EXPECT_EQ(o.Error, "unknown language '" + std::string(bad) +
                               "' for --language: use en, de, sv or fi");
    }
}

} // namespace
} // namespace hw
