#include "files/message_text.h"
#include "model/drawdown.h"
#include "test_drafts.h"
#include "transform/analysis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hw {
namespace {

using test::NewDraft;

// A design from rows of '#' (set) and '.' (clear), pick 1 first.
std::unique_ptr<DraftState> Design(const std::vector<std::string>& rows) {
    auto d = NewDraft();
    d->DesignMode = true;
    for (size_t p = 0; p < rows.size(); ++p)
        for (size_t e = 0; e < rows[p].size(); ++e)
            DesignPut(*d, int(p) + 1, int(e) + 1, rows[p][e] == '#');
    return d;
}

std::string Threading(const DraftState& d, int ends) {
    std::string s;
    for (int e = 1; e <= ends; ++e) s += char('0' + d.Threading[e]);
    return s;
}

TEST(DesignToDraft, IdenticalColumnsShareAShaftAndTheDraftWeavesTheDesign) {
    struct Case {
        std::vector<std::string> Rows;
        bool WarpEmpty;
        const char* Threading;
        int Shafts;
    };
    const Case cases[] = {
        {{"#.#.#.", ".#.#.#"}, false, "1212120", 2},
        {{"###", "..."}, false, "1110", 2}, // one distinct column still gives two shafts
        {{"#..#", ".#.."}, false, "12010", 2},
        {{"#..#", ".#.."}, true, "12310", 3}, // the empty end on a shaft that lifts nothing
    };
    for (const Case& c : cases) {
        auto d = Design(c.Rows);
        int asked = 0;
        const DesignToDraftResult r = DesignToDraft(*d, c.WarpEmpty, [&] { return ++asked, true; });
        ASSERT_TRUE(r.Done);
        EXPECT_TRUE(r.Warnings.empty());
        EXPECT_EQ(asked, 0);
        EXPECT_FALSE(d->DesignMode);
        const int ends = int(c.Rows[0].size());
        EXPECT_EQ(Threading(*d, ends + 1), c.Threading);
        EXPECT_EQ(d->Shafts, c.Shafts);
        // Rising shed: a set cell is warp on top (on picks that lift anything).
        for (int p = 1; p <= int(c.Rows.size()); ++p)
            for (int e = 1; e <= ends && c.Rows[size_t(p - 1)].find('#') != std::string::npos; ++e)
                EXPECT_EQ(!WeftOnTop(*d, p, e), c.Rows[size_t(p - 1)][size_t(e - 1)] == '#');
    }
}

TEST(DesignToDraft, SeventeenColumnsAskAndCancelKeepsTheDesign) {
    auto d = NewDraft();
    d->DesignMode = true;
    for (int e = 1; e <= 17; ++e) DesignPut(*d, e, e, true); // 17 distinct columns
    d->Threading[1] = 5;
    int asked = 0;
    EXPECT_FALSE(DesignToDraft(*d, false, [&] { return ++asked, false; }).Done);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(d->DesignMode);
    EXPECT_EQ(d->Threading[1], 5); // counting wrote nothing

    const DesignToDraftResult r = DesignToDraft(*d, false, [&] { return ++asked, true; });
    EXPECT_TRUE(r.Done && !d->DesignMode);
    EXPECT_EQ(std::tuple(d->Threading[16], d->Threading[17], d->Shafts), std::tuple(16, 0, 16));
    // The unthreaded seventeenth end leaves sixteen distinct picks.
    EXPECT_TRUE(r.Warnings.empty());
}

TEST(DesignToDraft, MoreThanSixteenDistinctPicksIsReportedNotShown) {
    // Five columns, 31 picks each lifting another set of them.
    auto d = NewDraft();
    d->DesignMode = true;
    for (int p = 1; p <= 31; ++p)
        for (int e = 1; e <= 5; ++e) DesignPut(*d, p, e, (p >> (e - 1)) & 1);
    const DesignToDraftResult r = DesignToDraft(*d, false, [] { return true; });
    ASSERT_TRUE(r.Done);
    ASSERT_EQ(r.Warnings, (std::vector<Message>{{"TTransformDlg", "@emaxtreadles", {}}}));
    EXPECT_NE(MessageText(r.Warnings[0]), "@emaxtreadles"); // the table has it
    EXPECT_EQ(std::tuple(d->Treadles, d->Treadling[31]), std::tuple(16, 16));
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
        ASSERT_TRUE(DesignToDraft(*d, false, [] { return true; }).Done);
        // Picks that lift nothing become untreadled (warp on top in single
        // treadling); compare only woven picks.
        for (int p = 1; p <= 50; ++p) {
            if (d->TreadleMode && d->Treadling[p] == 0) continue;
            for (int e = 1; e <= 50; ++e)
                ASSERT_EQ(WeftOnTop(*d, p, e), before[size_t((p - 1) * 50 + e - 1)])
                    << "round " << round << " pick " << p << " end " << e;
        }
    }
}

TEST(SortByPeriod, ShortPeriodsFirstUnlessPointedOrEqual) {
    const std::tuple<int, std::string, std::string> cases[] = {
        {4, "1234321234321", "1234321234321"},               // pointed: left alone
        {2, "21212121212121212121", "21212121212121212121"}, // equal periods keep their order
        // Shaft 2 recurs every 2 ends, shafts 1 and 3 every 4.
        {3, "212321232123", "121312131213"},
    };
    for (const auto& [shafts, threading, sorted] : cases) {
        auto d = NewDraft();
        d->Shafts = uint16_t(shafts);
        for (size_t e = 0; e < threading.size(); ++e)
            d->Threading[e + 1] = uint8_t(threading[e] - '0');
        d->TieUpAt(1, 1) = 1;
        SortByPeriod(*d, PeriodKind::Shafts);
        EXPECT_EQ(Threading(*d, int(threading.size())), sorted);
        // The tie-up row moves with its shaft.
        EXPECT_EQ(d->TieUpAt(sorted[threading.find('1')] - '0', 1), 1) << threading;
    }
}

} // namespace
} // namespace hw
