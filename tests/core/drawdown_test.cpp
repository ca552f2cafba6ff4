#include "model/drawdown.h"
#include "model/loom_system.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

#include <vector>

namespace hw {
namespace {

using test::NewDraft;

struct RuleCase {
    const char* name;
    LoomSystem system;
    bool sinking;
    bool expectWeft;
};

// End 1 on shaft 2; pick 1 presses treadle 3, tied to shaft 2 (or lifts
// shaft 2 in the liftplan): rising shows warp, sinking shows weft.
TEST(Drawdown, TheRuleForEachLoomSystemAndShed) {
    const RuleCase cases[] = {
        {"single rising", LoomSystem::SingleTreadling, false, false},
        {"single sinking", LoomSystem::SingleTreadling, true, true},
        {"multiple rising", LoomSystem::MultipleTreadling, false, false},
        {"multiple sinking", LoomSystem::MultipleTreadling, true, true},
        {"liftplan rising", LoomSystem::Liftplan, false, false},
        {"liftplan sinking", LoomSystem::Liftplan, true, true},
    };
    for (const RuleCase& c : cases) {
        auto d = NewDraft();
        SetLoomSystem(*d, c.system);
        d->Shed = c.sinking;
        d->Threading[1] = 2;
        d->TieUpAt(2, 3) = 1;
        d->Treadling[1] = 3;
        d->Liftplan[1] = c.system == LoomSystem::Liftplan ? 0b10 : 0b100;
        EXPECT_EQ(WeftOnTop(*d, 1, 1), c.expectWeft) << c.name;
        // An end without a shaft always shows the weft.
        EXPECT_TRUE(WeftOnTop(*d, 1, 2)) << c.name;
        // Pick 2 presses nothing.
        const bool emptyPick = c.system == LoomSystem::SingleTreadling ? false : !c.sinking;
        EXPECT_EQ(WeftOnTop(*d, 2, 1), emptyPick) << c.name;
    }
}

TEST(Drawdown, MultipleTreadlingRaisesTheShaftsOfEveryPressedTreadle) {
    auto d = NewDraft();
    SetLoomSystem(*d, LoomSystem::MultipleTreadling);
    d->Threading[1] = 1;
    d->Threading[2] = 2;
    d->Threading[3] = 3;
    d->TieUpAt(1, 1) = 1;
    d->TieUpAt(2, 2) = 1;
    d->Liftplan[1] = 0b11;
    EXPECT_FALSE(WeftOnTop(*d, 1, 1));
    EXPECT_FALSE(WeftOnTop(*d, 1, 2));
    EXPECT_TRUE(WeftOnTop(*d, 1, 3));
    // A treadle beyond the treadle count presses nothing.
    d->TieUpAt(3, 9) = 1;
    d->Liftplan[1] = 1u << 8;
    EXPECT_TRUE(WeftOnTop(*d, 1, 3));
}

TEST(Drawdown, ValuesAboveSixteenNeverIndexOutside) {
    auto d = NewDraft();
    d->Threading[1] = 200;
    d->Threading[2] = 1;
    d->Treadling[1] = 17;
    d->TieUpAt(1, 1) = 1;
    EXPECT_TRUE(WeftOnTop(*d, 1, 1));  // as an empty end
    EXPECT_FALSE(WeftOnTop(*d, 1, 2)); // as no treadle
    uint8_t row[2];
    DrawdownRow(*d, 1, 1, 2, row);
    EXPECT_EQ(row[0], 1);
    EXPECT_EQ(row[1], 0);
    // Positions outside the grid read as empty ends.
    EXPECT_TRUE(WeftOnTop(*d, 0, 2));
    EXPECT_TRUE(WeftOnTop(*d, 1, MaxEnds + 1));
}

// The bulk routines are what every renderer uses; they must agree with the
// single-cell rule everywhere, also over garbage values and across the edges.
TEST(Drawdown, BulkRowsAndColumnsAgreeWithWeftOnTop) {
    std::mt19937 rng(11);
    for (int round = 0; round < 60; ++round) {
        const LoomSystem system = LoomSystem(round % 3);
        auto d = test::RandomDraft(rng, system, round % 2 == 1);
        // Some garbage the rule must tolerate.
        d->Threading[3] = 99;
        d->Treadling[3] = 40;
        d->Liftplan[4] = 0xFFFF;
        const int ends = d->Ends + 3, picks = d->Picks + 3;
        std::vector<uint8_t> buf(size_t(std::max(ends, picks)) + 2);
        for (int p = 0; p <= picks; ++p) {
            DrawdownRow(*d, p, 0, ends + 1, buf.data());
            for (int e = 0; e <= ends; ++e)
                ASSERT_EQ(buf[size_t(e)], WeftOnTop(*d, p, e)) << "pick " << p << " end " << e;
        }
        for (int e = 0; e <= ends; ++e) {
            DrawdownColumn(*d, e, 0, picks + 1, buf.data());
            for (int p = 0; p <= picks; ++p)
                ASSERT_EQ(buf[size_t(p)], WeftOnTop(*d, p, e)) << "pick " << p << " end " << e;
        }
    }
}

TEST(Drawdown, ColumnsAtTheLastEndAndPick) {
    auto d = NewDraft();
    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Threading[MaxEnds] = 16;
    LiftplanSet(*d, MaxPicks, 16);
    uint8_t cells[2];
    DrawdownColumn(*d, MaxEnds, MaxPicks - 1, 2, cells);
    EXPECT_EQ(cells[0], 1);
    EXPECT_EQ(cells[1], 0);
    EXPECT_FALSE(WeftOnTop(*d, MaxPicks, MaxEnds));
}

} // namespace
} // namespace hw
