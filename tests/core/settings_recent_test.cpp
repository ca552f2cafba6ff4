#include "scripted_prompter.h"
#include "settings/recent_files.h"
#include "settings/window_placement.h"

#include <gtest/gtest.h>

#include <set>

namespace hw {
namespace {

RecentFiles Filled(int n) {
    RecentFiles r;
    for (int k = n; k >= 1; --k) r.Add("/p/" + std::to_string(k) + ".hdw");
    return r; // entry 0 is 1.hdw, entry 1 is 2.hdw, ...
}

std::vector<std::string> Names(const RecentFiles& r) {
    return {r.Entries().begin(), r.Entries().end()};
}

TEST(RecentFiles, AddingMovesAndDrops) {
    RecentFiles r = Filled(7);
    // A listed third entry moves to the front; the first two shift down.
    EXPECT_TRUE(r.Add("/p/3.hdw"));
    EXPECT_EQ(Names(r), (std::vector<std::string>{"/p/3.hdw", "/p/1.hdw", "/p/2.hdw", "/p/4.hdw",
                                                  "/p/5.hdw", "/p/6.hdw", "/p/7.hdw"}));
    // A new path drops the seventh.
    EXPECT_TRUE(r.Add("/p/new.hdw"));
    EXPECT_EQ(r.Entry(0), "/p/new.hdw");
    EXPECT_EQ(r.Entry(6), "/p/6.hdw");
    // Already first, a bitmap or nothing: no change.
    EXPECT_FALSE(r.Add("/p/new.hdw"));
    EXPECT_FALSE(r.Add("/p/picture.BmP"));
    EXPECT_FALSE(r.Add(""));
    EXPECT_EQ(r.Entry(0), "/p/new.hdw");
    // The last entry moved to the front keeps the list full and unique.
    EXPECT_TRUE(r.Add("/p/6.hdw"));
    const std::set<std::string> unique(r.Entries().begin(), r.Entries().end());
    EXPECT_EQ(unique.size(), 7u);
    EXPECT_EQ(r.Entry(0), "/p/6.hdw");
}

TEST(RecentFiles, AddingToAShortListFillsTheNextPlace) {
    RecentFiles r = Filled(2);
    EXPECT_TRUE(r.SeparatorVisible());
    r.Add("/p/9.hdw");
    EXPECT_EQ(Names(r),
              (std::vector<std::string>{"/p/9.hdw", "/p/1.hdw", "/p/2.hdw", "", "", "", ""}));
    r.Add("/p/2.hdw");
    EXPECT_EQ(Names(r),
              (std::vector<std::string>{"/p/2.hdw", "/p/9.hdw", "/p/1.hdw", "", "", "", ""}));
}

TEST(RecentFiles, ChoosingAMissingFileReportsAndRemovesIt) {
    RecentFiles r = Filled(4);
    test::ScriptedPrompter p;
    auto exists = [](const std::string& path) { return path != "/p/2.hdw"; };
    EXPECT_EQ(r.Choose(2, p, exists), "/p/3.hdw");
    EXPECT_TRUE(p.Shown.empty());
    EXPECT_EQ(r.Choose(1, p, exists), std::nullopt);
    ASSERT_EQ(p.Shown.size(), 1u);
    EXPECT_EQ(p.Shown[0].Kind, "error");
    EXPECT_EQ(p.Shown[0].Text, "Cannot find /p/2.hdw");
    EXPECT_EQ(Names(r),
              (std::vector<std::string>{"/p/1.hdw", "/p/3.hdw", "/p/4.hdw", "", "", "", ""}));
    // An empty place or an index out of range does nothing.
    EXPECT_EQ(r.Choose(5, p, exists), std::nullopt);
    EXPECT_EQ(r.Choose(-1, p, exists), std::nullopt);
    EXPECT_EQ(p.Shown.size(), 1u);
}

TEST(RecentFiles, RemovingTheLastEntryHidesTheSeparator) {
    RecentFiles r = Filled(1);
    EXPECT_TRUE(r.SeparatorVisible());
    r.Remove(0);
    EXPECT_FALSE(r.SeparatorVisible());
    r.Remove(9); // ignored
}

TEST(RecentFiles, Captions) {
    RecentFiles r;
    r.SetEntry(0, "C:\\Patterns\\rose.hdw");
    r.SetEntry(1, "/home/weaver/drafts/twill 2-2.hdw");
    r.SetEntry(2, "\\\\loom\\share\\sub\\x.hdw"); // a network drive is too long to show
    r.SetEntry(3, "/home/weaver/Tom & Jerry.hdw");
    r.SetEntry(4, "D:plain.hdw");
    r.SetEntry(6, "/home/weaver/odd\\name.hdw"); // a backslash is a name character here
    EXPECT_EQ(r.Caption(0), "&1 C:rose.hdw");
    EXPECT_EQ(r.Caption(1), "&2 twill 2-2.hdw");
    EXPECT_EQ(r.Caption(2), "&3 x.hdw");
    EXPECT_EQ(r.Caption(3), "&4 Tom && Jerry.hdw");
    EXPECT_EQ(r.Caption(4), "&5 D:plain.hdw");
    EXPECT_EQ(r.Caption(5), "");
    EXPECT_EQ(r.Caption(6), "&7 odd\\name.hdw");
    EXPECT_EQ(PathDrive("\\\\a\\b\\c.hdw"), "\\\\a\\b");
}

TEST(WindowPlacement, NothingStoredOrMaximizedOpensMaximized) {
    const ScreenRect screen{0, 0, 1920, 1083};
    const ScreenRect designed{100, 50, 900, 650};
    Settings s;
    WindowPlacement p = StartWindowPlacement(s, screen, designed);
    EXPECT_TRUE(p.Maximized);
    EXPECT_EQ(p.Geometry.Height, 1083 / 8 * 7);
    EXPECT_EQ(p.Geometry.Width, 900);
    s.Wbredde = 1000;
    s.Whoyde = 700;
    s.Wposfull = 1;
    EXPECT_TRUE(StartWindowPlacement(s, screen, designed).Maximized);
}

TEST(WindowPlacement, StoredSizeFitsTheScreen) {
    const ScreenRect screen{0, 0, 1280, 800};
    Settings s;
    s.Wbredde = 1000;
    s.Whoyde = 700;
    // Fits where it was designed to open.
    WindowPlacement p = StartWindowPlacement(s, screen, {100, 50, 900, 650});
    EXPECT_FALSE(p.Maximized);
    EXPECT_EQ(p.Geometry.X, 100);
    EXPECT_EQ(p.Geometry.Y, 50);
    EXPECT_EQ(p.Geometry.Width, 1000);
    EXPECT_EQ(p.Geometry.Height, 700);
    // Would reach beyond the right and bottom edges: moved to the edges.
    p = StartWindowPlacement(s, screen, {400, 200, 900, 650});
    EXPECT_EQ(p.Geometry.X, 0);
    EXPECT_EQ(p.Geometry.Y, 0);
    // A size stored on a bigger screen shrinks to this one; a tiny one grows.
    s.Wbredde = 5000;
    s.Whoyde = 10;
    p = StartWindowPlacement(s, {10, 20, 1024, 768}, {100, 50, 900, 650});
    EXPECT_EQ(p.Geometry.Width, 1024);
    EXPECT_EQ(p.Geometry.Height, MinWindowHeight);
    EXPECT_EQ(p.Geometry.X, 10);
    EXPECT_GE(p.Geometry.Y, 20);
}

TEST(WindowPlacement, ExitRecordsStateAndSize) {
    Settings s;
    RecordWindowPlacement(s, true, 1200, 900);
    EXPECT_EQ(s.Wposfull, 1);
    EXPECT_EQ(s.Wbredde, 1200);
    RecordWindowPlacement(s, false, -5, 640);
    EXPECT_EQ(s.Wposfull, 0);
    EXPECT_EQ(s.Wbredde, 0);
    EXPECT_EQ(s.Whoyde, 640);
}

} // namespace
} // namespace hw
