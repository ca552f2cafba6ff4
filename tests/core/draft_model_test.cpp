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

TEST(DraftModel, ExtentsFoldingAndClearing) {
    auto d = NewDraft();
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
    // Folding: values above the count come back into it, garbage too; a
    // count of 0 or 1 is raised to 2 first, so nothing divides by zero.
    d->Shafts = 6, d->Threading[1] = 8, d->Threading[2] = 12, d->Threading[3] = 200;
    d->Treadles = 0, d->Treadling[1] = 5;
    FoldThreading(*d), FoldTreadling(*d);
    EXPECT_EQ(
        std::tuple(d->Threading[1], d->Threading[2], d->Threading[3], d->Treadles, d->Treadling[1]),
        std::tuple(2, 6, 2, 2, 1));
    // A new pattern empties the draft, the notes and the view's offsets; in
    // Design mode the design grid too.
    ViewWindow v{5, 0, 0, 0, 0, 3};
    d->TieUpAt(2, 2) = 1, d->Notes = "wool", d->DesignMode = true;
    ClearDraftForNew(*d, v);
    EXPECT_EQ(std::tuple(d->Threading[40], d->Treadling[25], d->Liftplan[30], d->TieUpAt(2, 2),
                         DesignGet(*d, 7, 12), d->Notes, v.ScrollEnds, v.FabricScrollPicks),
              std::tuple(0, 0, 0, 0, false, "", 0, 0));
}

} // namespace
} // namespace hw
