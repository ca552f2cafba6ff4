#include "model/drawdown.h"
#include "model/loom_system.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

#include <vector>

namespace hw {
namespace {

using test::NewDraft;

std::vector<uint8_t> Cloth(const DraftState& d) {
    std::vector<uint8_t> cells;
    for (int p = 1; p <= d.Picks; ++p)
        for (int e = 1; e <= d.Ends; ++e) cells.push_back(WeftOnTop(d, p, e));
    return cells;
}

struct Conversion {
    LoomSystem from, to;
    int maxDistinctRows;
};

// Converting between loom systems must never change the cloth.
TEST(LoomSystem, EveryConversionKeepsTheDrawdown) {
    const Conversion conversions[] = {
        {LoomSystem::SingleTreadling, LoomSystem::Liftplan, 16},
        {LoomSystem::SingleTreadling, LoomSystem::MultipleTreadling, 16},
        {LoomSystem::Liftplan, LoomSystem::MultipleTreadling, 16},
        {LoomSystem::MultipleTreadling, LoomSystem::Liftplan, 16},
        {LoomSystem::Liftplan, LoomSystem::SingleTreadling, 16},
        {LoomSystem::MultipleTreadling, LoomSystem::SingleTreadling, 16},
    };
    std::mt19937 rng(2024);
    for (const Conversion& c : conversions)
        for (int round = 0; round < 40; ++round) {
            const bool sinking = round % 2 == 1;
            auto d = test::RandomDraft(rng, c.from, sinking, c.maxDistinctRows);
            if (c.from == LoomSystem::MultipleTreadling && c.to == LoomSystem::SingleTreadling) {
                // Only drafts whose every pick lifts something and that have
                // at most 16 distinct sheds can go to single treadling.
                for (int t = 1; t <= d->Treadles; ++t) d->TieUpAt(1 + (t - 1) % d->Shafts, t) = 1;
                for (int p = 1; p <= d->Picks; ++p)
                    d->Liftplan[p] = uint16_t(1u << ((p % 4) % d->Treadles));
            }
            const auto before = Cloth(*d);
            SetLoomSystem(*d, c.to);
            const LoomChangeResult r = ChangeLoomSystem(*d, c.from);
            EXPECT_FALSE(r.TreadleOverflow);
            ASSERT_EQ(Cloth(*d), before) << int(c.from) << "->" << int(c.to) << " round " << round;
            if (c.to == LoomSystem::Liftplan) {
                EXPECT_EQ(d->Treadles, d->Shafts);
            }
            EXPECT_GE(d->Treadles, 2);
            EXPECT_LE(d->Treadles, 16);
        }
}

TEST(LoomSystem, TreadlingToMultipleIgnoresTreadlesAboveSixteen) {
    auto d = NewDraft();
    d->Treadling[1] = 17;
    d->Treadling[2] = 16;
    TreadlingToMultiple(*d);
    EXPECT_EQ(d->Liftplan[1], 0);
    EXPECT_EQ(d->Liftplan[2], 0x8000);
    EXPECT_EQ(d->Treadling[1], 17); // the treadling itself stays
}

TEST(LoomSystem, LiftplanStartingLateStillGetsItsTieUp) {
    auto d = NewDraft();
    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Shafts = d->Treadles = 4;
    d->Threading[1] = 1;
    d->Threading[2] = 3;
    d->Liftplan[100] = 0b0101; // nothing in picks 1..4
    const auto before = Cloth(*d);
    SetLoomSystem(*d, LoomSystem::MultipleTreadling);
    ChangeLoomSystem(*d, LoomSystem::Liftplan);
    EXPECT_EQ(d->TieUpAt(3, 3), 1);
    EXPECT_EQ(Cloth(*d), before);
    // And back again: the liftplan survives the round trip.
    SetLoomSystem(*d, LoomSystem::Liftplan);
    ChangeLoomSystem(*d, LoomSystem::MultipleTreadling);
    EXPECT_EQ(d->Liftplan[100], 0b0101);
}

TEST(LoomSystem, EmptyLiftplanGivesNoTieUp) {
    auto d = NewDraft();
    d->TieUpAt(1, 1) = 1;
    LiftplanToMultiple(*d);
    EXPECT_EQ(d->TieUpAt(1, 1), 0);
}

TEST(LoomSystem, MultipleToLiftplanDropsTreadleBitsBeyondTheCount) {
    auto d = NewDraft();
    SetLoomSystem(*d, LoomSystem::MultipleTreadling);
    d->Shafts = 8;
    d->Treadles = 4;
    d->TieUpAt(2, 1) = 1;
    d->TieUpAt(3, 1) = 1;
    d->TieUpAt(4, 2) = 1;
    d->Liftplan[1] = 0b11 | (1u << 6); // treadles 1, 2 and a stray 7
    SetLoomSystem(*d, LoomSystem::Liftplan);
    MultipleToLiftplan(*d);
    EXPECT_EQ(d->Liftplan[1], 0b1110);
    EXPECT_EQ(d->Treadles, 8);
}

TEST(LoomSystem, DeriveTieupNumbersTreadlesByFirstAppearance) {
    auto d = NewDraft();
    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Shafts = d->Treadles = 4;
    const uint16_t rows[] = {0b0011, 0b0110, 0, 0b0011, 0b1100, 0b0110};
    for (int p = 1; p <= 6; ++p) d->Liftplan[p] = rows[p - 1];
    d->Treadling[9] = 3;
    EXPECT_FALSE(DeriveTieupAndTreadling(*d, d->Picks, true));
    const uint8_t expected[] = {1, 2, 0, 1, 3, 2};
    for (int p = 1; p <= 6; ++p) EXPECT_EQ(d->Treadling[p], expected[p - 1]) << p;
    EXPECT_EQ(d->Treadling[9], 0); // cleared first
    EXPECT_EQ(d->Treadles, 3);
    EXPECT_EQ(d->TieUpAt(1, 1), 1);
    EXPECT_EQ(d->TieUpAt(2, 1), 1);
    EXPECT_EQ(d->TieUpAt(3, 1), 0);
    EXPECT_EQ(d->TieUpAt(4, 3), 1);
}

TEST(LoomSystem, DeriveTieupOverflowsToTreadleSixteen) {
    auto d = NewDraft();
    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Shafts = d->Treadles = 8;
    for (int p = 1; p <= 18; ++p) d->Liftplan[p] = uint16_t(p);
    EXPECT_TRUE(DeriveTieupAndTreadling(*d, d->Picks, true));
    EXPECT_EQ(d->Treadling[16], 16);
    EXPECT_EQ(d->Treadling[17], 16);
    EXPECT_EQ(d->Treadling[18], 16);
    EXPECT_EQ(d->Treadles, 16);
    // One distinct row still gives two treadles.
    auto one = NewDraft();
    SetLoomSystem(*one, LoomSystem::Liftplan);
    one->Liftplan[1] = one->Liftplan[2] = 0b1;
    EXPECT_FALSE(DeriveTieupAndTreadling(*one, one->Picks, true));
    EXPECT_EQ(one->Treadles, 2);
}

TEST(LoomSystem, RecomputeWindowShowsRaisedShaftsWithoutTheShed) {
    auto d = NewDraft();
    d->Shed = true;
    d->Threading[1] = 1;
    d->Threading[2] = 2;
    d->TieUpAt(1, 1) = 1;
    d->Treadling[1] = 1;
    d->Liftplan[60] = 0xFF; // beyond the window: cleared by the rebuild
    RecomputeWindow(*d, 50, 50, true);
    EXPECT_TRUE(DesignGet(*d, 1, 1));
    EXPECT_FALSE(DesignGet(*d, 1, 2));
    EXPECT_FALSE(DesignGet(*d, 2, 1));
    EXPECT_EQ(d->Liftplan[60], 0);
}

} // namespace
} // namespace hw
