#include "model/draft_state.h"
#include "model/drawdown.h"
#include "model/primitives.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using test::NewDraft;

TEST(DraftModel, StartValuesAndColourDefaultsFollowTheShed) {
    auto d = NewDraft();
    EXPECT_EQ(d->Ends, 2400);
    EXPECT_EQ(d->Shafts, 8);
    EXPECT_EQ(d->WarpColors[1], 6);
    EXPECT_EQ(d->WarpColors[MaxEnds], 6);
    EXPECT_EQ(d->WeftColors[MaxPicks], 0);
    EXPECT_TRUE(d->TransUnit1[15][15]);
    EXPECT_FALSE(d->TransUnit2[0][0]);
    EXPECT_EQ(d->ColorTable[6], MakeColorRef(0xF5, 0x00, 0x20));
    EXPECT_EQ(d->ColorTable[64], MakeColorRef(255, 255, 255));

    d->Shed = true;
    ResetWarpColorsFrom(*d, 100);
    ResetWeftColorsFrom(*d, 100);
    EXPECT_EQ(d->WarpColors[99], 6);
    EXPECT_EQ(d->WarpColors[100], 0);
    EXPECT_EQ(d->WeftColors[100], 6);
    RebuildColorTable(*d);
    EXPECT_EQ(d->CurrentColor, d->WeftColors[1]);
}

TEST(DraftModel, LiftplanBitsAreByteExact) {
    auto d = NewDraft();
    LiftplanSet(*d, 3, 16);
    EXPECT_EQ(LiftplanRowByte(d->Liftplan[3], 0), 0);
    EXPECT_EQ(LiftplanRowByte(d->Liftplan[3], 1), 0x80);
    d->Liftplan[3] = 0;
    LiftplanSet(*d, 3, 9);
    EXPECT_EQ(LiftplanRowByte(d->Liftplan[3], 1), 0x01);
    LiftplanSet(*d, 3, 1);
    EXPECT_EQ(d->Liftplan[3], LiftplanRowFromBytes(0x01, 0x01));
    // Out-of-range elements and picks are ignored.
    const auto before = d->Liftplan;
    LiftplanSet(*d, 3, 0);
    LiftplanSet(*d, 3, 17);
    LiftplanSet(*d, 0, 1);
    LiftplanSet(*d, MaxPicks + 1, 1);
    EXPECT_EQ(d->Liftplan, before);
    LiftplanPut(*d, 3, 9, false);
    EXPECT_FALSE(LiftplanGet(*d, 3, 9));
    EXPECT_TRUE(LiftplanGet(*d, 3, 1));
}

TEST(DraftModel, GuardedSettersIgnoreCellsOutsideTheGrids) {
    auto d = NewDraft();
    const auto tieUp = d->TieUp;
    TieUpPut(*d, 17, 1, true);
    TieUpPut(*d, 1, 17, true);
    TieUpPut(*d, 0, 1, true);
    EXPECT_EQ(d->TieUp, tieUp);
    TieUpPut(*d, 16, 16, true);
    EXPECT_EQ(d->TieUp[15][15], 1); // byte (s-1)*16 + (t-1)

    const auto design = d->DesignGrid;
    DesignPut(*d, 1, 51, true);
    DesignPut(*d, 51, 1, true);
    DesignPut(*d, 0, 1, true);
    EXPECT_EQ(d->DesignGrid, design);
    DesignPut(*d, 2, 10, true);
    EXPECT_EQ(d->DesignGrid[2][1], 0x02); // end 10: byte 1, bit 1
    EXPECT_TRUE(DesignGet(*d, 2, 10));
    EXPECT_FALSE(DesignGet(*d, 2, 51));
}

TEST(DraftModel, ExtentScans) {
    auto d = NewDraft();
    UpdateUsed(*d);
    EXPECT_EQ(d->EndsUsed, 0);
    EXPECT_EQ(d->PicksUsed, 0);
    UpdateDesignUsed(*d);
    EXPECT_EQ(d->EndsUsed, 1);
    EXPECT_EQ(d->PicksUsed, 1);

    d->Ends = 10;
    d->Threading[40] = 3;
    d->Treadling[25] = 2;
    d->Liftplan[30] = 0x0100; // element 9, above 8 treadles
    UpdateUsed(*d);
    EXPECT_EQ(d->EndsUsed, 40);
    EXPECT_EQ(d->Ends, 40);
    EXPECT_EQ(d->PicksUsed, 25);
    EXPECT_EQ(LastThreadedEnd(*d, 39), 0);

    SetLoomSystem(*d, LoomSystem::MultipleTreadling);
    EXPECT_FALSE(LiftplanRowUsed(*d, 30)); // the bound is the treadle count
    d->Treadles = 9;
    EXPECT_TRUE(LiftplanRowUsed(*d, 30));
    EXPECT_EQ(LastUsedPick(*d, MaxPicks), 30);

    // Design extent: the highest end with any cell, then the highest pick
    // among those ends.
    DesignPut(*d, 7, 12, true);
    DesignPut(*d, 20, 3, true);
    UpdateDesignUsed(*d);
    EXPECT_EQ(d->EndsUsed, 12);
    EXPECT_EQ(d->PicksUsed, 20);
}

TEST(DraftModel, ViewPresence) {
    auto d = NewDraft();
    ViewWindow v;
    v.ScrollEnds = 10;
    v.VisibleEnds = 20;
    v.ScrollPicks = 0;
    v.VisiblePicks = 15;
    EXPECT_FALSE(ThreadingInView(*d, v));
    EXPECT_TRUE(NoEndVisible(*d, v));
    d->Threading[5] = 1; // scrolled out of view, still "in view" from end 1
    EXPECT_TRUE(ThreadingInView(*d, v));
    EXPECT_TRUE(NoEndVisible(*d, v));
    d->Threading[30] = 1;
    EXPECT_FALSE(NoEndVisible(*d, v));
    d->Threading[31] = 1;
    d->Threading[30] = 0;
    EXPECT_TRUE(NoEndVisible(*d, v));

    d->Treadling[16] = 1;
    EXPECT_FALSE(WeftingInView(*d, v));
    d->Treadling[15] = 1;
    EXPECT_TRUE(WeftingInView(*d, v));
    SetLoomSystem(*d, LoomSystem::Liftplan);
    EXPECT_FALSE(WeftingInView(*d, v));
    LiftplanSet(*d, 15, 8);
    EXPECT_TRUE(WeftingInView(*d, v));
}

TEST(DraftModel, MaxShaftAndTreadleFallBackToFour) {
    auto d = NewDraft();
    EXPECT_EQ(MaxThreadingShaft(*d), 4);
    d->Threading[1] = 1;
    EXPECT_EQ(MaxThreadingShaft(*d), 4);
    d->Threading[2] = 11;
    EXPECT_EQ(MaxThreadingShaft(*d), 11);
    d->Threading[3] = 200; // garbage counts as empty, never as a shaft count
    EXPECT_EQ(MaxThreadingShaft(*d), 11);
    d->Treadling[7] = 13;
    EXPECT_EQ(MaxTreadlingTreadle(*d), 13);
}

TEST(DraftModel, FoldingAndFitting) {
    auto d = NewDraft();
    d->Shafts = 6;
    d->Threading[1] = 8;
    d->Threading[2] = 12;
    d->Threading[3] = 6;
    d->Threading[4] = 0;
    FoldThreading(*d);
    EXPECT_EQ(d->Threading[1], 2);
    EXPECT_EQ(d->Threading[2], 6);
    EXPECT_EQ(d->Threading[3], 6);
    EXPECT_EQ(d->Threading[4], 0);

    // A count of 0 or 1 is raised to 2 before folding: no division by zero.
    d->Treadles = 0;
    d->Treadling[1] = 5;
    FoldTreadling(*d);
    EXPECT_EQ(d->Treadles, 2);
    EXPECT_EQ(d->Treadling[1], 1);
    d->Shafts = 1;
    d->Threading[5] = 3;
    FoldThreading(*d);
    EXPECT_EQ(d->Shafts, 2);
    EXPECT_EQ(d->Threading[5], 1);

    d->Threading.fill(0);
    d->Threading[9] = 10;
    d->Treadling.fill(0);
    d->Treadling[1] = 1;
    FitShaftsToThreading(*d);
    EXPECT_EQ(d->Shafts, 10);
    EXPECT_EQ(d->Treadles, 4); // only treadle 1 in use: 4
    d->Treadling[2] = 3;
    FitShaftsToThreading(*d);
    EXPECT_EQ(d->Treadles, 3);
    SetLoomSystem(*d, LoomSystem::Liftplan);
    FitShaftsToThreading(*d);
    EXPECT_EQ(d->Treadles, 10);
    SetLoomSystem(*d, LoomSystem::MultipleTreadling);
    d->Treadles = 7;
    FitShaftsToThreading(*d);
    EXPECT_EQ(d->Treadles, 7);
}

TEST(DraftModel, ClearingHelpers) {
    auto d = NewDraft();
    ViewWindow v;
    v.ScrollEnds = 5;
    v.FabricScrollPicks = 3;
    d->Threading[10] = 2;
    d->Treadling[10] = 2;
    d->Liftplan[10] = 3;
    d->TieUpAt(2, 2) = 1;
    d->WarpColors[10] = 40;
    d->Notes = "wool";
    ClearThreadingFrom(*d, MaxEnds + 1); // nothing
    EXPECT_EQ(d->Threading[10], 2);
    ClearDraftForNew(*d, v);
    EXPECT_EQ(d->Threading[10], 0);
    EXPECT_EQ(d->Treadling[10], 0);
    EXPECT_EQ(d->Liftplan[10], 0);
    EXPECT_EQ(d->TieUpAt(2, 2), 0);
    EXPECT_EQ(d->WarpColors[10], 6);
    EXPECT_TRUE(d->Notes.empty());
    EXPECT_EQ(v.ScrollEnds, 0);
    EXPECT_EQ(v.FabricScrollPicks, 0);

    for (int p = 1; p <= DesignSize; ++p)
        for (int e = 1; e <= DesignSize; ++e) DesignPut(*d, p, e, true);
    ClearDesignBeyond(*d, 31, 41);
    EXPECT_TRUE(DesignGet(*d, 40, 30));
    EXPECT_FALSE(DesignGet(*d, 40, 31));
    EXPECT_FALSE(DesignGet(*d, 41, 1));
    // The unused tail of each 300-byte row stays zero.
    EXPECT_EQ(d->DesignGrid[1][7], 0);

    // In Design mode a new pattern also empties the design grid.
    d->DesignMode = true;
    DesignPut(*d, 1, 1, true);
    ClearDraftForNew(*d, v);
    EXPECT_FALSE(DesignGet(*d, 1, 1));
}

TEST(DraftModel, UndoRestoresExactlyTheSavedState) {
    std::mt19937 rng(7);
    for (LoomSystem system :
         {LoomSystem::SingleTreadling, LoomSystem::MultipleTreadling, LoomSystem::Liftplan}) {
        auto d = test::RandomDraft(rng, system, false);
        SaveUndo(*d);
        const auto saved = std::make_unique<DraftState>(*d);
        d->Threading[1] = 3;
        d->Threading[500] = 9;
        d->TieUpAt(1, 1) ^= 1;
        d->Treadling[2] = 5;
        d->Liftplan[2] ^= 0x00F0;
        d->WarpColors[3] = 77;
        d->WeftColors[4] = 78;
        d->Shafts = 16;
        d->Treadles = 2;
        RestoreUndo(*d);
        EXPECT_EQ(d->Threading, saved->Threading);
        EXPECT_EQ(d->TieUp, saved->TieUp);
        EXPECT_EQ(d->WarpColors, saved->WarpColors);
        EXPECT_EQ(d->WeftColors, saved->WeftColors);
        EXPECT_EQ(d->Shafts, saved->Shafts);
        EXPECT_EQ(d->Treadles, saved->Treadles);
        if (system == LoomSystem::SingleTreadling)
            EXPECT_EQ(d->Treadling, saved->Treadling);
        else
            EXPECT_EQ(d->Liftplan, saved->Liftplan);
        // A second restore gives the same state again.
        d->Threading[1] = 4;
        RestoreUndo(*d);
        EXPECT_EQ(d->Threading, saved->Threading);
    }
}

TEST(DraftModel, UndoInDesignModeCoversColoursAndDesignOnly) {
    auto d = NewDraft();
    d->DesignMode = true;
    DesignPut(*d, 3, 3, true);
    SaveUndo(*d);
    DesignPut(*d, 3, 3, false);
    DesignPut(*d, 4, 4, true);
    d->WarpColors[1] = 9;
    d->Threading[1] = 2; // not covered in Design mode
    RestoreUndo(*d);
    EXPECT_TRUE(DesignGet(*d, 3, 3));
    EXPECT_FALSE(DesignGet(*d, 4, 4));
    EXPECT_EQ(d->WarpColors[1], 6);
    EXPECT_EQ(d->Threading[1], 2);
}

TEST(DraftModel, PaletteEntriesAndRebuild) {
    auto d = NewDraft();
    SetPaletteEntry(*d, 70, MakeColorRef(1, 2, 3));
    SetPaletteEntry(*d, 256, MakeColorRef(1, 2, 3)); // ignored
    SetPaletteEntry(*d, -1, MakeColorRef(1, 2, 3));  // ignored
    EXPECT_EQ(d->Palette[70], (PaletteEntry{1, 2, 3}));
    RebuildColorTable(*d);
    EXPECT_EQ(d->ColorTable[70], 1u + 2u * 256u + 3u * 65536u);
    LoadDefaultPalette(*d);
    EXPECT_EQ(d->Palette[70], (PaletteEntry{255, 255, 255}));
    EXPECT_EQ(d->Palette[61], (PaletteEntry{0x55, 0x1C, 0x00}));
}

} // namespace
} // namespace hw
