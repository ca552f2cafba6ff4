#include "settings/key_value_store.h"
#include "settings/settings.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using test::NewDraft;

TEST(SettingsParse, IntegersAndBooleansFromHandEditedText) {
    EXPECT_EQ(ParseStoredInt("15"), 15);
    EXPECT_EQ(ParseStoredInt(" -3 "), -3);
    EXPECT_EQ(ParseStoredInt("+7"), 7);
    EXPECT_EQ(ParseStoredInt("12abc"), std::nullopt);
    EXPECT_EQ(ParseStoredInt(""), std::nullopt);
    EXPECT_EQ(ParseStoredInt("1.5"), std::nullopt);
    EXPECT_EQ(ParseStoredInt("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(ParseStoredBool("0"), false);
    EXPECT_EQ(ParseStoredBool("2"), true);
    EXPECT_EQ(ParseStoredBool("TRUE"), true);
    EXPECT_EQ(ParseStoredBool("false"), false);
    EXPECT_EQ(ParseStoredBool("yes"), std::nullopt);
}

TEST(SettingsRead, EmptyStoreGivesTheStartValues) {
    MemoryStore store;
    auto d = NewDraft();
    Settings s;
    s.SaveSettings = false; // must be reset by the start values
    s.Recent.Add("/old.hdw");
    StartSettings(store, *d, s);

    EXPECT_FALSE(s.Found);
    EXPECT_EQ(d->Zoom, 15);
    EXPECT_EQ(d->ViewZoom, 2);
    EXPECT_EQ(d->Shafts, 8);
    EXPECT_EQ(d->Treadles, 8);
    EXPECT_EQ(d->Style, 2);
    EXPECT_TRUE(d->Shed);
    EXPECT_TRUE(d->TreadleMode);
    EXPECT_FALSE(d->MultipleTr);
    EXPECT_TRUE(d->LayoutTopBot);
    EXPECT_TRUE(d->BottomStart);
    EXPECT_TRUE(d->RightStart);
    EXPECT_FALSE(d->CkoLeftStart);
    EXPECT_TRUE(d->Atopstart);
    EXPECT_FALSE(d->MetricUnits);
    EXPECT_TRUE(s.LineOn);
    EXPECT_TRUE(s.Firstshaft);
    EXPECT_FALSE(s.ColorBeep);
    EXPECT_EQ(s.Wbredde, 0);
    EXPECT_TRUE(s.SaveSettings);
    EXPECT_TRUE(s.Lagrpos);
    EXPECT_TRUE(s.NufilPath.empty());
    EXPECT_FALSE(s.ExpertMode);
    EXPECT_TRUE(s.Yarnsim);
    EXPECT_TRUE(s.Warpempty);
    EXPECT_FALSE(s.BlackPrintLines);
    EXPECT_FALSE(s.TipOfDay);
    EXPECT_FALSE(s.Recent.SeparatorVisible());
    // Nothing stored: densities of 10, and the sinking shed's colours.
    EXPECT_EQ(d->EndsPerUnit, 10);
    EXPECT_EQ(d->PicksPerUnit, 10);
    EXPECT_EQ(d->WarpColors[1], 0);
    EXPECT_EQ(d->WeftColors[9600], 6);
    EXPECT_EQ(d->CurrentColor, 6); // a sinking shed shows the weft colour
    // The new-pattern defaults are what the draft started with.
    EXPECT_EQ(s.Snapshot.Shafts, 8);
    EXPECT_TRUE(s.Snapshot.Shed);
    EXPECT_EQ(s.Snapshot.EndsPerUnit, 10);
}

TEST(SettingsRead, EveryValueIsBoundedBeforeUse) {
    struct Case {
        const char* name;
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"Zoom", "5", 12},      {"Zoom", "300", 20},    {"Zoom", "17", 17},   {"ViewZoom", "0", 1},
        {"ViewZoom", "40", 20}, {"Shafts", "1", 2},     {"Shafts", "99", 16}, {"Treadles", "0", 2},
        {"Treadles", "-5", 2},  {"Treadles", "17", 16}, {"Style", "0", 1},    {"Style", "9", 4},
    };
    for (const Case& c : cases) {
        MemoryStore store;
        store.SetText(OptionsGroup, c.name, c.text);
        auto d = NewDraft();
        Settings s;
        ReadSettings(store, *d, s);
        const int got = std::string(c.name) == "Zoom"       ? d->Zoom
                        : std::string(c.name) == "ViewZoom" ? d->ViewZoom
                        : std::string(c.name) == "Shafts"   ? d->Shafts
                        : std::string(c.name) == "Treadles" ? d->Treadles
                                                            : d->Style;
        EXPECT_EQ(got, c.expected) << c.name << "=" << c.text;
        EXPECT_TRUE(s.Found);
    }
}

TEST(SettingsRead, WrongTypeKeepsTheCurrentSetting) {
    MemoryStore store;
    store.SetText(OptionsGroup, "Zoom", "big");
    store.SetText(OptionsGroup, "Shafts", "4.5");
    store.SetText(OptionsGroup, "Shed", "perhaps");
    store.SetText(OptionsGroup, "SaveSettings", "");
    store.SetText(OptionsGroup, "Wbredde", "wide");
    store.SetText(OptionsGroup, "Treadles", "6"); // a good one among them
    auto d = NewDraft();
    Settings s;
    ReadSettings(store, *d, s);
    EXPECT_EQ(d->Zoom, 15);
    EXPECT_EQ(d->Shafts, 8);
    EXPECT_TRUE(d->Shed);
    EXPECT_TRUE(s.SaveSettings);
    EXPECT_EQ(s.Wbredde, 0);
    EXPECT_EQ(d->Treadles, 6);
}

TEST(SettingsRead, UnreadableStoreGivesStartValuesAndWritingReportsFailure) {
    MemoryStore store;
    store.SetInt(OptionsGroup, "Shafts", 4);
    store.Broken = true;
    auto d = NewDraft();
    Settings s;
    StartSettings(store, *d, s);
    EXPECT_EQ(d->Shafts, 8);
    EXPECT_FALSE(s.Found);
    EXPECT_FALSE(WriteSettings(store, *d, s));
    EXPECT_FALSE(WriteLanguage(store, 1));
}

TEST(SettingsWrite, WrittenSettingsReadBackTheSame) {
    MemoryStore store;
    auto d = NewDraft();
    Settings s;
    StartSettings(store, *d, s);
    d->Zoom = 18;
    d->ViewZoom = 7;
    d->Style = 3;
    s.LineOn = false;
    s.ColorBeep = true;
    s.Lagrpos = false;
    s.NufilPath = "/home/weaver/Mönster, alte";
    s.ExpertMode = true;
    s.Yarnsim = false;
    s.BlackPrintLines = true;
    s.Memo = {350, 200, 40};
    d->Shafts = 12;
    d->Treadles = 10;
    d->Shed = false;
    d->RightStart = false;
    d->CkoLeftStart = true;
    TakeSnapshot(*d, s.Snapshot, false, true);
    s.Wposfull = 0;
    s.Wbredde = 1000;
    s.Whoyde = 700;
    s.Recent.Add("/p/a.hdw");
    s.Recent.Add("/p/b.hdw");
    ASSERT_TRUE(WriteSettings(store, *d, s));

    auto d2 = NewDraft();
    Settings s2;
    StartSettings(store, *d2, s2);
    EXPECT_TRUE(s2.Found);
    EXPECT_EQ(d2->Zoom, 18);
    EXPECT_EQ(d2->ViewZoom, 7);
    EXPECT_EQ(d2->Style, 3);
    EXPECT_EQ(d2->Shafts, 12);
    EXPECT_EQ(d2->Treadles, 10);
    EXPECT_FALSE(d2->Shed);
    EXPECT_FALSE(d2->RightStart);
    EXPECT_TRUE(d2->CkoLeftStart);
    EXPECT_FALSE(s2.LineOn);
    EXPECT_TRUE(s2.ColorBeep);
    EXPECT_FALSE(s2.Lagrpos);
    EXPECT_EQ(s2.NufilPath, s.NufilPath);
    EXPECT_TRUE(s2.ExpertMode);
    EXPECT_FALSE(s2.Yarnsim);
    EXPECT_TRUE(s2.BlackPrintLines);
    EXPECT_EQ(s2.Memo.Left, 40);
    EXPECT_EQ(s2.Wbredde, 1000);
    EXPECT_EQ(s2.Whoyde, 700);
    EXPECT_EQ(s2.Recent.Entries(), s.Recent.Entries());
    // Found settings keep the draft's own densities.
    EXPECT_EQ(d2->EndsPerUnit, 25);
    // A rising shed read back gives the rising colours.
    EXPECT_EQ(d2->WarpColors[1], 6);
    EXPECT_EQ(d2->WeftColors[1], 0);
    // Booleans go to the store as 0 and 1.
    EXPECT_EQ(store.Text(OptionsGroup, "LineOn"), "0");
    EXPECT_EQ(store.Text(OptionsGroup, "ColorBeep"), "1");
    EXPECT_EQ(store.Text(FilesGroup, "File_3"), "");
    // "TipOfDay" is only ever read.
    EXPECT_FALSE(store.Has(OptionsGroup, "TipOfDay"));
}

TEST(SettingsWrite, WithoutSaveOnExitOnlyTheAlwaysGroupIsWritten) {
    MemoryStore store;
    store.SetInt(OptionsGroup, "Shafts", 8);
    auto d = NewDraft();
    Settings s;
    StartSettings(store, *d, s);
    s.SaveSettings = false;
    d->Shafts = 4;
    TakeSnapshot(*d, s.Snapshot, false, true); // even a refreshed snapshot stays unwritten
    d->Zoom = 19;
    s.Wbredde = 800;
    s.Whoyde = 600;
    ASSERT_TRUE(WriteSettings(store, *d, s));
    EXPECT_EQ(store.GetInt(OptionsGroup, "Shafts"), 8);
    EXPECT_EQ(store.GetInt(OptionsGroup, "Zoom"), 19);
    EXPECT_EQ(store.GetInt(OptionsGroup, "Wbredde"), 800);
    EXPECT_EQ(store.GetInt(OptionsGroup, "Whoyde"), 600);
    EXPECT_EQ(store.GetBool(OptionsGroup, "SaveSettings"), false);
    EXPECT_FALSE(store.Has(OptionsGroup, "Style"));

    // "Save Settings" writes the defaults regardless.
    ASSERT_TRUE(WriteDefaults(store, *d, s));
    EXPECT_EQ(store.GetInt(OptionsGroup, "Shafts"), 4);
    EXPECT_TRUE(store.Has(OptionsGroup, "Style"));
}

TEST(SettingsWrite, LanguageIsStoredAndOnlyValidOnesAreReadBack) {
    MemoryStore store;
    EXPECT_EQ(ReadLanguage(store), std::nullopt);
    ASSERT_TRUE(WriteLanguage(store, 3));
    EXPECT_EQ(ReadLanguage(store), 3);
    store.SetText(OptionsGroup, "Language", "7");
    EXPECT_EQ(ReadLanguage(store), std::nullopt);
    store.SetText(OptionsGroup, "Language", "de");
    EXPECT_EQ(ReadLanguage(store), std::nullopt);
}

TEST(SettingsSnapshot, DesignModeKeepsSizesUnlessAsked) {
    auto d = NewDraft();
    DefaultsSnapshot snap;
    d->DesignMode = true;
    d->Shafts = 5;
    d->MultipleTr = true;
    d->RightStart = false;
    TakeSnapshot(*d, snap, false, false);
    EXPECT_EQ(snap.Shafts, 8); // sizes and layout stay in Design mode
    EXPECT_TRUE(snap.RightStart);
    EXPECT_TRUE(snap.MultipleTr); // the loom system is always taken
    EXPECT_FALSE(snap.DesignMode);
    TakeSnapshot(*d, snap, true, true);
    EXPECT_EQ(snap.Shafts, 5);
    EXPECT_FALSE(snap.RightStart);
    EXPECT_TRUE(snap.DesignMode);
    // Outside Design mode sizes are taken even without asking.
    d->DesignMode = false;
    d->Shafts = 3;
    TakeSnapshot(*d, snap, false, false);
    EXPECT_EQ(snap.Shafts, 3);
    EXPECT_TRUE(snap.DesignMode); // not asked: left as it was
    // Densities are taken at start only.
    d->EndsPerUnit = 40;
    TakeSnapshot(*d, snap, true, true);
    EXPECT_EQ(snap.EndsPerUnit, 25);
    TakeStartSnapshot(*d, snap);
    EXPECT_EQ(snap.EndsPerUnit, 40);
}

TEST(SettingsNotes, PlacementFitsTheScreenAndTheWindowLimits) {
    MemoryStore store;
    NotesPlacement p = ReadNotesWindowPlacement(store, 1920, 1080);
    EXPECT_EQ(p.Width, NotesDesignPlacement.Width);
    EXPECT_EQ(p.Height, NotesDesignPlacement.Height);
    EXPECT_LT(p.Left, 0); // centred

    store.SetInt(OptionsGroup, "Memow", 5000);
    store.SetInt(OptionsGroup, "Memoh", 20);
    store.SetInt(OptionsGroup, "Memoleft", 1900);
    p = ReadNotesWindowPlacement(store, 1920, 1080);
    EXPECT_EQ(p.Width, NotesDesignPlacement.Width); // never wider than designed
    EXPECT_EQ(p.Height, NotesMinHeight);
    EXPECT_EQ(p.Left, 1920 - p.Width);

    store.SetInt(OptionsGroup, "Memow", 100);
    store.SetInt(OptionsGroup, "Memoh", 4000);
    store.SetText(OptionsGroup, "Memoleft", "left");
    p = ReadNotesWindowPlacement(store, 1024, 768);
    EXPECT_EQ(p.Width, NotesMinWidth);
    EXPECT_EQ(p.Height, 768);
    EXPECT_LT(p.Left, 0);
}

} // namespace
} // namespace hw
