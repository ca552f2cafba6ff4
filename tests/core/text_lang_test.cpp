#include "text/lang.h"
#include "text/multi_lang.h"

#include "scripted_prompter.h"

#include <gtest/gtest.h>

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

// Records what the walk hands to a form.
class RecordingTarget : public LangTarget {
public:
    std::vector<std::string> Present; // component names the form has
    std::string Caption;
    std::vector<ComponentTexts> Applied;
    std::vector<std::string> Missed;
    std::string Font = "Sans,1";
    std::vector<std::string> FontsSet;

    void SetCaption(const std::string& text) override { Caption = text; }
    bool ApplyComponent(const ComponentTexts& t) override {
        for (const std::string& name : Present)
            if (name == t.Name) {
                Applied.push_back(t);
                return true;
            }
        Missed.push_back(t.Name);
        return false;
    }
    std::string FontEntry() const override { return Font; }
    void SetFont(const std::string& face, int charSet) override {
        Font = face + "," + std::to_string(charSet);
        FontsSet.push_back(Font);
    }
    const ComponentTexts* Find(const std::string& name) const {
        for (const ComponentTexts& t : Applied)
            if (t.Name == name) return &t;
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
    EXPECT_EQ(t.Form, "TSample");
    ASSERT_EQ(t.EntryCount(), 2u);
    EXPECT_EQ(t.Key(0), "@tab");
    EXPECT_EQ(t.RawText(0, LangEnglish), "a\tb");
    EXPECT_EQ(t.RawText(0, LangGerman), "line1\nline2");
    EXPECT_EQ(t.RawText(0, LangSwedish), "back\\slash");
    EXPECT_EQ(t.RawText(0, LangFinnish), "");
    // Spaces at either end belong to the text: these pieces are concatenated.
    EXPECT_EQ(t.RawText(1, LangEnglish), " - Pick #");
    EXPECT_EQ(t.RawText(1, LangGerman), " - Schuss ");
    EXPECT_EQ(t.RawText(1, LangFinnish), " ");
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
    ASSERT_EQ(p.Errors.size(), 5u);
    EXPECT_EQ(p.Errors[0], "line 2: 3 fields, expected 5");
    EXPECT_EQ(p.Errors[1], "line 3: empty key");
    EXPECT_EQ(p.Errors[2], "line 4: 6 fields, expected 5");
    EXPECT_EQ(p.Errors[3], "line 5: unknown backslash escape");
    EXPECT_EQ(p.Errors[4], "line 6: #DefaultEnabled takes 0 or 1");
    // The bad escape is kept as written; the wrong-sized lines are dropped.
    EXPECT_EQ(GetText(p.Table, "@esc"), "C:\\Patterns");
    EXPECT_EQ(GetText(p.Table, "@short"), "@short");
    EXPECT_EQ(GetText(p.Table, "@last"), "A");
    EXPECT_EQ(p.Table.EntryCount(), 3u);
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
    t.DefaultEnabled = true;
    EXPECT_EQ(GetText(t, "@half"), "English only");
    EXPECT_EQ(GetText(t, "@blank"), "");
    t.ActiveLanguage = LangSwedish;
    EXPECT_EQ(GetText(t, "@half"), "Svenska");

    t.ActiveLanguage = LangGerman;
    t.DefaultEnabled = false;
    EXPECT_EQ(GetText(t, "@half"), "");

    // The default need not be English.
    t.DefaultEnabled = true;
    t.DefaultLanguage = LangSwedish;
    EXPECT_EQ(GetText(t, "@half"), "Svenska");
}

TEST(TextLookup, OutOfRangeLanguageFieldsNeverReadPastTheEntry) {
    TMultiLang t = Table("@k\tEN\tDE\tSV\tFI\n");
    t.ActiveLanguage = 9;
    EXPECT_EQ(GetText(t, "@k"), "EN");
    t.DefaultLanguage = 7;
    EXPECT_EQ(GetText(t, "@k"), "EN");
}

TEST(TextLookup, ItemsFollowTheirComponentInTheActiveLanguage) {
    TMultiLang t = Table("OpenDialog\t\t\t\t\n"
                         "\"\tPatterns (*.hdw)|*.hdw\tMuster (*.hdw)|*.hdw\tMönster "
                         "(*.hdw)|*.hdw\tMallit (*.hdw)|*.hdw\n"
                         "\".Hint\ta|b\tc|d\te|f\tg|h\n"
                         "\"\tAny (*.*)|*.*\tAlle (*.*)|*.*\tAlla (*.*)|*.*\tKaikki (*.*)|*.*\n"
                         "Next\tx\tx\tx\tx\n"
                         "\"\tnot mine\tx\tx\tx\n");
    t.ActiveLanguage = LangGerman;
    EXPECT_EQ(GetItems(t, "opendialog"),
              (std::vector<std::string>{"Muster (*.hdw)|*.hdw", "Alle (*.*)|*.*"}));
    EXPECT_TRUE(GetItems(t, "Nothing").empty());
}

TEST(TextHint, SplitsAtTheFirstBar) {
    std::string s, l;
    SplitHint("Open|Open an existing file", s, l);
    EXPECT_EQ(s, "Open");
    EXPECT_EQ(l, "Open an existing file");
    SplitHint("Zoom", s, l);
    EXPECT_EQ(s, "Zoom");
    EXPECT_EQ(l, "Zoom");
    SplitHint("a|b|c", s, l);
    EXPECT_EQ(s, "a");
    EXPECT_EQ(l, "b|c");
    SplitHint("|only long", s, l);
    EXPECT_EQ(s, "");
    EXPECT_EQ(l, "only long");
}

TEST(TextWalk, GivesEachComponentItsTextItemsAndHintInTheNewLanguage) {
    TMultiLang t = Table(SampleForm);
    RecordingTarget form;
    form.Present = {"ShedGroup", "OkBtn"};
    t.Target = &form;
    ASSERT_TRUE(ApplyLanguage(t, LangGerman));

    EXPECT_EQ(t.ActiveLanguage, LangGerman);
    EXPECT_EQ(form.Caption, "Muster");
    const ComponentTexts* shed = form.Find("ShedGroup");
    ASSERT_NE(shed, nullptr);
    EXPECT_EQ(shed->Text, "Fach");
    EXPECT_EQ(shed->Items, (std::vector<std::string>{"Hochfach", "Tieffach"}));
    EXPECT_TRUE(shed->HasHint);
    EXPECT_EQ(shed->ShortHint, "Fach");
    EXPECT_EQ(shed->LongHint, "Fach wählen");
    ASSERT_NE(form.Find("OkBtn"), nullptr);
    EXPECT_FALSE(form.Find("OkBtn")->HasHint);
    // The unknown component is offered, refused and skipped; the walk goes on
    // to OkBtn, and the "@" key never reaches the form.
    EXPECT_EQ(form.Missed, std::vector<std::string>{"Ghost"});
    EXPECT_EQ(form.Applied.size(), 2u);

    // Swedish has no hint text: it falls back to the English one.
    form.Applied.clear();
    ASSERT_TRUE(ApplyLanguage(t, LangSwedish));
    shed = form.Find("ShedGroup");
    ASSERT_NE(shed, nullptr);
    EXPECT_EQ(shed->Text, "Skäl");
    EXPECT_EQ(shed->ShortHint, "Shed");
    EXPECT_EQ(shed->LongHint, "Choose the shed");
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

TEST(TextWalk, EmptyTextsInEveryLanguageStayEmpty) {
    TMultiLang t = Table("Spacer1\t\t\t\t\n");
    RecordingTarget form;
    form.Present = {"Spacer1"};
    t.Target = &form;
    ApplyLanguage(t, LangGerman);
    ASSERT_EQ(form.Applied.size(), 1u);
    EXPECT_EQ(form.Applied[0].Text, "");
}

TEST(TextFont, RemembersTheLeftLanguagesFontAndTakesTheNewOne) {
    TMultiLang t = Table("#CharSets\tMS Sans Serif,0\tMS Sans Serif,0\n"
                         "Label1\tA\tB\tC\tD\n");
    RecordingTarget form;
    form.Present = {"Label1"};
    form.Font = "DejaVu Sans,1";
    t.Target = &form;

    ApplyLanguage(t, LangGerman);
    // The short list was filled up with the form's font, and the font of the
    // language left (English) is what the form had.
    ASSERT_EQ(t.CharSets.size(), 4u);
    EXPECT_EQ(t.CharSets[LangEnglish], "DejaVu Sans,1");
    EXPECT_EQ(t.CharSets[LangSwedish], "DejaVu Sans,1");
    EXPECT_EQ(form.FontsSet.back(), "MS Sans Serif,0");

    form.Font = "Tahoma,0"; // what the app made of it
    ApplyLanguage(t, LangFinnish);
    EXPECT_EQ(t.CharSets[LangGerman], "Tahoma,0");
    EXPECT_EQ(form.FontsSet.back(), "DejaVu Sans,1");
}

TEST(TextFont, ACharSetWithoutNumberUsesTheDefaultSet) {
    TMultiLang t = Table("#CharSets\tArial\tCourier,x\tArial,204\tArial,0\n");
    t.ActiveLanguage = LangFinnish;
    RecordingTarget form;
    t.Target = &form;
    ApplyLanguage(t, LangEnglish);
    EXPECT_EQ(form.FontsSet.back(), "Arial,1");
    ApplyLanguage(t, LangGerman);
    EXPECT_EQ(form.FontsSet.back(), "Courier,1");
    ApplyLanguage(t, LangSwedish);
    EXPECT_EQ(form.FontsSet.back(), "Arial,204");
}

TEST(TextActiveLanguage, RefusesALanguageTheTableDoesNotHave) {
    TMultiLang t = Table(SampleForm);
    RecordingTarget form;
    form.Present = {"ShedGroup"};
    t.Target = &form;
    test::ScriptedPrompter p;
    ASSERT_TRUE(SetActiveLanguage(t, LangSwedish, p));
    form.Applied.clear();

    for (int bad : {4, 9, -1}) {
        EXPECT_FALSE(SetActiveLanguage(t, bad, p));
        EXPECT_EQ(t.ActiveLanguage, LangSwedish);
    }
    EXPECT_TRUE(form.Applied.empty());
    ASSERT_EQ(p.Shown.size(), 3u);
    EXPECT_EQ(p.Shown[0].Kind, "error");
    EXPECT_EQ(p.Shown[0].Text, "Value must not be higher than\nnumber of available languages.");

    t.Languages = 2; // a table with English and German only
    EXPECT_FALSE(SetActiveLanguage(t, LangSwedish, p));
    EXPECT_TRUE(SetActiveLanguage(t, LangGerman, p));
}

TEST(TextRegistry, MessagesComeFromTheNamedFormInTheCurrentLanguage) {
    LanguageReset reset;
    ASSERT_TRUE(SetLanguage(LangEnglish));
    EXPECT_EQ(GetText(GeneralForm, "@GLOBNOPAT"), "No Pattern.");
    ASSERT_TRUE(SetLanguage(LangGerman));
    EXPECT_EQ(CurrentLanguage(), LangGerman);
    EXPECT_EQ(GetText(GeneralForm, "@globnopat"), "Kein Muster.");
    // One key, two forms, two texts.
    EXPECT_EQ(GetText(GeneralForm, "@fromend"), "Ab Kettfaden:");
    EXPECT_EQ(GetText("TInsThrDlg", "@fromend"), "Kettfaden Nr. 1");
    ASSERT_TRUE(SetLanguage(LangFinnish));
    EXPECT_EQ(GetText("TInsThrDlg", "@FROMEND"), "Loimilanka nro 1");
    EXPECT_EQ(GetText("TWform", "@idtreadle"), "Poljin");
    EXPECT_EQ(GetText("TNoSuchForm", "@globnopat"), "@globnopat");
    EXPECT_EQ(GetText(GeneralForm, "@nosuchkey"), "@nosuchkey");
}

TEST(TextRegistry, RefusesLanguagesOutsideTheFourAndKeepsTheCurrentOne) {
    LanguageReset reset;
    ASSERT_TRUE(SetLanguage(LangSwedish));
    EXPECT_FALSE(SetLanguage(LanguageCount));
    EXPECT_FALSE(SetLanguage(-1));
    EXPECT_EQ(CurrentLanguage(), LangSwedish);
    EXPECT_EQ(GetText(GeneralForm, "@globnopat"), "Inget mönster.");
}

TEST(TextRegistry, RegisteredFormsFollowEverySwitchUntilTheyLeave) {
    LanguageReset reset;
    SetLanguage(LangEnglish);
    TMultiLang t = Table(SampleForm);
    RecordingTarget form;
    form.Present = {"ShedGroup"};
    t.Target = &form;
    RegisterComponent(t);
    RegisterComponent(t); // twice is still once
    Loaded(t);
    EXPECT_EQ(form.Caption, "Sample");

    SetLanguage(LangGerman);
    EXPECT_EQ(form.Caption, "Muster");
    ASSERT_NE(form.Find("ShedGroup"), nullptr);
    EXPECT_EQ(form.Applied.back().Items.front(), "Hochfach");

    UnregisterComponent(t);
    SetLanguage(LangFinnish);
    EXPECT_EQ(form.Caption, "Muster");
    EXPECT_EQ(t.ActiveLanguage, LangGerman);

    // A form created after the switch starts in the current language.
    TMultiLang later = Table(SampleForm);
    RecordingTarget laterForm;
    later.Target = &laterForm;
    RegisterComponent(later);
    Loaded(later);
    EXPECT_EQ(later.ActiveLanguage, LangFinnish);
    EXPECT_EQ(laterForm.Caption, "Malli");
    UnregisterComponent(later);
}

TEST(TextRegistry, ATableWithFewerLanguagesIsLeftAloneBySwitchesBeyondIt) {
    LanguageReset reset;
    SetLanguage(LangEnglish);
    TMultiLang t = Table(SampleForm);
    t.Languages = 2;
    t.Words.clear(); // two-language layout
    for (const char* w : {"%Form%", "Two", "Zwei"}) t.Words.push_back(w);
    RecordingTarget form;
    t.Target = &form;
    RegisterComponent(t);
    SetLanguage(LangGerman);
    EXPECT_EQ(form.Caption, "Zwei");
    SetLanguage(LangFinnish);
    EXPECT_EQ(t.ActiveLanguage, LangGerman);
    EXPECT_EQ(CurrentLanguage(), LangFinnish);
    // Created while Finnish is current: it shows its default language.
    Loaded(t);
    EXPECT_EQ(form.Caption, "Two");
    UnregisterComponent(t);
}

// A form whose texts, when applied, close another form.
class ClosingTarget : public RecordingTarget {
public:
    TMultiLang* ToClose = nullptr;
    void SetCaption(const std::string& text) override {
        RecordingTarget::SetCaption(text);
        if (ToClose) UnregisterComponent(*ToClose);
    }
};

TEST(TextRegistry, AFormClosedDuringASwitchIsNotTouched) {
    LanguageReset reset;
    SetLanguage(LangEnglish);
    TMultiLang first = Table(SampleForm);
    TMultiLang second = Table(SampleForm);
    ClosingTarget closer;
    RecordingTarget victim;
    first.Target = &closer;
    second.Target = &victim;
    closer.ToClose = &second;
    RegisterComponent(first);
    RegisterComponent(second);
    SetLanguage(LangSwedish);
    EXPECT_EQ(closer.Caption, "Mönster");
    EXPECT_EQ(victim.Caption, "");
    EXPECT_EQ(second.ActiveLanguage, LangEnglish);
    UnregisterComponent(first);
}

} // namespace
} // namespace hw
