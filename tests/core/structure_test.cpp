#include "edit/structure.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

template <typename Array> std::vector<int> Slice(const Array& a, int from, int to) {
    return std::vector<int>(a.begin() + from, a.begin() + to + 1);
}

// The keys at the pointer are checked with the main window; here the edges:
// what falls off the end, what the freed ends keep, liftplan rows and the
// fifty-by-fifty design grid.
TEST(InsertDelete, EndsAndPicksAtTheEdges) {
    auto d = test::NewDraft();
    d->Ends = 10;
    for (int e = 1; e <= 10; ++e)
        d->Threading[e] = uint8_t(e % 4 + 1), d->WarpColors[e] = uint8_t(20 + e);
    d->Threading[11] = 7; // beyond the draft: untouched
    EXPECT_EQ(InsertEnds(*d, 3, 2, true, true), 2);
    EXPECT_EQ(Slice(d->Threading, 8, 11), (std::vector{3, 4, 1, 7})); // ends 9 and 10 fall off
    DeleteEnds(*d, 4, 3, true, true);
    EXPECT_EQ(Slice(d->Threading, 7, 11), (std::vector{4, 1, 0, 0, 7}));
    EXPECT_EQ(Slice(d->WarpColors, 8, 10), (std::vector{28, 27, 28})); // freed ends keep theirs
    // Near the end the count is clamped; outside the draft nothing happens.
    EXPECT_EQ(std::tuple(InsertEnds(*d, 9, 5, true, false), InsertEnds(*d, 11, 1, true, true)),
              std::tuple(2, 0));

    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Picks = 6;
    for (int p = 1; p <= 6; ++p)
        d->Treadling[p] = uint8_t(p), d->Liftplan[p] = LiftplanRow(0x101 * p);
    InsertPicks(*d, 1, 1, true, true); // whole liftplan rows move, the treadling stays
    EXPECT_EQ(std::tuple(d->Liftplan[1], d->Liftplan[6], d->Treadling[1]), std::tuple(0, 0x505, 1));
    DeletePicks(*d, 1, 1, true, true);
    EXPECT_EQ(std::tuple(d->Liftplan[1], d->Liftplan[6]), std::tuple(0x101, 0));

    auto g = test::NewDraft();
    g->DesignMode = true;
    DesignPut(*g, 1, 1, true), DesignPut(*g, 1, 50, true), DesignPut(*g, 2, 49, true);
    g->WarpColors[49] = 12;
    EXPECT_EQ(InsertEnds(*g, 1, 1, true, true), 1);
    // Column 49 moves to 50, column 50 is lost; so are the colours.
    EXPECT_TRUE(!DesignGet(*g, 1, 1) && DesignGet(*g, 1, 2) && DesignGet(*g, 2, 50));
    EXPECT_EQ(g->WarpColors[50], 12);
    EXPECT_EQ(std::tuple(InsertEnds(*g, 49, 5, true, true), InsertEnds(*g, 51, 1, true, true)),
              std::tuple(2, 0)); // clamped to the grid
    DesignPut(*g, 3, 5, true);
    InsertPicks(*g, 3, 2, true, false);
    EXPECT_TRUE(DesignGet(*g, 5, 5) && !DesignGet(*g, 3, 5));
    DeletePicks(*g, 3, 4, true, false);
    EXPECT_TRUE(DesignGet(*g, 3, 5) && g->Threading[1] == 0); // the threading stays untouched
}

} // namespace
} // namespace hw
