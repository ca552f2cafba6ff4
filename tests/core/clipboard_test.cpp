// The selection, the clipboard formats, paste and paste special.
#include "edit/paste_special.h"
#include "files/message_text.h"
#include "text/lang.h"
#include "view_fixture.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using test::NewDraft;
using V = std::vector<int>;

V Head(const std::array<uint8_t, MaxEnds + 1>& a, int from, int n) {
    return V(a.begin() + from, a.begin() + from + n);
}

TEST(Clipboard, TheFormatsExactly) {
    auto d = NewDraft();
    d->Shafts = 8, d->WarpColors[3] = 7, d->WarpColors[4] = 0, d->WarpColors[5] = 12;
    for (int e = 1; e <= 4; ++e) d->Threading[e] = uint8_t(e);
    const ClipContent colors = CopyBlock(*d, {SelArea::WarpColors, 3, 5, 1, 1});
    EXPECT_EQ(colors.Text, "HDWCLIPC\r\n7\r\n0\r\n12\r\n");
    const ClipImage img = *CopyBlock(*d, {SelArea::Threading, 1, 4, 1, 8}).Image;
    EXPECT_EQ(std::tuple(img.Width, img.Height), std::tuple(8, 4));
    EXPECT_TRUE(std::count(img.Cells.begin(), img.Cells.end(), 1) == 4 && img.At(0, 0) &&
                img.At(1, 1) && img.At(2, 2) && img.At(3, 3));

    const std::pair<const char*, std::optional<V>> texts[] = {
        {"HDWCLIPC\r\n5\r\n", V{5}},
        {"HDWCLIPC\n5\n6", V{5, 6}}, // bare line feeds, no final break
        {"HDWCLIPC\r\nx\r\n300\r\n-1\r\n\r\n 7\r\n255", V{0, 0, 0, 0, 0, 255}},
        {"hdwclipc\r\n5\r\n", std::nullopt},
        {"HDWCLIPD\r\n5\r\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, values] : texts) {
        const auto got = DecodeColorText(text);
        EXPECT_EQ(got ? std::optional(V(got->begin(), got->end())) : std::nullopt, values) << text;
    }
    std::string many = "HDWCLIPC\r\n";
    for (int i = 0; i < 20000; ++i) many += "1\r\n";
    EXPECT_EQ(DecodeColorText(many)->size(), size_t(MaxClipValues));

    // A picture from another program: a row's first mark beyond the shaft
    // count leaves the end empty, a white row too.
    ClipImage foreign(40, 3);
    foreign.Put(9, 0, true), foreign.Put(12, 0, true), foreign.Put(2, 2, true),
        foreign.Put(5, 2, true);
    EXPECT_EQ(DecodeImageRows(foreign, 8), (std::vector<uint8_t>{0, 0, 3}));
}

TEST(Clipboard, PasteChecksAndTheirMessages) {
    SetLanguage(LangEnglish);
    const CellBlock tieUp{SelArea::TieUp, 1, 2, 1, 2}, warp{SelArea::WarpColors, 1, 2, 1, 1};
    const CopyRecord copiedThreading{SelArea::Threading, 1, 1};
    const struct {
        CellBlock target;
        ClipContent clip;
        const CopyRecord* special;
        PasteProblem expected;
    } cases[] = {
        {{}, ClipContent{"HDWCLIPC\r\n", {}}, nullptr, PasteProblem::NoSelection},
        {tieUp, ClipContent{"HDWCLIPC\r\n", {}}, nullptr, PasteProblem::WrongFormat},
        {warp, ClipContent{{}, ClipImage(1, 1)}, nullptr, PasteProblem::WrongFormat},
        {tieUp, ClipContent{{}, ClipImage(1, 1)}, &copiedThreading, PasteProblem::WrongFormat},
        {warp, ClipContent{"Hello\r\n1\r\n", {}}, nullptr, PasteProblem::Incompatible},
        {warp, ClipContent{"HDWCLIPC\r\n1\r\n", {}}, nullptr, PasteProblem::None},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckPaste(c.target, c.clip, c.special), c.expected);
    EXPECT_EQ(MessageText(PasteProblemMessage(PasteProblem::WrongFormat)),
              "Invalid clipboard format for selected area.");
}

// Whatever is copied and pasted elsewhere copies back the same, in every
// area, as far as the area reaches.
TEST(Clipboard, CopyPasteCopyGivesTheSameOverRandomDrafts) {
    std::mt19937 rng(52);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 80; ++round) {
        const bool lift = round % 2;
        auto d = test::RandomDraft(rng, lift ? LoomSystem::Liftplan : LoomSystem::SingleTreadling,
                                   false);
        const SelArea area =
            std::array{SelArea::Threading,  lift ? SelArea::Liftplan : SelArea::Treadling,
                       SelArea::TieUp,      SelArea::WarpColors,
                       SelArea::WeftColors, SelArea::Design}[round % 6];
        d->DesignMode = area == SelArea::Design;
        for (int i = 0; i < 2500; ++i) DesignPut(*d, i / 50 + 1, i % 50 + 1, pick(0, 1));
        const CellBlock from =
            SelectionBlock(*d, {area, {pick(1, 60), pick(1, 60)}, {pick(1, 60), pick(1, 60)}});
        const CellPoint at{pick(1, 60), pick(1, 60)};
        const CellBlock to = SelectionBlock(*d, {area, at, at});
        if (from.Area == SelArea::None || to.Area == SelArea::None) continue;
        const ClipContent clip = CopyBlock(*d, from);
        PasteBlock(*d, to, clip);
        const CellPoint end{at.Column + from.Width() - 1, at.Row + from.Height() - 1};
        const ClipContent back = CopyBlock(*d, SelectionBlock(*d, {area, at, end}));
        SCOPED_TRACE(round);
        if (clip.Text) {
            const auto a = *DecodeColorText(*clip.Text), b = *DecodeColorText(*back.Text);
            EXPECT_TRUE(std::equal(b.begin(), b.end(), a.begin()));
        } else {
            for (int y = 0; y < back.Image->Height; ++y)
                for (int x = 0; x < back.Image->Width; ++x)
                    ASSERT_EQ(clip.Image->At(x, y), back.Image->At(x, y));
        }
    }
}

TEST(Clipboard, DeleteRemovesEndsAndPicksOrClearsCells) {
    auto d = NewDraft();
    d->TreadleMode = false, d->Shafts = d->Treadles = 4, d->Ends = d->Picks = 6;
    for (int i = 1; i <= 6; ++i) d->Threading[i] = uint8_t(i % 4 + 1), d->Liftplan[i] = uint16_t(i);
    DeleteBlock(*d, {SelArea::Liftplan, 1, 4, 2, 3}, true); // all columns: picks 2, 3 go
    DeleteBlock(*d, {SelArea::Liftplan, 2, 4, 3, 4}, true); // part of the rows: cleared
    DeleteBlock(*d, {SelArea::Threading, 1, 2, 1, 4}, true);
    EXPECT_EQ(V(d->Liftplan.begin() + 1, d->Liftplan.begin() + 6), (V{1, 4, 1, 0, 0}));
    EXPECT_EQ(Head(d->Threading, 1, 6), (V{4, 1, 2, 3, 0, 0}));
    d->TreadleMode = true, d->TieUpAt(1, 1) = d->TieUpAt(2, 2) = 1;
    DeleteBlock(*d, {SelArea::TieUp, 2, 3, 1, 2}, true);
    EXPECT_TRUE(d->TieUpAt(1, 1) && !d->TieUpAt(2, 2) && d->Shafts == 4);
}

TEST(Clipboard, PasteSpecialInEachArea) {
    auto d = NewDraft();
    d->Shafts = d->Treadles = 8, d->Ends = 12, d->Picks = 12;
    for (int e = 1; e <= 4; ++e) d->Threading[e] = uint8_t(e);
    auto threading = [&](int first, int last) {
        return CopyBlock(*d, {SelArea::Threading, first, last, 1, 8});
    };
    PasteOptions advance;
    advance.Copies = 3, advance.Advance = 1;
    PasteSpecial(*d, {SelArea::Threading, 5, 5, 1, 8}, {SelArea::Threading, 1, 1}, threading(1, 4),
                 advance);
    EXPECT_EQ(Head(d->Threading, 1, 12), (V{1, 2, 3, 4, 2, 3, 4, 5, 3, 4, 5, 6}));
    d->Ends = 16;
    PasteOptions flip;
    flip.Copies = 4, flip.FlipHorizontal = true;
    const ClipContent abc = threading(1, 3);
    PasteSpecial(*d, {SelArea::Threading, 4, 4, 1, 8}, {SelArea::Threading, 1, 1}, abc, flip);
    EXPECT_EQ(Head(d->Threading, 1, 15), (V{1, 2, 3, 3, 2, 1, 1, 2, 3, 3, 2, 1, 1, 2, 3}));
    // Insert pushes the rest along; a target before the source makes one copy.
    PasteOptions insert;
    insert.Copies = 2, insert.Insert = true;
    PasteSpecial(*d, {SelArea::Threading, 2, 2, 1, 8}, {SelArea::Threading, 5, 1}, threading(5, 6),
                 insert);
    EXPECT_EQ(Head(d->Threading, 1, 7), (V{1, 2, 1, 2, 3, 3, 2}));

    // The liftplan: a block moved two picks down and one column right
    // repeats diagonally to the last pick, wrapping around the shafts.
    d->TreadleMode = false, d->Shafts = d->Treadles = 4, d->Picks = 9;
    ClearLiftplanFrom(*d, 1);
    d->Liftplan[1] = 0b0011;
    PasteOptions fill;
    fill.FillRemaining = true;
    const ClipContent block = CopyBlock(*d, {SelArea::Liftplan, 1, 2, 1, 2});
    PasteSpecial(*d, {SelArea::Liftplan, 2, 2, 3, 3}, {SelArea::Liftplan, 1, 1}, block, fill);
    EXPECT_EQ(V(d->Liftplan.begin() + 1, d->Liftplan.begin() + 11),
              (V{0b0011, 0, 0b0110, 0, 0b1100, 0, 0b1001, 0, 0b0011, 0}));
    // Above the source: one copy, nothing written above pick 1.
    PasteSpecial(*d, {SelArea::Liftplan, 1, 1, 1, 1}, {SelArea::Liftplan, 1, 5}, block, fill);
    EXPECT_EQ(std::tuple(d->Liftplan[0], d->Liftplan[1], d->Liftplan[3]),
              std::tuple(0, 0b0011, 0b0110));

    // The design grid: copies turn, flip and invert; none beyond 50.
    d->DesignMode = true, d->Ends = d->Picks = 60;
    DesignPut(*d, 1, 1, true);
    PasteOptions turn;
    turn.FillRemaining = turn.Rotate = turn.Negative = true;
    PasteSpecial(*d, {SelArea::Design, 49, 49, 1, 1}, {SelArea::Design, 1, 1},
                 CopyBlock(*d, {SelArea::Design, 1, 2, 1, 2}), turn);
    EXPECT_EQ(std::tuple(DesignGet(*d, 1, 49), DesignGet(*d, 2, 49), DesignGet(*d, 1, 50)),
              std::tuple(true, false, true)); // copy 1: turned once, inverted
    EXPECT_FALSE(DesignGet(*d, 1, 51));
}

// The selection as the mouse makes it, and its frame on the screen.
TEST(Selection, PressDragFrameAndSize) {
    test::ViewFixture f;
    f.Twill(40, 40);
    f.Layout(600, 500);
    f.Window.ScrollEnds = 3;
    Selection s;
    const StrokeTarget t{*f.Draft, f.Window, f.Geometry};
    const auto at = [&](const ViewAreaLayout& a, int c, int r) { return f.Center(a, c, r); };
    auto p = at(f.Geometry.Threading, 2, 3);
    ASSERT_TRUE(SelectionPress(s, t, p.X, p.Y));
    p = at(f.Geometry.Drawdown, 9, 1); // another area: no change
    EXPECT_FALSE(SelectionDrag(s, t, p.X, p.Y));
    p = at(f.Geometry.Threading, 6, 1);
    EXPECT_TRUE(SelectionDrag(s, t, p.X, p.Y));
    const CellBlock b = SelectionBlock(*f.Draft, s);
    EXPECT_EQ(b, (CellBlock{SelArea::Threading, 5, 9, 1, 4})); // every shaft

    // Cut to the screen: ends 5..9 are visible columns 2..6.
    EXPECT_EQ(SelectionFrame(*f.Draft, f.Window, f.Geometry, s),
              (PixelBox{f.Geometry.Threading.Columns.CellPos(2), f.Geometry.Threading.Rows.Start,
                        5 * f.Geometry.Cell + 1, 4 * f.Geometry.Cell + 1}));
    f.Draft->Zoom = 6; // small cells: no frame in the grids, still on the colour rows
    EXPECT_TRUE(SelectionFrame(*f.Draft, f.Window, f.Geometry, s).Empty());
    p = at(f.Geometry.WeftColors, 1, 2);
    ASSERT_TRUE(SelectionPress(s, t, p.X, p.Y));
    EXPECT_FALSE(SelectionFrame(*f.Draft, f.Window, f.Geometry, s).Empty());
    f.Draft->DesignMode = true; // the area is gone with the mode
    p = at(f.Geometry.TieUp, 1, 1);
    ASSERT_TRUE(SelectionPress(s, t, p.X, p.Y));
    EXPECT_EQ(SelectionBlock(*f.Draft, s).Area, SelArea::None);
}

} // namespace
} // namespace hw
