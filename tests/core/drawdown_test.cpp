// The drawdown rule, its bulk routines, and operations that must keep the cloth.
#include "edit/structure.h"
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

// The rule for ordinary drafts is checked through the picture (the
// renderer's oracle weaves its own drafts); here what the pictures do not
// show: garbage values, empty liftplan rows, several pressed treadles.
TEST(Drawdown, TheRuleOverGarbageEmptyRowsAndSeveralTreadles) {
    for (LoomSystem system :
         {LoomSystem::SingleTreadling, LoomSystem::MultipleTreadling, LoomSystem::Liftplan})
        for (bool sinking : {false, true}) {
            auto d = NewDraft();
            SetLoomSystem(*d, system);
            d->Shed = sinking, d->Threading[1] = 2, d->Threading[3] = 200;   // an empty end
            d->TieUpAt(2, 3) = 1, d->Treadling[1] = 3, d->Treadling[2] = 17; // no treadle
            d->Liftplan[1] = system == LoomSystem::Liftplan ? 0b10 : 0b100;
            // An empty pick: warp in single treadling, else as the shed leaves it.
            const bool emptyPick = system == LoomSystem::SingleTreadling ? false : !sinking;
            EXPECT_EQ(std::tuple(WeftOnTop(*d, 1, 1), WeftOnTop(*d, 1, 3), WeftOnTop(*d, 2, 1),
                                 WeftOnTop(*d, 1, MaxEnds + 1)),
                      std::tuple(sinking, true, emptyPick, true))
                << int(system) << sinking;
        }
    auto d = NewDraft();
    SetLoomSystem(*d, LoomSystem::MultipleTreadling);
    d->Threading[1] = 1, d->Threading[2] = 2, d->Threading[3] = 3;
    d->TieUpAt(1, 1) = d->TieUpAt(2, 2) = d->TieUpAt(3, 9) = 1;
    d->Liftplan[1] = 0b11 | (1u << 8); // treadle 9 is beyond the count
    EXPECT_EQ(std::tuple(WeftOnTop(*d, 1, 1), WeftOnTop(*d, 1, 2), WeftOnTop(*d, 1, 3)),
              std::tuple(false, false, true));
}

// The bulk routines are what every renderer uses; they must agree with the
// single-cell rule everywhere, also over garbage values and across the edges.
TEST(Drawdown, BulkRowsAndColumnsAgreeWithWeftOnTop) {
    std::mt19937 rng(11);
    for (int round = 0; round < 60; ++round) {
        auto d = test::RandomDraft(rng, LoomSystem(round % 3), round % 2 == 1);
        d->Threading[3] = 99, d->Treadling[3] = 40, d->Liftplan[4] = 0xFFFF;
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
    // And at the last end and pick.
    auto d = NewDraft();
    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Threading[MaxEnds] = 16;
    LiftplanSet(*d, MaxPicks, 16);
    uint8_t cells[2];
    DrawdownColumn(*d, MaxEnds, MaxPicks - 1, 2, cells);
    EXPECT_EQ(std::tuple(cells[0], cells[1]), std::tuple(1, 0));
}

// Converting between loom systems, then switching the first and the last
// shaft and treadle, must never change the cloth.
TEST(LoomSystem, EveryConversionAndSwitchKeepsTheDrawdown) {
    using enum LoomSystem;
    const std::pair<LoomSystem, LoomSystem> conversions[] = {
        {SingleTreadling, Liftplan},   {SingleTreadling, MultipleTreadling},
        {Liftplan, MultipleTreadling}, {MultipleTreadling, Liftplan},
        {Liftplan, SingleTreadling},   {MultipleTreadling, SingleTreadling},
    };
    std::mt19937 rng(2024);
    for (const auto& [from, to] : conversions)
        for (int round = 0; round < 40; ++round) {
            auto d = test::RandomDraft(rng, from, round % 2 == 1);
            if (from == MultipleTreadling && to == SingleTreadling) {
                // Only drafts whose every pick lifts something and that have
                // at most 16 distinct sheds can go to single treadling.
                for (int t = 1; t <= d->Treadles; ++t) d->TieUpAt(1 + (t - 1) % d->Shafts, t) = 1;
                for (int p = 1; p <= d->Picks; ++p)
                    d->Liftplan[p] = uint16_t(1u << ((p % 4) % d->Treadles));
            }
            const auto before = Cloth(*d);
            SetLoomSystem(*d, to);
            EXPECT_FALSE(ChangeLoomSystem(*d, from).TreadleOverflow);
            ASSERT_EQ(Cloth(*d), before) << int(from) << "->" << int(to) << " round " << round;
            EXPECT_TRUE(d->Treadles >= 2 && d->Treadles <= 16 &&
                        (to != Liftplan || d->Treadles == d->Shafts));
            SwitchShafts(*d, 1, d->Shafts);
            if (d->TreadleMode) SwitchTreadles(*d, 1, d->Treadles);
            ASSERT_EQ(Cloth(*d), before) << "switched, round " << round;
        }
}

TEST(LoomSystem, ConversionEdgeCases) {
    // A liftplan whose first picks lift nothing still gets its tie-up, and
    // comes back unchanged.
    auto d = NewDraft();
    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Shafts = d->Treadles = 4, d->Threading[1] = 1, d->Threading[2] = 3, d->Liftplan[100] = 5;
    const auto before = Cloth(*d);
    SetLoomSystem(*d, LoomSystem::MultipleTreadling), ChangeLoomSystem(*d, LoomSystem::Liftplan);
    EXPECT_TRUE(d->TieUpAt(3, 3) == 1 && Cloth(*d) == before);
    SetLoomSystem(*d, LoomSystem::Liftplan), ChangeLoomSystem(*d, LoomSystem::MultipleTreadling);
    EXPECT_EQ(d->Liftplan[100], 5);
    // An empty liftplan gives no tie-up; treadles above 16 press nothing.
    d = NewDraft();
    d->TieUpAt(1, 1) = 1, d->Treadling[1] = 17, d->Treadling[2] = 16;
    LiftplanToMultiple(*d), TreadlingToMultiple(*d);
    EXPECT_EQ(std::tuple(d->TieUpAt(1, 1), d->Liftplan[1], d->Liftplan[2], d->Treadling[1]),
              std::tuple(0, 0, 0x8000, 17));
    // Treadle bits beyond the count are dropped.
    d = NewDraft();
    SetLoomSystem(*d, LoomSystem::MultipleTreadling);
    d->Shafts = 8, d->Treadles = 4;
    d->TieUpAt(2, 1) = d->TieUpAt(3, 1) = d->TieUpAt(4, 2) = 1;
    d->Liftplan[1] = 0b11 | (1u << 6); // treadles 1, 2 and a stray 7
    SetLoomSystem(*d, LoomSystem::Liftplan), MultipleToLiftplan(*d);
    EXPECT_EQ(std::tuple(d->Liftplan[1], d->Treadles), std::tuple(0b1110, 8));
    // A derived tie-up numbers its treadles by first appearance; the
    // treadling is cleared first; one distinct row still gives two treadles.
    d = NewDraft();
    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Shafts = d->Treadles = 4, d->Treadling[9] = 3;
    const uint16_t rows[] = {0b0011, 0b0110, 0, 0b0011, 0b1100, 0b0110};
    for (int p = 1; p <= 6; ++p) d->Liftplan[p] = rows[p - 1];
    EXPECT_FALSE(DeriveTieupAndTreadling(*d, d->Picks, true));
    EXPECT_EQ(std::vector(d->Treadling.begin() + 1, d->Treadling.begin() + 10),
              (std::vector<uint8_t>{1, 2, 0, 1, 3, 2, 0, 0, 0}));
    EXPECT_EQ(std::tuple(d->Treadles, d->TieUpAt(1, 1), d->TieUpAt(3, 1), d->TieUpAt(4, 3)),
              std::tuple(3, 1, 0, 1));
    for (int p = 1; p <= 6; ++p) d->Liftplan[p] = 1;
    EXPECT_TRUE(!DeriveTieupAndTreadling(*d, d->Picks, true) && d->Treadles == 2);
    // The design grid shows raised shafts whatever the shed; a single
    // treadling's liftplan is rebuilt for it, rows beyond the window cleared.
    d = NewDraft();
    d->Shed = true, d->Threading[1] = 1, d->Threading[2] = 2, d->Liftplan[60] = 0xFF;
    d->TieUpAt(1, 1) = 1, d->Treadling[1] = 1;
    RecomputeWindow(*d, 50, 50, true);
    EXPECT_TRUE(DesignGet(*d, 1, 1) && !DesignGet(*d, 1, 2) && !DesignGet(*d, 2, 1) &&
                !d->Liftplan[60]);
}

} // namespace
} // namespace hw
