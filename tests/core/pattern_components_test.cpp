// Open Components, the side-buffer load modes, the liftplan blends and the
// two-file overlay.
#include "files/pattern_file.h"
#include "model/loom_system.h"
#include "model/primitives.h"
#include "pattern_golden.h"
#include "scripted_prompter.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using namespace test;

// Answers the components dialog from a script and records what it offered.
class FixedChooser : public ComponentChooser {
public:
    explicit FixedChooser(ComponentChoice c) : choice_(c) {}
    ComponentChoice Choose(const ComponentEnabling& enabled) override {
        Offered = enabled;
        ++Asked;
        return choice_;
    }
    ComponentEnabling Offered;
    int Asked = 0;

private:
    ComponentChoice choice_;
};

ComponentChoice Components(void (*tick)(LoadFlags&)) {
    ComponentChoice c;
    c.Result = ComponentChoice::Load;
    tick(c.Flags);
    return c;
}

ComponentChoice Blend(int mode) {
    ComponentChoice c;
    c.Result = ComponentChoice::Blend;
    c.BlendMode = mode;
    return c;
}

LoadResult Load(DraftState& d, const Bytes& file, ScriptedPrompter& p, LoadRequest request) {
    return LoadPatternBytes(d, file, "/other.hdw", request, p, DiskCompanionReader());
}

LoadResult LoadWith(DraftState& d, const Bytes& file, ScriptedPrompter& p, ComponentChooser& c) {
    LoadRequest request;
    request.Components = true;
    request.Chooser = &c;
    return Load(d, file, p, request);
}

// A liftplan file of `rows` rows on 4 shafts; row k lifts shaft (k-1) % 4 + 1.
Bytes LiftplanFile(int rows, uint8_t shafts = 4) {
    BracedFile f = SampleBraced();
    f.Type = 'd';
    f.Shafts = f.Treadles = shafts;
    f.TieUpColumns.clear();
    f.LiftplanRows.clear();
    for (int k = 1; k <= rows; ++k) {
        Bytes row(size_t((shafts - 1) / 8 + 1), 0);
        row[0] = uint8_t(1 << ((k - 1) % 4));
        f.LiftplanRows.push_back(row);
    }
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
    struct Case {
        LoomSystem System;
        bool Design;
        bool Thr, Lift, Tr, Tie;
    };
    const Case cases[] = {
        {LoomSystem::SingleTreadling, false, true, false, true, true},
        {LoomSystem::MultipleTreadling, false, true, false, false, true},
        {LoomSystem::Liftplan, false, true, true, false, false},
        {LoomSystem::Liftplan, true, false, false, false, false},
        {LoomSystem::SingleTreadling, true, false, false, false, false},
    };
    for (const Case& c : cases) {
        SetLoomSystem(*d, c.System);
        d->DesignMode = c.Design;
        const ComponentEnabling e = EnabledComponents(*d);
        EXPECT_EQ(e.Threading, c.Thr);
        EXPECT_EQ(e.Liftplan, c.Lift);
        EXPECT_EQ(e.BlendVisible(), c.Lift);
        EXPECT_EQ(e.Treadling, c.Tr);
        EXPECT_EQ(e.TieUp, c.Tie);
        EXPECT_TRUE(e.Palette && e.WarpColors && e.WeftColors && e.TransUnits && e.Notes);
    }
}

TEST(PatternComponents, OnlyTheTickedPartsChange) {
    // Notes only, from a headerless file: nothing else moves.
    HeaderlessFile h;
    h.Shafts = 12;
    h.TieUpColumns.assign(4, {0, 0});
    h.Threading.assign(600, 3);
    h.Notes = {'n', 'e', 'w', 0};
    std::mt19937 rng(1);
    auto d = RandomDraft(rng, LoomSystem::SingleTreadling, false);
    d->Notes = "old";
    const auto before = std::make_unique<DraftState>(*d);
    FixedChooser notes(Components([](LoadFlags& f) { f.Notes = true; }));
    ScriptedPrompter p;
    ASSERT_TRUE(LoadWith(*d, h.Build(), p, notes).Ok) << p.LastText();
    EXPECT_EQ(d->Notes, "new");
    d->Notes = before->Notes;
    d->Undo = before->Undo;
    d->Changed = before->Changed;
    d->UndoEnabled = before->UndoEnabled;
    ExpectSameDocument(*d, *before);

    // Threading: the shaft count grows, sizes, loom and view stay.
    BracedFile f = SampleBraced();
    f.Shafts = 12;
    f.TieUpColumns.assign(6, {0, 0});
    f.Threading = {12, 11, 1};
    f.Ends = 3;
    f.Zoom = 3;
    auto t = RandomDraft(rng, LoomSystem::Liftplan, false);
    t->Shafts = t->Treadles = 6;
    t->Ends = 400;
    FixedChooser threading(Components([](LoadFlags& fl) {
        fl.Threading = true;
        fl.General = true;
    }));
    ASSERT_TRUE(LoadWith(*t, f.Build(), p, threading).Ok) << p.LastText();
    EXPECT_EQ(t->Shafts, 12);
    EXPECT_EQ(t->Treadles, 12); // liftplan mode keeps them equal
    EXPECT_EQ(t->Ends, 400);
    EXPECT_EQ(t->Zoom, 9);
    EXPECT_FALSE(t->TreadleMode);
    EXPECT_EQ(t->Threading[1], 12);
    EXPECT_EQ(t->Threading[4], 0);
    EXPECT_TRUE(t->FileName.empty());
    EXPECT_TRUE(t->Changed);
    EXPECT_TRUE(t->UndoEnabled);
}

TEST(PatternComponents, UndoRestoresTheDraftBeforeTheLoad) {
    std::mt19937 rng(2);
    auto d = RandomDraft(rng, LoomSystem::SingleTreadling, false);
    const auto threading = d->Threading;
    FixedChooser thr(Components([](LoadFlags& f) { f.Threading = true; }));
    ScriptedPrompter p;
    ASSERT_TRUE(LoadWith(*d, SampleBraced().Build(), p, thr).Ok);
    EXPECT_NE(d->Threading, threading);
    RestoreUndo(*d);
    EXPECT_EQ(d->Threading, threading);

    // A failed or cancelled load leaves the undo copy alone too.
    SaveUndo(*d);
    const auto before = std::make_unique<DraftState>(*d);
    // Cut inside the palette: even unticked parts must be complete.
    Bytes cut = SampleBraced().Build();
    cut.resize(cut.size() - 20);
    EXPECT_FALSE(LoadWith(*d, cut, p, thr).Ok);
    FixedChooser cancel(ComponentChoice{});
    const LoadResult r = LoadWith(*d, SampleBraced().Build(), p, cancel);
    EXPECT_FALSE(r.Ok);
    EXPECT_TRUE(r.Cancelled);
    EXPECT_EQ(cancel.Asked, 1);
    ExpectSameDocument(*d, *before);
}

TEST(PatternComponents, PicturesAndWifFilesAreRefusedByName) {
    TempDir dir;
    auto d = NewDraft();
    FixedChooser any(Components([](LoadFlags& f) { f.Notes = true; }));
    ScriptedPrompter p;
    WriteBytes(dir.File("a.Bmp"), SampleBraced().Build());
    EXPECT_FALSE(LoadComponents(*d, dir.File("a.Bmp"), any, p).Ok);
    EXPECT_EQ(p.LastText(), "Cannot open components from BMP-file.");
    EXPECT_FALSE(LoadComponents(*d, dir.File("b.wif"), any, p).Ok);
    EXPECT_EQ(p.LastText(), "Cannot open components from WIF-file.");
    EXPECT_EQ(any.Asked, 0);
    WriteBytes(dir.File("c.hdw"), SampleBraced().Build());
    EXPECT_TRUE(LoadComponents(*d, dir.File("c.hdw"), any, p).Ok);
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
    ScriptedPrompter p;
    LoadRequest insert;
    insert.Mode = ModeInsert;
    ASSERT_TRUE(Load(*d, f.Build(), p, insert).Ok) << p.LastText();
    EXPECT_EQ(d->InsertThreading[2], 2);
    EXPECT_EQ(d->InsertThreading[3], 3);
    EXPECT_EQ(d->InsertThreading[4], 0); // cleared beyond the count
    EXPECT_EQ(d->InsertWarpColors[2], 12);
    EXPECT_EQ(d->InsertWarpColors[3], 9); // colours are not default-filled
    EXPECT_EQ(d->InsertTreadling[6], 6);
    EXPECT_EQ(d->InsertTreadling[11], 0);
    EXPECT_EQ(d->InsertTieUp[0][0], 1);
    EXPECT_EQ(d->InsertTieUp[5][5], 1); // not cleared first
    EXPECT_EQ(d->Threading, before->Threading);
    EXPECT_EQ(d->TieUp, before->TieUp);
    EXPECT_EQ(d->Notes, before->Notes);

    // Headerless files are too old for it, and leave no stale parts behind.
    HeaderlessFile h;
    EXPECT_FALSE(Load(*d, h.Build(), p, insert).Ok);
    EXPECT_EQ(p.LastText(), "File version is too old.");
    EXPECT_EQ(d->InsertThreading[1], 0);
    EXPECT_EQ(d->InsertTreadling[1], 0);
}

TEST(PatternComponents, TranslationUnitsFromFile) {
    BracedFile f = SampleBraced();
    auto d = NewDraft();
    const auto before = std::make_unique<DraftState>(*d);
    ScriptedPrompter p;
    LoadRequest units;
    units.Mode = ModeTransUnits;
    // Nothing after the units is needed.
    Bytes file = f.Build();
    file.resize(file.size() - 700);
    const LoadResult r = Load(*d, file, p, units);
    ASSERT_TRUE(r.Ok) << p.LastText();
    EXPECT_TRUE(r.TransUnitsLoaded);
    EXPECT_EQ(d->TransUnitSize, (std::array<int, 2>{5, 3}));
    EXPECT_TRUE(d->TransUnit2[1][1]);
    d->TransUnitSize = before->TransUnitSize;
    d->TransUnit1 = before->TransUnit1;
    d->TransUnit2 = before->TransUnit2;
    ExpectSameDocument(*d, *before);
}

TEST(PatternComponents, LiftplanRowsAtAnInterval) {
    auto d = LiftplanDraft(12);
    ScriptedPrompter p;
    LoadRequest r;
    r.Mode = ModeAtInterval;
    r.FromPick = 3;
    r.Interval = 4;
    ASSERT_TRUE(Load(*d, LiftplanFile(10), p, r).Ok) << p.LastText();
    EXPECT_EQ(d->Liftplan[3], 0x01);
    EXPECT_EQ(d->Liftplan[7], 0x02);
    EXPECT_EQ(d->Liftplan[11], 0x04);
    EXPECT_EQ(d->Liftplan[4], 0x30);
    EXPECT_EQ(d->Liftplan[15], 0); // beyond the picks
}

TEST(PatternComponents, AppendAfterTheLastUsedPick) {
    auto d = LiftplanDraft(5);
    d->Picks = 300;
    ScriptedPrompter p;
    FixedChooser append(Blend(ModeAppend));
    ASSERT_TRUE(LoadWith(*d, LiftplanFile(6), p, append).Ok) << p.LastText();
    EXPECT_EQ(d->Liftplan[5], 0x30);
    EXPECT_EQ(d->Liftplan[6], 0x01);
    EXPECT_EQ(d->Liftplan[11], 0x02);
    EXPECT_EQ(d->Picks, 11);
    EXPECT_EQ(d->PicksUsed, 11);
    EXPECT_TRUE(d->Changed);

    // Near the end only what fits goes in; when full, nothing.
    auto full = LiftplanDraft(9598);
    ASSERT_TRUE(LoadWith(*full, LiftplanFile(6), p, append).Ok);
    EXPECT_EQ(full->Liftplan[9600], 0x02);
    const auto before = std::make_unique<DraftState>(*full);
    EXPECT_FALSE(LoadWith(*full, LiftplanFile(6), p, append).Ok);
    EXPECT_EQ(p.LastText(), "Liftplan is full, no room to append.");
    ExpectSameDocument(*full, *before);
}

TEST(PatternComponents, AddInvertSubtractTouchOnlyTheDraftsPicks) {
    struct Case {
        int Mode;
        LiftplanRow Pick1, Pick5;
    };
    // File rows lift shafts 1, 2, 3, 4, 1...; the draft lifts 5 and 6, and
    // on pick 5 also shaft 1.
    const Case cases[] = {
        {ModeAdd, 0x31, 0x31}, {ModeInvert, 0x31, 0x30}, {ModeSubtract, 0x30, 0x30}};
    for (const Case& c : cases) {
        auto d = LiftplanDraft(8);
        d->Liftplan[5] = 0x31;
        for (int pick = 9; pick <= 10; ++pick) d->Liftplan[pick] = 0;
        ScriptedPrompter p;
        FixedChooser blend(Blend(c.Mode));
        // Ten rows, and nothing after the liftplan is needed.
        Bytes file = LiftplanFile(10);
        file.resize(file.size() - (66 + 769 + 11)); // units, palette, notes

        ASSERT_TRUE(LoadWith(*d, file, p, blend).Ok) << p.LastText();
        EXPECT_EQ(d->Liftplan[1], c.Pick1) << c.Mode;
        EXPECT_EQ(d->Liftplan[5], c.Pick5) << c.Mode;
        EXPECT_EQ(d->Liftplan[9], 0) << c.Mode;
        EXPECT_EQ(d->Liftplan[10], 0) << c.Mode;
        EXPECT_EQ(d->Picks, 8);
    }
}

TEST(PatternComponents, LiftplanOverlayChoosesBetweenTwoFiles) {
    TempDir dir;
    // A: every row lifts all of its 4 shafts. B: 10 shafts, row p lifts p.
    BracedFile a = SampleBraced();
    a.Type = 'd';
    a.Shafts = a.Treadles = 4;
    a.TieUpColumns.clear();
    a.LiftplanRows.assign(6, {0x0F});
    a.LiftplanRows[1] = {0x00};
    BracedFile b = a;
    b.Type = 'g';
    b.Shafts = b.Treadles = 10;
    b.LiftplanRows.clear();
    for (int k = 1; k <= 5; ++k) b.LiftplanRows.push_back({uint8_t(1 << (k - 1)), 0x02});
    WriteBytes(dir.File("a.hdw"), a.Build());
    WriteBytes(dir.File("b.hdw"), b.Build());

    auto d = LiftplanDraft(8);
    d->Shafts = d->Treadles = 12;
    d->Liftplan[1] = 0;      // empty: becomes B's row
    d->Liftplan[2] = 0x00F3; // set cells take A's, beyond A's 4 shafts stay set
    d->Liftplan[3] = 0x0480; // clear cells take B's up to its 10 shafts
    d->Liftplan[7] = 0x0001; // beyond both files' rows
    ScriptedPrompter p;
    ASSERT_TRUE(LoadLiftplanOverlay(*d, dir.File("a.hdw"), dir.File("b.hdw"), p)) << p.LastText();
    EXPECT_EQ(d->Liftplan[1], 0x0201);
    EXPECT_EQ(d->Liftplan[2], 0x00F0 | 0x0200);
    EXPECT_EQ(d->Liftplan[3], 0x0480 | 0x0004 | 0x0200);
    EXPECT_EQ(d->Liftplan[7], 0x0001);
    EXPECT_EQ(d->PicksUsed, 8);

    // Files that cannot serve stop it with a reason, and change nothing.
    BracedFile wide = a;
    wide.Shafts = 17;
    BracedFile treadled = SampleBraced();
    WriteBytes(dir.File("wide.hdw"), wide.Build());
    WriteBytes(dir.File("e.hdw"), treadled.Build());
    WriteBytes(dir.File("old.hdw"), HeaderlessFile().Build());
    Bytes cut = b.Build();
    cut.resize(30);
    WriteBytes(dir.File("cut.hdw"), cut);
    const std::pair<std::string, std::string> refusals[] = {
        {"none.hdw", "Cannot find " + dir.File("none.hdw")},
        {"old.hdw", "File version is too old."},
        {"e.hdw", dir.File("e.hdw") + " contains no liftplan."},
        {"wide.hdw", "Too many shafts in loading liftplan!"},
        {"cut.hdw", "Read beyond end of file"},
    };
    const auto before = std::make_unique<DraftState>(*d);
    for (const auto& [name, message] : refusals) {
        EXPECT_FALSE(LoadLiftplanOverlay(*d, dir.File("a.hdw"), dir.File(name), p)) << name;
        EXPECT_EQ(p.LastText(), message);
    }
    ExpectSameDocument(*d, *before);
}

} // namespace
} // namespace hw
