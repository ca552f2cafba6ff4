// Open Components, the side-buffer load modes, the liftplan blends and the
// two-file overlay.
#include "files/pattern_file.h"
#include "model/primitives.h"
#include "pattern_golden.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using namespace test;

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

TEST(PatternComponents, OnlyTheTickedPartsChangeAndUndoBringsThemBack) {
    // Notes only, from a headerless file: nothing else moves.
    HeaderlessFile h;
    h.Shafts = 12, h.Threading.assign(600, 3), h.Notes = {'n', 'e', 'w', 0};
    h.TieUpColumns.assign(4, {0, 0});
    std::mt19937 rng(1);
    auto d = RandomDraft(rng, LoomSystem::SingleTreadling, false);
    const auto before = std::make_unique<DraftState>(*d);
    FixedChooser notes({ComponentChoice::Load, {.Notes = true}});
    ASSERT_TRUE(LoadWith(*d, h.Build(), notes).Ok);
    EXPECT_TRUE(d->Notes == "new" && d->Changed);
    d->Notes = before->Notes, d->Undo = before->Undo;
    d->Changed = before->Changed, d->UndoEnabled = before->UndoEnabled;
    ExpectSameDocument(*d, *before);

    // Threading, even with General ticked: the shaft count grows, sizes,
    // loom, view and file name stay; undo brings the old threading back.
    BracedFile f = SampleBraced();
    f.Shafts = 12, f.Threading = {12, 11, 1}, f.Ends = 3, f.Zoom = 3;
    f.TieUpColumns.assign(6, {0, 0});
    auto t = RandomDraft(rng, LoomSystem::Liftplan, false);
    t->Shafts = t->Treadles = 6, t->Ends = 400;
    const auto threading = t->Threading;
    FixedChooser thr({ComponentChoice::Load, {.General = true, .Threading = true}});
    ASSERT_TRUE(LoadWith(*t, f.Build(), thr).Ok);
    EXPECT_EQ(
        std::tuple(t->Shafts, t->Treadles, t->Ends, t->Zoom, t->Threading[1], t->Threading[4]),
        std::tuple(12, 12, 400, 9, 12, 0));
    EXPECT_TRUE(!t->TreadleMode && t->FileName.empty());
    RestoreUndo(*t);
    EXPECT_EQ(t->Threading, threading);

    // A cut file (even in unticked parts) and a cancelled dialog change
    // nothing, the undo copy included.
    SaveUndo(*t);
    const auto kept = std::make_unique<DraftState>(*t);
    Bytes cut = SampleBraced().Build();
    cut.resize(cut.size() - 20);
    EXPECT_EQ(ErrorKey(LoadWith(*t, cut, thr)), "Read beyond end of file");
    FixedChooser cancel;
    const LoadResult r = LoadWith(*t, SampleBraced().Build(), cancel);
    EXPECT_TRUE(!r.Ok && r.Cancelled && !r.Error);
    ExpectSameDocument(*t, *kept);
}

TEST(PatternComponents, PicturesAndWifFilesAreRefusedByName) {
    TempDir dir;
    auto d = NewDraft();
    FixedChooser any({ComponentChoice::Load, {.Notes = true}});
    for (const char* name : {"a.Bmp", "b.wif", "c.hdw"})
        WriteBytes(dir.File(name), SampleBraced().Build());
    EXPECT_EQ(ErrorKey(LoadComponents(*d, dir.File("a.Bmp"), any)),
              "Cannot open components from BMP-file.");
    EXPECT_EQ(ErrorKey(LoadComponents(*d, dir.File("b.wif"), any)),
              "Cannot open components from WIF-file.");
    EXPECT_EQ(any.Asked, 0);
    EXPECT_TRUE(LoadComponents(*d, dir.File("c.hdw"), any).Ok);
    EXPECT_EQ(d->Notes.substr(0, 5), "Twill");
    // Multiple treadling offers the threading and the tie-up, no liftplan.
    SetLoomSystem(*d, LoomSystem::MultipleTreadling);
    const ComponentEnabling e = EnabledComponents(*d);
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
    EXPECT_EQ(std::tuple(d->Picks, d->PicksUsed, d->Changed), std::tuple(11, 11, true));
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
    TempDir dir;
    // A: 4 shafts, every row lifts all but the second. B: 10 shafts, row p
    // lifts p and 10.
    BracedFile a = SampleLiftplan(0), b = SampleLiftplan(0);
    a.Shafts = a.Treadles = 4;
    a.LiftplanRows.assign(6, {0x0F});
    a.LiftplanRows[1] = {0x00};
    b.Type = 'g';
    for (int k = 1; k <= 5; ++k) b.LiftplanRows.push_back({uint8_t(1 << (k - 1)), 0x02});
    WriteBytes(dir.File("a.hdw"), a.Build());
    WriteBytes(dir.File("b.hdw"), b.Build());
    auto d = LiftplanDraft(8);
    d->Shafts = d->Treadles = 12;
    d->Liftplan[1] = 0;      // empty: becomes B's row
    d->Liftplan[2] = 0x00F3; // set cells take A's, beyond A's 4 shafts stay set
    d->Liftplan[3] = 0x0480; // clear cells take B's up to its 10 shafts
    d->Liftplan[7] = 0x0001; // beyond both files' rows
    ASSERT_TRUE(LoadLiftplanOverlay(*d, dir.File("a.hdw"), dir.File("b.hdw")));
    EXPECT_EQ(std::tuple(d->Liftplan[1], d->Liftplan[2], d->Liftplan[3], d->Liftplan[7]),
              std::tuple(0x0201, 0x02F0, 0x0684, 0x0001));
    EXPECT_EQ(d->PicksUsed, 8);

    // Files that cannot serve stop it with a reason, and change nothing.
    a.Shafts = 17;
    WriteBytes(dir.File("wide.hdw"), a.Build());
    WriteBytes(dir.File("e.hdw"), SampleBraced().Build());
    WriteBytes(dir.File("old.hdw"), HeaderlessFile().Build());
    Bytes cut = b.Build();
    cut.resize(30);
    WriteBytes(dir.File("cut.hdw"), cut);
    const std::pair<std::string, Message> refusals[] = {
        {"none.hdw", {"", "Cannot find %1", {dir.File("none.hdw")}}},
        {"old.hdw", {"", "File version is too old.", {}}},
        {"e.hdw", {"", "%1 contains no liftplan.", {dir.File("e.hdw")}}},
        {"wide.hdw", {"", "Too many shafts in loading liftplan!", {}}},
        {"cut.hdw", {"", "Read beyond end of file", {}}},
    };
    const auto before = std::make_unique<DraftState>(*d);
    for (const auto& [name, message] : refusals)
        EXPECT_EQ(LoadLiftplanOverlay(*d, dir.File("a.hdw"), dir.File(name)).Error, message);
    ExpectSameDocument(*d, *before);
}

} // namespace
} // namespace hw
