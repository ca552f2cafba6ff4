#include "export/draft_png.h"
#include "print/graphic_print.h"
#include "print/numeric_print.h"
#include "print/pdf_page.h"
#include "print/print_text.h"
#include "text/lang.h"
#include "view/draft_image.h"
#include "view_fixture.h"

#include <gtest/gtest.h>

#include <random>

namespace hw {
namespace {

using test::NewDraft;

// A page whose drawing lands in a raster (the picture's corner at its
// origin) and whose text is recorded.
struct RasterPage : PageCanvas {
    RasterCanvas Raster;
    PageMetrics M;
    std::vector<std::string> Texts;
    RasterPage(int width, int height, const PageMetrics& m) : Raster(width, height), M(m) {}
    PageMetrics Metrics() const override { return M; }
    int LineHeight(PrintFont f) const override { return f == PrintFont::Caption ? 40 : 44; }
    int TextWidth(PrintFont, const std::string& s) const override { return 20 * Utf8Length(s); }
    void DrawText(int, int, PrintFont, const std::string& s) override { Texts.push_back(s); }
    void FillRect(int x, int y, int w, int h, ColorRef c) override {
        Raster.FillRect(x, y, w, h, c);
    }
    void DrawLine(int x0, int y0, int x1, int y1, ColorRef c) override {
        Raster.DrawLine(x0, y0, x1, y1, c);
    }
    void SetPixel(int x, int y, ColorRef c) override { Raster.SetPixel(x, y, c); }
    void Blit(int x, int y, int w, int h, const uint32_t* p, int s) override {
        Raster.Blit(x, y, w, h, p, s);
    }
};

PageMetrics Page(int dpiX, int dpiY, int width, int height) {
    return {dpiX, dpiY, width, height, 0, 0, width, height};
}

const PageMargins NoMargins{0, 0, 0, 0};

std::unique_ptr<DraftState> Twill(int ends, int picks, int shafts = 4) {
    auto d = NewDraft();
    d->Shafts = d->Treadles = uint16_t(shafts);
    d->Style = 2, d->LayoutTopBot = d->RightStart = d->BottomStart = false;
    d->Atopstart = d->CkoLeftStart = true;
    for (int e = 1; e <= ends; ++e) d->Threading[e] = uint8_t((e - 1) % shafts + 1);
    for (int p = 1; p <= picks; ++p) d->Treadling[p] = uint8_t((p - 1) % shafts + 1);
    for (int t = 1; t <= shafts; ++t) d->TieUpAt(t, t) = 1;
    d->ColorTable[1] = MakeColorRef(200, 0, 0), d->ColorTable[2] = MakeColorRef(0, 0, 200);
    d->WarpColors.fill(1), d->WeftColors.fill(2);
    UpdateUsed(*d);
    return d;
}

TEST(GraphicPrint, LayoutCellsPensAndTheRoomForTheCaption) {
    struct Case {
        PageMetrics M;
        PageMargins Margins;
        int Columns, Rows, Cw, Ch, PenX, PenY;
    } cases[] = {
        // 8 shafts and treadles, 100 x 100: 111 x 111 cells, 2400 dots wide.
        {Page(600, 600, 2400, 9000), NoMargins, 111, 111, 21, 21, 2, 2},
        {Page(300, 300, 2400, 9000), NoMargins, 111, 111, 21, 21, 1, 1},
        // Twice the dots down: cells twice as high in dots, square on paper.
        {Page(600, 1200, 2400, 9000), NoMargins, 111, 111, 21, 43, 2, 4},
        // A tall draft is fitted to the height, less a caption line and a third.
        {Page(300, 300, 2400, 2053), NoMargins, 10, 100, 20, 20, 1, 1},
        // One-inch margins on a page of 8.5 x 11 inches at 100 dpi: 650 dots.
        {Page(100, 100, 850, 1100), {}, 65, 10, 10, 10, 1, 1},
        {Page(300, 300, 400, 9000), NoMargins, 300, 10, 1, 1, 1, 1},
    };
    for (const Case& c : cases) {
        const PrintLayout l = ComputePrintLayout(c.M, c.Margins, c.Columns, c.Rows, 40);
        EXPECT_EQ(l.CellWidth, c.Cw) << c.M.DpiY << " " << c.Columns;
        EXPECT_EQ(l.CellHeight, c.Ch) << c.M.DpiY << " " << c.Columns;
        EXPECT_EQ(l.PenX, c.PenX);
        EXPECT_EQ(l.PenY, c.PenY);
        EXPECT_EQ(l.Fits(), c.Cw >= 2 && c.Ch >= 2);
        EXPECT_LE(l.Height + 40 + 40 / 3, l.AreaHeight);
    }
    // Margins count from the physical page; the printer's own offset is taken off.
    PageMetrics m{600, 600, 5100, 6600, 100, 120, 4900, 6300};
    const PrintLayout l = ComputePrintLayout(m, {500, 1000, 500, 0}, 10, 10, 40);
    EXPECT_EQ(l.Left, 200);
    EXPECT_EQ(l.Top, 480);
    EXPECT_EQ(l.AreaWidth, 5100 - 300 - 100 - 200);
    EXPECT_EQ(l.AreaHeight, 6300 - 480); // no margin: the printable area ends first
}

// At one dot per screen pixel the print is the screen's picture, whatever
// the layout, style, loom and marking lines.
TEST(GraphicPrint, AtOneDotPerPixelThePrintIsTheDraftViewsPicture) {
    std::mt19937 rng(7);
    const LoomSystem systems[] = {LoomSystem::SingleTreadling, LoomSystem::MultipleTreadling,
                                  LoomSystem::Liftplan};
    for (int i = 0; i < 12; ++i) {
        auto d = test::RandomDraft(rng, systems[i % 3], i % 2);
        LoadDefaultPalette(*d);
        d->Style = 1 + i % 4;
        d->LayoutTopBot = i & 1, d->RightStart = i & 2, d->BottomStart = i & 4;
        d->Atopstart = i & 8, d->CkoLeftStart = i % 3 == 1;
        d->MarkingOn = i % 3 == 0, d->MarkEndsInterval = 5, d->MarkPicksInterval = 7;
        if (i == 3) d->Treadling[3] = 0; // a pick without a treadle
        const ViewSettings view{Black, Black, White, true, false};
        const DraftImage screen = RenderDraftImage(*d, {20, 0, 0, 0}, view);
        ASSERT_TRUE(screen.Picture);
        const int w = screen.Picture->Width(), h = screen.Picture->Height();
        // Cells of 21 dots, one-dot lines.
        const int columns = (w - 1) / 21, rows = (h - 1) / 21;
        RasterPage page(w, h, Page(300, 300, columns * 21 + 1, rows * 22 + 200));
        const PrintRange used{1, LastThreadedEnd(*d, d->Ends), 1, LastUsedPickView(*d, d->Picks)};
        const GraphicPrintJob job{used, true, "", "", NoMargins, view};
        ASSERT_TRUE(PrintDraftPage(page, *d, job)) << i;
        EXPECT_EQ(test::FirstDifference(page.Raster, *screen.Picture), "") << i;
    }
}

TEST(GraphicPrint, WideLinesScaledCellsAndFillsInsideTheLines) {
    auto d = Twill(8, 8);
    // 15 x 15 cells of 100 dots at 600 dpi: lines two dots wide.
    RasterPage page(1600, 1600, Page(600, 600, 1500, 6000));
    ASSERT_TRUE(PrintDraftPage(page, *d, {{1, 8, 1, 8}, true, "", "", NoMargins, {}}));
    // Threading rows 2..5; end 1 on shaft 1, end 2 not on shaft 1.
    const int y = 250;
    const struct {
        int X;
        ColorRef Color;
    } row[] = {{0, Black},   {1, Black},   {98, Black},  {99, Black},  {100, Black},
               {101, White}, {198, White}, {199, Black}, {200, Black}, {201, White}};
    for (const auto& p : row) EXPECT_EQ(page.Raster.PixelColor(p.X, y), p.Color) << p.X;
    // A drawdown cell: lines thick over the cells (style 2), the inside one colour.
    const int top = 700; // row 7 of the layout
    EXPECT_EQ(page.Raster.PixelColor(150, top - 1), Black);
    EXPECT_EQ(page.Raster.PixelColor(150, top), Black);
    EXPECT_EQ(page.Raster.PixelColor(150, top + 1), page.Raster.PixelColor(150, top + 97));
    EXPECT_NE(page.Raster.PixelColor(150, top + 1), Black);
}

TEST(GraphicPrint, CaptionNotesAndRanges) {
    auto d = Twill(100, 100, 8);
    d->Ends = d->Picks = 100;
    d->FileName = "/home/weaver/drafts/rose.hdw";
    SetLanguage(LangEnglish);
    struct Case {
        std::string Notes;
        PrintRange Range;
        bool PrintNotes;
        std::vector<std::string> Texts;
    } cases[] = {
        {"12345", {1, 100, 1, 100}, true, {"rose.hdw    Warp: 1-100    Weft: 1-100    today"}},
        {"123456", {1, 100, 1, 100}, false, {"rose.hdw    Warp: 1-100    Weft: 1-100    today"}},
        {"one\r\ntwo\tthree", {1, 100, 1, 100}, true, {"one", "two three"}},
        // No. of Ends 0: the treadling and weft colours alone; ranges clamped.
        {"", {5, 0, 90, 50}, true, {"rose.hdw    Weft: 90-100    today"}},
        {"", {9000, 500, 1, 5}, true, {"rose.hdw    Warp: 98-100    Weft: 1-5    today"}},
    };
    for (const Case& c : cases) {
        d->Notes = c.Notes;
        RasterPage page(10, 10, Page(300, 300, 2400, 3300));
        GraphicPrintJob job{c.Range, c.PrintNotes, PrintName(d->FileName), "today", NoMargins, {}};
        ASSERT_TRUE(PrintDraftPage(page, *d, job));
        EXPECT_EQ(page.Texts, c.Texts) << c.Notes;
    }
    // Notes wrap at the width and stop an inch above the bottom of the page.
    d->Notes = std::string(200, 'x') + " " + std::string(60, 'y') + "\nlast";
    RasterPage page(10, 10, Page(100, 100, 1000, 1190)); // room for two lines
    GraphicPrintJob job{{1, 10, 1, 10}, true, "", "", NoMargins, {}};
    ASSERT_TRUE(PrintDraftPage(page, *d, job));
    EXPECT_EQ(page.Texts, (std::vector<std::string>{std::string(50, 'x'), std::string(50, 'x')}));
    // Too small: nothing is printed.
    RasterPage small(10, 10, Page(300, 300, 30, 3300));
    const Status s = PrintDraftPage(small, *d, job);
    ASSERT_FALSE(s);
    EXPECT_EQ(s.Error->Key, "Too many ends/picks or too small printing area.");
    EXPECT_TRUE(small.Texts.empty());
    EXPECT_EQ(small.Raster.Dirty(), PixelBox{});
}

TEST(GraphicPrint, DialogStartValuesAndMargins) {
    auto d = Twill(30, 0);
    d->Ends = d->Picks = 400;
    EXPECT_EQ(InitialPrintRange(*d, 80, 60), (PrintRange{1, 30, 1, 30})); // no picks: the ends
    d->Treadling[20] = 1;
    EXPECT_EQ(InitialPrintRange(*d, 80, 60), (PrintRange{1, 30, 1, 20}));
    EXPECT_EQ(InitialPrintRange(*d, 20, 10), (PrintRange{1, 20, 1, 20}));
    // Page Setup: OK alone never moves a margin; a changed one converts.
    const struct {
        int Stored, Shown, Back, Entered, Result;
        bool Metric;
    } m[] = {{1000, 2500, 1000, 2000, 787, true},
             {984, 2500, 984, 2600, 1024, true},
             {1000, 1000, 1000, 750, 750, false}};
    for (const auto& c : m) {
        EXPECT_EQ(MarginShown(c.Stored, c.Metric), c.Shown);
        EXPECT_EQ(MarginStored(c.Shown, c.Metric, c.Stored), c.Back);
        EXPECT_EQ(MarginStored(c.Entered, c.Metric, c.Stored), c.Result);
    }
}

TEST(NumericPrint, ThreadingBlocksRulersColoursAndOrder) {
    SetLanguage(LangEnglish);
    auto d = Twill(120, 4);
    std::mt19937 rng(3);
    for (int e = 1; e <= 120; ++e) d->Threading[e] = uint8_t(rng() % 4 + 1); // no repeat
    for (int e = 1; e <= 5; ++e) d->Threading[e] = uint8_t("12342"[e - 1] - '0');
    d->WarpColors[1] = 12, d->WarpColors[2] = 3, d->WarpColors[3] = 250, d->WarpColors[4] = 100;
    EXPECT_EQ(ProposedLastEnd(*d, false), 120);
    const auto lines = ThreadingPrintLines(*d, 1, ProposedLastEnd(*d, false), false, "rose.hdw");
    ASSERT_EQ(std::count(lines.begin(), lines.end(), FormFeed), 1);
    EXPECT_EQ(lines[1], "  rose.hdw     4 Shafts     Ends 1-75");
    EXPECT_EQ(lines[16], "  rose.hdw     4 Shafts     Ends 76-120");
    EXPECT_EQ(lines[8].substr(0, 6), " C3?\xC2\x9B"); // code 155 is Latin-1
    EXPECT_EQ(lines[10].substr(0, 6), " 1----");      // shaft 1 first
    EXPECT_EQ(lines.back().size(), 46u);

    // Ends 1..100: hundreds, tens and units; no thousands line.
    const auto r = ThreadingPrintLines(*d, 1, 100, true, "x");
    EXPECT_EQ(r[4], " " + std::string(99, ' ') + "1");
    EXPECT_EQ(r[5].substr(0, 21), "          1         2");
    EXPECT_EQ(r[5].back(), '0');
    EXPECT_EQ(r[6].substr(0, 12), " 12345678901");
    // Shaft 1 at the bottom prints shaft 4 first; ends from the right run
    // right to left; a thousands line from end 1000 on.
    d->Atopstart = false, d->RightStart = true, d->Ends = 1200;
    for (int e = 121; e <= 1010; ++e) d->Threading[e] = 1;
    const auto b = ThreadingPrintLines(*d, 1010, 991, true, "x");
    EXPECT_EQ(b[1], "  x     4 Shafts     Ends 991-1010");
    EXPECT_EQ(b[4], " 1         1         ");
    EXPECT_EQ(b[5], " 0         0         ");
    EXPECT_EQ(b[6], " 1         0         ");
    EXPECT_EQ(b[7], " 09876543210987654321");
    EXPECT_EQ(b[11], " --------------------");
    EXPECT_EQ(b[14], " 11111111111111111111");
    EXPECT_TRUE(ThreadingPrintLines(*NewDraft(), 1, 10, false, "x").empty());
}

TEST(NumericPrint, LiftplanLinesInScreenOrder) {
    SetLanguage(LangEnglish);
    auto d = Twill(8, 3, 8);
    d->WeftColors[2] = 12;
    auto lines = LiftplanPrintLines(*d, 3, -4, "rose.hdw");
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[1], "  rose.hdw");
    EXPECT_EQ(lines[2], "    8 Treadles    Picks 1-3");
    EXPECT_EQ(lines[6], "    2#   - 2 - - - - - -   C");
    // Liftplan mode, columns from the highest when the liftplan runs backwards.
    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Liftplan[1] = 0b10000001;
    d->LayoutTopBot = true, d->Atopstart = true; // threading below, shaft 1 on top: forwards
    EXPECT_EQ(LiftplanPrintLines(*d, 1, 1, "x")[5].substr(0, 24), "    1#   1 - - - - - - 8");
    d->Atopstart = false;
    EXPECT_EQ(LiftplanPrintLines(*d, 1, 1, "x")[2], "    8 Shafts    Picks 1-1");
    EXPECT_EQ(LiftplanPrintLines(*d, 1, 1, "x")[5].substr(0, 24), "    1#   8 - - - - - - 1");
    // Multiple treadling: the treadles pressed.
    SetLoomSystem(*d, LoomSystem::MultipleTreadling);
    d->Liftplan[1] = 0b110, d->CkoLeftStart = true;
    EXPECT_EQ(LiftplanPrintLines(*d, 1, 1, "x")[5].substr(0, 24), "    1#   - 2 3 - - - - -");
}

TEST(NumericPrint, WarpColourChartsByHand) {
    SetLanguage(LangEnglish);
    auto d = Twill(30, 1);
    const int colors[] = {3, 3, 7, 7, 7, 3, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 3, 3};
    for (int e = 1; e <= 30; ++e) d->WarpColors[e] = uint8_t(e <= 20 ? colors[e - 1] : 7);
    std::string one;
    for (const std::string& line : WarpColorPrintLines(*d, 1, 30, false, "rose.hdw"))
        one += line + "|";
    EXPECT_EQ(one,
              "|     rose.hdw|||     WarpColors/Yarns, Ends 1 - 30|     Note: Starting from end "
              "#1 at left side.||     Index||       3  2-1--2--|       7  -3----10|      12  "
              "---12---|");
    // A line longer than the block width starts the next chart.
    auto w = Twill(80, 1);
    for (int e = 1; e <= 80; ++e) w->WarpColors[e] = uint8_t(e % 2 ? 1 : 2);
    const auto many = WarpColorPrintLines(*w, 1, 80, false, "x");
    ASSERT_EQ(many.size(), 6u + 2 * 5);
    std::string alternating;
    for (int i = 0; i < 33; ++i) alternating += "1-";
    EXPECT_EQ(many[9], "       1  " + alternating);
    EXPECT_EQ(many[14], "       1  " + alternating.substr(0, 14));
}

TEST(NumericPrint, ProposalsRangesAndCharacters) {
    auto d = Twill(200, 100);
    EXPECT_EQ(ProposedLastEnd(*d, false), 4);
    EXPECT_EQ(ProposedLastPick(*d, true), 4);
    EXPECT_EQ(ProposedLastPick(*Twill(10, 40), true), 40); // one block: not searched
    EXPECT_EQ(ClampNumericRange(50, -3, 30), (NumericRange{1, 30}));
    EXPECT_EQ(ClampNumericRange(0, 0, 0), (NumericRange{1, 1}));
    const std::pair<int, std::string> chars[] = {{0, "0"},  {9, "9"},          {10, "A"}, {35, "Z"},
                                                 {71, "~"}, {200, "\xC3\xBF"}, {201, "?"}};
    for (const auto& [index, text] : chars) EXPECT_EQ(ColorChar(index), text) << index;
    EXPECT_EQ(ReportPrintLines("a\nb\n"),
              (std::vector<std::string>{"", "", "", std::string(16, ' ') + "a",
                                        std::string(16, ' ') + "b"}));
}

TEST(PdfPage, TheFileIsWholeAndItsTableFindsEveryObject) {
    PdfPage page(612, 792, 300);
    page.FillRect(10, 10, 100, 50, MakeColorRef(255, 0, 0));
    const uint32_t pixels[4] = {0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000};
    page.Blit(0, 0, 2, 2, pixels, 2);
    page.DrawText(0, 0, PrintFont::Caption, "(Rosé)");
    const std::vector<uint8_t> bytes = page.Bytes("Heddlewise - é");
    const std::string pdf(bytes.begin(), bytes.end());
    EXPECT_NE(pdf.find("/Title <FEFF00480065006400640"), std::string::npos);
    const size_t xref = std::stoul(pdf.substr(pdf.rfind("startxref") + 10));
    EXPECT_EQ(pdf.substr(xref, 4), "xref");
    for (int n = 1; n <= 8; ++n) {
        const size_t entry = xref + 9 + size_t(n) * 20;
        EXPECT_EQ(pdf.substr(std::stoul(pdf.substr(entry, 10)), 8), std::to_string(n) + " 0 obj\n");
    }
    EXPECT_EQ(PrintName("C:\\Patterns\\rose.hdw"), "rose.hdw");
}

} // namespace
} // namespace hw
