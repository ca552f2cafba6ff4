#include "model/drawdown.h"
#include "scripted_prompter.h"
#include "test_drafts.h"
#include "transform/analysis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hw {
namespace {

using test::NewDraft;

// Draws a design from rows of '#' (set) and '.' (clear), pick 1 first.
void DrawDesign(DraftState& d, const std::vector<std::string>& rows) {
    for (size_t p = 0; p < rows.size(); ++p)
        for (size_t e = 0; e < rows[p].size(); ++e)
            DesignPut(d, int(p) + 1, int(e) + 1, rows[p][e] == '#');
}

TEST(DesignToDraft, AlternatingColumnsGiveTwoShafts) {
    auto d = NewDraft();
    d->DesignMode = true;
    DrawDesign(*d, {"#.#.#.", ".#.#.#"});
    test::ScriptedPrompter prompter;
    ASSERT_TRUE(DesignToDraft(*d, prompter, false));
    EXPECT_FALSE(d->DesignMode);
    for (int e = 1; e <= 6; ++e) EXPECT_EQ(d->Threading[e], e % 2 == 1 ? 1 : 2) << e;
    EXPECT_EQ(d->Threading[7], 0);
    EXPECT_EQ(d->Shafts, 2);
    // The derived draft weaves the design (rising shed: a set cell is warp up).
    for (int p = 1; p <= 2; ++p)
        for (int e = 1; e <= 6; ++e) EXPECT_EQ(!WeftOnTop(*d, p, e), DesignGet(*d, p, e));
    EXPECT_TRUE(prompter.Shown.empty());
}

TEST(DesignToDraft, OneDistinctColumnStillGivesTwoShafts) {
    auto d = NewDraft();
    d->DesignMode = true;
    DrawDesign(*d, {"###", "..."});
    test::ScriptedPrompter prompter;
    ASSERT_TRUE(DesignToDraft(*d, prompter, false));
    EXPECT_EQ(d->Shafts, 2);
    EXPECT_EQ(d->Threading[3], 1);
}

TEST(DesignToDraft, SeventeenColumnsAskAndCancelStaysInDesign) {
    auto d = NewDraft();
    d->DesignMode = true;
    // 17 distinct columns: column e has pick e set (and pick 20 for variety).
    for (int e = 1; e <= 17; ++e) DesignPut(*d, e, e, true);
    d->Threading[1] = 5;
    test::ScriptedPrompter prompter;
    prompter.Answers = {IdCancel};
    EXPECT_FALSE(DesignToDraft(*d, prompter, false));
    EXPECT_TRUE(d->DesignMode);
    ASSERT_EQ(prompter.Shown.size(), 1u);
    EXPECT_EQ(prompter.Shown[0].Kind, "okcancel");
    EXPECT_EQ(d->Threading[1], 5); // counting wrote nothing

    prompter.Answers = {IdOk};
    EXPECT_TRUE(DesignToDraft(*d, prompter, false));
    EXPECT_FALSE(d->DesignMode);
    EXPECT_EQ(d->Threading[16], 16);
    EXPECT_EQ(d->Threading[17], 0); // beyond the sixteenth distinct column
    EXPECT_EQ(d->Shafts, 16);
    // The unthreaded seventeenth end leaves sixteen distinct picks: no
    // treadle overflow to report.
    EXPECT_EQ(prompter.Shown.size(), 2u);
}

TEST(DesignToDraft, EmptyColumnsStayEmptyOrGoOnTheExtraShaft) {
    for (bool warpEmpty : {false, true}) {
        auto d = NewDraft();
        d->DesignMode = true;
        DrawDesign(*d, {"#..#", ".#.."});
        test::ScriptedPrompter prompter;
        ASSERT_TRUE(DesignToDraft(*d, prompter, warpEmpty));
        EXPECT_EQ(d->Threading[1], 1);
        EXPECT_EQ(d->Threading[2], 2);
        EXPECT_EQ(d->Threading[4], 1);
        if (warpEmpty) {
            EXPECT_EQ(d->Threading[3], 3);
            EXPECT_EQ(d->Shafts, 3);
            for (int t = 1; t <= 16; ++t) EXPECT_EQ(d->TieUpAt(3, t), 0);
        } else {
            EXPECT_EQ(d->Threading[3], 0);
            EXPECT_EQ(d->Shafts, 2);
        }
        for (int p = 1; p <= 2; ++p)
            for (int e = 1; e <= 4; ++e) EXPECT_EQ(!WeftOnTop(*d, p, e), DesignGet(*d, p, e));
    }
}

TEST(DesignToDraft, DraftToDesignAndBackKeepsTheCloth) {
    std::mt19937 rng(99);
    for (int round = 0; round < 20; ++round) {
        auto d = test::RandomDraft(
            rng, round % 2 ? LoomSystem::Liftplan : LoomSystem::SingleTreadling, false);
        d->Ends = d->Picks = 50;
        std::vector<uint8_t> before;
        for (int p = 1; p <= 50; ++p)
            for (int e = 1; e <= 50; ++e) before.push_back(WeftOnTop(*d, p, e));
        DraftToDesign(*d);
        EXPECT_TRUE(d->DesignMode);
        test::ScriptedPrompter prompter;
        prompter.Answers = {IdOk};
        ASSERT_TRUE(DesignToDraft(*d, prompter, false));
        std::vector<uint8_t> after;
        for (int p = 1; p <= 50; ++p)
            for (int e = 1; e <= 50; ++e) after.push_back(WeftOnTop(*d, p, e));
        // Picks that lift nothing become untreadled (warp on top in single
        // treadling); compare only woven picks.
        for (int p = 1; p <= 50; ++p) {
            if (d->TreadleMode && d->Treadling[p] == 0) continue;
            for (int e = 1; e <= 50; ++e)
                ASSERT_EQ(after[size_t((p - 1) * 50 + e - 1)], before[size_t((p - 1) * 50 + e - 1)])
                    << "round " << round << " pick " << p << " end " << e;
        }
    }
}

TEST(SortByPeriod, PointedOrderIsLeftAlone) {
    auto d = NewDraft();
    d->Shafts = 4;
    const int pointed[] = {1, 2, 3, 4, 3, 2, 1, 2, 3, 4, 3, 2, 1};
    for (int e = 1; e <= 13; ++e) d->Threading[e] = uint8_t(pointed[e - 1]);
    const auto before = d->Threading;
    SortByPeriod(*d, PeriodKind::Shafts);
    EXPECT_EQ(d->Threading, before);
}

TEST(SortByPeriod, EqualPeriodsKeepTheirOrder) {
    auto d = NewDraft();
    d->Shafts = 2;
    for (int e = 1; e <= 20; ++e) d->Threading[e] = uint8_t(e % 2 == 1 ? 2 : 1);
    const auto before = d->Threading;
    SortByPeriod(*d, PeriodKind::Shafts);
    EXPECT_EQ(d->Threading, before);
}

TEST(SortByPeriod, ShortPeriodsComeFirst) {
    auto d = NewDraft();
    d->Shafts = 3;
    // Shaft 2 recurs every 2 ends, shafts 1 and 3 every 4.
    const int seq[] = {2, 1, 2, 3, 2, 1, 2, 3, 2, 1, 2, 3};
    for (int e = 1; e <= 12; ++e) d->Threading[e] = uint8_t(seq[e - 1]);
    d->TieUpAt(1, 1) = 1;
    SortByPeriod(*d, PeriodKind::Shafts);
    // Shaft 2 (period 2) becomes shaft 1; shafts 1 and 3 (period 4) follow.
    const int sorted[] = {1, 2, 1, 3, 1, 2, 1, 3, 1, 2, 1, 3};
    for (int e = 1; e <= 12; ++e) EXPECT_EQ(d->Threading[e], sorted[e - 1]) << e;
    EXPECT_EQ(d->TieUpAt(2, 1), 1); // the tie-up row moved with its shaft
    EXPECT_EQ(d->TieUpAt(1, 1), 0);
}

} // namespace
} // namespace hw
