#include "edit/structure.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using test::NewDraft;

template <typename Array> std::vector<int> Slice(const Array& a, int from, int to) {
    return std::vector<int>(a.begin() + from, a.begin() + to + 1);
}

TEST(InsertDelete, EndsShiftThreadingAndLinkedColours) {
    auto d = NewDraft();
    d->Ends = 10;
    for (int e = 1; e <= 10; ++e)
        d->Threading[e] = uint8_t(e % 4 + 1), d->WarpColors[e] = uint8_t(20 + e);
    d->Threading[11] = 7; // beyond the draft: untouched
    EXPECT_EQ(InsertEnds(*d, 3, 2, true, true), 2);
    // Ends 9 and 10 fall off; inserted ends take the colour at the place.
    EXPECT_EQ(Slice(d->Threading, 2, 11), (std::vector<int>{3, 0, 0, 4, 1, 2, 3, 4, 1, 7}));
    EXPECT_EQ(Slice(d->WarpColors, 3, 6), (std::vector<int>{23, 23, 23, 24}));
    // Deleted again: the freed last ends are empty and keep their colours.
    DeleteEnds(*d, 4, 3, true, true);
    EXPECT_EQ(Slice(d->Threading, 1, 11), (std::vector<int>{2, 3, 4, 1, 2, 3, 4, 1, 0, 0, 7}));
    EXPECT_EQ(Slice(d->WarpColors, 8, 10), (std::vector<int>{28, 27, 28}));
    // Near the end the count is clamped; outside the draft nothing happens.
    EXPECT_EQ(InsertEnds(*d, 9, 5, true, false), 2);
    EXPECT_EQ(InsertEnds(*d, 11, 1, true, true), 0);
    DeleteEnds(*d, 0, 0, true, true);
    EXPECT_EQ(d->Threading[11], 7);
    // Over the colour row alone only the colours move.
    InsertEnds(*d, 2, 1, false, false);
    EXPECT_EQ(Slice(d->Threading, 1, 3), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(Slice(d->WarpColors, 1, 3), (std::vector<int>{21, 22, 22}));
}

TEST(InsertDelete, PicksMoveTreadlesOrWholeLiftplanRows) {
    for (LoomSystem system : {LoomSystem::SingleTreadling, LoomSystem::Liftplan}) {
        auto d = NewDraft();
        SetLoomSystem(*d, system);
        d->Picks = 6;
        for (int p = 1; p <= 6; ++p)
            d->Treadling[p] = uint8_t(p), d->Liftplan[p] = LiftplanRow(0x101 * p);
        const bool single = system == LoomSystem::SingleTreadling;
        InsertPicks(*d, 1, 1, true, true);
        EXPECT_EQ(std::tuple(d->Treadling[1], d->Treadling[6], d->Liftplan[1], d->Liftplan[6]),
                  single ? std::tuple(0, 5, 0x101, 0x606) : std::tuple(1, 6, 0, 0x505));
        DeletePicks(*d, 1, 1, true, true);
        EXPECT_EQ(std::tuple(d->Treadling[1], d->Treadling[6], d->Liftplan[1], d->Liftplan[6]),
                  single ? std::tuple(1, 0, 0x101, 0x606) : std::tuple(1, 6, 0x101, 0));
    }
}

TEST(InsertDelete, DesignModeShiftsTheFiftyByFiftyGrid) {
    auto d = NewDraft();
    d->DesignMode = true;
    DesignPut(*d, 1, 1, true);
    DesignPut(*d, 1, 50, true);
    DesignPut(*d, 2, 49, true);
    d->WarpColors[1] = 11, d->WarpColors[49] = 12, d->WarpColors[50] = 13;
    EXPECT_EQ(InsertEnds(*d, 1, 1, true, true), 1);
    // Column 49 moves to 50, column 50 is lost.
    EXPECT_TRUE(!DesignGet(*d, 1, 1) && DesignGet(*d, 1, 2) && DesignGet(*d, 2, 50));
    EXPECT_EQ(std::tuple(d->WarpColors[1], d->WarpColors[2], d->WarpColors[50]),
              std::tuple(11, 11, 12));
    EXPECT_EQ(InsertEnds(*d, 49, 5, true, true), 2); // clamped to the grid
    EXPECT_EQ(InsertEnds(*d, 51, 1, true, true), 0);
    DeleteEnds(*d, 1, 1, true, true);
    EXPECT_TRUE(DesignGet(*d, 1, 1));
    DesignPut(*d, 3, 5, true);
    InsertPicks(*d, 3, 2, true, false);
    EXPECT_TRUE(DesignGet(*d, 5, 5) && !DesignGet(*d, 3, 5));
    DeletePicks(*d, 3, 4, true, false);
    EXPECT_TRUE(DesignGet(*d, 3, 5));
    EXPECT_EQ(d->Threading[1], 0); // the threading is never touched in Design mode
    // Over a colour row only the colours move, also in Design mode.
    DesignPut(*d, 1, 7, true);
    d->WarpColors[7] = 40;
    InsertEnds(*d, 7, 1, false, false);
    EXPECT_TRUE(DesignGet(*d, 1, 7));
    EXPECT_EQ(d->WarpColors[8], 40);
}

} // namespace
} // namespace hw
