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

// Answers the components dialog from a script and records what it offered.
struct FixedChooser : ComponentChooser {
    ComponentChoice Answer;
    ComponentEnabling Offered;
    int Asked = 0;
    ComponentChoice Choose(const ComponentEnabling& enabled) override {
        Offered = enabled;
        ++Asked;
        return Answer;
    }
};

FixedChooser Tick(void (*tick)(LoadFlags&)) {
    FixedChooser c;
    c.Answer.Result = ComponentChoice::Load;
    tick(c.Answer.Flags);
    return c;
}

FixedChooser Blend(int mode) {
    FixedChooser c;
    c.Answer = {ComponentChoice::Blend, {}, mode};
    return c;
}

LoadResult Load(DraftState& d, const Bytes& file, LoadRequest request) {
    return LoadPatternBytes(d, file, "/other.hdw", request, DiskCompanionReader());
}

LoadResult LoadWith(DraftState& d, const Bytes& file, ComponentChooser& c) {
    return Load(d, file, {.Components = true, .Chooser = &c});
}

// A liftplan file of `rows` rows on 4 shafts; row k lifts shaft (k-1) % 4 + 1.
Bytes LiftplanFile(int rows) {
    BracedFile f = SampleLiftplan(0);
    f.Shafts = f.Treadles = 4;
    for (int k = 1; k <= rows; ++k) f.LiftplanRows.push_back({uint8_t(1 << ((k - 1) % 4))});
    return f.Build();
}

std::unique_ptr<DraftState> LiftplanDraft(int picks) {
    auto d = NewDraft();
    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Shafts = d->Treadles = 8;
    d->Picks = uint16_t(picks);
    for (int p = 1; p <= picks; ++p) d->Liftplan[p] = 0x30; // shafts 5 and 6
    UpdateUsed(*d);
    return d;
}

TEST(PatternComponents, EnablingFollowsTheLoomSystemAndMode) {
    auto d = NewDraft();
    // Threading, liftplan, treadling, tie-up; the rest are always offered.
    const std::tuple<LoomSystem, bool, int> cases[] = {
        {LoomSystem::SingleTreadling, false, 1011}, {LoomSystem::MultipleTreadling, false, 1001},
        {LoomSystem::Liftplan, false, 1100},        {LoomSystem::Liftplan, true, 0},
        {LoomSystem::SingleTreadling, true, 0},
    };
    for (const auto& [system, design, expected] : cases) {
        SetLoomSystem(*d, system);
        d->DesignMode = design;
        const ComponentEnabling e = EnabledComponents(*d);
        EXPECT_EQ(e.Threading * 1000 + e.Liftplan * 100 + e.Treadling * 10 + e.TieUp, expected);
        EXPECT_EQ(e.BlendVisible(), e.Liftplan);
        EXPECT_TRUE(e.Palette && e.WarpColors && e.WeftColors && e.TransUnits && e.Notes);
    }
}

TEST(PatternComponents, OnlyTheTickedPartsChangeAndUndoBringsThemBack) {
    // Notes only, from a headerless file: nothing else moves.
    HeaderlessFile h;
    h.Shafts = 12;
    h.TieUpColumns.assign(4, {0, 0});
    h.Threading.assign(600, 3);
    h.Notes = {'n', 'e', 'w', 0};
    std::mt19937 rng(1);
    auto d = RandomDraft(rng, LoomSystem::SingleTreadling, false);
    const auto before = std::make_unique<DraftState>(*d);
    FixedChooser notes = Tick([](LoadFlags& f) { f.Notes = true; });
    ASSERT_TRUE(LoadWith(*d, h.Build(), notes).Ok);
    EXPECT_EQ(d->Notes, "new");
    EXPECT_TRUE(d->Changed);
    d->Notes = before->Notes, d->Undo = before->Undo;
    d->Changed = before->Changed, d->UndoEnabled = before->UndoEnabled;
    ExpectSameDocument(*d, *before);

    // Threading, even with General ticked: the shaft count grows, sizes,
    // loom, view and file name stay; undo brings the old threading back.
    BracedFile f = SampleBraced();
    f.Shafts = 12, f.Threading = {12, 11, 1}, f.Ends = 3, f.Zoom = 3;
    f.TieUpColumns.assign(6, {0, 0});
    auto t = RandomDraft(rng, LoomSystem::Liftplan, false);
    t->Shafts = t->Treadles = 6;
    t->Ends = 400;
    const auto threading = t->Threading;
    FixedChooser thr = Tick([](LoadFlags& fl) { fl.Threading = fl.General = true; });
    ASSERT_TRUE(LoadWith(*t, f.Build(), thr).Ok);
    EXPECT_EQ(std::tuple(t->Shafts, t->Treadles, t->Ends, t->Zoom), std::tuple(12, 12, 400, 9));
    EXPECT_FALSE(t->TreadleMode);
    EXPECT_EQ(std::tuple(t->Threading[1], t->Threading[4]), std::tuple(12, 0));
    EXPECT_TRUE(t->FileName.empty());
    RestoreUndo(*t);
    EXPECT_EQ(t->Threading, threading);

    // A cut file (even in unticked parts) and a cancelled dialog change
    // nothing, the undo copy included.
    SaveUndo(*t);
    const auto kept = std::make_unique<DraftState>(*t);
    Bytes cut = SampleBraced().Build();
    cut.resize(cut.size() - 20);
    EXPECT_FALSE(LoadWith(*t, cut, thr).Ok);
    FixedChooser cancel;
    const LoadResult r = LoadWith(*t, SampleBraced().Build(), cancel);
    EXPECT_TRUE(!r.Ok && r.Cancelled && !r.Error);
    ExpectSameDocument(*t, *kept);
}

TEST(PatternComponents, PicturesAndWifFilesAreRefusedByName) {
    TempDir dir;
    auto d = NewDraft();
    FixedChooser any = Tick([](LoadFlags& f) { f.Notes = true; });
    for (const char* name : {"a.Bmp", "b.wif", "c.hdw"})
        WriteBytes(dir.File(name), SampleBraced().Build());
    EXPECT_EQ(ErrorKey(LoadComponents(*d, dir.File("a.Bmp"), any)),
              "Cannot open components from BMP-file.");
    EXPECT_EQ(ErrorKey(LoadComponents(*d, dir.File("b.wif"), any)),
              "Cannot open components from WIF-file.");
    EXPECT_EQ(any.Asked, 0);
    EXPECT_TRUE(LoadComponents(*d, dir.File("c.hdw"), any).Ok);
    EXPECT_EQ(d->Notes.substr(0, 5), "Twill");
}

TEST(PatternComponents, InsertModeFillsTheSideBuffersOnly) {
    BracedFile f = SampleBraced();
    f.Threading = {1, 2, 7}; // 7 on 4 shafts folds to 3
    f.WarpColors = {11, 12};
    std::mt19937 rng(3);
    auto d = RandomDraft(rng, LoomSystem::SingleTreadling, false);
    d->InsertThreading.fill(9);
    d->InsertTreadling.fill(9);
    d->InsertWarpColors.fill(9);
    d->InsertTieUp[5][5] = 1;
    const auto before = std::make_unique<DraftState>(*d);
    ASSERT_TRUE(Load(*d, f.Build(), {.Mode = ModeInsert}).Ok);
    EXPECT_EQ(std::vector(d->InsertThreading.begin() + 2, d->InsertThreading.begin() + 5),
              (std::vector<uint8_t>{2, 3, 0})); // cleared beyond the count
    // The colours are not default-filled; the tie-up is not cleared first.
    EXPECT_EQ(std::tuple(d->InsertWarpColors[2], d->InsertWarpColors[3]), std::tuple(12, 9));
    EXPECT_EQ(std::tuple(d->InsertTreadling[6], d->InsertTreadling[11]), std::tuple(6, 0));
    EXPECT_EQ(std::tuple(d->InsertTieUp[0][0], d->InsertTieUp[5][5]), std::tuple(1, 1));
    d->InsertThreading = before->InsertThreading, d->InsertTreadling = before->InsertTreadling;
    d->InsertWarpColors = before->InsertWarpColors, d->InsertWeftColors = before->InsertWeftColors;
    d->InsertTieUp = before->InsertTieUp;
    ExpectSameDocument(*d, *before);
    // Headerless files are too old for it, and leave no stale parts behind.
    EXPECT_EQ(ErrorKey(Load(*d, HeaderlessFile().Build(), {.Mode = ModeInsert})),
              "File version is too old.");
    EXPECT_EQ(std::tuple(d->InsertThreading[1], d->InsertTreadling[1]), std::tuple(0, 0));
}

TEST(PatternComponents, TranslationUnitsFromFileNeedNothingAfterThem) {
    auto d = NewDraft();
    const auto before = std::make_unique<DraftState>(*d);
    Bytes file = SampleBraced().Build();
    file.resize(file.size() - 700);
    const LoadResult r = Load(*d, file, {.Mode = ModeTransUnits});
    ASSERT_TRUE(r.Ok && r.TransUnitsLoaded);
    EXPECT_EQ(d->TransUnitSize, (std::array<int, 2>{5, 3}));
    EXPECT_TRUE(d->TransUnit2[1][1]);
    d->TransUnitSize = before->TransUnitSize;
    d->TransUnit1 = before->TransUnit1, d->TransUnit2 = before->TransUnit2;
    ExpectSameDocument(*d, *before);
}

TEST(PatternComponents, LiftplanRowsAtAnIntervalAndAppended) {
    auto d = LiftplanDraft(12);
    ASSERT_TRUE(
        Load(*d, LiftplanFile(10), {.Mode = ModeAtInterval, .FromPick = 3, .Interval = 4}).Ok);
    EXPECT_EQ(std::vector(d->Liftplan.begin() + 3, d->Liftplan.begin() + 16),
              (std::vector<LiftplanRow>{1, 0x30, 0x30, 0x30, 2, 0x30, 0x30, 0x30, 4, 0x30, 0, 0,
                                        0})); // up to the draft's 12 picks

    // Append: after the last used pick, only what fits; when full, nothing.
    d = LiftplanDraft(5);
    d->Picks = 300;
    FixedChooser append = Blend(ModeAppend);
    ASSERT_TRUE(LoadWith(*d, LiftplanFile(6), append).Ok);
    EXPECT_EQ(std::vector(d->Liftplan.begin() + 5, d->Liftplan.begin() + 13),
              (std::vector<LiftplanRow>{0x30, 1, 2, 4, 8, 1, 2, 0}));
    EXPECT_EQ(std::tuple(d->Picks, d->PicksUsed, d->Changed), std::tuple(11, 11, true));
    auto full = LiftplanDraft(9598);
    ASSERT_TRUE(LoadWith(*full, LiftplanFile(6), append).Ok);
    EXPECT_EQ(full->Liftplan[9600], 0x02);
    const auto before = std::make_unique<DraftState>(*full);
    EXPECT_EQ(ErrorKey(LoadWith(*full, LiftplanFile(6), append)),
              "Liftplan is full, no room to append.");
    ExpectSameDocument(*full, *before);
}

TEST(PatternComponents, AddInvertSubtractTouchOnlyTheDraftsPicks) {
    // File rows lift shafts 1, 2, 3, 4, 1...; the draft lifts 5 and 6, and
    // on pick 5 also shaft 1.
    const std::tuple<int, LiftplanRow, LiftplanRow> cases[] = {
        {ModeAdd, 0x31, 0x31}, {ModeInvert, 0x31, 0x30}, {ModeSubtract, 0x30, 0x30}};
    for (const auto& [mode, pick1, pick5] : cases) {
        auto d = LiftplanDraft(8);
        d->Liftplan[5] = 0x31;
        FixedChooser blend = Blend(mode);
        // Ten rows, and nothing after the liftplan is needed.
        Bytes file = LiftplanFile(10);
        file.resize(file.size() - (66 + 769 + 11)); // units, palette, notes
        ASSERT_TRUE(LoadWith(*d, file, blend).Ok) << mode;
        EXPECT_EQ(std::tuple(d->Liftplan[1], d->Liftplan[5], d->Liftplan[9], d->Liftplan[10]),
                  std::tuple(pick1, pick5, 0, 0))
            << mode;
        EXPECT_EQ(d->Picks, 8);
    }
}

TEST(PatternComponents, LiftplanOverlayChoosesBetweenTwoFiles) {
    TempDir dir;
    // A: every row lifts all of its 4 shafts but the second. B: 10 shafts,
    // row p lifts p and 10.
    BracedFile a = SampleLiftplan(0);
    a.Shafts = a.Treadles = 4;
    a.LiftplanRows.assign(6, {0x0F});
    a.LiftplanRows[1] = {0x00};
    BracedFile b = SampleLiftplan(0);
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
