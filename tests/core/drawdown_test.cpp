#include "model/drawdown.h"
#include "model/loom_system.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

#include <vector>

namespace hw {
namespace {

// End 1 on shaft 2; pick 1 presses treadle 3, tied to shaft 2 (or lifts
// shaft 2 in the liftplan): rising shows warp, sinking weft. End 2 has no
// shaft; pick 2 presses nothing.
TEST(Drawdown, TheRuleForEachLoomSystemAndShed) {
    for (LoomSystem system :
         {LoomSystem::SingleTreadling, LoomSystem::MultipleTreadling, LoomSystem::Liftplan})
        for (bool sinking : {false, true}) {
            auto d = test::NewDraft();
            SetLoomSystem(*d, system);
            d->Shed = sinking;
            d->Threading[1] = 2, d->Threading[3] = 200; // garbage counts as an empty end
            d->TieUpAt(2, 3) = 1;
            d->Treadling[1] = 3, d->Treadling[2] = 17; // garbage counts as no treadle
            d->Liftplan[1] = system == LoomSystem::Liftplan ? 0b10 : 0b100;
            // An empty pick: warp in single treadling, else as the shed leaves it.
            const bool emptyPick = system == LoomSystem::SingleTreadling ? false : !sinking;
            EXPECT_EQ(std::tuple(WeftOnTop(*d, 1, 1), WeftOnTop(*d, 1, 2), WeftOnTop(*d, 1, 3),
                                 WeftOnTop(*d, 2, 1), WeftOnTop(*d, 1, MaxEnds + 1)),
                      std::tuple(sinking, true, true, emptyPick, true))
                << int(system) << sinking;
        }
    // Multiple treadling raises the shafts of every pressed treadle, but not
    // of a treadle beyond the count.
    auto d = test::NewDraft();
    SetLoomSystem(*d, LoomSystem::MultipleTreadling);
    d->Threading[1] = 1, d->Threading[2] = 2, d->Threading[3] = 3;
    d->TieUpAt(1, 1) = d->TieUpAt(2, 2) = d->TieUpAt(3, 9) = 1;
    d->Liftplan[1] = 0b11 | (1u << 8);
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
    auto d = test::NewDraft();
    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Threading[MaxEnds] = 16;
    LiftplanSet(*d, MaxPicks, 16);
    uint8_t cells[2];
    DrawdownColumn(*d, MaxEnds, MaxPicks - 1, 2, cells);
    EXPECT_EQ(std::tuple(cells[0], cells[1]), std::tuple(1, 0));
}

} // namespace
} // namespace hw
