#include "text/start_language.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace hw {
namespace {

TEST(StartLanguage, SwedishUnlessTheUserIsFinnishOrChoseAnother) {
    const struct {
        const char* locale;
        std::optional<int> stored, commandLine;
        int language;
    } cases[] = {
        {"sv_SE.UTF-8", {}, {}, LangSwedish},
        {"en_US", {}, {}, LangSwedish},
        {"", {}, {}, LangSwedish},
        {"fil_PH", {}, {}, LangSwedish},
        {"fi_FI.UTF-8", {}, {}, LangFinnish},
        {"fi-FI", {}, {}, LangFinnish},
        {"FI", {}, {}, LangFinnish},
        {"fi@euro", {}, {}, LangFinnish},
        // A stored choice from an earlier run, then the command line, win.
        {"fi_FI", LangGerman, {}, LangGerman},
        {"sv_SE", LangEnglish, {}, LangEnglish},
        {"sv_SE", LangGerman, LangEnglish, LangEnglish},
        {"fi_FI", {}, LangSwedish, LangSwedish},
        // The stored value comes from a file the user may have edited.
        {"fi_FI", -1, {}, LangFinnish},
        {"fi_FI", 4, {}, LangFinnish},
        {"sv_SE", 1000000, {}, LangSwedish},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseStartLanguage(c.locale, c.stored, c.commandLine), c.language) << c.locale;
}

TEST(StartLanguage, OnlyAFinnishUserSeesTheLanguageMenuWithSvenskAndSuomi) {
    EXPECT_FALSE(LanguageMenuFor("sv_SE.UTF-8").Visible);
    EXPECT_FALSE(LanguageMenuFor("en_GB").Visible);
    const LanguageMenu finnish = LanguageMenuFor("fi_FI.UTF-8");
    EXPECT_TRUE(finnish.Visible);
    EXPECT_FALSE(finnish.Items[LangEnglish]);
    EXPECT_FALSE(finnish.Items[LangGerman]);
    EXPECT_TRUE(finnish.Items[LangSwedish]);
    EXPECT_TRUE(finnish.Items[LangFinnish]);
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
