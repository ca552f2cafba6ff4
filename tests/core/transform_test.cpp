#include "model/drawdown.h"
#include "model/loom_system.h"
#include "test_drafts.h"
#include "transform/row_transforms.h"
#include "transform/translate.h"

#include <gtest/gtest.h>

#include <string>

namespace hw {
namespace {

using test::NewDraft;

std::string Seq(const uint8_t* s, int from, int to) {
    std::string out;
    for (int i = from; i <= to; ++i) out += char(s[i] < 10 ? '0' + s[i] : 'a' + s[i] - 10);
    return out;
}

void Put(uint8_t* s, const std::string& digits) {
    for (size_t i = 0; i < digits.size(); ++i) s[i + 1] = uint8_t(digits[i] - '0');
}

std::string Rows(const DraftState& d, int from, int to, int shafts) {
    std::string out;
    for (int p = from; p <= to; ++p) {
        for (int s = 1; s <= shafts; ++s) out += LiftplanGet(d, p, s) ? '1' : '0';
        out += p < to ? " " : "";
    }
    return out;
}

UnitPair RandomUnits(std::mt19937& rng, int ends, int picks) {
    UnitPair u;
    SetUnitSize(u, ends, picks);
    for (auto* g : {&u.Unit1, &u.Unit2})
        for (auto& row : *g)
            for (auto&& c : row) c = rng() % 2;
    return u;
}

// The translated cloth is the profile's, each square woven as unit 1 where
// the profile lifts and as unit 2 where it does not: unit row `up` on the
// first pick of a block, unit column 1 on the first end.
TEST(Translate, WeavesEachProfileSquareAsItsUnit) {
    std::mt19937 rng(3);
    for (int round = 0; round < 60; ++round) {
        const LoomSystem loom = round % 2 ? LoomSystem::Liftplan : LoomSystem::SingleTreadling;
        auto d = test::RandomDraft(rng, loom, false, 1 + round % 4);
        const int ue = 1 + int(rng() % 4), up = 1 + int(rng() % 4);
        const UnitPair u = RandomUnits(rng, ue, up);
        d->Shafts = uint16_t(std::min(16 / ue, 4));
        if (loom == LoomSystem::Liftplan) d->Treadles = d->Shafts;
        for (int e = 1; e <= d->Ends; ++e)
            if (d->Threading[e] > d->Shafts) d->Threading[e] = uint8_t(d->Shafts);
        for (int p = 1; p <= d->Picks; ++p) d->Liftplan[p] &= uint16_t((1u << d->Shafts) - 1);
        d->Ends = uint16_t(d->Ends * ue), d->Picks = uint16_t(d->Picks * up);
        StoreUnits(*d, u);
        auto t = std::make_unique<DraftState>(*d);
        // An empty pick shows the warp on a treadle loom unless it is warped.
        const bool warpEmpty = loom == LoomSystem::SingleTreadling || round % 3 == 0;
        if (!TranslateDraft(*t, warpEmpty)) continue; // more than 16 shafts or treadles
        EXPECT_LE(t->Shafts, 16);
        for (int p = 1; p <= t->PicksUsed; ++p)
            for (int e = 1; e <= d->EndsUsed * ue; ++e) {
                const int k = (p - 1) / u.Picks + 1, j = (e - 1) / u.Ends + 1;
                const int r = u.Picks - (p - 1) % u.Picks, c = (e - 1) % u.Ends + 1;
                const bool lifted = d->Threading[j] && !WeftOnTop(*d, k, j);
                const bool raise = (lifted ? u.Unit1 : u.Unit2)[size_t(r - 1)][size_t(c - 1)];
                ASSERT_EQ(!WeftOnTop(*t, p, e), raise)
                    << "round " << round << " pick " << p << " end " << e;
            }
    }
}

TEST(Translate, EdgeCases) {
    auto d = NewDraft();
    d->TreadleMode = false, d->Shafts = d->Treadles = 4;
    UnitPair u;
    ClearUnits(u);
    u.Unit2[0][1] = true;
    StoreUnits(*d, u);
    EXPECT_EQ(TranslateDraft(*d, false).Error->Key, "@globnopat");
    Put(d->Threading.data(), "12340001234");
    for (int p = 1; p <= 30; ++p) d->Liftplan[p] = uint16_t(1u << (p % 4));
    UpdateUsed(*d);
    // Four blocks and the block of the empty ends need 20 shafts.
    const DraftState before = *d;
    EXPECT_EQ(TranslateDraft(*d, false).Error->Key, "@todesign");
    EXPECT_EQ(Seq(d->Threading.data(), 1, 11), "12340001234");
    EXPECT_TRUE(d->Liftplan == before.Liftplan);
    Put(d->Threading.data(), "12341234123");
    d->Picks = 100;
    ASSERT_TRUE(TranslateDraft(*d, false));
    EXPECT_EQ(d->Shafts, 8);      // 16 before the reanalysis: units of all-up and of one end
    EXPECT_EQ(d->PicksUsed, 100); // 30 profile picks of 4, cut at 100
    EXPECT_EQ(LastLiftplanPick(*d, MaxPicks), 100);
    // One end by two picks: the threading stays, the picks double.
    auto e = NewDraft();
    e->TreadleMode = false, e->Shafts = e->Treadles = 2;
    Put(e->Threading.data(), "1212");
    e->Liftplan[1] = 1, e->Liftplan[2] = 2;
    SetUnitSize(u, 1, 1);
    EXPECT_EQ(u.Picks, 2);
    StoreUnits(*e, u);
    UpdateUsed(*e);
    ASSERT_TRUE(TranslateDraft(*e, false));
    EXPECT_EQ(e->EndsUsed, 4);
    EXPECT_EQ(e->PicksUsed, 4);
}

TEST(Translate, DesignModeStaysInTheWindow) {
    auto d = NewDraft();
    d->DesignMode = true;
    for (int e = 1; e <= 7; ++e) DesignPut(*d, 1, e, true);
    d->WarpColors[2] = 77;
    UnitPair u;
    SetUnitSize(u, 8, 1);
    ClearUnits(u);
    StoreUnits(*d, u);
    TranslateDesign(*d);
    EXPECT_TRUE(DesignGet(*d, 1, 50)); // column 7 cut at end 50
    EXPECT_EQ(d->EndsUsed, 50);
    const int c = d->WarpColors[1]; // end 2's colour now on ends 9..16
    EXPECT_EQ(std::vector<int>(
                  {d->WarpColors[8], d->WarpColors[9], d->WarpColors[16], d->WarpColors[17]}),
              std::vector<int>({c, 77, 77, c}));
}

// Overlay tiles the units without expanding: pick 1 takes the last row,
// shaft (end) 1 the last column.
TEST(Translate, OverlayTilesTheUnits) {
    auto d = NewDraft();
    d->TreadleMode = false, d->Shafts = d->Treadles = 4, d->Picks = 3;
    d->Liftplan[2] = 0xF, d->Liftplan[3] = 0x1;
    StoreUnits(*d, UnitLibrary()[17].Units); // 10/01 up, 01/10 down
    OverlayUnits(*d);
    EXPECT_EQ(Rows(*d, 1, 3, 4), "0101 0101 1101");
    d->DesignMode = true;
    DesignPut(*d, 3, 2, true);
    OverlayUnits(*d);
    EXPECT_EQ(std::tuple(DesignGet(*d, 3, 2), DesignGet(*d, 3, 4), DesignGet(*d, 2, 1)),
              std::tuple(false, true, true));
}

TEST(Translate, DoubleWeaveAndLibrary) {
    UnitPair u;
    ClearUnits(u);
    u.Unit1[0][0] = false;
    ASSERT_TRUE(ConstructDoubleWeave(u, false));
    EXPECT_EQ(std::pair(u.Ends, u.Picks), std::pair(8, 8));
    // Odd rows and columns: the first layer; old unit 1's cell (1, 1) was clear.
    EXPECT_TRUE(u.Unit1[0][0] && !u.Unit1[1][0] && u.Unit1[3][0] && !u.Unit1[0][1]);
    EXPECT_TRUE(u.Unit2[1][1] && !u.Unit2[0][0] && !u.Unit2[1][0] && u.Unit2[3][3]);
    SetUnitSize(u, 9, 4);
    EXPECT_EQ(ConstructDoubleWeave(u, true).Error->Key, "Unit size too large.");
    EXPECT_EQ(u.Ends, 9);

    const auto lib = UnitLibrary();
    ASSERT_EQ(lib.size(), 45u);
    auto rows = [](const UnitGrid& g, int ends, int picks) {
        std::string s;
        for (int r = 0; r < picks; ++r)
            for (int c = 0; c < ends; ++c) s += g[size_t(r)][size_t(c)] ? '1' : '0';
        return s;
    };
    for (const UnitLibraryEntry& e : lib) {
        const UnitPair& p = e.Units;
        const std::string u1 = rows(p.Unit1, p.Ends, p.Picks), u2 = rows(p.Unit2, p.Ends, p.Picks);
        EXPECT_NE(u1, u2) << e.Name;
        if (e.Name.starts_with("Satin")) { // a warp satin on a weft satin: one end per row
            const int n = p.Ends, move = e.Name.find("move") != std::string::npos
                                             ? std::stoi(e.Name.substr(e.Name.size() - 1))
                                             : 0;
            for (int r = 0; r < n; ++r) {
                EXPECT_EQ(std::count(u2.begin() + r * n, u2.begin() + r * n + n, '1'), 1) << e.Name;
                if (move) {
                    EXPECT_EQ(u2[size_t(r * n + r * move % n)], '1') << e.Name;
                }
            }
        }
        if (e.Name.starts_with("Twill") && e.Name.find('+') != std::string::npos) {
            EXPECT_EQ(std::count(u1.begin(), u1.begin() + p.Ends, '1'), e.Name[6] - '0') << e.Name;
        }
    }
    EXPECT_EQ(rows(lib[0].Units.Unit1, 4, 4) + rows(lib[0].Units.Unit2, 4, 4),
              "11011000011100101000110100100111");
    EXPECT_EQ(lib[17].Name, "Plain / Shadow Weave");
    EXPECT_EQ(rows(lib[17].Units.Unit1, 2, 2) + rows(lib[17].Units.Unit2, 2, 2), "10010110");
    EXPECT_EQ(std::pair(lib[12].Units.Ends, lib[12].Units.Picks), std::pair(2, 4)); // Monk's Belt
}

TEST(Network, EndsGoToTheNearestNetworkShaft) {
    const Sequence initial = Repeated(NetworkInitials()[1].Values); // 4-end straight
    auto d = NewDraft();
    d->Shafts = d->Treadles = 16;
    // Pattern line 10 under initial values 2 and 3, an empty end, line 1.
    d->Threading[2] = d->Threading[3] = 10, d->Threading[5] = 1;
    NetworkRequest r{&initial, &initial, NetworkTarget::Threading, 0};
    ASSERT_TRUE(RunNetwork(*d, r));
    EXPECT_EQ(Seq(d->Threading.data(), 1, 5), "0ab01");
    d->Shafts = 8, d->Threading[1] = 8; // 1, 5, 9 > 8: back to 1
    ASSERT_TRUE(RunNetwork(*d, r));
    EXPECT_EQ(d->Threading[1], 1);
    // The ribbon follows the line on a liftplan loom; width 0 keeps the liftplan.
    d->TreadleMode = false, d->Treadles = 8, d->Liftplan[1] = 0x80;
    ClearThreadingFrom(*d, 1);
    Put(d->Threading.data(), "18");
    ASSERT_TRUE(RunNetwork(*d, r));
    EXPECT_EQ(d->Liftplan[1], 0x80);
    r.RibbonWidth = 3;
    Put(d->Threading.data(), "18");
    ASSERT_TRUE(RunNetwork(*d, r));
    EXPECT_EQ(Rows(*d, 1, 2, 8), "11100000 11000001");
    const Sequence six = Repeated({1, 2, 3, 4, 5, 6});
    d->Shafts = d->Treadles = 4;
    Put(d->Threading.data(), "1234123");
    const DraftState before = *d;
    Status s = RunNetwork(*d, {&six, &six, NetworkTarget::Both, 3});
    EXPECT_EQ(s.Error->Key, "Initial has too many shafts (%1),");
    EXPECT_EQ(s.Error->Args, std::vector<std::string>{"6"});
    EXPECT_TRUE(d->Threading == before.Threading && d->Liftplan == before.Liftplan);
}

TEST(BlockSubstitution, PlacesBlocksAbsoluteAndRelative) {
    auto blocks = NewDraft();
    Put(blocks->InsertThreading.data(), "12341234");
    Put(blocks->InsertWarpColors.data(), "55556666");
    blocks->InsertTieUp[0][0] = 1;
    for (bool relative : {false, true}) {
        auto d = NewDraft();
        Put(d->Threading.data(), "121");
        Put(d->WarpColors.data(), "789");
        Put(d->Treadling.data(), "2");
        SubstituteBlocks(*d, *blocks, relative);
        EXPECT_EQ(Seq(d->Threading.data(), 1, 13), relative ? "1234567812340" : "1234123412340");
        EXPECT_EQ(Seq(d->WarpColors.data(), 1, 12), "777788889999");
        EXPECT_EQ(d->Shafts, relative ? 8 : 4);
        // No treadling in the blocks file: treadled as threaded.
        EXPECT_EQ(Seq(d->Treadling.data(), 1, 5), relative ? "56780" : "12340");
        EXPECT_EQ(d->TieUpAt(1, 1), 1);
    }
    // One colour: one block, the whole threading for every 1, nothing for 2.
    Put(blocks->InsertWarpColors.data(), "55555555");
    auto d = NewDraft();
    Put(d->Threading.data(), "212");
    SubstituteBlocks(*d, *blocks, false);
    EXPECT_EQ(Seq(d->Threading.data(), 1, 9), "123412340");
}

TEST(InsertSequence, TabbyBetweenThePatternEnds) {
    const Sequence tabby = Repeated(InsertSequences()[0].Values);
    for (bool after : {false, true}) {
        auto d = NewDraft();
        d->Shafts = 4;
        Put(d->Threading.data(), "12341234");
        d->TieUpAt(1, 1) = d->TieUpAt(4, 2) = 1;
        ASSERT_TRUE(InsertThreadingSequence(*d, tabby, 1, after));
        EXPECT_EQ(Seq(d->Threading.data(), 1, 17),
                  after ? "31425162314251620" : "13241526132415260");
        EXPECT_EQ(d->Shafts, 6);
        EXPECT_TRUE(d->TieUpAt(3, 1) && d->TieUpAt(6, 2) && !d->TieUpAt(1, 1));
    }
    auto d = NewDraft();
    d->TreadleMode = false;
    Put(d->Threading.data(), "1f");
    d->Threading[2] = 15;
    const DraftState before = *d;
    Status s = InsertThreadingSequence(*d, tabby, 1, false); // 15 + 2 > 16
    EXPECT_EQ(s.Error->Key, "@insmaxshafts");
    EXPECT_TRUE(d->Threading == before.Threading && d->Ends == before.Ends);
    Put(d->Treadling.data(), "12");
    d->TreadleMode = true, d->Treadles = 2;
    ASSERT_TRUE(InsertTreadlingSequence(*d, tabby, 2, true));
    EXPECT_EQ(Seq(d->Treadling.data(), 1, 4), "2310");
}

TEST(LiftplanRows, InsertDeleteWrapAndTromp) {
    auto d = NewDraft();
    d->TreadleMode = false, d->Shafts = d->Treadles = 4, d->Picks = 5;
    auto fill = [&](int n) {
        for (int p = 1; p <= 9; ++p) d->Liftplan[p] = uint16_t(p <= n ? p : 0);
    };
    fill(4);
    InsertLiftplanPicks(*d, 1, 2);
    EXPECT_EQ(Rows(*d, 1, 6, 4), "0000 1000 0100 0000 1100 0010");
    fill(5);
    std::array<LiftplanRow, MaxPicks + 1> rows{};
    rows[1] = 8, rows[2] = 8, rows[3] = 0x30;
    InsertLiftplanPicks(*d, 1, 2, &rows);
    EXPECT_EQ(Rows(*d, 1, 8, 6), "000100 100000 010000 000100 110000 001000 000011 101000");
    EXPECT_EQ(std::tuple(d->Picks, d->Shafts, d->Treadles), std::tuple(8, 6, 6));
    d->Picks = 7;
    fill(7);
    DeleteLiftplanPicks(*d, 1, 2);
    EXPECT_EQ(Rows(*d, 1, 7, 3), "010 110 101 011 000 000 000");
    d->Liftplan[1] = 3;
    WrapLiftplan(*d, 1);
    EXPECT_EQ(Rows(*d, 1, 1, 6), "011000");
    LiftplanBlock block{1, 1, 2, 4};
    WrapLiftplan(*d, -1, &block);
    EXPECT_EQ(Rows(*d, 1, 2, 6), "010100 011000");

    auto t = NewDraft();
    t->Shafts = 4, t->Treadles = 6;
    Put(t->Threading.data(), "1234");
    Put(t->Treadling.data(), "665");
    const DraftState start = *t;
    for (int i = 0; i < 2; ++i) TrompAsWrit(*t, TrompChoice::SwitchThreadingTreadling);
    EXPECT_TRUE(t->Threading == start.Threading && t->Treadling == start.Treadling &&
                t->Shafts == 4 && t->Treadles == 6);
    TrompAsWrit(*t, TrompChoice::TreadlingToThreading);
    EXPECT_EQ(std::pair(Seq(t->Threading.data(), 1, 4), int(t->Shafts)),
              std::pair(std::string("6650"), 6));
    t->DesignMode = true;
    EXPECT_FALSE(TrompAvailable(*t, TrompChoice::ThreadingToTreadling));
    EXPECT_TRUE(TrompAvailable(*t, TrompChoice::SwitchColors));
}

} // namespace
} // namespace hw
