// A save replaces the file whole or not at all; the design grid's companion
// files never cost the pattern; Open Components, the side-buffer load modes,
// the liftplan blends and the two-file overlay load only their parts.
#include "files/design_companion.h"
#include "files/pattern_file.h"
#include "model/loom_system.h"
#include "model/primitives.h"
#include "pattern_golden.h"
#include "test_drafts.h"
#include "view/draft_image.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>

namespace hw {
namespace {

using namespace test;
namespace fs = std::filesystem;

// How many entries a folder has: no temporary file may stay behind.
auto Entries(const fs::path& dir) {
    return std::distance(fs::directory_iterator(dir), fs::directory_iterator());
}

TEST(PatternSave, ReplacesTheFileWholeOrNotAtAll) {
    TempDir dir;
    const std::string path = dir.File("twill.hdw");
    const Bytes oldFile = SampleBraced().Build();
    WriteBytes(path, oldFile);
    ::chmod(path.c_str(), 0640);
    std::mt19937 rng(99);
    auto d = RandomDraft(rng, LoomSystem::SingleTreadling, true);
    d->FileName = "/drafts/open.hdw";
    const auto before = std::make_unique<DraftState>(*d);
    // Writes beyond the size limit fail, as they would on a full disk; so do
    // a target that is a folder and a folder that does not exist.
    rlimit old{}, lim{};
    ::getrlimit(RLIMIT_FSIZE, &old), lim = old, lim.rlim_cur = 500;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &lim);
    const Status full = SavePattern(*d, path, {});
    ::setrlimit(RLIMIT_FSIZE, &old), std::signal(SIGXFSZ, handler);
    EXPECT_EQ(ErrorKey(full), "File Write Error");
    fs::create_directories(dir.Path / "taken.hdw" / "inside");
    EXPECT_EQ(ErrorKey(SavePattern(*d, dir.File("taken.hdw"), {})), "File Write Error");
    EXPECT_EQ(ErrorKey(SavePattern(*d, dir.File("missing/new.hdw"), {})), "File Write Error");
    EXPECT_EQ(ReadBytes(path), oldFile);
    ExpectSameDocument(*d, *before);
    EXPECT_EQ(Entries(dir.Path), 2);

    // A save that goes through keeps the file's mode and leaves nothing else.
    ASSERT_TRUE(SavePattern(*d, path, {}));
    EXPECT_EQ(ReadBytes(path), EncodePattern(*d, {}));
    EXPECT_EQ(d->FileName, path);
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries(dir.Path), 2);
    // A link to a pattern stays a link; the file behind it is replaced.
    fs::create_symlink(path, dir.Path / "link.hdw");
    d->Threading[1] = 0;
    ASSERT_TRUE(SavePattern(*d, dir.File("link.hdw"), {}));
    EXPECT_TRUE(fs::is_symlink(dir.Path / "link.hdw"));
    EXPECT_EQ(ReadBytes(path), EncodePattern(*d, {}));

    // Design mode writes the pattern and its design file, or neither.
    d->DesignMode = true;
    DesignPut(*d, 50, 50, true);
    ASSERT_TRUE(SavePattern(*d, path, {}));
    EXPECT_EQ(ReadBytes(dir.File("twill.hdb")), EncodeDesignFile(*d));
    const Bytes saved = ReadBytes(path);
    fs::remove(dir.Path / "twill.hdb");
    fs::create_directories(dir.Path / "twill.hdb" / "x");
    DesignPut(*d, 2, 2, true);
    EXPECT_FALSE(SavePattern(*d, path, {}));
    EXPECT_TRUE(ReadBytes(path) == saved);
    // A pattern named like its own companion is refused.
    EXPECT_EQ(ErrorKey(SavePattern(*d, dir.File("self.hdb"), {})), "File Write Error");
    EXPECT_FALSE(fs::exists(dir.Path / "self.hdb"));
}

// The sample Design-mode pattern (12 ends, 10 picks) and its design file,
// which holds a cross unlike the draft's own design.
struct DesignFiles {
    Bytes pattern = ReadBytes(HW_TEST_DATA_DIR "/design_v7.hdw");
    Bytes design = ReadBytes(HW_TEST_DATA_DIR "/design_v7.hdb");
    // Loads the pattern with these files beside it.
    LoadResult Load(DraftState& d, std::map<std::string, Bytes> files) const {
        return LoadPatternBytes(d, pattern, "/p/design.hdw", {},
                                [files](const std::string& path, Bytes& out) {
                                    if (!files.count(path)) return ReadStatus::NotFound;
                                    out = files.at(path);
                                    return ReadStatus::Ok;
                                });
    }
    // The design grid after a load beside these files.
    auto Grid(std::map<std::string, Bytes> files) const {
        auto d = NewDraft();
        Load(*d, files);
        return d->DesignGrid;
    }
};

// A design file of `rows` rows of `length` bytes, filled by row and byte.
Bytes DesignFile(int rows, int length, uint8_t (*cell)(int row, int byte)) {
    Bytes hdb(128, 0);
    hdb[0] = 'H', hdb[1] = 'D', hdb[10] = uint8_t((length - 1) >> 8);
    hdb[11] = uint8_t(length - 1), hdb[13] = uint8_t(rows);
    for (int r = 0; r < rows; ++r)
        for (int b = 0; b < length; ++b) hdb.push_back(cell(r, b));
    return hdb;
}

TEST(PatternDesignFile, ReplacesTheComputedDesignAndDamageIsOnlyAWarning) {
    DesignFiles f;
    Bytes wrongSignature = f.design;
    wrongSignature[0] = 'X';
    const Bytes truncated(f.design.begin(), f.design.end() - 1);
    const std::tuple<std::map<std::string, Bytes>, const char*, bool> cases[] = {
        {{{"/p/design.hdb", f.design}}, "", true},
        {{}, "", false}, // none: the design is the draft's
        {{{"/p/design.hdb", wrongSignature}}, "Incorrect file signature.", false},
        {{{"/p/design.hdb", truncated}}, "File Read Error", false},
        {{{"/p/design.hdb", Bytes{'H'}}}, "Incorrect file signature.", false},
    };
    const auto fromDraft = f.Grid({}), fromFile = f.Grid({{"/p/design.hdb", f.design}});
    EXPECT_TRUE(fromDraft != fromFile && fromFile[1][0] == 0x41 &&
                fromFile[4][0] == 0x08); // a cross
    for (const auto& [files, warning, withFile] : cases) {
        auto d = NewDraft();
        const LoadResult r = f.Load(*d, files);
        ASSERT_TRUE(r.Ok);
        EXPECT_EQ(r.Warnings.empty() ? "" : r.Warnings[0].Key, warning);
        EXPECT_TRUE(d->DesignMode && d->FileName == "/p/design.hdw");
        EXPECT_EQ(d->DesignGrid, withFile ? fromFile : fromDraft) << warning;
    }
    // Any row length and count: rows after 50 and bytes after 300 are
    // dropped, and so is whatever lies beyond the draft's 12 ends and 10 picks.
    auto d = NewDraft();
    const Bytes many =
        DesignFile(60, 8, [](int r, int) { return uint8_t(r == 0 ? 0xFF : r == 3); });
    ASSERT_TRUE(f.Load(*d, {{"/p/design.hdb", many}}).Ok);
    for (int e = 1; e <= 12; ++e) EXPECT_TRUE(DesignGet(*d, 1, e)) << e;
    EXPECT_TRUE(!DesignGet(*d, 1, 13) && !DesignGet(*d, 2, 1) && DesignGet(*d, 4, 1));
    ExpectModelInvariants(*d);
    const Bytes wide = DesignFile(
        2, 400, [](int r, int b) { return uint8_t(b == 0 && r == 1 ? 4 : 0xAA * (b >= 300)); });
    ASSERT_TRUE(f.Load(*d, {{"/p/design.hdb", wide}}).Ok);
    EXPECT_TRUE(DesignGet(*d, 2, 3) && !DesignGet(*d, 1, 2) && !DesignGet(*d, 3, 1));
}

TEST(PatternDesignFile, Version5PictureIsReadRightToLeftBottomUp) {
    DesignFiles f;
    f.pattern[1] = 5;
    // 3 x 2 pixels, 24 bits: white, white, black over black, white, white.
    const Bytes bmp = ReadBytes(HW_TEST_DATA_DIR "/design_v5.bmp");
    for (const char* name : {"/p/design.bmp", "/p/design.BMP"}) {
        auto d = NewDraft();
        const LoadResult r = f.Load(*d, {{name, bmp}});
        ASSERT_TRUE(r.Ok && r.Warnings.empty() && d->DesignMode);
        // End 1 is the rightmost column; black marks the set cells.
        for (int p = 1; p <= 3; ++p)
            for (int e = 1; e <= 4; ++e)
                EXPECT_EQ(DesignGet(*d, p, e), (p == 1 && e == 3) || (p == 2 && e == 1)) << p << e;
    }
    // Something else under the picture's name: a warning, the load stands.
    for (const Bytes& junk : {Bytes{'B', 'M', 1, 2}, Bytes{0x89, 'P', 'N', 'G'}}) {
        auto d = NewDraft();
        const LoadResult r = f.Load(*d, {{"/p/design.bmp", junk}});
        ASSERT_TRUE(r.Ok);
        EXPECT_EQ(r.Warnings, (std::vector<Message>{{"", "File Read Error", {}}}));
        EXPECT_EQ(d->DesignGrid, f.Grid({}));
    }
}

// Answers the components dialog with a fixed choice.
struct FixedChooser : ComponentChooser {
    explicit FixedChooser(ComponentChoice answer = {}) : Answer(answer) {}
    ComponentChoice Choose(const ComponentEnabling&) override { return ++Asked, Answer; }
    ComponentChoice Answer;
    int Asked = 0;
};

LoadResult Load(DraftState& d, const Bytes& file, LoadRequest request) {
    return LoadPatternBytes(d, file, "/other.hdw", request, DiskCompanionReader());
}
LoadResult LoadWith(DraftState& d, const Bytes& file, ComponentChooser& c) {
    return Load(d, file, {.Components = true, .Chooser = &c});
}
LoadResult Blend(DraftState& d, const Bytes& file, int mode) {
    FixedChooser c({ComponentChoice::Blend, {}, mode});
    return LoadWith(d, file, c);
}

// A liftplan file of `rows` rows on 4 shafts; row k lifts shaft (k-1) % 4 + 1.
Bytes LiftplanFile(int rows) {
    BracedFile f = SampleLiftplan(0);
    f.Shafts = f.Treadles = 4;
    for (int k = 1; k <= rows; ++k) f.LiftplanRows.push_back({uint8_t(1 << ((k - 1) % 4))});
    return f.Build();
}

// A liftplan draft on 8 shafts whose picks all lift shafts 5 and 6.
std::unique_ptr<DraftState> LiftplanDraft(int picks) {
    auto d = NewDraft();
    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Shafts = d->Treadles = 8;
    d->Picks = uint16_t(picks);
    for (int p = 1; p <= picks; ++p) d->Liftplan[p] = 0x30;
    UpdateUsed(*d);
    return d;
}

std::vector<int> Rows(const DraftState& d, int from, int to) {
    return std::vector<int>(d.Liftplan.begin() + from, d.Liftplan.begin() + to + 1);
}

TEST(PatternComponents, OnlyTheTickedPartsChange) {
    // Notes only, from a headerless file: nothing else moves.
    HeaderlessFile h;
    h.Shafts = 12, h.Threading.assign(600, 3), h.TieUpColumns.assign(4, Bytes(2));
    h.Notes = {'n', 'e', 'w', 0};
    std::mt19937 rng(1);
    auto d = RandomDraft(rng, LoomSystem::SingleTreadling, false);
    const auto before = std::make_unique<DraftState>(*d);
    FixedChooser notes({ComponentChoice::Load, {.Notes = true}});
    ASSERT_TRUE(LoadWith(*d, h.Build(), notes).Ok);
    EXPECT_EQ(d->Notes, "new");
    d->Notes = before->Notes;
    ExpectSameDocument(*d, *before);

    // Threading, even with General ticked: the shaft count grows, sizes,
    // loom, view and file name stay.
    BracedFile f = SampleBraced();
    f.Shafts = 12, f.Threading = {12, 11, 1}, f.Ends = 3, f.Zoom = 3;
    f.TieUpColumns.assign(6, Bytes(2));
    auto t = RandomDraft(rng, LoomSystem::Liftplan, false);
    t->Shafts = t->Treadles = 6, t->Ends = 400;
    const auto threading = t->Threading;
    FixedChooser thr({ComponentChoice::Load, {.General = true, .Threading = true}});
    ASSERT_TRUE(LoadWith(*t, f.Build(), thr).Ok);
    EXPECT_EQ(
        std::tuple(t->Shafts, t->Treadles, t->Ends, t->Zoom, t->Threading[1], t->Threading[4]),
        std::tuple(12, 12, 400, 9, 12, 0));
    EXPECT_TRUE(!t->TreadleMode && t->FileName.empty());
    EXPECT_NE(t->Threading, threading);

    // A cut file (even in unticked parts) and a cancelled dialog change
    // nothing.
    const auto kept = std::make_unique<DraftState>(*t);
    Bytes cut = SampleBraced().Build();
    cut.resize(cut.size() - 20);
    EXPECT_EQ(ErrorKey(LoadWith(*t, cut, thr)), "Read beyond end of file");
    FixedChooser cancel;
    const LoadResult r = LoadWith(*t, SampleBraced().Build(), cancel);
    EXPECT_TRUE(!r.Ok && r.Cancelled && !r.Error);
    // Pictures and WIF files are refused by their name, before anything is asked.
    EXPECT_EQ(ErrorKey(LoadComponents(*t, "/p/a.Bmp", cancel)),
              "Cannot open components from BMP-file.");
    EXPECT_EQ(ErrorKey(LoadComponents(*t, "/p/b.wif", cancel)),
              "Cannot open components from WIF-file.");
    EXPECT_EQ(cancel.Asked, 1);
    ExpectSameDocument(*t, *kept);
    // Multiple treadling offers the threading and the tie-up, no liftplan.
    SetLoomSystem(*t, LoomSystem::MultipleTreadling);
    const ComponentEnabling e = EnabledComponents(*t);
    EXPECT_TRUE(e.Threading && e.TieUp && !e.Treadling && !e.Liftplan && !e.BlendVisible());
}

TEST(PatternComponents, SideBuffersAndTranslationUnitsFromFile) {
    BracedFile f = SampleBraced();
    f.Threading = {1, 2, 7}, f.WarpColors = {11, 12}; // 7 on 4 shafts folds to 3
    std::mt19937 rng(3);
    auto d = RandomDraft(rng, LoomSystem::SingleTreadling, false);
    d->InsertThreading.fill(9), d->InsertTreadling.fill(9), d->InsertWarpColors.fill(9);
    d->InsertTieUp[5][5] = 1;
    const auto before = std::make_unique<DraftState>(*d);
    ASSERT_TRUE(Load(*d, f.Build(), {.Mode = ModeInsert}).Ok);
    // The threading is cleared beyond the count, the colours are not
    // default-filled, the tie-up is not cleared first.
    EXPECT_EQ(std::tuple(d->InsertThreading[2], d->InsertThreading[3], d->InsertThreading[4],
                         d->InsertWarpColors[2], d->InsertWarpColors[3], d->InsertTreadling[6],
                         d->InsertTreadling[11], d->InsertTieUp[0][0], d->InsertTieUp[5][5]),
              std::tuple(2, 3, 0, 12, 9, 6, 0, 1, 1));
    d->InsertThreading = before->InsertThreading, d->InsertTreadling = before->InsertTreadling;
    d->InsertWarpColors = before->InsertWarpColors, d->InsertWeftColors = before->InsertWeftColors;
    d->InsertTieUp = before->InsertTieUp;
    // Translation units from a file that ends soon after them.
    Bytes units = SampleBraced().Build();
    units.resize(units.size() - 700);
    const LoadResult r = Load(*d, units, {.Mode = ModeTransUnits});
    ASSERT_TRUE(r.Ok && r.TransUnitsLoaded);
    EXPECT_TRUE(d->TransUnitSize == (std::array<int, 2>{5, 3}) && d->TransUnit2[1][1]);
    d->TransUnitSize = before->TransUnitSize;
    d->TransUnit1 = before->TransUnit1, d->TransUnit2 = before->TransUnit2;
    ExpectSameDocument(*d, *before);
    // Headerless files are too old for the side buffers, and leave no stale
    // parts behind.
    EXPECT_EQ(ErrorKey(Load(*d, HeaderlessFile().Build(), {.Mode = ModeInsert})),
              "File version is too old.");
    EXPECT_EQ(std::tuple(d->InsertThreading[1], d->InsertTreadling[1]), std::tuple(0, 0));
}

TEST(PatternComponents, LiftplanRowsAtAnIntervalAppendedAndBlended) {
    auto d = LiftplanDraft(12);
    ASSERT_TRUE(
        Load(*d, LiftplanFile(10), {.Mode = ModeAtInterval, .FromPick = 3, .Interval = 4}).Ok);
    EXPECT_EQ(Rows(*d, 3, 13), (std::vector{1, 48, 48, 48, 2, 48, 48, 48, 4, 48, 0})); // 12 picks

    // Append: after the last used pick, only what fits; when full, nothing.
    d = LiftplanDraft(5);
    d->Picks = 300;
    ASSERT_TRUE(Blend(*d, LiftplanFile(6), ModeAppend).Ok);
    EXPECT_EQ(Rows(*d, 5, 12), (std::vector{48, 1, 2, 4, 8, 1, 2, 0}));
    EXPECT_EQ(std::tuple(d->Picks, d->PicksUsed), std::tuple(11, 11));
    auto full = LiftplanDraft(9598);
    ASSERT_TRUE(Blend(*full, LiftplanFile(6), ModeAppend).Ok);
    EXPECT_EQ(full->Liftplan[9600], 0x02);
    const auto before = std::make_unique<DraftState>(*full);
    EXPECT_EQ(ErrorKey(Blend(*full, LiftplanFile(6), ModeAppend)),
              "Liftplan is full, no room to append.");
    ExpectSameDocument(*full, *before);

    // Add, invert, subtract over the draft's 8 picks only; nothing after the
    // file's liftplan is needed. File rows lift shafts 1, 2, 3, 4, 1...
    Bytes file = LiftplanFile(10);
    file.resize(file.size() - (66 + 769 + 11)); // units, palette, notes
    for (auto [mode, pick1, pick5] :
         {std::tuple(ModeAdd, 0x31, 0x31), std::tuple(ModeInvert, 0x31, 0x30),
          std::tuple(ModeSubtract, 0x30, 0x30)}) {
        d = LiftplanDraft(8);
        d->Liftplan[5] = 0x31;
        ASSERT_TRUE(Blend(*d, file, mode).Ok) << mode;
        EXPECT_EQ(std::tuple(d->Liftplan[1], d->Liftplan[5], d->Liftplan[9], d->Picks),
                  std::tuple(pick1, pick5, 0, 8))
            << mode;
    }
}

TEST(PatternComponents, LiftplanOverlayChoosesBetweenTwoFiles) {
    // A: 4 shafts, every row lifts all but the second. B: 10 shafts, row p
    // lifts p and 10.
    BracedFile a = SampleLiftplan(0), b = SampleLiftplan(0);
    a.Shafts = a.Treadles = 4;
    a.LiftplanRows.assign(6, {0x0F});
    a.LiftplanRows[1] = {0x00};
    b.Type = 'g';
    for (int k = 1; k <= 5; ++k) b.LiftplanRows.push_back({uint8_t(1 << (k - 1)), 0x02});
    const Bytes fileA = a.Build(), fileB = b.Build();
    auto d = LiftplanDraft(8);
    d->Shafts = d->Treadles = 12;
    d->Liftplan[1] = 0;      // empty: becomes B's row
    d->Liftplan[2] = 0x00F3; // set cells take A's, beyond A's 4 shafts stay set
    d->Liftplan[3] = 0x0480; // clear cells take B's up to its 10 shafts
    d->Liftplan[7] = 0x0001; // beyond both files' rows
    ASSERT_TRUE(LiftplanOverlayBytes(*d, fileA, fileB));
    EXPECT_EQ(std::tuple(d->Liftplan[1], d->Liftplan[2], d->Liftplan[3], d->Liftplan[7]),
              std::tuple(0x0201, 0x02F0, 0x0684, 0x0001));
    EXPECT_EQ(d->PicksUsed, 8);

    // Files that cannot serve stop it with a reason, and change nothing.
    a.Shafts = 17;
    const Bytes cut(fileB.begin(), fileB.begin() + 30);
    const std::pair<Bytes, Message> refusals[] = {
        {HeaderlessFile().Build(), {"", "File version is too old.", {}}},
        {SampleBraced().Build(), {"", "%1 contains no liftplan.", {"B"}}},
        {a.Build(), {"", "Too many shafts in loading liftplan!", {}}},
        {cut, {"", "Read beyond end of file", {}}},
    };
    const auto before = std::make_unique<DraftState>(*d);
    for (const auto& [file, message] : refusals)
        EXPECT_EQ(LiftplanOverlayBytes(*d, fileA, file).Error, message);
    TempDir dir;
    EXPECT_EQ(LoadLiftplanOverlay(*d, dir.File("none.hdw"), dir.File("b.hdw")).Error,
              (Message{"", "Cannot find %1", {dir.File("none.hdw")}}));
    ExpectSameDocument(*d, *before);
}

// The samples open, paint every yarn colour and save back to the same bytes, and
// together show every loom system, both sheds and Design mode.
TEST(Samples, OpenPaintAndSaveBackUnchanged) {
    std::set<LoomSystem> systems;
    std::set<bool> sheds;
    int count = 0, designs = 0;
    TempDir dir;
    for (const fs::directory_entry& entry : fs::directory_iterator(HW_SAMPLES_DIR)) {
        const fs::path path = entry.path(), name = path.filename();
        if (path.extension() != ".hdw") continue;
        SCOPED_TRACE(name);
        auto d = NewDraft();
        const LoadResult r = LoadPattern(*d, path, LoadRequest{});
        ASSERT_TRUE(r.Ok && r.Warnings.empty());
        EXPECT_GT(d->Notes.size(), 200u);
        ++count, designs += d->DesignMode, sheds.insert(d->Shed), systems.insert(GetLoomSystem(*d));

        const DraftImage image = RenderDraftImage(*d, {.Zoom = 3, .Style = 3});
        ASSERT_TRUE(image.Picture);
        std::set<ColorRef> painted;
        for (int y = 0; y < image.Picture->Height(); ++y)
            for (int x = 0; x < image.Picture->Width(); ++x)
                painted.insert(image.Picture->PixelColor(x, y));
        for (int i = 1; i <= std::max(d->Ends, d->Picks); ++i) {
            EXPECT_TRUE(i > d->Ends || painted.count(d->ColorTable[d->WarpColors[i]])) << i;
            EXPECT_TRUE(i > d->Picks || painted.count(d->ColorTable[d->WeftColors[i]])) << i;
        }

        const fs::path saved = dir.Path / name;
        ASSERT_TRUE(SavePattern(*d, saved, {.SaveLayout = false}));
        EXPECT_EQ(ReadBytes(saved), ReadBytes(path));
        if (d->DesignMode) {
            EXPECT_EQ(ReadBytes(fs::path(saved).replace_extension(".hdb")),
                      ReadBytes(fs::path(path).replace_extension(".hdb")));
        }
    }
    EXPECT_TRUE(count >= 12 && systems.size() == 3 && sheds.size() == 2 && designs == 1)
        << count << " samples, " << systems.size() << " loom systems, " << designs << " designs";
}

} // namespace
} // namespace hw
