#include "model/draft_state.h"
#include "model/drawdown.h"
#include "model/primitives.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using test::NewDraft;

TEST(DraftModel, GuardedSettersIgnoreCellsOutsideTheGrids) {
    auto d = NewDraft();
    const auto before = std::make_unique<DraftState>(*d);
    TieUpPut(*d, 17, 1, true), TieUpPut(*d, 1, 17, true), TieUpPut(*d, 0, 1, true);
    DesignPut(*d, 1, 51, true), DesignPut(*d, 51, 1, true), DesignPut(*d, 0, 1, true);
    LiftplanSet(*d, 3, 0), LiftplanSet(*d, 3, 17), LiftplanSet(*d, 0, 1);
    LiftplanSet(*d, MaxPicks + 1, 1), SetPaletteEntry(*d, 256, 0), SetPaletteEntry(*d, -1, 0);
    EXPECT_TRUE(d->TieUp == before->TieUp && d->DesignGrid == before->DesignGrid &&
                d->Liftplan == before->Liftplan && d->Palette == before->Palette);
    TieUpPut(*d, 16, 16, true), DesignPut(*d, 2, 10, true), LiftplanSet(*d, 3, 16);
    EXPECT_EQ(std::tuple(d->TieUp[15][15], d->DesignGrid[2][1], d->Liftplan[3]),
              std::tuple(1, 0x02, 0x8000)); // end 10: byte 1, bit 1
}

TEST(DraftModel, ExtentScansAndWhatIsInView) {
    auto d = NewDraft();
    UpdateUsed(*d);
    EXPECT_EQ(std::tuple(d->EndsUsed, d->PicksUsed), std::tuple(0, 0));
    UpdateDesignUsed(*d); // an empty design still counts one end and pick
    EXPECT_EQ(std::tuple(d->EndsUsed, d->PicksUsed), std::tuple(1, 1));
    d->Ends = 10, d->Threading[40] = 3, d->Treadling[25] = 2;
    d->Liftplan[30] = 0x0100; // element 9, above 8 treadles
    UpdateUsed(*d);
    EXPECT_EQ(std::tuple(d->EndsUsed, d->Ends, d->PicksUsed), std::tuple(40, 40, 25));
    SetLoomSystem(*d, LoomSystem::MultipleTreadling);
    EXPECT_FALSE(LiftplanRowUsed(*d, 30)); // the bound is the treadle count
    d->Treadles = 9;
    EXPECT_EQ(LastUsedPick(*d, MaxPicks), 30);
    // Design extent: the highest end with any cell, then the highest pick among those ends.
    DesignPut(*d, 7, 12, true), DesignPut(*d, 20, 3, true);
    UpdateDesignUsed(*d);
    EXPECT_EQ(std::tuple(d->EndsUsed, d->PicksUsed), std::tuple(12, 20));

    auto v = NewDraft();
    const ViewWindow w{10, 0, 20, 15};
    v->Threading[5] = 1; // scrolled out of view, still "in view" from end 1
    EXPECT_TRUE(ThreadingInView(*v, w) && NoEndVisible(*v, w));
    v->Threading[30] = 1, v->Treadling[16] = 1;
    EXPECT_TRUE(!NoEndVisible(*v, w) && !WeftingInView(*v, w));
    v->Treadling[15] = 1;
    EXPECT_TRUE(WeftingInView(*v, w));
    SetLoomSystem(*v, LoomSystem::Liftplan);
    EXPECT_FALSE(WeftingInView(*v, w));
}

TEST(DraftModel, FoldingAndFittingTheCounts) {
    auto d = NewDraft();
    d->Threading[1] = 1;
    EXPECT_EQ(MaxThreadingShaft(*d), 4); // empty, or shaft 1 only: 4
    d->Shafts = 6;
    const uint8_t before[] = {8, 12, 6, 0, 200}, after[] = {2, 6, 6, 0, 2};
    for (int e = 1; e <= 5; ++e) d->Threading[e] = before[e - 1];
    EXPECT_EQ(MaxThreadingShaft(*d), 12); // garbage counts as empty, never as a shaft count
    FoldThreading(*d);
    for (int e = 1; e <= 5; ++e) EXPECT_EQ(d->Threading[e], after[e - 1]) << e;
    // A count of 0 or 1 is raised to 2 before folding: no division by zero.
    d->Treadles = 0, d->Treadling[1] = 5;
    FoldTreadling(*d);
    EXPECT_EQ(std::tuple(d->Treadles, d->Treadling[1]), std::tuple(2, 1));
    // Shafts to the threading; treadles to the treadling (4 for treadle 1
    // only), to the shafts on a liftplan loom, left alone in multiple treadling.
    d->Threading.fill(0), d->Treadling.fill(0);
    d->Threading[9] = 10, d->Treadling[1] = 1;
    FitShaftsToThreading(*d);
    EXPECT_EQ(std::tuple(d->Shafts, d->Treadles), std::tuple(10, 4));
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

TEST(DraftModel, ClearingForANewPattern) {
    auto d = NewDraft();
    ViewWindow v{5, 0, 0, 0, 0, 3};
    d->Threading[10] = d->Treadling[10] = 2;
    d->Liftplan[10] = 3, d->TieUpAt(2, 2) = 1, d->WarpColors[10] = 40, d->Notes = "wool";
    ClearDraftForNew(*d, v);
    EXPECT_EQ(std::tuple(d->Threading[10], d->Treadling[10], d->Liftplan[10], d->TieUpAt(2, 2),
                         d->WarpColors[10], d->Notes, v.ScrollEnds, v.FabricScrollPicks),
              std::tuple(0, 0, 0, 0, 6, "", 0, 0));
    for (int p = 1; p <= DesignSize; ++p)
        for (int e = 1; e <= DesignSize; ++e) DesignPut(*d, p, e, true);
    ClearDesignBeyond(*d, 31, 41);
    EXPECT_TRUE(DesignGet(*d, 40, 30) && !DesignGet(*d, 40, 31) && !DesignGet(*d, 41, 1));
    EXPECT_EQ(d->DesignGrid[1][7], 0); // the unused tail of each row stays zero
    // In Design mode a new pattern also empties the design grid.
    d->DesignMode = true;
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

} // namespace
} // namespace hw
