#include "text/lang.h"
#include "text/multi_lang.h"

#include "scripted_prompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace hw {
namespace {

// Puts the global language back to English whatever a test did.
struct LanguageReset {
    ~LanguageReset() { SetLanguage(LangEnglish); }
};

TMultiLang Table(const std::string& tsv) {
    TableParse parsed = ParseTable("TSample", tsv);
    EXPECT_TRUE(parsed.Errors.empty()) << parsed.Errors.front();
    return parsed.Table;
}

// Records what the walk hands to a form that has the components in Present.
class RecordingTarget : public LangTarget {
public:
    std::vector<std::string> Present;
    std::string Caption;
    std::vector<ComponentTexts> Applied;
    std::vector<std::string> Missed;
    std::string Font = "Sans,1";

    void SetCaption(const std::string& text) override { Caption = text; }
    bool ApplyComponent(const ComponentTexts& t) override {
        const bool here = std::find(Present.begin(), Present.end(), t.Name) != Present.end();
        if (here)
            Applied.push_back(t);
        else
            Missed.push_back(t.Name);
        return here;
    }
    std::string FontEntry() const override { return Font; }
    void SetFont(const std::string& face, int charSet) override {
        Font = face + "," + std::to_string(charSet);
    }
    const ComponentTexts* Last(const std::string& name) const {
        for (auto it = Applied.rbegin(); it != Applied.rend(); ++it)
            if (it->Name == name) return &*it;
        return nullptr;
    }
};

const char* const SampleForm = "%Form%\tSample\tMuster\tMönster\tMalli\n"
                               "ShedGroup\tShed\tFach\tSkäl\tViriö\n"
                               "\"\tRising\tHochfach\tLyftskäl\tNouseva\n"
                               "\"\tSinking\tTieffach\tSänkskäl\tLaskeva\n"
                               "\".Hint\tShed|Choose the shed\tFach|Fach wählen\t\tViriö\n"
                               "@msg\tHello\tHallo\tHej\tHei\n"
                               "Ghost\tBoo\tBuh\tBu\tBöö\n"
                               "\"\tghost item\tx\tx\tx\n"
                               "OkBtn\tOK\tOK\tOK\tOK\n";

TEST(TextTable, ParsesEntriesEscapesAndSettingsLines) {
    const std::string tsv = "\xEF\xBB\xBF# a comment line\r\n"
                            "\r\n"
                            "#DoNot\tPanel1\t\tPanel2\n"
                            "#CharSets\tTahoma,0\tArial,1\n"
                            "#DefaultEnabled\t0\n"
                            "@tab\ta\\tb\tline1\\nline2\tback\\\\slash\t\n"
                            "@space\t - Pick #\t - Schuss \t\t \n";
    TableParse p = ParseTable("TSample", tsv);
    ASSERT_TRUE(p.Errors.empty()) << p.Errors.front();
    const TMultiLang& t = p.Table;
    ASSERT_EQ(t.EntryCount(), 2u);
    EXPECT_EQ(t.Key(0), "@tab");
    EXPECT_EQ(t.RawText(0, LangEnglish), "a\tb");
    EXPECT_EQ(t.RawText(0, LangGerman), "line1\nline2");
    EXPECT_EQ(t.RawText(0, LangSwedish), "back\\slash");
    EXPECT_EQ(t.RawText(0, LangFinnish), "");
    // Spaces at either end belong to the text: these pieces are concatenated.
    EXPECT_EQ(t.RawText(1, LangEnglish), " - Pick #");
    EXPECT_EQ(t.RawText(1, LangGerman), " - Schuss ");
    EXPECT_EQ(t.DoNot, (std::vector<std::string>{"Panel1", "Panel2"}));
    EXPECT_EQ(t.CharSets, (std::vector<std::string>{"Tahoma,0", "Arial,1"}));
    EXPECT_FALSE(t.DefaultEnabled);
}

TEST(TextTable, ReportsBadLinesByNumberAndKeepsTheGoodOnes) {
    const std::string tsv = "@ok\tA\tB\tC\tD\n"
                            "@short\tA\tB\n"
                            "\tA\tB\tC\tD\n"
                            "@long\tA\tB\tC\tD\tE\n"
                            "@esc\tC:\\Patterns\tB\tC\tD\n"
                            "#DefaultEnabled\tyes\n"
                            "@last\tA\tB\tC\tD"; // no final newline
    TableParse p = ParseTable("TSample", tsv);
    EXPECT_EQ(p.Errors, (std::vector<std::string>{
                            "line 2: 3 fields, expected 5", "line 3: empty key",
                            "line 4: 6 fields, expected 5", "line 5: unknown backslash escape",
                            "line 6: #DefaultEnabled takes 0 or 1"}));
    EXPECT_EQ(GetText(p.Table, "@esc"), "C:\\Patterns"); // kept as written
    EXPECT_EQ(GetText(p.Table, "@short"), "@short");     // dropped
    EXPECT_EQ(GetText(p.Table, "@last"), "A");
}

TEST(TextLookup, MatchesKeysInAnyCaseAndReturnsMissingKeysUnchanged) {
    TMultiLang t =
        Table("@globnopat\tNo Pattern.\tKein Muster.\tInget mönster.\tEi mallia.\n"
              "@idInsThr\tInsert Threading\tEinzug einfügen\tInfoga solvning\tLisää niisintä\n");
    EXPECT_EQ(GetText(t, "@GLOBNOPAT"), "No Pattern.");
    EXPECT_EQ(GetText(t, "@idinsthr"), "Insert Threading");
    t.ActiveLanguage = LangFinnish;
    EXPECT_EQ(GetText(t, "@GlobNoPat"), "Ei mallia.");
    EXPECT_EQ(GetText(t, "@nosuchkey"), "@nosuchkey");
    EXPECT_EQ(GetText(t, "@globnopa"), "@globnopa");
}

TEST(TextLookup, EmptyTextFallsBackToTheDefaultLanguageOnlyWhenEnabled) {
    TMultiLang t = Table("@half\tEnglish only\t\tSvenska\t\n"
                         "@blank\t\t\t\t\n");
    t.ActiveLanguage = LangGerman;
    EXPECT_EQ(GetText(t, "@half"), "English only");
    EXPECT_EQ(GetText(t, "@blank"), "");
    t.DefaultEnabled = false;
    EXPECT_EQ(GetText(t, "@half"), "");
    t.DefaultEnabled = true;
    t.DefaultLanguage = LangSwedish;
    EXPECT_EQ(GetText(t, "@half"), "Svenska");
    t.ActiveLanguage = 9; // never read past the entry
    EXPECT_EQ(GetText(t, "@half"), "Svenska");
}

TEST(TextLookup, ItemsFollowTheirComponentInTheActiveLanguage) {
    TMultiLang t = Table("OpenDialog\t\t\t\t\n"
                         "\"\tPatterns|*.hdw\tMuster|*.hdw\tMönster|*.hdw\tMallit|*.hdw\n"
                         "\".Hint\ta|b\tc|d\te|f\tg|h\n"
                         "\"\tAny|*.*\tAlle|*.*\tAlla|*.*\tKaikki|*.*\n"
                         "Next\tx\tx\tx\tx\n"
                         "\"\tnot mine\tx\tx\tx\n");
    t.ActiveLanguage = LangGerman;
    EXPECT_EQ(GetItems(t, "opendialog"), (std::vector<std::string>{"Muster|*.hdw", "Alle|*.*"}));
    EXPECT_TRUE(GetItems(t, "Nothing").empty());
}

TEST(TextWalk, GivesEachComponentItsTextItemsAndHintInTheNewLanguage) {
    TMultiLang t = Table(SampleForm);
    RecordingTarget form;
    form.Present = {"ShedGroup", "OkBtn"};
    t.Target = &form;
    ASSERT_TRUE(ApplyLanguage(t, LangGerman));
    EXPECT_EQ(form.Caption, "Muster");
    const ComponentTexts* shed = form.Last("ShedGroup");
    ASSERT_NE(shed, nullptr);
    EXPECT_EQ(shed->Text, "Fach");
    EXPECT_EQ(shed->Items, (std::vector<std::string>{"Hochfach", "Tieffach"}));
    EXPECT_EQ(shed->ShortHint, "Fach");
    EXPECT_EQ(shed->LongHint, "Fach wählen");
    EXPECT_FALSE(form.Last("OkBtn")->HasHint);
    // The unknown component is refused and skipped, the walk goes on to
    // OkBtn, and the "@" key never reaches the form.
    EXPECT_EQ(form.Missed, std::vector<std::string>{"Ghost"});
    EXPECT_EQ(form.Applied.size(), 2u);

    // Swedish has no hint text: the English one, split the same way.
    ASSERT_TRUE(ApplyLanguage(t, LangSwedish));
    EXPECT_EQ(form.Last("ShedGroup")->Text, "Skäl");
    EXPECT_EQ(form.Last("ShedGroup")->ShortHint, "Shed");
    EXPECT_EQ(form.Last("ShedGroup")->LongHint, "Choose the shed");
    ASSERT_TRUE(ApplyLanguage(t, LangFinnish));
    EXPECT_EQ(form.Last("ShedGroup")->ShortHint, "Viriö"); // no bar: both parts whole
    EXPECT_EQ(form.Last("ShedGroup")->LongHint, "Viriö");
}

TEST(TextWalk, LeavesDoNotComponentsAndStrayItemsAlone) {
    TMultiLang t = Table("\"\tstray before any name\tx\tx\tx\n"
                         "Panel1\tSet by code\tx\tx\tx\n"
                         "%Form%\tTitle\tTitel\tTitel\tOtsikko\n"
                         "\"\tstray after the caption\tx\tx\tx\n"
                         "Label1\tLabel\tBeschriftung\tEtikett\tNimiö\n");
    t.DoNot = {"panel1"};
    RecordingTarget form;
    form.Present = {"Panel1", "Label1"};
    t.Target = &form;
    ApplyLanguage(t, LangFinnish);
    ASSERT_EQ(form.Applied.size(), 1u);
    EXPECT_EQ(form.Applied[0].Name, "Label1");
    EXPECT_TRUE(form.Applied[0].Items.empty());
    EXPECT_EQ(form.Caption, "Otsikko");
}

TEST(TextActiveLanguage, RefusesALanguageTheTableDoesNotHave) {
    TMultiLang t = Table(SampleForm);
    RecordingTarget form;
    form.Present = {"ShedGroup"};
    t.Target = &form;
    test::ScriptedPrompter p;
    ASSERT_TRUE(SetActiveLanguage(t, LangSwedish, p));
    form.Applied.clear();
    for (int bad : {4, -1}) EXPECT_FALSE(SetActiveLanguage(t, bad, p));
    t.Languages = 2; // a table with English and German only
    EXPECT_FALSE(SetActiveLanguage(t, LangSwedish, p));
    EXPECT_EQ(t.ActiveLanguage, LangSwedish);
    EXPECT_TRUE(form.Applied.empty());
    ASSERT_EQ(p.Shown.size(), 3u);
    EXPECT_EQ(p.Shown[0].Kind, "error");
    EXPECT_EQ(p.Shown[0].Text, "Value must not be higher than\nnumber of available languages.");
}

TEST(TextRegistry, MessagesComeFromTheNamedFormInTheCurrentLanguage) {
    LanguageReset reset;
    ASSERT_TRUE(SetLanguage(LangEnglish));
    EXPECT_EQ(GetText(GeneralForm, "@GLOBNOPAT"), "No Pattern.");
    ASSERT_TRUE(SetLanguage(LangGerman));
    EXPECT_EQ(GetText(GeneralForm, "@globnopat"), "Kein Muster.");
    // One key, two forms, two texts.
    EXPECT_EQ(GetText(GeneralForm, "@fromend"), "Ab Kettfaden:");
    EXPECT_EQ(GetText("TInsThrDlg", "@fromend"), "Kettfaden Nr. 1");
    ASSERT_TRUE(SetLanguage(LangFinnish));
    EXPECT_EQ(GetText("TWform", "@IDTREADLE"), "Poljin");
    EXPECT_EQ(GetText("TNoSuchForm", "@globnopat"), "@globnopat");
    // Outside the four languages nothing changes.
    EXPECT_FALSE(SetLanguage(LanguageCount));
    EXPECT_FALSE(SetLanguage(-1));
    EXPECT_EQ(CurrentLanguage(), LangFinnish);
    EXPECT_EQ(GetText(GeneralForm, "@globnopat"), "Ei mallia.");
}

TEST(TextRegistry, RegisteredFormsFollowEverySwitchUntilTheyLeave) {
    LanguageReset reset;
    SetLanguage(LangEnglish);
    TMultiLang t = Table(SampleForm);
    RecordingTarget form;
    t.Target = &form;
    RegisterComponent(t);
    RegisterComponent(t); // twice is still once
    Loaded(t);
    EXPECT_EQ(form.Caption, "Sample");
    SetLanguage(LangGerman);
    EXPECT_EQ(form.Caption, "Muster");
    UnregisterComponent(t);
    SetLanguage(LangFinnish);
    EXPECT_EQ(form.Caption, "Muster");

    // A form created after the switch starts in the current language; one
    // whose table lacks it shows its default language.
    TMultiLang later = Table(SampleForm);
    RecordingTarget laterForm;
    later.Target = &laterForm;
    Loaded(later);
    EXPECT_EQ(laterForm.Caption, "Malli");
    later.Languages = 2;
    later.Words = {"%Form%", "Two", "Zwei"};
    Loaded(later);
    EXPECT_EQ(laterForm.Caption, "Two");
}

} // namespace
} // namespace hw
