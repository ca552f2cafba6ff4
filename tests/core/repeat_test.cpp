#include "test_drafts.h"
#include "transform/repeat.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace hw {
namespace {

// A sequence with no period of its own: a random walk over values 1..16
// where every prefix is broken by a unique tail.
std::vector<uint8_t> Aperiodic(int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> s(static_cast<size_t>(n));
    for (auto& v : s) v = uint8_t(1 + rng() % 16);
    return s;
}

TEST(FindRepeat, Sequences) {
    EXPECT_EQ(FindRepeat(nullptr, 100, 0), (RepeatResult{0, true}));

    const std::vector<uint8_t> partial = {1, 2, 3, 4, 1, 2, 3, 4, 1, 2};
    EXPECT_EQ(FindRepeat(partial.data(), 100, 10), (RepeatResult{4, true}));

    std::vector<uint8_t> sixty;
    for (int i = 0; i < 60; ++i) sixty.push_back(uint8_t(1 + (i % 6 < 4 ? i % 6 : 6 - i % 6)));
    EXPECT_EQ(FindRepeat(sixty.data(), 9600, 60), (RepeatResult{6, true}));

    // Only positions up to min(count, last) count.
    const std::vector<uint8_t> tail = {1, 2, 1, 2, 1, 2, 7, 8};
    EXPECT_EQ(FindRepeat(tail.data(), 6, 8).Length, 2);

    const auto a3000 = Aperiodic(3000, 1);
    EXPECT_EQ(FindRepeat(a3000.data(), 9600, 3000), (RepeatResult{0, false}));
    const auto a2000 = Aperiodic(2000, 2);
    EXPECT_EQ(FindRepeat(a2000.data(), 9600, 2000), (RepeatResult{2000, true}));
}

TEST(FindRepeat, LiftplanRowsCompareOnlyTheBytesTheShaftsNeed) {
    std::vector<LiftplanRow> rows;
    for (int i = 0; i < 12; ++i) rows.push_back(LiftplanRow(i % 2 == 0 ? 0x0003 : 0x000C));
    // Every fourth row also lifts element 9.
    for (size_t i = 0; i < rows.size(); i += 4) rows[i] = LiftplanRow(rows[i] | 0x0100);
    // 8 shafts need one byte: element 9 is ignored.
    EXPECT_EQ(FindLiftplanRepeat(rows.data(), 100, 12, 8).Length, 2);
    // 10 shafts compare both bytes.
    EXPECT_EQ(FindLiftplanRepeat(rows.data(), 100, 12, 10).Length, 4);
    // 4 shafts still compare the whole first byte (element 5 counts).
    for (size_t i = 0; i < rows.size(); i += 4) rows[i] = LiftplanRow(0x0003 | 0x0010);
    EXPECT_EQ(FindLiftplanRepeat(rows.data(), 100, 12, 4).Length, 4);
}

TEST(FindRepeat, ColourRows) {
    // A last used end of 0 searches the whole bound.
    std::vector<uint8_t> colours(9600);
    for (int i = 0; i < 9600; ++i) colours[size_t(i)] = uint8_t(i % 3 == 0 ? 5 : 6);
    EXPECT_EQ(FindColorRepeat(colours.data(), 30, 0).Length, 3);
    // The whole 9600 positions are searched as 9590: a change in the last ten
    // positions does not break the period.
    colours[9599] = 99;
    EXPECT_EQ(FindColorRepeat(colours.data(), 9600, 9600), (RepeatResult{3, true}));
    colours[9500] = 99;
    EXPECT_FALSE(FindColorRepeat(colours.data(), 9600, 9600).Found);
}

TEST(FindRepeat, RememberedRepeatsFollowTheDraft) {
    auto d = test::NewDraft();
    d->Ends = 40;
    d->Picks = 30;
    for (int e = 1; e <= 24; ++e) d->Threading[e] = uint8_t(1 + (e - 1) % 4);
    for (int p = 1; p <= 30; ++p) d->Treadling[p] = uint8_t(1 + (p - 1) % 6);
    for (int e = 1; e <= 40; ++e) d->WarpColors[e] = uint8_t(e % 5 == 0 ? 3 : 6);
    UpdateRememberedRepeats(*d);
    EXPECT_EQ(d->RepeatThreading, 4);
    EXPECT_EQ(d->RepeatTreadling, 6);
    // Warp colours are searched over the used ends 1..24 only.
    EXPECT_EQ(d->RepeatWarpColors, 5);
    EXPECT_EQ(d->RepeatWeftColors, 1);

    SetLoomSystem(*d, LoomSystem::Liftplan);
    for (int p = 1; p <= 30; ++p) d->Liftplan[p] = LiftplanRow(1u << ((p - 1) % 3));
    UpdateRememberedRepeats(*d);
    EXPECT_EQ(d->RepeatTreadling, 3);
}

} // namespace
} // namespace hw
