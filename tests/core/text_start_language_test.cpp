#include "text/start_language.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace hw {
namespace {

TEST(StartLanguage, SwedishUnlessTheUserIsFinnish) {
    const struct {
        const char* locale;
        int language;
    } cases[] = {
        {"sv_SE.UTF-8", LangSwedish}, {"en_US", LangSwedish},   {"de-DE", LangSwedish},
        {"C", LangSwedish},           {"", LangSwedish},        {"fil_PH", LangSwedish},
        {"fi_FI.UTF-8", LangFinnish}, {"fi-FI", LangFinnish},   {"FI", LangFinnish},
        {"fi", LangFinnish},          {"fi@euro", LangFinnish},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseStartLanguage(c.locale, std::nullopt, std::nullopt), c.language)
            << c.locale;
}

TEST(StartLanguage, TheCommandLineWinsThenTheStoredValue) {
    EXPECT_EQ(ChooseStartLanguage("fi_FI", LangGerman, std::nullopt), LangGerman);
    EXPECT_EQ(ChooseStartLanguage("sv_SE", LangEnglish, std::nullopt), LangEnglish);
    EXPECT_EQ(ChooseStartLanguage("sv_SE", LangGerman, LangEnglish), LangEnglish);
    EXPECT_EQ(ChooseStartLanguage("fi_FI", std::nullopt, LangSwedish), LangSwedish);
}

TEST(StartLanguage, AStoredValueOutOfRangeIsIgnored) {
    for (int bad : {-1, 4, 255, 1000000})
        EXPECT_EQ(ChooseStartLanguage("fi_FI", bad, std::nullopt), LangFinnish) << bad;
    EXPECT_EQ(ChooseStartLanguage("sv_SE", 7, std::nullopt), LangSwedish);
}

TEST(StartLanguage, OnlyAFinnishUserSeesTheLanguageMenuWithSvenskAndSuomi) {
    const LanguageMenu swedish = LanguageMenuFor("sv_SE.UTF-8");
    EXPECT_FALSE(swedish.Visible);
    const LanguageMenu english = LanguageMenuFor("en_GB");
    EXPECT_FALSE(english.Visible);
    const LanguageMenu finnish = LanguageMenuFor("fi_FI.UTF-8");
    EXPECT_TRUE(finnish.Visible);
    EXPECT_FALSE(finnish.Items[LangEnglish]);
    EXPECT_FALSE(finnish.Items[LangGerman]);
    EXPECT_TRUE(finnish.Items[LangSwedish]);
    EXPECT_TRUE(finnish.Items[LangFinnish]);
}

TEST(StartLanguage, CodesRoundTrip) {
    for (int lang = 0; lang < LanguageCount; ++lang)
        EXPECT_EQ(LanguageFromCode(LanguageCode(lang)), lang);
    EXPECT_EQ(LanguageFromCode("DE"), LangGerman);
    EXPECT_EQ(LanguageFromCode("Fi"), LangFinnish);
    for (const char* bad : {"", "e", "eng", "se", "sw", "english", "de_DE"})
        EXPECT_EQ(LanguageFromCode(bad), std::nullopt) << bad;
    EXPECT_STREQ(LanguageCode(4), "");
    EXPECT_STREQ(LanguageCode(-1), "");
}

TEST(LanguageOptionParsing, TakesBothSpellingsAndPassesTheRestOn) {
    LanguageOption o = ParseLanguageOption({"--language", "en", "rose.hdw"});
    EXPECT_EQ(o.Language, LangEnglish);
    EXPECT_EQ(o.Error, "");
    EXPECT_EQ(o.Rest, std::vector<std::string>{"rose.hdw"});

    o = ParseLanguageOption({"/tmp/my pattern.hdw", "--language=fi"});
    EXPECT_EQ(o.Language, LangFinnish);
    EXPECT_EQ(o.Rest, std::vector<std::string>{"/tmp/my pattern.hdw"});

    o = ParseLanguageOption({"--language=de", "--language", "sv"});
    EXPECT_EQ(o.Language, LangSwedish);

    o = ParseLanguageOption({});
    EXPECT_EQ(o.Language, std::nullopt);
    EXPECT_TRUE(o.Rest.empty());
}

TEST(LanguageOptionParsing, ReportsMissingAndUnknownLanguages) {
    LanguageOption o = ParseLanguageOption({"rose.hdw", "--language"});
    EXPECT_EQ(o.Language, std::nullopt);
    EXPECT_EQ(o.Error, "--language needs a language: en, de, sv or fi");
    EXPECT_EQ(o.Rest, std::vector<std::string>{"rose.hdw"});

    o = ParseLanguageOption({"--language", "klingon"});
    EXPECT_EQ(o.Language, std::nullopt);
    EXPECT_EQ(o.Error, "unknown language 'klingon' for --language: use en, de, sv or fi");

    o = ParseLanguageOption({"--language="});
    EXPECT_NE(o.Error, "");
}

TEST(LanguageOptionParsing, StopsAtTheEndOfOptions) {
    const LanguageOption o = ParseLanguageOption({"--", "--language", "de"});
    EXPECT_EQ(o.Language, std::nullopt);
    EXPECT_EQ(o.Error, "");
    EXPECT_EQ(o.Rest, (std::vector<std::string>{"--language", "de"}));
    // A name that only starts like the option is a file name.
    EXPECT_EQ(ParseLanguageOption({"--languages.hdw"}).Rest,
              std::vector<std::string>{"--languages.hdw"});
}

} // namespace
} // namespace hw
