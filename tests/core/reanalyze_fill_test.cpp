#include "model/drawdown.h"
#include "test_drafts.h"
#include "text/lang.h"
#include "transform/analysis.h"
#include "transform/fills.h"
#include "transform/reanalyze.h"
#include "transform/reports.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hw {
namespace {

using test::NewDraft;

std::vector<uint8_t> Cloth(const DraftState& d, int ends, int picks) {
    std::vector<uint8_t> c;
    for (int p = 1; p <= picks; ++p)
        for (int e = 1; e <= ends; ++e) c.push_back(WeftOnTop(d, p, e));
    return c;
}

std::string Seq(const uint8_t* s, int from, int to) {
    std::string out;
    for (int i = from; i <= to; ++i) out += char(s[i] < 10 ? '0' + s[i] : 'a' + s[i] - 10);
    return out;
}

// A single-treadling draft: threading and treadling from digit strings,
// treadle t tied to shaft t and t + 1 (a twill) unless the tie-up is given.
std::unique_ptr<DraftState> Draft(const std::string& threading, const std::string& treadling) {
    auto d = NewDraft();
    d->Shafts = d->Treadles = 16;
    for (size_t i = 0; i < threading.size(); ++i) d->Threading[i + 1] = uint8_t(threading[i] - '0');
    for (size_t i = 0; i < treadling.size(); ++i) d->Treadling[i + 1] = uint8_t(treadling[i] - '0');
    for (int t = 1; t <= 9; ++t) d->TieUpAt(t, t) = d->TieUpAt(t % 9 + 1, t) = 1;
    UpdateUsed(*d);
    return d;
}

// Every reanalysis and straight threading keeps the cloth of every used end
// and pick (empty ends and picks warped, so that none becomes unthreaded),
// and never leaves fewer than two shafts or treadles.
TEST(Reanalysis, KeepsTheClothOfRandomDrafts) {
    std::mt19937 rng(7);
    for (int round = 0; round < 400; ++round) {
        const bool sinking = round % 4 >= 2;
        auto d =
            test::RandomDraft(rng, round % 2 ? LoomSystem::Liftplan : LoomSystem::SingleTreadling,
                              sinking, 1 + round % 6);
        // An unthreaded end shows the weft in either shed, an end on a shaft
        // that never lifts only in a rising one.
        for (int e = 1; e <= d->Ends && sinking; ++e)
            if (d->Threading[e] == 0) d->Threading[e] = 1;
        if (round % 3 == 0) // short repeats, as woven drafts have
            for (int e = 9; e <= d->Ends; ++e) d->Threading[e] = d->Threading[e - 8];
        UpdateUsed(*d);
        const int ends = d->EndsUsed, picks = d->PicksUsed;
        const std::vector<uint8_t> before = Cloth(*d, ends, picks);
        for (int op = 0; op < 4; ++op) {
            auto r = std::make_unique<DraftState>(*d);
            const bool done = op == 0   ? ReanalyzeThreading(*r, true)
                              : op == 1 ? ReanalyzeTreadling(*r, true)
                              : op == 2 ? CombinedReanalysis(*r, true)
                                        : bool(StraightThreading(*r));
            if (!done) {
                EXPECT_TRUE(op == 3 || (op == 1 && !d->TreadleMode)) << round << " " << op;
                continue;
            }
            ASSERT_EQ(Cloth(*r, ends, picks), before) << "round " << round << " op " << op;
            EXPECT_TRUE(r->Shafts >= 2 && r->Treadles >= 2);
        }
    }
}

TEST(Reanalysis, RenumbersByFirstAppearanceAndRepeats) {
    struct Case {
        std::string Threading, Treadling;
        int Op; // 0 threading, 1 treadling
        std::string Expected;
        int Count;
    };
    std::string sixty, merged, hundredTwenty, renumbered;
    for (int e = 0; e < 60; ++e) sixty += "561216"[e % 6], merged += "112221"[e % 6];
    // 120 ends without a repeat: every end follows the new numbers, the
    // 51st and beyond too.
    for (int e = 0; e < 120; ++e) hundredTwenty += char('1' + (e * 1414 / 1000 + 1) % 4);
    for (char c : hundredTwenty) renumbered += char('1' + ((c - '1') + 3) % 4);
    const Case cases[] = {
        {"3333", "12", 0, "1111", 4}, // one shaft: four, as the highest used is 1
        // Treadle 5 lifts shafts 5 and 6, treadle 1 shafts 1 and 2: two pairs.
        {sixty, "51", 0, merged, 2},
        {hundredTwenty, "1234", 0, renumbered, 4},
        // Of the threaded shafts 1 and 2, treadles 5 and 3 both lift 2 only.
        {"1212", "53531", 1, "11112", 2},
    };
    for (const Case& c : cases) {
        auto d = Draft(c.Threading, c.Treadling);
        if (c.Op == 1) d->TieUpAt(2, 3) = d->TieUpAt(2, 5) = 1;
        ASSERT_TRUE(c.Op == 0 ? ReanalyzeThreading(*d, false) : ReanalyzeTreadling(*d, false));
        const int n = int(c.Expected.size());
        EXPECT_EQ(c.Op == 0 ? Seq(d->Threading.data(), 1, n) : Seq(d->Treadling.data(), 1, n),
                  c.Expected);
        EXPECT_EQ(c.Op == 0 ? d->Shafts : d->Treadles, c.Count) << c.Expected;
    }
    // Nothing to analyse: nothing changes.
    auto d = Draft("", "12");
    EXPECT_FALSE(ReanalyzeThreading(*d, true) || CombinedReanalysis(*d, true));
    d->DesignMode = true, d->Threading[1] = 1;
    EXPECT_FALSE(ReanalyzeThreading(*d, true));
}

// A pointed order and one where every shaft has the same period stay as they are.
TEST(Reanalysis, SortByPeriodLeavesPointedAndEqualPeriods) {
    for (const char* t : {"1234321234321234", "2121212121", "2314231423142314"}) {
        auto d = Draft(t, "1");
        d->Shafts = 4;
        SortByPeriod(*d, PeriodKind::Shafts);
        EXPECT_EQ(Seq(d->Threading.data(), 1, int(std::string(t).size())), t);
    }
}

TEST(StraightThreading, NeedsARepeatOfAtMostSixteenEnds) {
    std::string long24;
    for (int e = 0; e < 48; ++e) long24 += "123456787654321234567654"[e % 24];
    std::string noRepeat;
    std::mt19937 rng(2);
    for (int e = 0; e < 3000; ++e) noRepeat += char('1' + rng() % 8);
    auto d = Draft(long24, "1234");
    Status s = StraightThreading(*d);
    ASSERT_TRUE(s.Error);
    EXPECT_EQ(s.Error->Key, GetText(GeneralForm, "@toostraight") + "24");
    EXPECT_EQ(Seq(d->Threading.data(), 1, 24), long24.substr(0, 24));
    d = Draft(noRepeat, "12");
    EXPECT_EQ(StraightThreading(*d).Error->Key,
              "Threading repeat is too large for straight threading.");
    d = Draft("1234", "");
    EXPECT_EQ(StraightThreading(*d).Error->Key, "@globnopat");
    d = Draft("121432121432", "1324");
    ASSERT_TRUE(StraightThreading(*d));
    EXPECT_EQ(std::tuple(Seq(d->Threading.data(), 1, 7), int(d->Shafts)), std::tuple("1234561", 6));
}

TEST(Fills, OrdersAndTheirRepeats) {
    const struct {
        FillOrder Order;
        int M;
        const char* Repeat;
    } orders[] = {{FillOrder::Straight, 3, "123"},
                  {FillOrder::Pointed, 4, "123432"},
                  {FillOrder::Pointed, 2, "12"},
                  {FillOrder::Rosepath, 4, "12343214"},
                  {FillOrder::Rosepath, 3, "123213"}};
    for (const auto& o : orders) {
        auto d = NewDraft();
        d->Shafts = d->Treadles = uint16_t(o.M);
        d->Ends = d->Picks = 30;
        FillThreadingOrder(*d, o.Order);
        FillTreadlingOrder(*d, o.Order);
        const std::string r = o.Repeat, n = std::to_string(r.size());
        std::string all;
        while (all.size() < 30) all += r;
        EXPECT_EQ(Seq(d->Threading.data(), 1, 31), all.substr(0, 30) + "0");
        EXPECT_EQ(Seq(d->Treadling.data(), 1, 30), all.substr(0, 30));
        EXPECT_EQ(std::tuple(d->RepeatThreading, d->RepeatTreadling, int(d->EndsUsed)),
                  std::tuple(int(r.size()), int(r.size()), 30));
    }
    // Colour orders: A B = 5 1 on a rising shed, exchanged on a sinking one.
    auto d = NewDraft();
    d->Ends = d->Picks = 7;
    FillWarpColorOrder(*d, ColorOrder::AABB);
    FillWeftColorOrder(*d, ColorOrder::Single);
    EXPECT_EQ(Seq(d->WarpColors.data(), 1, 8) + Seq(d->WeftColors.data(), 1, 7), "55115516"
                                                                                 "1111111");
    d->Shed = true;
    FillWarpColorOrder(*d, ColorOrder::aba);
    EXPECT_EQ(std::tuple(Seq(d->WarpColors.data(), 1, 7), d->RepeatWarpColors, d->RepeatWeftColors),
              std::tuple("0400400", 3, 1));
}

TEST(Fills, TwillsSatinsAndPlainWeave) {
    std::mt19937 rng(3);
    for (int i = 0; i < 300; ++i) {
        const int n = 2 + i % 15;
        const std::vector<bool> row = TwillBaseRow(n, 2 + i % 5, i % 2 == 0, rng);
        const int raised = int(std::count(row.begin(), row.end(), true));
        if (i % 2 == 0) {
            EXPECT_TRUE(raised == n / 2 || raised == (n + 1) / 2) << n;
        }
        bool alternating = true;
        for (int s = 1; s < n; ++s)
            alternating = alternating && row[size_t(s)] != row[size_t(s - 1)];
        if (n % 2 == 0) {
            EXPECT_EQ(alternating, n == 2) << n; // plain weave only on two shafts
        }
    }
    // A satin with move 1 is the diagonal twill; B runs the other way.
    EXPECT_EQ(SatinRows(5, 1), TwillRows({true, false, false, false, false}, false));
    EXPECT_EQ(TwillRows({true, true, false}, true), (std::vector<LiftplanRow>{3, 5, 6}));
    EXPECT_EQ(SatinRows(5, 2), (std::vector<LiftplanRow>{1, 4, 16, 2, 8}));
    const std::pair<int, const char*> moves[] = {
        {4, ""},    {5, "2,3"},  {6, ""},     {7, "3,4, 2,5"},
        {8, "3,5"}, {10, "3,7"}, {12, "5,7"}, {16, "7,9, 5,11, 3,13"}};
    for (const auto& [n, list] : moves) EXPECT_EQ(SatinMoves(n), list) << n;

    // Tie-up mode: treadle t takes row ((t - 1) mod n) + 1; liftplan mode
    // repeats the rows over every pick.
    auto d = NewDraft();
    d->Shafts = 3, d->Treadles = 5, d->Picks = 7;
    ApplyWeave(*d, SatinRows(3, 1));
    EXPECT_EQ(std::tuple(d->TieUpAt(1, 4), d->TieUpAt(2, 5), d->TieUpAt(3, 5)),
              std::tuple(1, 1, 0));
    d->TreadleMode = false, d->Treadles = 3;
    FillPlainWeave(*d);
    EXPECT_EQ(std::vector<int>(d->Liftplan.begin() + 1, d->Liftplan.begin() + 9),
              (std::vector<int>{5, 2, 5, 2, 5, 2, 5, 0}));
    EXPECT_EQ(d->RepeatTreadling, 2); // Repeat must not continue A B A A B A
}

TEST(Fills, TieUpSpecialEffects) {
    auto d = NewDraft();
    d->Shafts = 4, d->Treadles = 6;
    std::mt19937 rng(5);
    for (int s = 1; s <= 4; ++s)
        for (int t = 1; t <= 6; ++t) d->TieUpAt(s, t) = uint8_t(rng() % 2);
    const auto before = d->TieUp;
    auto apply = [&](TieUpEffects e) {
        d->TieUp = before;
        ApplyTieUpEffects(*d, e);
    };
    apply({.FlipHorizontal = true, .FlipVertical = true});
    for (int s = 1; s <= 4; ++s)
        for (int t = 1; t <= 6; ++t)
            EXPECT_EQ(d->TieUpAt(s, t), before[size_t(4 - s)][size_t(6 - t)]);
    apply({.Rotate90 = true});
    for (int s = 1; s <= 4; ++s) {
        for (int t = 5; t <= 6; ++t)
            EXPECT_EQ(d->TieUpAt(s, t), before[size_t(s - 1)][size_t(t - 1)]);
        for (int t = 1; t <= 4; ++t)
            EXPECT_EQ(d->TieUpAt(s, t), before[size_t(4 - t)][size_t(s - 1)]);
    }
    apply({.TwillFromShaft1 = true, .TwillFromShaft1AndTreadle1 = true});
    EXPECT_EQ(d->TieUpAt(3, 1), before[0][4]); // shaft 3 moved two treadles, cyclically
    apply({.TwillFromShaft1AndTreadle1 = true});
    EXPECT_EQ(std::tuple(d->TieUpAt(3, 5), d->TieUpAt(4, 2)),
              std::tuple(before[0][2], before[2][0])); // no wrap at the edges
}

// Brute force over the drawdown: every run of each kind, scanned as the
// report scans.
TEST(Reports, FloatsMatchABruteForceCount) {
    std::mt19937 rng(11);
    for (int round = 0; round < 60; ++round) {
        auto d = test::RandomDraft(rng, LoomSystem(round % 3), round % 2, 1 + round % 4);
        const FloatStats s = CountFloats(*d);
        const FloatKind* kinds[] = {&s.WarpOver, &s.WarpUnder, &s.WeftOver, &s.WeftUnder};
        for (int k = 0; k < 4; ++k) {
            const bool warp = k < 2, weftOnTop = k == 1 || k == 2;
            const int lines = warp ? d->EndsUsed : d->PicksUsed,
                      cells = warp ? d->PicksUsed : d->EndsUsed;
            int longest = 0, count = 0, runs = 0, total = 0, firstLine = 0, firstCell = 0;
            for (int l = 1; l <= lines; ++l)
                for (int c = 1, run = 0; c <= cells; ++c) {
                    const bool on = WeftOnTop(*d, warp ? c : l, warp ? l : c) == weftOnTop;
                    run = on ? run + 1 : 0;
                    const bool ends =
                        on && (c == cells || (WeftOnTop(*d, warp ? c + 1 : l, warp ? l : c + 1) ==
                                              weftOnTop) != on);
                    if (!ends) continue;
                    ++runs, total += run;
                    if (run > longest)
                        longest = run, count = 0, firstLine = l, firstCell = c - run + 1;
                    count += run == longest;
                }
            const FloatKind& f = *kinds[k];
            EXPECT_EQ(std::tuple(f.Longest, f.CountLongest, int(f.Runs), int(f.TotalLength)),
                      std::tuple(longest, count, runs, total))
                << round << " kind " << k;
            EXPECT_EQ(std::tuple(f.FirstEnd, f.FirstPick),
                      warp ? std::tuple(firstLine, firstCell) : std::tuple(firstCell, firstLine));
        }
    }
}

TEST(Reports, TextsInTheLanguageAndNothingDividesByZero) {
    auto d = Draft("12341234", "1212");
    for (int e = 1; e <= 8; ++e) d->WarpColors[e] = uint8_t(e % 2 ? 7 : 12);
    for (int p = 1; p <= 4; ++p) d->WeftColors[p] = 3;
    d->FileName = "/tmp/twill.hdw";
    EXPECT_EQ(
        RepeatsReport(*d).Report.Text,
        "Repeats\nPattern: twill.hdw\n\nWarp:\n  Threading = 4\n  Warp Colors = 2\n"
        "  Total Repeat = 4\n\nWeft:\n  Treadling = 2\n  Weft Colors = 1\n  Total Repeat = 2\n");
    EXPECT_NE(ColorsReport(*d).Text.find("Color    Ends      %Ends\n    7       4      50.00\n"
                                         "   12       4      50.00\n"),
              std::string::npos);
    EXPECT_NE(HeddlesReport(*d).Text.find("8 Ends\n\nShaft  Heddles\n   1      2\n"),
              std::string::npos);
    ASSERT_TRUE(SetLanguage(LangGerman));
    const std::string floats = FloatsReport(*d).Text;
    SetLanguage(LangEnglish);
    EXPECT_NE(floats.find("Kettflottungen\nLängste Kettflottung oben = 4\n"), std::string::npos)
        << floats;
    // Nothing used: zeros, no runs, no shares.
    d = NewDraft();
    EXPECT_NE(FloatsReport(*d).Text.find("Average Warp Float Over = 0.00"), std::string::npos);
    EXPECT_EQ(ColorsReport(*d).Text,
              " Colors Count\n\nColor    Ends      %Ends\n\nColor    Picks     %Picks\n");
    EXPECT_NE(RepeatsReport(*d).Report.Text.find("Threading = 0"), std::string::npos);
    // A design of seventeen distinct columns has no draft to find repeats in.
    d->DesignMode = true;
    for (int e = 1; e <= 17; ++e) DesignPut(*d, e, e, true);
    EXPECT_TRUE(RepeatsReport(*d).Error);
}

} // namespace
} // namespace hw
