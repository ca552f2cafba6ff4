#include "test_drafts.h"
#include "transform/repeat.h"

#include <gtest/gtest.h>

#include <vector>

namespace hw {
namespace {

TEST(FindRepeat, Sequences) {
    EXPECT_EQ(FindRepeat(nullptr, 100, 0), (RepeatResult{0, true}));
    const std::vector<uint8_t> partial = {1, 2, 3, 4, 1, 2, 3, 4, 1, 2};
    EXPECT_EQ(FindRepeat(partial.data(), 100, 10), (RepeatResult{4, true}));
    std::vector<uint8_t> pointed;
    for (int i = 0; i < 60; ++i) pointed.push_back(uint8_t(1 + (i % 6 < 4 ? i % 6 : 6 - i % 6)));
    EXPECT_EQ(FindRepeat(pointed.data(), 9600, 60), (RepeatResult{6, true}));
    // Only positions up to min(count, last) count.
    const std::vector<uint8_t> tail = {1, 2, 1, 2, 1, 2, 7, 8};
    EXPECT_EQ(FindRepeat(tail.data(), 6, 8).Length, 2);
    // No period: the whole length up to the longest searched, else none.
    std::mt19937 rng(1);
    std::vector<uint8_t> random(3000);
    for (auto& v : random) v = uint8_t(1 + rng() % 16);
    EXPECT_EQ(FindRepeat(random.data(), 9600, 2000), (RepeatResult{2000, true}));
    EXPECT_EQ(FindRepeat(random.data(), 9600, 3000), (RepeatResult{0, false}));
}

TEST(FindRepeat, LiftplanRowsCompareOnlyTheBytesTheShaftsNeed) {
    std::vector<LiftplanRow> rows;
    for (int i = 0; i < 12; ++i) rows.push_back(LiftplanRow(i % 2 == 0 ? 0x0003 : 0x000C));
    for (size_t i = 0; i < rows.size(); i += 4) rows[i] |= 0x0100;    // every fourth lifts 9 too
    EXPECT_EQ(FindLiftplanRepeat(rows.data(), 100, 12, 8).Length, 2); // one byte: 9 ignored
    EXPECT_EQ(FindLiftplanRepeat(rows.data(), 100, 12, 10).Length, 4);
    // 4 shafts still compare the whole first byte (element 5 counts).
    for (size_t i = 0; i < rows.size(); i += 4) rows[i] = LiftplanRow(0x0003 | 0x0010);
    EXPECT_EQ(FindLiftplanRepeat(rows.data(), 100, 12, 4).Length, 4);
}

TEST(FindRepeat, ColourRowsAndTheRememberedRepeats) {
    // A last used end of 0 searches the whole bound; 9600 positions are
    // searched as 9590, so a change in the last ten does not break the period.
    std::vector<uint8_t> colours(9600);
    for (int i = 0; i < 9600; ++i) colours[size_t(i)] = uint8_t(i % 3 == 0 ? 5 : 6);
    EXPECT_EQ(FindColorRepeat(colours.data(), 30, 0).Length, 3);
    colours[9599] = 99;
    EXPECT_EQ(FindColorRepeat(colours.data(), 9600, 9600), (RepeatResult{3, true}));
    colours[9500] = 99;
    EXPECT_FALSE(FindColorRepeat(colours.data(), 9600, 9600).Found);

    auto d = test::NewDraft();
    d->Ends = 40, d->Picks = 30;
    for (int e = 1; e <= 24; ++e) d->Threading[e] = uint8_t(1 + (e - 1) % 4);
    for (int p = 1; p <= 30; ++p) d->Treadling[p] = uint8_t(1 + (p - 1) % 6);
    for (int e = 1; e <= 40; ++e) d->WarpColors[e] = uint8_t(e % 5 == 0 ? 3 : 6);
    UpdateRememberedRepeats(*d);
    // Warp colours are searched over the used ends 1..24 only.
    EXPECT_EQ(std::tuple(d->RepeatThreading, d->RepeatTreadling, d->RepeatWarpColors,
                         d->RepeatWeftColors),
              std::tuple(4, 6, 5, 1));
    SetLoomSystem(*d, LoomSystem::Liftplan);
    for (int p = 1; p <= 30; ++p) d->Liftplan[p] = LiftplanRow(1u << ((p - 1) % 3));
    UpdateRememberedRepeats(*d);
    EXPECT_EQ(d->RepeatTreadling, 3);
}

} // namespace
} // namespace hw
