// The cloth views: thread sizes, what each crossing shows (compression and
// its float rules, the wrap at the cloth's last end), the views' pixels on a
// raster canvas, scrolling, and the fabric window.
#include "model/drawdown.h"
#include "test_drafts.h"
#include "view/fabric.h"
#include "view/raster_canvas.h"
#include "view_fixture.h"

#include <gtest/gtest.h>

#include <numeric>

namespace hw {
namespace {

// Design mode makes any interlacement: '.' weft on top, 'x' warp on top.
void Design(DraftState& d, std::initializer_list<const char*> picks) {
    d.DesignMode = true;
    int p = 0;
    for (const char* row : picks) {
        ++p;
        for (int e = 1; row[e - 1]; ++e) DesignPut(d, p, e, row[e - 1] == 'x');
    }
}

// 'p' the upper pick's weft, 'q' the lower one's, 'w' the warp.
std::string Shows(const std::vector<ClothCell>& cells, const DraftState& d) {
    std::string s;
    for (const ClothCell& c : cells)
        s += c.Kind == ClothKind::Warp ? 'w' : c.Color == d.WeftColors[2] ? 'p' : 'q';
    return s;
}

TEST(Cloth, CompressedPairsFollowTheFloatRulesAndWrapAtTheLastEnd) {
    const struct {
        const char *lower, *upper, *want, *why;
    } cases[] = {
        {"xxxx", ".x.x", "pwpw", "a lone upper weft shows where the lower does not float"},
        {"xxxx", "..xx", "ppww", "a floating upper weft"},
        {"...x", "x.xx", "qqqw", "a floating lower weft wins over a lone upper one"},
        {"..xx", ".xxx", "pqww", "end 1 never counts as a lower float"},
        {".xx.", "xxx.", "qwwq", "the last end's right neighbour is end 1 for the lower pick"},
        {"xx..", ".xx.", "pwqp", "end 1 and the last end neighbour each other for the upper pick"},
    };
    for (const auto& c : cases) {
        auto d = test::NewDraft();
        d->WeftColors[1] = 1, d->WeftColors[2] = 2;
        // Ends 5 and 6 differ from end 1: a cloth of four ends never reads them.
        std::string lower = c.lower, upper = c.upper;
        lower += lower[0] == '.' ? "xx" : "..", upper += upper[0] == '.' ? "xx" : "..";
        Design(*d, {lower.c_str(), upper.c_str()});
        Cloth cloth(*d, 4);
        std::vector<ClothCell> row(4), column(1);
        cloth.Row(2, true, 1, 4, row.data());
        EXPECT_EQ(Shows(row, *d), c.want) << c.why;
        std::string byColumns;
        for (int e = 1; e <= 4; ++e) {
            cloth.Column(e, true, 2, 2, 1, column.data());
            byColumns += Shows(column, *d);
        }
        EXPECT_EQ(byColumns, c.want) << c.why;
    }
}

// Rows and columns agree crossing for crossing, and without compression a
// crossing shows the weft exactly where WeftOnTop says.
TEST(Cloth, RowsColumnsAndTheDrawdownAgree) {
    std::mt19937 rng(11);
    for (int round = 0; round < 30; ++round) {
        auto d = test::RandomDraft(rng, LoomSystem(round % 3), round % 2);
        if (round % 5 == 4) Design(*d, {".x..x", "x.x..", "..x.x", "xx..."});
        const int ends = std::min<int>(d->Ends, 50), picks = std::min<int>(d->Picks, 50) & ~1;
        for (bool compressed : {false, true}) {
            Cloth cloth(*d, ends);
            const int step = compressed ? 2 : 1, rows = picks / step;
            std::vector<ClothCell> row(static_cast<size_t>(ends)),
                column(static_cast<size_t>(rows));
            std::vector<std::vector<ClothCell>> byRows;
            for (int r = 0; r < rows; ++r) {
                const int pick = compressed ? 2 * r + 2 : r + 1;
                cloth.Row(pick, compressed, 1, ends, row.data());
                byRows.push_back(row);
                for (int e = 1; e <= ends && !compressed && !d->DesignMode; ++e)
                    ASSERT_EQ(row[size_t(e - 1)].Kind == ClothKind::Weft, WeftOnTop(*d, pick, e));
            }
            for (int e = 1; e <= ends; ++e) {
                cloth.Column(e, compressed, step, step, rows, column.data());
                for (int r = 0; r < rows; ++r)
                    ASSERT_EQ(column[size_t(r)], byRows[size_t(r)][size_t(e - 1)])
                        << "end " << e << " row " << r << " round " << round;
            }
        }
    }
}

TEST(FabricView, ThreadSizesFollowTheDensities) {
    const struct {
        int epu, ppu, zoom;
        bool compressed;
        int width, height;
    } cases[] = {{10, 20, 4, false, 8, 4}, {20, 10, 4, false, 4, 8},
                 {10, 10, 5, false, 5, 5}, {10, 15, 3, false, 4, 3}, // 4.5 to even
                 {10, 14, 3, false, 4, 3}, {12, 10, 5, true, 5, 12}};
    for (const auto& c : cases) {
        auto d = test::NewDraft();
        d->EndsPerUnit = uint8_t(c.epu), d->PicksPerUnit = uint8_t(c.ppu),
        d->Compressed = c.compressed;
        const FabricLayout l = LayoutFabric(*d, FabricView::Flat, c.zoom, 0, 0, 800, 600);
        EXPECT_EQ(std::tuple(l.Thread.Width, l.Thread.Height), std::tuple(c.width, c.height));
        EXPECT_EQ(l.VisibleEnds, 800 / c.width);
        EXPECT_EQ(l.VisiblePicks, 600 / c.height * (c.compressed ? 2 : 1));
    }
    const std::pair<int, ThreadCounts> counts[] = {
        {10, {52, 23}}, {9, {61, 27}}, {1, {133, 59}}, {20, {32, 13}}};
    for (const auto& [zoom, want] : counts) {
        const ThreadCounts got = InterlacementCounts(zoom);
        EXPECT_EQ(std::tuple(got.Ends, got.Picks), std::tuple(want.Ends, want.Picks)) << zoom;
    }
}

// Pick 1 at the bottom of the area, end 1 on the threading's side; cells of
// 8 x 4 pixels at zoom 4 with 10 ends and 20 picks per unit.
TEST(FabricView, FlatCellsSitWhereTheThreadingAndPickOneAre) {
    for (const bool right : {false, true})
        for (const bool compressed : {false, true}) {
            test::ViewFixture f;
            DraftState& d = *f.Draft;
            f.Twill(6, 5);
            d.RightStart = right, d.Compressed = compressed;
            d.EndsPerUnit = 10, d.PicksPerUnit = 20;
            for (int p = 1; p <= 5; ++p) d.WeftColors[p] = uint8_t(6 + p);
            d.WarpColors[1] = 3;
            const FabricLayout l = LayoutFabric(d, FabricView::Flat, 4, 0, 10, 200, 100);
            RasterCanvas c(200, 110, 0x123456);
            std::mt19937 rng(1);
            FabricRenderer(c, d, l, 0, 0, White, rng).Paint(200, 110);
            Cloth cloth(d, 6);
            ClothCell cell;
            cloth.Row(compressed ? 2 : 1, compressed, 1, 1, &cell);
            const int h = compressed ? 8 : 4, x = right ? 192 : 0;
            for (const auto& [px, py] : {std::pair{x, 110 - h}, {x + 7, 109}})
                EXPECT_EQ(c.PixelColor(px, py), d.ColorTable[cell.Color]) << right << compressed;
            EXPECT_EQ(c.PixelColor(right ? 191 : 8, 109), [&] {
                ClothCell next;
                cloth.Row(compressed ? 2 : 1, compressed, 2, 1, &next);
                return d.ColorTable[next.Color];
            }());
            // Five picks: five rows, or two pairs with the odd last pick left out.
            const int top = 110 - (compressed ? 2 * 8 : 5 * 4);
            EXPECT_EQ(c.PixelColor(x, top - 1), White);
            EXPECT_NE(c.PixelColor(x, top), White);
            EXPECT_EQ(c.PixelColor(right ? 200 - 6 * 8 - 1 : 6 * 8, 109), White); // six ends
        }
}

TEST(FabricView, YarnShadesTheEdgesAcrossTheThread) {
    // 192 in every channel; 12 across the thread: edges of 1 + 1 and 1 + 2.
    // The outermost lines lose a quarter to a half (the top 1/6 to 1/3),
    // the middle at most 1/7.
    YarnRandom rng(5);
    const ColorRef c = 0xC0C0C0;
    uint32_t weft[12][10], warp[10][12];
    for (int round = 0; round < 20; ++round) {
        YarnCell(&weft[0][0], 10, YarnShades(c), true, 10, 12, rng);
        YarnCell(&warp[0][0], 12, YarnShades(c), false, 12, 10, rng);
        for (int i = 0; i < 12; ++i) // across
            for (int j = 0; j < 10; ++j)
                for (const uint32_t p : {weft[i][j], warp[j][i]}) {
                    const int v = int(p & 0xFF);
                    const bool ok = i == 11            ? v <= 144
                                    : i == 0           ? v >= 128 && v <= 160
                                    : i >= 2 && i <= 8 ? v >= 165
                                                       : true;
                    EXPECT_TRUE(ok) << i << "," << j << ": " << v;
                }
    }
}

TEST(FabricView, NearWhiteThreadsStayVisibleInTheInterlacementOnly) {
    EXPECT_EQ(VisibleOnBackground(0xFFFFFF, White), 0xE0E0E0u);
    EXPECT_EQ(VisibleOnBackground(MakeColorRef(225, 230, 240), White), MakeColorRef(197, 202, 210));
    EXPECT_EQ(VisibleOnBackground(MakeColorRef(224, 255, 255), White), MakeColorRef(224, 255, 255));
    EXPECT_EQ(VisibleOnBackground(0xFFFFFF, 0xFFFFFE), 0xFFFFFFu);
    // A white warp bar at zoom 10, where the picture is not stretched.
    test::ViewFixture f;
    f.Twill(4, 4);
    DraftState& d = *f.Draft;
    d.WarpColors[1] = 0, d.RightStart = false;
    for (const ColorRef bg : {White, ColorRef(0x00FF00)}) {
        const FabricLayout l = LayoutFabric(d, FabricView::Interlacement, 10, 0, 0, 749, 439);
        RasterCanvas c(749, 439);
        std::mt19937 rng(1);
        FabricRenderer(c, d, l, 0, 0, bg, rng).Paint(749, 439);
        EXPECT_EQ(c.PixelColor(5 + 9, 20), bg == White ? 0xE0E0E0u : 0xFFFFFFu);
        EXPECT_EQ(c.PixelColor(5 + 8, 20), bg);
        FabricRenderer(c, d, LayoutFabric(d, FabricView::Flat, 10, 0, 0, 749, 439), 0, 0, bg, rng)
            .Paint(749, 439);
        EXPECT_EQ(c.PixelColor(0, 438),
                  d.ColorTable[d.WeftColors[1]] == White ? White : c.PixelColor(0, 438));
    }
}

TEST(FabricView, DraperyFoldsStayInTheirBlock) {
    const uint8_t* front = DraperyFrontSteps;
    EXPECT_EQ(std::accumulate(front, front + 466, 0), 271);
    EXPECT_EQ(*std::max_element(front, front + 466), 6);
    for (int turn : {64, 195, 323, 422}) EXPECT_EQ(front[turn] + front[turn - 1], 0) << turn;
    test::ViewFixture f;
    f.Twill(400, 300);
    f.Draft->EndsPerUnit = f.Draft->PicksPerUnit = 10;
    std::fill_n(&f.Draft->WeftColors[1], 300, uint8_t(9));
    for (const bool right : {false, true}) {
        f.Draft->RightStart = right;
        const FabricLayout l = LayoutFabric(*f.Draft, FabricView::Drapery, 2, 0, 20, 1000, 700);
        RasterCanvas c(1000, 720);
        std::mt19937 rng(1);
        FabricRenderer(c, *f.Draft, l, 0, 0, White, rng).Paint(1000, 720);
        const int left = 1000 / 2 - 469 / 2;
        for (int y = 0; y < 720; ++y) {
            ASSERT_EQ(c.PixelColor(left - 1, y), White) << y;
            ASSERT_EQ(c.PixelColor(left + 466, y), White) << y;
        }
        for (int x = left; x < left + 466; x += 15) EXPECT_NE(c.PixelColor(x, 400), White) << x;
        EXPECT_EQ(c.PixelColor(500, 20 + 4), White); // above the highest fold
    }
}

TEST(FabricView, ScrollingStaysInsideTheCloth) {
    test::ViewFixture f;
    f.Twill(300, 101);
    DraftState& d = *f.Draft;
    d.RightStart = true, d.EndsPerUnit = d.PicksPerUnit = 10;
    FabricLayout l = LayoutFabric(d, FabricView::Flat, 2, 0, 0, 200, 100); // 100 x 50 threads
    int ends = 250, picks = 60;
    ClampFabricScroll(d, l, ends, picks);
    EXPECT_EQ(std::tuple(ends, picks), std::tuple(200, 51));
    EXPECT_EQ(FabricHorizontalBar(d, l, 0).Position, 200); // ends from the right: mirrored
    EXPECT_EQ(FabricVerticalBar(d, l, 0).Position, 51);    // pick 1 at the bottom
    EXPECT_EQ(FabricEndOffsetFromBar(d, l, 0), 200);
    EXPECT_EQ(FabricPickOffsetFromBar(d, l, 51), 0);
    d.Compressed = true;
    l = LayoutFabric(d, FabricView::Flat, 2, 0, 0, 200, 100);
    ClampFabricScroll(d, l, ends, picks);
    EXPECT_EQ(picks, 50); // 25 pairs of 4 pixels: at most 51, made even
    l = LayoutFabric(d, FabricView::Flat, 4, 0, 0, 200, 100); // 12 pairs
    picks = 99;
    ClampFabricScroll(d, l, ends, picks);
    EXPECT_EQ(picks, 76); // 101 - 24, made even
}

TEST(FabricWindow, EndRepaintsMatchAFullPaintAndClicksFindTheThread) {
    std::mt19937 rng(3);
    auto d = test::RandomDraft(rng, LoomSystem::SingleTreadling, false);
    d->Ends = d->Picks = 120;
    for (int e = 1; e <= 120; ++e) d->Threading[e] = uint8_t(e % 5 + 1);
    for (int p = 1; p <= 120; ++p) d->Treadling[p] = uint8_t(p % 2 + 1);
    for (const bool flip : {false, true}) {
        d->RightStart = d->BottomStart = flip;
        RasterCanvas c(100, 80);
        PaintFabricWindow(c, *d, 100, 80, 10, 5, White);
        d->Threading[30] = 0, d->Threading[31] = uint8_t(d->Threading[31] % 5 + 1);
        PaintFabricWindowEnds(c, *d, 100, 80, 10, 5, White, 30, 31);
        RasterCanvas fresh(100, 80);
        PaintFabricWindow(fresh, *d, 100, 80, 10, 5, White);
        EXPECT_EQ(test::FirstDifference(c, fresh), "");
        // The left edge shows the highest ends when they start at the right.
        const ClothPoint p = FabricWindowHit(*d, 100, 80, 10, 5, 0, 0);
        EXPECT_EQ(std::tuple(p.End, p.Pick), flip ? std::tuple(110, 85) : std::tuple(11, 6));
    }
}

} // namespace
} // namespace hw
