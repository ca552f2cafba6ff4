#include "edit/key_input.h"
#include "edit/numeric_input.h"
#include "test_drafts.h"
#include "transform/analysis.h"
#include "transform/repeat_fill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace hw {
namespace {

using test::NewDraft;

// Entries from..to as digits (10 and up as letters).
std::string Seq(const uint8_t* s, int from, int to) {
    std::string out;
    for (int i = from; i <= to; ++i) out += char(s[i] < 10 ? '0' + s[i] : 'a' + s[i] - 10);
    return out;
}

void Put(uint8_t* s, const std::string& digits) {
    for (size_t i = 0; i < digits.size(); ++i) s[i + 1] = uint8_t(digits[i] - '0');
}

// Ends 1..E: threading and warp colours from digit strings; picks treadled
// 1..8 so the weft side is full.
std::unique_ptr<DraftState> Warp(const std::string& threading, const std::string& colours,
                                 int ends) {
    auto d = NewDraft();
    d->Ends = uint16_t(ends), d->Picks = 8;
    std::fill(d->WarpColors.begin(), d->WarpColors.end(), 0);
    Put(d->Threading.data(), threading);
    Put(d->WarpColors.data(), colours);
    for (int p = 1; p <= 8; ++p) d->Treadling[p] = uint8_t(p);
    UpdateUsed(*d);
    return d;
}

TEST(Repeat, SelectionsRepeatAfterThemselvesOnly) {
    const struct {
        SelArea area;
        int first, last;
        bool linked;
        const char *threading, *colours;
    } cases[] = {
        {SelArea::Threading, 1, 4, true, "1234123412", "5678567856"},
        {SelArea::Threading, 3, 5, true, "1234534534", "5678978978"},
        {SelArea::Threading, 5, 3, false, "1234534534", "5678900000"}, // right to left
        {SelArea::Threading, 1, 10, true, "1234500000", "5678900000"}, // no room
        {SelArea::WarpColors, 2, 3, true, "1234500000", "5676767676"}, // colours alone
    };
    for (const auto& c : cases) {
        auto d = Warp("12345", "56789", 10);
        d->ColorsLinked = c.linked;
        EXPECT_FALSE(RepeatCommand(*d, {c.area, c.first, c.last, 1, 1}).Error);
        EXPECT_EQ(Seq(d->Threading.data(), 1, 10), c.threading) << c.first << "-" << c.last;
        EXPECT_EQ(Seq(d->WarpColors.data(), 1, 10), c.colours) << c.first << "-" << c.last;
    }
    // Liftplan columns 2..3 of picks 1..2 travel; column 1 stays.
    auto d = NewDraft();
    d->TreadleMode = false, d->Shafts = d->Treadles = 4, d->Picks = 5;
    d->Liftplan[1] = 0b0011, d->Liftplan[2] = 0b0100, d->Liftplan[3] = 0b1001;
    RepeatRange(*d, {RepeatKind::Liftplan, 1, 2, 2, 3}, false);
    EXPECT_EQ(d->Liftplan[3], 0b1011);
    EXPECT_EQ(d->Liftplan[4], 0b0100);
    EXPECT_EQ(d->Liftplan[5], 0b0010);
}

TEST(Repeat, FillContinuesEachPartWithItsOwnRepeat) {
    auto d = Warp("12341234", "12312312", 20);
    d->Picks = 12;
    UpdateUsed(*d);
    EXPECT_FALSE(RepeatCommand(*d, {}).Error);
    EXPECT_EQ(Seq(d->Threading.data(), 1, 20), "12341234123412341234");
    // The colours found their repeat over the used ends: 3.
    EXPECT_EQ(Seq(d->WarpColors.data(), 1, 20), "12312312312312312312");
    EXPECT_EQ(Seq(d->Treadling.data(), 1, 12), "123456781234");
    EXPECT_EQ(std::vector<int>({d->RepeatThreading, d->RepeatTreadling, d->RepeatWarpColors}),
              std::vector<int>({4, 8, 3}));

    // Full on both sides: nothing changes.
    auto full = Warp("12341234", "", 8);
    const auto before = *full;
    const Status s = RepeatCommand(*full, {SelArea::TieUp, 1, 2, 1, 2});
    ASSERT_TRUE(s.Error);
    EXPECT_EQ(s.Error->Key, "@selpart");
    EXPECT_EQ(full->Threading, before.Threading);

    // No used end: the warp is left alone rather than repeated with length 0.
    auto empty = Warp("", "12", 20);
    empty->Picks = 16;
    empty->RepeatThreading = 8;
    EXPECT_FALSE(RepeatCommand(*empty, {}).Error);
    EXPECT_EQ(empty->RepeatThreading, 8);
    EXPECT_EQ(Seq(empty->WarpColors.data(), 1, 4), "1200");
    EXPECT_EQ(Seq(empty->Treadling.data(), 9, 16), "12345678");
}

TEST(Repeat, DesignRepeatsTileTheGrid) {
    // A 3 x 2 motif in the corner of a 10 x 7 design.
    auto d = NewDraft();
    d->DesignMode = true, d->Ends = 10, d->Picks = 7;
    const char* motif[] = {"110", "011"};
    for (int p = 1; p <= 2; ++p)
        for (int e = 1; e <= 3; ++e) DesignPut(*d, p, e, motif[p - 1][e - 1] == '1');
    auto tiled = std::make_unique<DraftState>(*d);
    EXPECT_FALSE(RepeatCommand(*tiled, {SelArea::Design, 1, 3, 1, 2}).Error);
    auto filled = std::make_unique<DraftState>(*d);
    EXPECT_FALSE(RepeatCommand(*filled, {}).Error);
    for (int p = 1; p <= 7; ++p)
        for (int e = 1; e <= 10; ++e) {
            const bool want = motif[(p - 1) % 2][(e - 1) % 3] == '1';
            EXPECT_EQ(DesignGet(*tiled, p, e), want) << p << "," << e;
            EXPECT_EQ(DesignGet(*filled, p, e), want) << p << "," << e;
        }
    // Seventeen distinct columns cannot be read as a draft.
    auto many = NewDraft();
    many->DesignMode = true;
    for (int e = 1; e <= 17; ++e)
        for (int p = 1; p <= 5; ++p) DesignPut(*many, p, e, ((e >> (p - 1)) & 1) != 0);
    EXPECT_TRUE(RepeatCommand(*many, {}).Error);
}

TEST(KeyInput, TreadlingAndLiftplanKeys) {
    auto d = NewDraft();
    d->Treadles = 6, d->Picks = 100;
    ViewWindow w;
    w.VisiblePicks = 10;
    ViewGeometry g; // every axis forward: treadle 1 left, pick 1 on top
    KeyCursor c{KeyMode::Treadling};
    auto keys = [&](std::initializer_list<std::pair<InputKey, char>> ks) {
        for (auto [k, ch] : ks) KeyInputKey(*d, w, g, c, k, ch);
    };
    using K = InputKey;
    keys({{K::Char, '3'}, {K::Char, '5'}, {K::Char, 'Z'}, {K::Up, 0}, {K::Insert, 0}});
    EXPECT_EQ(Seq(d->Treadling.data(), 1, 4), "3550"); // Z is 29: no such treadle
    keys({{K::Delete, 0}, {K::Right, 0}, {K::Right, 0}});
    EXPECT_EQ(Seq(d->Treadling.data(), 1, 4), "3500");
    EXPECT_EQ(c.Column, 1); // 5, 6, then round to 1
    keys({{K::End, 0}, {K::Down, 0}, {K::PageUp, 0}});
    EXPECT_EQ(w.ScrollPicks, 10); // one past the last visible pick, then a page less one
    // A liftplan: Space inverts the cell, the cursor stays, Insert opens a row.
    d->TreadleMode = false, d->Shafts = d->Treadles = 4, w.ScrollPicks = 0;
    c = {KeyMode::Liftplan};
    keys({{K::Enter, 0}, {K::Left, 0}, {K::Enter, 0}, {K::Char, '2'}, {K::Insert, 0}});
    EXPECT_EQ(d->Liftplan[1], 0);
    EXPECT_EQ(d->Liftplan[2], 0b1001);
}

TEST(NumericInput, NotationWritesItsValues) {
    const struct {
        const char* text;
        int shafts;
        const char* written;
    } cases[] = {
        {"1-4", 8, "1234"},
        {"4-1", 8, "4321"},
        {"1-4-1", 8, "1234321"},
        {"1 2 3", 8, "123"},
        {"3(1-4)", 8, "123412341234"},
        {"20", 16, "g"},
        {"123", 16, "c"},
        {"1-8", 4, "12341234"},
        {"1 -3 5- 2", 8, "12"},
        {"12(1)", 8, "111111111111"},
        {"1 2(3)4", 8, "1334"},
    };
    for (const auto& c : cases) {
        auto d = NewDraft();
        d->Shafts = uint16_t(c.shafts), d->Ends = 2;
        const NumericResult r = NumericInput(*d, false, 1, c.text);
        const int n = int(std::string(c.written).size());
        EXPECT_EQ(Seq(d->Threading.data(), 1, n + 1), std::string(c.written) + "0") << c.text;
        EXPECT_EQ(r.Written, n) << c.text;
        EXPECT_EQ(d->Ends, std::max(n, 2)) << c.text; // grown to the last written
    }
    auto d = NewDraft();
    d->Shafts = 16;
    EXPECT_EQ(NumericInput(*d, false, 3, "2(1-8-1 8) 3(1-16)").Written, 80);
    EXPECT_EQ(Seq(d->Threading.data(), 1, 20), "00123456787654321812");
    EXPECT_EQ(NumericInput(*d, true, 9599, "1-4").Written, 2); // never beyond 9600
    std::string many;
    for (int i = 0; i < 40; ++i) many += "2(1) ";
    const NumericText parsed = ParseNumericText(many);
    EXPECT_TRUE(parsed.TooLong);
    EXPECT_EQ(int(parsed.Groups.size()), MaxNumericGroups);
    EXPECT_FALSE(ParseNumericText("2(1-8-1 8) 3(1-16)").TooLong);
}

} // namespace
} // namespace hw
