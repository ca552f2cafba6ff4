// Insert, delete, switch, mirror, reverse, reduce and turn.
#include "edit/structure.h"
#include "files/message_text.h"
#include "model/drawdown.h"
#include "model/loom_system.h"
#include "test_drafts.h"
#include "text/lang.h"
#include "transform/reduce_repeat.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using test::NewDraft;
using V = std::vector<int>;

template <class A> V Head(const A& a, int n) {
    return V(a.begin() + 1, a.begin() + 1 + n);
}
V Rows(const DraftState& d, int n) { // tie-up rows as bit sets over treadles
    V rows;
    for (int s = 1; s <= n; ++s) {
        int bits = 0;
        for (int t = 1; t <= 16; ++t) bits |= d.TieUpAt(s, t) << (t - 1);
        rows.push_back(bits);
    }
    return rows;
}
std::vector<uint8_t> Cloth(const DraftState& d) {
    std::vector<uint8_t> cells;
    for (int p = 1; p <= d.Picks; ++p)
        for (int e = 1; e <= d.Ends; ++e) cells.push_back(WeftOnTop(d, p, e));
    return cells;
}

// A 10-end, 10-pick draft: threading 1,2,3,4,1,2,..., colours 11..20 and
// 21..30, tie-up rows 1, 2, 4, 8 (shaft s tied to treadle s).
std::unique_ptr<DraftState> Small() {
    auto d = NewDraft();
    d->Ends = d->Picks = 10, d->Shafts = d->Treadles = 4;
    for (int i = 1; i <= 10; ++i) {
        d->Threading[i] = uint8_t((i - 1) % 4 + 1), d->Treadling[i] = uint8_t((i - 1) % 3 + 1);
        d->WarpColors[i] = uint8_t(10 + i), d->WeftColors[i] = uint8_t(20 + i);
    }
    for (int s = 1; s <= 4; ++s) d->TieUpAt(s, s) = 1;
    UpdateUsed(*d);
    return d;
}

TEST(Structure, EdgeCasesOfEveryOperation) {
    using F = void (*)(DraftState&);
    const std::pair<const char*, F> cases[] = {
        {"insert 3 ends from 5 loses the last three",
         [](DraftState& d) {
             EXPECT_EQ(InsertEnds(d, 5, 3, true, true), 3);
             EXPECT_EQ(Head(d.Threading, 10), (V{1, 2, 3, 4, 0, 0, 0, 1, 2, 3}));
             EXPECT_EQ(Head(d.WarpColors, 10), (V{11, 12, 13, 14, 15, 15, 15, 15, 16, 17}));
         }},
        {"insert past the end clears to the end",
         [](DraftState& d) {
             EXPECT_EQ(InsertEnds(d, 8, 5, true, false), 3);
             EXPECT_EQ(Head(d.Threading, 10), (V{1, 2, 3, 4, 1, 2, 3, 0, 0, 0}));
             EXPECT_EQ(d.WarpColors[10], 20);
         }},
        {"delete ends 3..4",
         [](DraftState& d) {
             DeleteEnds(d, 4, 3, true, true);
             EXPECT_EQ(Head(d.Threading, 10), (V{1, 2, 1, 2, 3, 4, 1, 2, 0, 0}));
             EXPECT_EQ(Head(d.WarpColors, 10), (V{11, 12, 15, 16, 17, 18, 19, 20, 19, 20}));
         }},
        {"Design mode: insert 5 from 49 inserts 2, delete from 51 nothing",
         [](DraftState& d) {
             d.DesignMode = true, d.Ends = 60;
             for (int e = 1; e <= 50; ++e) DesignPut(d, 1, e, e % 2);
             EXPECT_EQ(InsertEnds(d, 49, 5, true, true), 2);
             DeleteEnds(d, 51, 55, true, true);
             EXPECT_TRUE(DesignGet(d, 1, 47) && !DesignGet(d, 1, 48) && !DesignGet(d, 1, 49) &&
                         !DesignGet(d, 1, 50));
             EXPECT_EQ(Head(d.Threading, 4), (V{1, 2, 3, 4})); // the draft is not touched
         }},
        {"insert shaft 2",
         [](DraftState& d) {
             InsertShafts(d, 2, 1);
             EXPECT_EQ(Head(d.Threading, 4), (V{1, 3, 4, 5}));
             EXPECT_EQ(std::tuple(Rows(d, 5), d.Shafts), std::tuple(V{1, 0, 2, 4, 8}, 5));
         }},
        {"no shaft beyond 16 nor at 16",
         [](DraftState& d) {
             d.Shafts = 15;
             InsertShafts(d, 16, 1);
             EXPECT_EQ(d.Shafts, 15);
             InsertShafts(d, 1, 5);
             EXPECT_TRUE(d.Shafts == 16 && d.Threading[1] == 2);
         }},
        {"delete shafts 2..3",
         [](DraftState& d) {
             DeleteShafts(d, 3, 2);
             EXPECT_EQ(Head(d.Threading, 6), (V{1, 2, 1, 2, 1, 0}));
             EXPECT_EQ(std::tuple(Rows(d, 4), d.Shafts, d.WarpColors[2]),
                       std::tuple(V{1, 8, 0, 0}, 2, 12));
         }},
        {"deleting every shaft keeps two, empty",
         [](DraftState& d) {
             DeleteShafts(d, 1, 4);
             EXPECT_TRUE(d.Shafts == 2 && Head(d.Threading, 10) == V(10, 0) &&
                         Rows(d, 4) == V(4, 0));
         }},
        {"delete treadle 2 of single treadling",
         [](DraftState& d) {
             DeleteTreadles(d, 2, 2);
             EXPECT_EQ(Head(d.Treadling, 8), (V{1, 2, 1, 2, 1, 2, 1, 0}));
             EXPECT_EQ(std::tuple(d.Treadles, Rows(d, 4)), std::tuple(3, V{1, 0, 2, 4}));
         }},
        {"insert a treadle into multiple treadling moves its bits",
         [](DraftState& d) {
             d.MultipleTr = true, d.Liftplan[1] = 0b101;
             InsertTreadles(d, 2, 1);
             EXPECT_EQ(std::tuple(d.Liftplan[1], d.Treadles, d.Treadling[2]),
                       std::tuple(0b1001, 5, 2));
         }},
        {"switch shafts 1 and 3",
         [](DraftState& d) {
             SwitchShafts(d, 1, 3);
             EXPECT_EQ(Head(d.Threading, 4), (V{3, 2, 1, 4}));
             EXPECT_EQ(Rows(d, 4), (V{4, 2, 1, 8}));
         }},
        {"mirror warp with E = 10, and with the last end used",
         [](DraftState& d) {
             EXPECT_EQ(MirrorWarp(d)->Key, "@noroominthr");
             ClearThreadingFrom(d, 5);
             EXPECT_FALSE(MirrorWarp(d));
             EXPECT_EQ(Head(d.Threading, 10), (V{1, 2, 3, 4, 3, 2, 1, 0, 0, 0}));
             EXPECT_EQ(Head(d.WarpColors, 10), (V{11, 12, 13, 14, 13, 12, 11, 18, 19, 20}));
         }},
        {"mirror warp with E = 5 stops at E",
         [](DraftState& d) {
             d.Ends = 5, ClearThreadingFrom(d, 5);
             EXPECT_FALSE(MirrorWarp(d));
             EXPECT_EQ(Head(d.Threading, 6), (V{1, 2, 3, 4, 3, 0}));
         }},
        {"reverse warp order",
         [](DraftState& d) {
             ClearThreadingFrom(d, 4);
             ReverseWarpOrder(d);
             EXPECT_EQ(Head(d.Threading, 5), (V{3, 2, 1, 0, 0}));
             EXPECT_EQ(Head(d.WarpColors, 5), (V{13, 12, 11, 14, 15}));
         }},
        {"reverse weft order and reverse the fabric",
         [](DraftState& d) {
             ReverseWeftOrder(d), ReverseFabric(d);
             EXPECT_EQ(Head(d.Treadling, 10), (V{1, 3, 2, 1, 3, 2, 1, 3, 2, 1}));
             EXPECT_EQ(std::tuple(d.WeftColors[1], Rows(d, 4)), std::tuple(30, V{14, 13, 11, 7}));
         }},
        {"reduce to one repeat; a colour repeat as long as the warp leaves it",
         [](DraftState& d) {
             d.Ends = 20, ClearTreadlingFrom(d, 1), d.Treadling[3] = 1;
             EXPECT_EQ(ReduceToOneRepeat(d, true)[0].Key, "@warpcolnot");
             const auto notes = ReduceToOneRepeat(d, false);
             EXPECT_TRUE(notes.size() == 1 && notes[0].Key == "@weftnot");
             EXPECT_EQ(Head(d.Threading, 6), (V{1, 2, 3, 4, 0, 0}));
             EXPECT_EQ(std::tuple(d.Treadling[3], d.WarpColors[9], d.RepeatThreading),
                       std::tuple(1, 19, 4));
         }},
        {"turn a tie-up draft of 4 shafts and 6 treadles",
         [](DraftState& d) {
             d.Treadles = 6, d.Treadling[4] = 6, d.EndsPerUnit = 7;
             EXPECT_FALSE(TurnDraft(d));
             EXPECT_EQ(std::tuple(d.Shafts, d.Treadles, d.Ends, d.PicksPerUnit),
                       std::tuple(6, 4, 10, 7));
             EXPECT_EQ(Head(d.Threading, 5), (V{1, 2, 3, 6, 2}));
             EXPECT_EQ(Head(d.Treadling, 5), (V{1, 2, 3, 4, 1}));
             EXPECT_EQ(Rows(d, 7), (V{14, 13, 11, 7, 15, 15, 0}));
         }},
    };
    for (const auto& [name, run] : cases) {
        SCOPED_TRACE(name);
        run(*Small());
    }
}

// A liftplan turns when at most 16 different rows are woven.
TEST(Structure, TurnDraftNeedsAShaftPerDistinctLiftplanRow) {
    SetLanguage(LangEnglish);
    for (int distinct : {16, 17}) {
        auto d = NewDraft();
        SetLoomSystem(*d, LoomSystem::Liftplan);
        d->Shafts = d->Treadles = 8, d->Ends = 30, d->Picks = 40;
        for (int i = 1; i <= distinct; ++i)
            d->Threading[i % 8 + 1] = uint8_t(i % 8 + 1), d->Liftplan[i] = uint16_t(i);
        const auto before = Cloth(*d);
        const auto m = TurnDraft(*d);
        const bool refused = distinct == 17;
        EXPECT_EQ(m ? MessageText(*m) : "",
                  refused ? "17 shafts is needed to Rotate this pattern." : "");
        EXPECT_TRUE(refused ? Cloth(*d) == before : d->Shafts == 16 && d->Ends == 40);
    }
}

// Over many random drafts: what an operation and its inverse must give back,
// and what may never change the cloth.
TEST(Structure, InversesAndTheClothOverRandomDrafts) {
    std::mt19937 rng(14);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 60; ++round) {
        const LoomSystem system =
            round % 3 == 0 ? LoomSystem::Liftplan : LoomSystem::SingleTreadling;
        auto d = test::RandomDraft(rng, system, round % 2 == 1);
        d->Ends = uint16_t(d->Ends + 40), d->Picks = uint16_t(d->Picks + 40);
        const DraftState start = *d;
        const auto cloth = Cloth(*d);
        SCOPED_TRACE(round);

        const int from = pick(1, d->Ends - 40), fromPick = pick(1, d->Picks - 40);
        const int count = pick(1, 40);
        InsertEnds(*d, from, count, true, true), DeleteEnds(*d, from, from + count - 1, true, true);
        InsertPicks(*d, fromPick, count, true, true);
        DeletePicks(*d, fromPick + count - 1, fromPick, true, true);
        const int a = pick(1, d->Shafts), b = pick(1, d->Shafts);
        SwitchShafts(*d, a, b), SwitchShafts(*d, b, a);
        EXPECT_TRUE(d->Threading == start.Threading && d->Treadling == start.Treadling &&
                    d->Liftplan == start.Liftplan && d->TieUp == start.TieUp);
        EXPECT_TRUE(
            std::equal(&d->WarpColors[1], &d->WarpColors[d->Ends - count], &start.WarpColors[1]));

        // New shafts and treadles hold nothing, so the cloth stays, and
        // deleting them again gives the draft back.
        const int shafts = d->Shafts, treadles = d->Treadles;
        if (shafts < MaxShafts) {
            const int k = pick(1, std::min(shafts + 1, 15)), n = pick(1, MaxShafts - shafts);
            InsertShafts(*d, k, n);
            const int t = d->TreadleMode && treadles < 15 ? pick(1, treadles + 1) : 0;
            if (t) InsertTreadles(*d, t, 1);
            EXPECT_EQ(Cloth(*d), cloth);
            if (t) DeleteTreadles(*d, t, t);
            DeleteShafts(*d, k, std::min(k + n - 1, int(d->Shafts)));
            EXPECT_TRUE(d->Threading == start.Threading && d->TieUp == start.TieUp &&
                        d->Liftplan == start.Liftplan && d->Treadles == treadles);
        }

        // Turned, a woven pick crossing a threaded end shows the other yarn.
        ASSERT_FALSE(TurnDraft(*d));
        ASSERT_TRUE(d->Ends == start.Picks && d->Picks == start.Ends);
        for (int p = 1; p <= d->Picks; ++p)
            for (int e = 1; e <= start.Picks - 40; ++e)
                if (start.Threading[p] != 0) {
                    ASSERT_NE(WeftOnTop(*d, p, e), cloth[size_t((e - 1) * start.Ends + p - 1)]);
                }
        if (system == LoomSystem::SingleTreadling && d->Treadles == start.Shafts &&
            d->Shafts == start.Treadles) {
            ASSERT_FALSE(TurnDraft(*d));
            EXPECT_TRUE(d->Threading == start.Threading && d->Treadling == start.Treadling &&
                        Rows(*d, 16) == Rows(start, 16));
        }
    }
}

} // namespace
} // namespace hw
