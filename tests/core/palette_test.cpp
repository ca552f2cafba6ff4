// Edits of the palette: the blend's rounding, the entry and row exchanges.
#include "model/palette.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

TEST(Palette, DivisionRoundsHalvesToEven) {
    const struct {
        long long num, den;
        int want;
    } cases[] = {{255, 4, 64}, {510, 4, 128}, {765, 4, 191}, {5, 2, 2},
                 {7, 2, 4},    {-5, 2, -2},   {-7, 2, -4},   {-765, 4, -191}};
    for (const auto& c : cases) EXPECT_EQ(DivRoundHalfEven(c.num, c.den), c.want) << c.num;
}

TEST(Palette, BlendRampsTheEntriesBetweenAndKeepsTheEnds) {
    for (const auto& [a, b] : {std::pair{10, 14}, std::pair{14, 10}}) {
        PaletteEntries p = test::NewDraft()->Palette;
        SetPaletteColor(p, 10, 0x000000);
        SetPaletteColor(p, 14, 0xFFFFFF);
        const PaletteEntries before = p;
        ASSERT_TRUE(BlendPalette(p, a, b));
        const uint8_t want[] = {0, 64, 128, 191, 255};
        for (int i = 0; i < 5; ++i) {
            const PaletteEntry& e = p[size_t(10 + i)];
            EXPECT_EQ(std::tuple(e.Red, e.Green, e.Blue), std::tuple(want[i], want[i], want[i]));
        }
        EXPECT_EQ(p[9], before[9]);
        EXPECT_EQ(p[15], before[15]);
    }
}

TEST(Palette, EditsOnOneOrAdjacentEntriesChangeNothing) {
    PaletteEntries p = test::NewDraft()->Palette;
    EXPECT_FALSE(BlendPalette(p, 20, 21));
    EXPECT_FALSE(BlendPalette(p, 20, 20));
    EXPECT_FALSE(SwitchPaletteEntries(p, 3, 3));
    EXPECT_FALSE(CopyPaletteEntry(p, 3, 3));
    EXPECT_FALSE(SwitchPaletteEntries(p, 3, 256));
    EXPECT_FALSE(ExchangePaletteRows(p, 16, 16)); // row 16 of a 16-column grid is past 255
}

TEST(Palette, SwitchCopyAndRowExchange) {
    const PaletteEntries start = test::NewDraft()->Palette;
    PaletteEntries p = start;
    ASSERT_TRUE(SwitchPaletteEntries(p, 5, 40));
    EXPECT_EQ(p[5], start[40]);
    EXPECT_EQ(p[40], start[5]);
    ASSERT_TRUE(CopyPaletteEntry(p, 6, 7));
    EXPECT_EQ(p[7], start[6]);
    // Row 3 of an 8-column grid is entries 24..31; twice is no change.
    PaletteEntries q = start;
    ASSERT_TRUE(ExchangePaletteRows(q, 3, 8));
    for (int c = 0; c < 8; ++c) EXPECT_EQ(q[size_t(c)], start[size_t(24 + c)]);
    ExchangePaletteRows(q, 3, 8);
    EXPECT_EQ(q, start);
}

TEST(Palette, DisplaySizesCycleAndShrinkingDropsIndexesOutOfView) {
    EXPECT_EQ(NextPaletteDisplay(0), 1);
    EXPECT_EQ(NextPaletteDisplay(1), 2);
    EXPECT_EQ(NextPaletteDisplay(2), 0);
    EXPECT_EQ(FitToDisplay(40, 0), 0);
    EXPECT_EQ(FitToDisplay(50, 0), 0);
    EXPECT_EQ(FitToDisplay(15, 0), 15);
    EXPECT_EQ(FitToDisplay(63, 1), 63);
    EXPECT_EQ(FitToDisplay(64, 1), 0);
}

} // namespace
} // namespace hw
