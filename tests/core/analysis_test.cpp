#include "files/message_text.h"
#include "model/drawdown.h"
#include "test_drafts.h"
#include "transform/analysis.h"
#include "transform/repeat.h"

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
        // By first appearance a pointed order 1 2 3 2 1..., left alone; or
        // 1 2 3 2 3..., sorted by period: the irregular shaft 1 goes last.
        {{"#.#.#.#.#.#.", ".###.###.###"}, false, "1232123212320", 3},
        {{"#.#.#.#.#.#.", ".###########"}, false, "3121212121210", 3},
    };
    for (const Case& c : cases) {
        auto d = Design(c.Rows);
        const DesignToDraftResult r = DesignToDraft(*d, c.WarpEmpty, [] { return false; });
        ASSERT_TRUE(r.Done && r.Warnings.empty() && !d->DesignMode); // nothing asked
        const int ends = int(c.Rows[0].size());
        EXPECT_EQ(Threading(*d, ends + 1), c.Threading);
        EXPECT_EQ(d->Shafts, c.Shafts);
        // Rising shed: a set cell is warp on top (on picks that lift anything).
        for (int p = 1; p <= int(c.Rows.size()); ++p)
            for (int e = 1; e <= ends && c.Rows[size_t(p - 1)].find('#') != std::string::npos; ++e)
                EXPECT_EQ(!WeftOnTop(*d, p, e), c.Rows[size_t(p - 1)][size_t(e - 1)] == '#');
    }
}

// More than 16 distinct columns asks; Cancel keeps the design and writes
// nothing. More than 16 distinct picks is reported, not shown.
TEST(DesignToDraft, TooManyShaftsAskAndTooManyTreadlesWarn) {
    auto d = Design({});
    for (int e = 1; e <= 17; ++e) DesignPut(*d, e, e, true);
    d->Threading[1] = 5;
    int asked = 0;
    EXPECT_FALSE(DesignToDraft(*d, false, [&] { return ++asked, false; }).Done);
    EXPECT_TRUE(asked == 1 && d->DesignMode && d->Threading[1] == 5);
    DesignToDraftResult r = DesignToDraft(*d, false, [&] { return ++asked, true; });
    EXPECT_TRUE(r.Done && !d->DesignMode && r.Warnings.empty());
    // The unthreaded seventeenth end leaves sixteen distinct picks.
    EXPECT_EQ(std::tuple(d->Threading[16], d->Threading[17], d->Shafts), std::tuple(16, 0, 16));

    // Five columns, 31 picks each lifting another set of them.
    d = Design({});
    for (int p = 1; p <= 31; ++p)
        for (int e = 1; e <= 5; ++e) DesignPut(*d, p, e, (p >> (e - 1)) & 1);
    r = DesignToDraft(*d, false, [] { return true; });
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

TEST(FindRepeat, SequencesLiftplanRowsAndColours) {
    auto seq = [](const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); };
    EXPECT_EQ(FindRepeat(nullptr, 100, 0), (RepeatResult{0, true}));
    EXPECT_EQ(FindRepeat(seq("1234123412").data(), 100, 10), (RepeatResult{4, true}));
    EXPECT_EQ(FindRepeat(seq("123432123432123432").data(), 9600, 18), (RepeatResult{6, true}));
    EXPECT_EQ(FindRepeat(seq("12121278").data(), 6, 8).Length, 2); // up to min(count, last)
    // No period: the whole length up to the longest searched, else none.
    std::mt19937 rng(1);
    std::vector<uint8_t> random(3000);
    for (auto& v : random) v = uint8_t(1 + rng() % 16);
    EXPECT_EQ(FindRepeat(random.data(), 9600, 2000), (RepeatResult{2000, true}));
    EXPECT_EQ(FindRepeat(random.data(), 9600, 3000), (RepeatResult{0, false}));
    // Liftplan rows compare the bytes the shafts need: with 8 shafts element
    // 9 is ignored, with 10 it counts, with 4 the whole first byte counts.
    std::vector<LiftplanRow> rows;
    for (int i = 0; i < 12; ++i)
        rows.push_back(LiftplanRow((i % 2 ? 0x000C : 0x0003) | (i % 4 ? 0 : 0x0100)));
    EXPECT_EQ(std::tuple(FindLiftplanRepeat(rows.data(), 100, 12, 8).Length,
                         FindLiftplanRepeat(rows.data(), 100, 12, 10).Length),
              std::tuple(2, 4));
    for (size_t i = 0; i < rows.size(); i += 4) rows[i] = LiftplanRow(0x0003 | 0x0010);
    EXPECT_EQ(FindLiftplanRepeat(rows.data(), 100, 12, 4).Length, 4);
    // Colours: a last used end of 0 searches the whole bound; 9600 positions
    // are searched as 9590, so a change in the last ten does not break the period.
    std::vector<uint8_t> colours(9600);
    for (int i = 0; i < 9600; ++i) colours[size_t(i)] = uint8_t(i % 3 == 0 ? 5 : 6);
    EXPECT_EQ(FindColorRepeat(colours.data(), 30, 0).Length, 3);
    colours[9599] = 99;
    EXPECT_EQ(FindColorRepeat(colours.data(), 9600, 9600), (RepeatResult{3, true}));
    colours[9500] = 99;
    EXPECT_FALSE(FindColorRepeat(colours.data(), 9600, 9600).Found);
    // The remembered repeats search the warp colours over the used ends only.
    auto d = NewDraft();
    for (int e = 1; e <= 40; ++e) d->Threading[e] = uint8_t(e <= 24 ? 1 + (e - 1) % 4 : 0);
    for (int e = 1; e <= 40; ++e) d->WarpColors[e] = uint8_t(e % 5 == 0 || e > 24 ? 3 : 6);
    UpdateUsed(*d), UpdateRememberedRepeats(*d);
    EXPECT_EQ(std::tuple(d->RepeatThreading, d->RepeatWarpColors), std::tuple(4, 5));
}

} // namespace
} // namespace hw
