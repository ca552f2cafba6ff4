// The pictures and files the program hands to other programs: the fabric
// PNG, the draft picture painted in bands, the PNG writer's palettes, and
// WIF files parsed back.
#include "export/draft_png.h"
#include "export/fabric_png.h"
#include "export/wif_export.h"
#include "files/png_file.h"
#include "model/drawdown.h"
#include "pattern_golden.h"
#include "png_read.h"
#include "test_drafts.h"
#include "view/fabric.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

namespace hw {
namespace {

TEST(FabricPng, SizeFollowsTheDensitiesAndThePairsOfPicks) {
    const struct {
        int epu, ppu, ends, picks;
        bool compressed;
        int width, height;
    } cases[] = {{10, 20, 100, 50, false, 200, 50}, {20, 10, 100, 50, false, 100, 100},
                 {10, 10, 30, 51, true, 30, 50},    {10, 10, 30, 1, true, 30, 2},
                 {10, 15, 3, 4, false, 4, 4},       {10, 15, 5, 4, false, 8, 4},
                 {15, 10, 4, 5, true, 4, 6}}; // 2 pairs of 2 pixels, 6 after the stretch
    for (const auto& c : cases) {
        auto d = test::NewDraft();
        d->EndsPerUnit = uint8_t(c.epu), d->PicksPerUnit = uint8_t(c.ppu),
        d->Compressed = c.compressed;
        const FabricPngSize s = FabricPngSizeFor(*d, c.ends, c.picks);
        EXPECT_EQ(std::tuple(s.Width, s.Height), std::tuple(c.width, c.height))
            << c.epu << "/" << c.ppu << " " << c.ends << "x" << c.picks;
    }
}

// Every pixel is its crossing of the cloth: two columns per end at 10 ends
// and 20 picks per unit (two rows per pick the other way round), pick 1 at
// the bottom, end 1 on the threading's side, white where no thread shows.
TEST(FabricPng, PixelsAreTheClothStretchedByWholeThreads) {
    std::mt19937 rng(7);
    test::TempDir dir;
    for (int round = 0; round < 17; ++round) {
        auto d = test::RandomDraft(rng, LoomSystem(round % 3), round % 2 == 1);
        if (round == 16) { // more than 256 colours: RGB
            d->Ends = 300;
            for (int e = 1; e <= 300; ++e) d->Threading[e] = 1, d->WarpColors[e] = uint8_t(e);
            for (int i = 0; i < 256; ++i) SetPaletteEntry(*d, i, MakeColorRef(uint8_t(i), 1, 2));
            RebuildColorTable(*d);
        }
        d->RightStart = round % 4 < 2, d->Compressed = round % 8 < 4;
        const bool wide = round % 16 < 8;
        d->EndsPerUnit = wide ? 10 : 20, d->PicksPerUnit = wide ? 20 : 10;
        const ClothExtent ext = FabricExtent(*d);
        const int ends = std::max(1, ext.Ends - 3), picks = ext.Picks; // ends fewer than used
        const std::string path = dir.File("f.png");
        ASSERT_TRUE(ExportFabricPng(*d, path, ends, picks));
        const test::Picture pic = test::ReadPng(path);
        EXPECT_EQ(pic.Indexed, round < 16);
        const FabricPngSize size = FabricPngSizeFor(*d, ends, picks);
        ASSERT_EQ(std::tuple(pic.Width, pic.Height), std::tuple(size.Width, size.Height));
        Cloth cloth(*d, ends);
        std::vector<ClothCell> row(static_cast<size_t>(ends));
        const int rowHeight = (d->Compressed ? 2 : 1) * (wide ? 1 : 2);
        for (int y = 0; y < pic.Height; ++y) {
            const int r = (pic.Height - 1 - y) / rowHeight; // from the bottom
            cloth.Row(d->Compressed ? (picks == 1 ? 1 : 2 * r + 2) : r + 1, d->Compressed, 1, ends,
                      row.data());
            for (int x = 0; x < pic.Width; ++x) {
                const int k = wide ? x / 2 : x;
                const ClothCell& c = row[size_t(d->RightStart ? ends - 1 - k : k)];
                ASSERT_EQ(pic.At(x, y), c.Kind == ClothKind::Empty ? White : d->ColorTable[c.Color])
                    << x << "," << y << " round " << round;
            }
        }
    }
}

TEST(PngFile, PalettesPackTheirIndexesAndTooManyColoursGoRgb) {
    test::TempDir dir;
    for (const int colors : {2, 3, 12, 200, 300}) {
        PngPicture pic;
        pic.Width = 37, pic.Height = 5;
        std::vector<ColorRef> shown;
        for (int i = 0; i < colors; ++i)
            shown.push_back(MakeColorRef(uint8_t(i), uint8_t(i * 7), 9));
        if (colors <= 256) pic.Palette = shown;
        pic.PixelRow = [&](int y, uint32_t* out) {
            for (int x = 0; x < 37; ++x) out[x] = ToRgb32(shown[size_t((x * 5 + y * 37) % colors)]);
        };
        const std::string path = dir.File(std::to_string(colors) + ".png");
        ASSERT_TRUE(WritePng(path, pic));
        const test::Picture back = test::ReadPng(path);
        ASSERT_EQ(back.Width, 37);
        EXPECT_EQ(back.Indexed, colors <= 256);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 37; ++x)
                ASSERT_EQ(back.At(x, y), shown[size_t((x * 5 + y * 37) % colors)]) << colors;
    }
    // Wider than a million pixels (a fabric stretched from 1 to 255 per unit).
    PngPicture wide;
    wide.Width = 1020000, wide.Height = 2;
    wide.Palette = {White, Black};
    wide.IndexRow = [](int y, uint8_t* out) { std::fill_n(out, 1020000, uint8_t(y)); };
    ASSERT_TRUE(WritePng(dir.File("wide.png"), wide));
    const test::Bytes header = test::ReadBytes(dir.File("wide.png"));
    EXPECT_EQ(header[17] << 16 | header[18] << 8 | header[19], 1020000);
    // A pixel its palette lacks is refused, and nothing is left behind.
    PngPicture pic;
    pic.Width = pic.Height = 4;
    pic.Palette = {White};
    pic.PixelRow = [](int y, uint32_t* out) {
        std::fill_n(out, 4, y == 2 ? 0xFF000000u : 0xFFFFFFFFu);
    };
    EXPECT_FALSE(WritePng(dir.File("bad.png"), pic));
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.png")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path), {}), 6);
}

// Painted a few rows at a time, the picture is the one painted whole.
TEST(DraftPng, BandsMakeTheSamePictureAsAWholePaint) {
    std::mt19937 rng(9);
    test::TempDir dir;
    for (int round = 0; round < 8; ++round) {
        auto d = test::RandomDraft(rng, LoomSystem(round % 3), round % 2 == 1);
        d->Style = round % 4 + 1, d->LayoutTopBot = round % 3 == 0, d->MarkingOn = round % 2;
        d->BottomStart = round % 4 < 2, d->Treadling[3] = round == 4 ? 0 : d->Treadling[3];
        const DraftImageOptions o{round % 5 + 1, 0, 40, 30};
        const DraftImage whole = RenderDraftImage(*d, o);
        ASSERT_TRUE(whole.Picture);
        const std::string path = dir.File("d.png");
        ASSERT_TRUE(ExportDraftImage(*d, path, o, {}, 3 + round)); // bands cut through cells
        const test::Picture pic = test::ReadPng(path);
        EXPECT_TRUE(pic.Indexed) << round;
        ASSERT_EQ(std::tuple(pic.Width, pic.Height),
                  std::tuple(whole.Picture->Width(), whole.Picture->Height()));
        for (int y = 0; y < pic.Height; ++y)
            for (int x = 0; x < pic.Width; ++x)
                ASSERT_EQ(pic.At(x, y), whole.Picture->PixelColor(x, y))
                    << x << "," << y << " round " << round;
    }
}

// ---- WIF ----

struct Wif {
    std::map<std::string, std::map<std::string, std::string>> Sections;
    std::vector<std::string> Order;
    bool CrLf = true;

    explicit Wif(const std::string& text) {
        std::string section;
        size_t at = 0;
        while (at < text.size()) {
            size_t end = text.find('\n', at);
            if (end == std::string::npos) end = text.size();
            CrLf = CrLf && end > at && text[end - 1] == '\r' && end < text.size();
            const std::string line = text.substr(at, end - at - (text[end - 1] == '\r' ? 1 : 0));
            at = end + 1;
            if (line.size() > 2 && line.front() == '[') {
                section = line.substr(1, line.size() - 2);
                Order.push_back(section);
                Sections[section];
            } else if (const size_t eq = line.find('='); eq != std::string::npos) {
                Sections[section][line.substr(0, eq)] = line.substr(eq + 1);
            }
        }
    }
    int Number(const std::string& s, const std::string& key) const {
        const auto& m = Sections.at(s);
        const auto it = m.find(key);
        return it == m.end() ? 0 : std::stoi(it->second);
    }
    // A "1,3,4" value as bits.
    uint32_t Bits(const std::string& s, int key) const {
        uint32_t bits = 0;
        std::istringstream in(Sections.count(s) && Sections.at(s).count(std::to_string(key))
                                  ? Sections.at(s).at(std::to_string(key))
                                  : "");
        for (std::string n; std::getline(in, n, ',');) bits |= 1u << (std::stoi(n) - 1);
        return bits;
    }
};

// Written and parsed back, a file gives the draft's threading, colours and,
// through its tie-up and treadling as through its liftplan, the draft's own
// drawdown, for ends and picks 1..the chosen ones only.
TEST(WifFile, ParsedBackItWeavesTheSameCloth) {
    std::mt19937 rng(21);
    for (int round = 0; round < 24; ++round) {
        auto source = test::RandomDraft(rng, LoomSystem(round % 3), round % 2 == 1);
        const bool design = round % 6 == 3 || round % 6 == 4; // not in multiple treadling
        if (design) {
            source->DesignMode = true;
            for (int p = 1; p <= 50; ++p)
                for (int e = 1; e <= 50; ++e) DesignPut(*source, p, e, (e * p + round) % 3 == 0);
        }
        const auto d = DraftForWif(*source, true);
        for (int p = 1; p <= 50 && design; ++p) { // the design, woven
            for (int e = 1; e <= 50; ++e)
                ASSERT_EQ(WeftOnTop(*d, p, e), DesignGet(*source, p, e) == source->Shed);
        }
        WifOptions o;
        o.Both = round % 4 >= 2;
        o.Ends = std::max(1, d->EndsUsed - round % 3), o.Picks = std::max(1, d->PicksUsed - 1);
        o.Date = "May 1, 2024";
        source->Notes = round % 2 ? "line one\r\nline two" : "";
        d->Notes = source->Notes;
        const Wif wif(WifText(*d, o));
        ASSERT_TRUE(wif.CrLf);
        std::set<std::string> listed, written(wif.Order.begin() + 2, wif.Order.end());
        for (const auto& [key, value] : wif.Sections.at("CONTENTS")) {
            listed.insert(key);
            EXPECT_EQ(value, "true");
        }
        EXPECT_EQ(listed, written) << round;
        EXPECT_EQ(wif.Sections.at("WIF").at("Version"), "1.1");
        EXPECT_EQ(wif.Sections.at("WEAVING").at("Rising Shed"), d->Shed ? "false" : "true");
        EXPECT_EQ(wif.Number("WARP", "Threads"), o.Ends);
        EXPECT_EQ(wif.Number("WEFT", "Threads"), o.Picks);
        EXPECT_EQ(wif.Sections.count("NOTES"), size_t(round % 2));
        const LoomSystem loom = GetLoomSystem(*d);
        const bool treadles = loom != LoomSystem::Liftplan || o.Both;
        const bool liftplan = loom == LoomSystem::Liftplan || o.Both;
        ASSERT_EQ(wif.Sections.count("TREADLING"), size_t(treadles));
        ASSERT_EQ(wif.Sections.count("LIFTPLAN"), size_t(liftplan));
        for (int i = 0; i < PaletteSize; ++i) {
            const PaletteEntry& c = d->Palette[size_t(i)];
            EXPECT_EQ(wif.Sections.at("COLOR TABLE").at(std::to_string(i + 1)),
                      std::to_string(c.Red) + "," + std::to_string(c.Green) + "," +
                          std::to_string(c.Blue));
        }
        for (int e = 1; e <= o.Ends + 1; ++e) {
            const bool in = e <= o.Ends;
            ASSERT_EQ(wif.Number("THREADING", std::to_string(e)), in ? d->Threading[e] : 0);
            ASSERT_EQ(wif.Number("WARP COLORS", std::to_string(e)), in ? d->WarpColors[e] + 1 : 0);
        }
        for (int p = 1; p <= o.Picks + 1; ++p) {
            const bool in = p <= o.Picks;
            ASSERT_EQ(wif.Number("WEFT COLORS", std::to_string(p)), in ? d->WeftColors[p] + 1 : 0);
            if (treadles && loom == LoomSystem::SingleTreadling && in) {
                ASSERT_EQ(wif.Sections.at("TREADLING").at(std::to_string(p)),
                          std::to_string(d->Treadling[p])); // one treadle a pick
            }
            uint32_t viaTreadles = 0;
            for (int t = 1; t <= 16; ++t)
                if ((wif.Bits("TREADLING", p) >> (t - 1)) & 1u) viaTreadles |= wif.Bits("TIEUP", t);
            for (int e = 1; e <= o.Ends && in; ++e) {
                const int s = d->Threading[e];
                const bool woven = WeftOnTop(*d, p, e);
                const auto weft = [&](uint32_t marked) {
                    return s == 0 || (((marked >> (s - 1)) & 1u) == d->Shed);
                };
                if (treadles) {
                    ASSERT_EQ(weft(viaTreadles), woven) << "tie-up " << round;
                }
                if (liftplan) {
                    ASSERT_EQ(weft(wif.Bits("LIFTPLAN", p)), woven) << "liftplan " << round;
                }
            }
        }
    }
}

TEST(WifFile, DialogSizesAndAFailedWrite) {
    auto d = test::NewDraft();
    d->Ends = d->Picks = 100;
    for (int e = 1; e <= 40; ++e)
        d->Threading[e] = uint8_t((e - 1) % 4 + 1), d->WarpColors[e] = uint8_t(e % 6);
    for (int p = 1; p <= 30; ++p) d->Treadling[p] = uint8_t((p - 1) % 5 + 1);
    const WifSize full = WifFullSize(*d), repeat = WifRepeatSize(*d);
    EXPECT_EQ(std::tuple(full.Ends, full.Picks), std::tuple(40, 30));
    EXPECT_EQ(std::tuple(repeat.Ends, repeat.Picks), std::tuple(6, 5)); // the colours repeat later
    test::TempDir dir;
    EXPECT_EQ(test::ErrorKey(ExportWif(*d, dir.File("none/x.wif"), {})), "File Write Error");
    ASSERT_TRUE(ExportWif(*d, dir.File("x.wif"), {}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path), {}), 1);
}

} // namespace
} // namespace hw
