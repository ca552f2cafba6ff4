#include "edit/structure.h"
#include "model/drawdown.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using test::NewDraft;

TEST(InsertDelete, EndsShiftThreadingAndLinkedColours) {
    auto d = NewDraft();
    d->Ends = 10;
    for (int e = 1; e <= 10; ++e) {
        d->Threading[e] = uint8_t(e % 4 + 1);
        d->WarpColors[e] = uint8_t(20 + e);
    }
    d->Threading[11] = 7; // beyond the draft: untouched
    EXPECT_EQ(InsertEnds(*d, 3, 2, true, true), 2);
    EXPECT_EQ(d->Threading[3], 0);
    EXPECT_EQ(d->Threading[4], 0);
    EXPECT_EQ(d->Threading[5], 3 % 4 + 1);
    EXPECT_EQ(d->Threading[10], 8 % 4 + 1); // ends 9 and 10 fell off
    EXPECT_EQ(d->Threading[11], 7);
    EXPECT_EQ(d->WarpColors[3], 23); // inserted ends take the colour at the place
    EXPECT_EQ(d->WarpColors[4], 23);
    EXPECT_EQ(d->WarpColors[5], 23);
    EXPECT_EQ(d->WarpColors[6], 24);

    // Delete them again: the draft is back, the freed last ends are empty
    // and keep their colours.
    DeleteEnds(*d, 4, 3, true, true);
    for (int e = 1; e <= 8; ++e) EXPECT_EQ(d->Threading[e], e % 4 + 1) << e;
    EXPECT_EQ(d->Threading[9], 0);
    EXPECT_EQ(d->Threading[10], 0);
    EXPECT_EQ(d->WarpColors[8], 28);
    EXPECT_EQ(d->WarpColors[9], 27);
    EXPECT_EQ(d->WarpColors[10], 28);

    // Near the end the count is clamped; outside the draft nothing happens.
    EXPECT_EQ(InsertEnds(*d, 9, 5, true, false), 2);
    EXPECT_EQ(InsertEnds(*d, 11, 1, true, true), 0);
    DeleteEnds(*d, 0, 0, true, true);
    EXPECT_EQ(d->Threading[11], 7);
}

TEST(InsertDelete, ColourRowAloneWhenThreadingIsNotMoved) {
    auto d = NewDraft();
    d->Ends = 5;
    for (int e = 1; e <= 5; ++e) {
        d->Threading[e] = uint8_t(e);
        d->WarpColors[e] = uint8_t(e);
    }
    InsertEnds(*d, 2, 1, false, false); // colours taken as true
    EXPECT_EQ(d->Threading[2], 2);
    EXPECT_EQ(d->WarpColors[2], 2);
    EXPECT_EQ(d->WarpColors[3], 2);
    EXPECT_EQ(d->WarpColors[5], 4);
}

TEST(InsertDelete, PicksMoveTreadlesOrWholeLiftplanRows) {
    for (LoomSystem system : {LoomSystem::SingleTreadling, LoomSystem::Liftplan}) {
        auto d = NewDraft();
        SetLoomSystem(*d, system);
        d->Picks = 6;
        for (int p = 1; p <= 6; ++p) {
            d->Treadling[p] = uint8_t(p);
            d->Liftplan[p] = LiftplanRow(0x101 * p);
        }
        InsertPicks(*d, 1, 1, true, true);
        if (system == LoomSystem::SingleTreadling) {
            EXPECT_EQ(d->Treadling[1], 0);
            EXPECT_EQ(d->Treadling[6], 5);
            EXPECT_EQ(d->Liftplan[1], 0x101);
        } else {
            EXPECT_EQ(d->Liftplan[1], 0);
            EXPECT_EQ(d->Liftplan[6], 0x505);
            EXPECT_EQ(d->Treadling[1], 1);
        }
        DeletePicks(*d, 1, 1, true, true);
        if (system == LoomSystem::SingleTreadling) {
            EXPECT_EQ(d->Treadling[1], 1);
            EXPECT_EQ(d->Treadling[6], 0);
        } else {
            EXPECT_EQ(d->Liftplan[1], 0x101);
            EXPECT_EQ(d->Liftplan[6], 0);
        }
    }
}

TEST(InsertDelete, DesignModeShiftsTheFiftyByFiftyGrid) {
    auto d = NewDraft();
    d->DesignMode = true;
    DesignPut(*d, 1, 1, true);
    DesignPut(*d, 1, 50, true);
    DesignPut(*d, 2, 49, true);
    d->WarpColors[1] = 11;
    d->WarpColors[49] = 12;
    d->WarpColors[50] = 13;
    EXPECT_EQ(InsertEnds(*d, 1, 1, true, true), 1);
    EXPECT_FALSE(DesignGet(*d, 1, 1));
    EXPECT_TRUE(DesignGet(*d, 1, 2));
    EXPECT_TRUE(DesignGet(*d, 2, 50)); // column 49 moved to 50, column 50 lost
    EXPECT_FALSE(DesignGet(*d, 1, 51));
    EXPECT_EQ(d->WarpColors[1], 11);
    EXPECT_EQ(d->WarpColors[2], 11);
    EXPECT_EQ(d->WarpColors[50], 12);
    EXPECT_EQ(InsertEnds(*d, 49, 5, true, true), 2); // clamped to the grid
    EXPECT_EQ(InsertEnds(*d, 51, 1, true, true), 0);

    DeleteEnds(*d, 1, 1, true, true);
    EXPECT_TRUE(DesignGet(*d, 1, 1));
    EXPECT_EQ(d->WarpColors[1], 11);

    DesignPut(*d, 3, 5, true);
    InsertPicks(*d, 3, 2, true, false);
    EXPECT_TRUE(DesignGet(*d, 5, 5));
    EXPECT_FALSE(DesignGet(*d, 3, 5));
    DeletePicks(*d, 3, 4, true, false);
    EXPECT_TRUE(DesignGet(*d, 3, 5));
    // The threading outside the design is never touched in Design mode.
    EXPECT_EQ(d->Threading[1], 0);

    // Over a colour row only the colours move, also in Design mode.
    DesignPut(*d, 1, 7, true);
    d->WarpColors[7] = 40;
    InsertEnds(*d, 7, 1, false, false);
    EXPECT_TRUE(DesignGet(*d, 1, 7));
    EXPECT_EQ(d->WarpColors[8], 40);
    DeleteEnds(*d, 7, 7, false, false);
    EXPECT_TRUE(DesignGet(*d, 1, 7));
    EXPECT_EQ(d->WarpColors[7], 40);
}

TEST(Switch, ShaftsAndTreadlesKeepTheCloth) {
    std::mt19937 rng(31);
    for (int round = 0; round < 30; ++round) {
        auto d = test::RandomDraft(rng, LoomSystem(round % 3), round % 2 == 0);
        std::vector<uint8_t> before;
        for (int p = 1; p <= d->Picks; ++p)
            for (int e = 1; e <= d->Ends; ++e) before.push_back(WeftOnTop(*d, p, e));
        SwitchShafts(*d, 1, d->Shafts);
        if (d->TreadleMode) SwitchTreadles(*d, 1, d->Treadles);
        std::vector<uint8_t> after;
        for (int p = 1; p <= d->Picks; ++p)
            for (int e = 1; e <= d->Ends; ++e) after.push_back(WeftOnTop(*d, p, e));
        ASSERT_EQ(after, before) << "round " << round;
    }
}

} // namespace
} // namespace hw
