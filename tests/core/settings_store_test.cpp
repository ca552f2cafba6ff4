#include "settings/key_value_store.h"
#include "settings/recent_files.h"
#include "settings/settings.h"
#include "settings/window_placement.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

#include <sstream>

namespace hw {
namespace {

using test::NewDraft;

TEST(SettingsRead, EmptyStoreGivesTheStartValues) {
    MemoryStore store;
    auto d = NewDraft();
    Settings s;
    s.SaveSettings = false; // must be reset by the start values
    StartSettings(store, *d, s);
    EXPECT_TRUE(s.SaveSettings && !s.Found);
    EXPECT_EQ(d->Zoom, 15);
    EXPECT_EQ(d->Style, 2);
    EXPECT_TRUE(d->Shed && d->LayoutTopBot && d->Atopstart);
    EXPECT_FALSE(d->CkoLeftStart || d->MetricUnits);
    EXPECT_EQ(d->EndsPerUnit, 10); // nothing stored
    EXPECT_EQ(s.Snapshot.EndsPerUnit, 10);
    EXPECT_EQ(d->WarpColors[1], 0);
    EXPECT_EQ(d->WeftColors[9600], 6);
    EXPECT_EQ(StartColor(*d), 6); // a sinking shed offers the weft colour
}

// Hand-edited values ("name=text>taken") are bounded; a non-number keeps the start value.
TEST(SettingsRead, EveryValueIsBoundedAndAWrongTypeKeepsTheStartValue) {
    std::istringstream cases(
        "Zoom=5>12;Zoom=300>20;Zoom=big>15;Zoom=99999999999999999999>15;Zoom= +17 >17;"
        "ViewZoom=0>1;Shafts=1>2;Shafts=4.5>8;Treadles=17>16;Style=9>4;EndsPerUnit=0>1;"
        "PicksPerUnit=900>255;MarkEndsInterval=0>1;MarkPicksInterval=99999>256;Wbredde=wide>0;"
        "BackgroundColor=-1>0;LineOn=FALSE>0;ColorBeep=2>1;ColorBeep=yes>0;MarginLeft=-5>0;"
        "MarginTop=99999>10000;MarginBottom=x>1000;MarginRight=250>250");
    for (std::string c; std::getline(cases, c, ';');) {
        const size_t eq = c.find('='), gt = c.rfind('>');
        MemoryStore store, out;
        store.SetText(OptionsGroup, c.substr(0, eq), c.substr(eq + 1, gt - eq - 1));
        auto d = NewDraft();
        Settings s;
        ReadSettings(store, *d, s);
        ASSERT_TRUE(WriteSettings(out, *d, s));
        EXPECT_EQ(out.Text(OptionsGroup, c.substr(0, eq)), c.substr(gt + 1)) << c;
    }
}

TEST(SettingsWrite, WithoutSaveOnExitOnlyTheAlwaysGroupIsWritten) {
    MemoryStore store;
    auto d = NewDraft();
    Settings s;
    StartSettings(store, *d, s);
    s.SaveSettings = false;
    d->Shafts = 4;
    TakeSnapshot(*d, s.Snapshot, false, true); // even a refreshed snapshot stays unwritten
    d->Zoom = 19;
    ASSERT_TRUE(WriteSettings(store, *d, s));
    EXPECT_FALSE(store.Has(OptionsGroup, "Shafts"));
    EXPECT_EQ(store.Text(OptionsGroup, "Zoom"), "19");
    ASSERT_TRUE(WriteDefaults(store, *d, s)); // "Save Settings" writes them regardless
    EXPECT_EQ(store.GetInt(OptionsGroup, "Shafts"), 4);
}

TEST(SettingsWrite, LanguageIsStoredAndOnlyValidOnesAreReadBack) {
    MemoryStore store;
    ASSERT_TRUE(WriteLanguage(store, 3));
    EXPECT_EQ(ReadLanguage(store), 3);
    store.SetText(OptionsGroup, "Language", "7");
    EXPECT_EQ(ReadLanguage(store), std::nullopt);
}

TEST(SettingsSnapshot, DesignModeKeepsSizesUnlessAsked) {
    auto d = NewDraft();
    DefaultsSnapshot snap;
    d->DesignMode = d->MultipleTr = true;
    d->Shafts = 5;
    TakeSnapshot(*d, snap, false, false); // sizes stay, the loom system is taken
    EXPECT_TRUE(snap.Shafts == 8 && snap.MultipleTr && !snap.DesignMode);
    TakeSnapshot(*d, snap, true, true);
    EXPECT_TRUE(snap.Shafts == 5 && snap.DesignMode);
    d->DesignMode = false;
    d->Shafts = 3;
    TakeSnapshot(*d, snap, false, false); // outside Design mode sizes are taken
    EXPECT_TRUE(snap.Shafts == 3 && snap.DesignMode);
}

using Names = std::vector<std::string>;

RecentFiles Filled(int n) { // entries "1", "2", ... "n"
    RecentFiles r;
    for (int k = n; k >= 1; --k) r.Add(std::to_string(k));
    return r;
}

Names NamesOf(const RecentFiles& r) {
    return {r.Entries().begin(), r.Entries().end()};
}

TEST(RecentFiles, AddingMovesDropsAndChoosingAMissingFileRemovesIt) {
    RecentFiles r = Filled(7);
    EXPECT_TRUE(r.Add("3")); // moves to the front; the first two shift down
    EXPECT_TRUE(r.Add("new"));
    for (const char* same : {"new", "/p/picture.BmP", ""}) EXPECT_FALSE(r.Add(same));
    EXPECT_EQ(NamesOf(r), (Names{"new", "3", "1", "2", "4", "5", "6"}));
    r = Filled(2);
    r.Add("9");
    r.Add("2");
    EXPECT_EQ(NamesOf(r), (Names{"2", "9", "1", "", "", "", ""}));

    auto exists = [](const std::string& path) { return path != "9"; };
    EXPECT_EQ(r.Choose(2, exists).Path, "1");
    const RecentChoice gone = r.Choose(1, exists);
    EXPECT_FALSE(gone.Path);
    EXPECT_EQ(gone.Missing, "9");
    EXPECT_EQ(NamesOf(r), (Names{"2", "1", "", "", "", "", ""}));
    for (int index : {5, -1, 9}) // an empty place or none at all gives nothing
        EXPECT_FALSE(r.Choose(index, exists).Path || r.Choose(index, exists).Missing);
}

TEST(RecentFiles, Captions) {
    RecentFiles r;
    const char* paths[][2] = {
        {"C:\\Patterns\\rose.hdw", "&1 C:rose.hdw"},
        {"/home/weaver/drafts/twill 2-2.hdw", "&2 twill 2-2.hdw"},
        {"\\\\loom\\share\\sub\\x.hdw", "&3 x.hdw"}, // a network drive is too long to show
        {"/home/weaver/Tom & Jerry.hdw", "&4 Tom && Jerry.hdw"},
        {"D:plain.hdw", "&5 D:plain.hdw"},
        {"", ""},
        {"/home/weaver/odd\\name.hdw", "&7 odd\\name.hdw"}}; // a backslash is a name character
    for (int i = 0; i < 7; ++i) r.SetEntry(i, paths[i][0]);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(r.Caption(i), paths[i][1]);
}

TEST(WindowPlacement, MainAndNotesWindowsFitTheScreen) {
    struct Case {
        int wbredde, whoyde, wposfull;
        ScreenRect designed;
        bool maximized;
        ScreenRect expected;
    };
    const ScreenRect screen{10, 20, 1280, 800};
    const Case cases[] = {
        // Nothing stored, or stored maximized: maximized over 7/8 of the height.
        {0, 0, 0, {100, 50, 900, 650}, true, {100, 20, 900, 700}},
        {1000, 700, 1, {100, 50, 900, 650}, true, {100, 20, 900, 700}},
        // Stored: where designed unless beyond the screen; fitted to the screen.
        {1000, 700, 0, {100, 50, 900, 650}, false, {100, 50, 1000, 700}},
        {1000, 700, 0, {400, 200, 900, 650}, false, {10, 20, 1000, 700}},
        {5000, 10, 0, {100, 50, 900, 650}, false, {10, 50, 1280, MinWindowHeight}}};
    Settings s;
    for (const Case& c : cases) {
        s.Wbredde = c.wbredde;
        s.Whoyde = c.whoyde;
        s.Wposfull = c.wposfull;
        const WindowPlacement p = StartWindowPlacement(s, screen, c.designed);
        EXPECT_EQ(p.Maximized, c.maximized) << c.wbredde;
        EXPECT_TRUE(p.Geometry == c.expected) << c.wbredde;
    }
    // The notes window: 300 x 150 up to its design width, centred unless placed.
    const int w = NotesDesignPlacement.Width, h = NotesDesignPlacement.Height;
    const std::pair<NotesPlacement, ScreenRect> notes[] = {
        {NotesDesignPlacement, {10 + (1280 - w) / 2, 20 + (800 - h) / 2, w, h}},
        {{5000, 20, 1900}, {10 + 1280 - w, 20 + (800 - 150) / 2, w, 150}},
        {{100, 4000, 0}, {10, 20, 300, 800}}};
    for (const auto& [stored, expected] : notes) {
        s.Memo = stored;
        EXPECT_TRUE(ReadNotesWindowPlacement(s, screen) == expected) << stored.Width;
    }
}

} // namespace
} // namespace hw
