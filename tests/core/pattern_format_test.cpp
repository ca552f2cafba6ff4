// Golden files built from the layout tables: what each version and pattern
// type puts into the document, the bounds of every value read, the files
// that are refused; then save and load of random documents give back every
// field a layout holds.
#include "files/pattern_file.h"
#include "files/windows1252.h"
#include "model/primitives.h"
#include "pattern_golden.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

namespace hw {
namespace {

using namespace test;

LoadResult Open(DraftState& d, const Bytes& bytes, LoadRequest request = {}) {
    return LoadPatternBytes(d, bytes, "/patterns/sample.hdw", request,
                            [](const std::string&, Bytes&) { return ReadStatus::NotFound; });
}

// What a loaded document holds, as one line: the header in file order, grid cells, notes.
std::string Summary(const DraftState& d) {
    std::ostringstream s;
    s << "zoom " << int(d.Zoom) << ", " << d.Shafts << "x" << d.Treadles << " loom "
      << int(GetLoomSystem(d)) << ", shed " << d.Shed << ", compressed " << d.Compressed
      << ", density " << int(d.EndsPerUnit) << "/" << int(d.PicksPerUnit) << ", palette display "
      << d.PaletteDisplay << ", " << d.Ends << "x" << d.Picks << " used " << d.EndsUsed << "x"
      << d.PicksUsed << ", metric " << d.MetricUnits << ", view zoom " << int(d.ViewZoom)
      << ", layout " << d.BottomStart << d.RightStart << d.CkoLeftStart << d.Atopstart
      << d.LayoutTopBot << ", marking " << d.MarkingOn << d.FullMarking << " every "
      << d.MarkEndsInterval << "/" << d.MarkPicksInterval << ", unit " << d.TransUnitSize[0] << "x"
      << d.TransUnitSize[1] << "; threading";
    for (int e = 1; e <= 5; ++e) s << " " << int(d.Threading[e]);
    s << "; treadling " << int(d.Treadling[1]) << " " << int(d.Treadling[2]) << "; liftplan"
      << std::hex;
    for (int p = 1; p <= 3; ++p) s << " " << d.Liftplan[p];
    s << "; last " << int(d.Threading[9600]) << " " << d.Liftplan[9600] << "; palette";
    for (int i : {0, 14, 15})
        s << " " << int(d.Palette[i].Red) << "," << int(d.Palette[i].Green) << ","
          << int(d.Palette[i].Blue);
    s << std::dec << "; notes " << d.Notes.size() << " " << d.Notes.substr(0, 5);
    return s.str();
}

// The sample with presentation values that differ from every start value.
BracedFile Sample() {
    BracedFile f = SampleBraced();
    f.Zoom = 12, f.Shed = 1, f.Compression = 0, f.WarpDensity = 30, f.WeftDensity = 20;
    f.PaletteDisplay = 2, f.Layout = 0x80 | 0x02 | 0x08 | 0x10, f.Units = 1, f.ViewZoom = 5;
    f.Flags = 0x02 | 0x04 | 0x08, f.EndsInterval = 3, f.PicksInterval = 9;
    return f;
}

Bytes Braced(const std::function<void(BracedFile&)>& change) {
    BracedFile f = Sample();
    change(f);
    return f.Build();
}

TEST(PatternFormat, Version7SetsEveryField) {
    const Bytes bytes = Sample().Build();
    auto d = NewDraft();
    const LoadResult r = Open(*d, bytes);
    ASSERT_TRUE(r.Ok && r.Opened && r.Warnings.empty()) << ErrorKey(r);
    EXPECT_EQ(std::tuple(r.Version, r.Type), std::tuple(7, 'e'));
    EXPECT_EQ(Summary(*d),
              "zoom 12, 4x6 loom 1, shed 1, compressed 1, density 30/20, palette "
              "display 2, 12x10 used 12x10, metric 0, view zoom 5, layout 01011, "
              "marking 11 every 4/10, unit 5x3; threading 1 2 3 4 1; treadling 1 2; "
              "liftplan 0 0 0; last 0 0; palette 0,ff,0 e,f1,7 f,f0,7; notes 11 Twill");
    // Beyond the file the colours take the sinking shed's defaults.
    EXPECT_EQ(std::tuple(d->Threading[12], d->Threading[13], d->WarpColors[12], d->WarpColors[13],
                         d->WeftColors[10], d->WeftColors[11], d->Treadling[6], d->Treadling[7]),
              std::tuple(2, 0, 200, 0, 255, 6, 6, 0));
    EXPECT_EQ(std::tuple(d->TieUp[0][4], d->TieUp[0][5], d->TieUp[0][6], d->TieUp[3][2]),
              std::tuple(1, 1, 0, 1));
    EXPECT_TRUE(d->TransUnit1[0][0] && d->TransUnit1[0][4] && !d->TransUnit1[0][1] &&
                d->TransUnit1[0][15] && d->TransUnit1[15][15] && !d->TransUnit1[15][14] &&
                d->TransUnit2[1][1]);
    EXPECT_TRUE(d->Palette[200] == (PaletteEntry{200, 55, 100}) &&
                d->ColorTable[1] == MakeColorRef(1, 254, 0) &&
                d->FileName == "/patterns/sample.hdw");
    EXPECT_EQ(d->Notes, "Twill \xC3\xA4\xE2\x82\xAC"); // "ä€" from Windows-1252
    // The writer lays out the same document in exactly the same bytes.
    EXPECT_EQ(EncodePattern(*d, {}), bytes);
    for (uint8_t v : {5, 6}) { // the same layout
        auto same = NewDraft();
        ASSERT_TRUE(Open(*same, Braced([v](auto& f) { f.Version = v; })).Ok);
        ExpectSameDocument(*same, *d);
    }
}

// Every other layout and type, and the bounds of every value read.
TEST(PatternFormat, EveryLayoutAndTheBoundsOfEveryValue) {
    BracedFile old = Sample();
    old.Version = 4, old.Zoom = 19, old.Ends = 30; // zoom stored less one
    old.WarpDensity = 5, old.WeftDensity = 10;     // ends = 12 * 10 / 5
    old.Threading.assign(120, 1);
    HeaderlessFile h;
    h.Threading[0] = 1, h.Threading[599] = 4;
    h.TieUpColumns = {{0x80}, {0x40}, {0x20}, {0x10}}; // straight, first shaft in the high bit
    h.Treadling[0] = 2, h.Treadling[399] = 3;
    h.Unit1[0] = 0x81, h.UnitPicks = 2, h.UnitEnds = 3;
    h.Palette[0] = 63, h.Palette[1] = 32, h.Palette[44] = 1;
    h.Notes = {'h', 'i', 0};
    h.Zoom = 30, h.WarpSize = 15, h.WeftSize = 20; // codes 5 and 10
    HeaderlessFile lift = h;
    lift.Type = 'g', lift.Loom = 0, lift.Shafts = lift.Treadles = 10;
    lift.TieUpColumns.clear();
    lift.LiftplanRows.assign(400, {0x00, 0x00});
    lift.LiftplanRows[0] = {0x80, 0x7F}; // elements above 10 are dropped
    lift.LiftplanRows[1] = {0x01, 0xC0};
    HeaderlessFile multiple = lift;
    multiple.Type = 'f';
    multiple.TieUpColumns.assign(10, {0x80, 0x00});
    HeaderlessFile small;
    small.WarpSize = 4, small.WeftSize = 10; // both code 1
    BracedFile typeD = SampleLiftplan(0);
    typeD.LiftplanRows = {{0xFF, 0xFF}, {0x01, 0x02}, {0x00, 0x00}};
    BracedFile typeF = Sample();
    typeF.Type = 'f';
    typeF.LiftplanRows = {{0x21}, {0x3F}, {0xC1}}; // no treadles 7 and 8
    const std::pair<Bytes, std::vector<const char*>> cases[] = {
        {typeD.Build(), {"10x10 loom 0", "used 12x2", "liftplan 3ff 201 0"}},
        {typeF.Build(), {"4x6 loom 2", "liftplan 21 3f 1;"}},
        // Sizes from the counts, at least 500; units and view zoom not applied.
        {old.Build(), {"zoom 20,", "density 24/12", "500x500 used 120x10, metric 1, view zoom 2"}},
        {Braced([](auto& f) { f.Version = 3, f.Threading.assign(1200, 2); }), {"1200x500"}},
        // Headerless: counts only grow; palette display, view zoom, layout and
        // marking are not in the file.
        {h.Build(),
         {"zoom 20, 8x8 loom 1, shed 0, compressed 0, density 24/12, palette display 1, "
          "600x400 used 600x400, metric 1, view zoom 2, layout 11100, marking 00 every "
          "8/8, unit 3x2; threading 1 0 0 0 0; treadling 2 0;",
          "palette ff,81,0 0,0,4 ff,ff,ff; notes 2 hi"}},
        {lift.Build(), {"10x10 loom 0", "liftplan 201 380 0"}},
        {multiple.Build(), {"10x10 loom 0", "liftplan 201 380 0"}},
        {small.Build(), {"density 25/25"}},
        // Bounds.
        {Braced([](auto& f) { f.Zoom = 0; }), {"zoom 1,"}},
        {Braced([](auto& f) { f.Zoom = 200; }), {"zoom 20,"}},
        {Braced([](auto& f) { f.ViewZoom = 0; }), {"view zoom 2,"}},
        {Braced([](auto& f) { f.ViewZoom = 99; }), {"view zoom 20,"}},
        {Braced([](auto& f) { f.Shafts = 1, f.Threading.assign(2, 1); }), {"2x6"}},
        {Braced([](auto& f) { f.Treadles = 0, f.TieUpColumns = {}, f.Treadling = {0}; }), {"4x2"}},
        {Braced([](auto& f) { f.Ends = 0, f.Threading = {}; }), {"2x10 used 0x10"}},
        {Braced([](auto& f) { f.Ends = 20000; }), {"9600x10"}},
        {Braced([](auto& f) { f.Picks = 1, f.Treadling = {1}; }), {"12x2 used 12x1"}},
        {Braced([](auto& f) { f.Ends = 3, f.Picks = 2; }), {"12x10 used 12x10"}},
        {Braced([](auto& f) { f.WarpDensity = f.WeftDensity = 0; }), {"density 25/25"}},
        {Braced([](auto& f) { f.UnitEnds = f.UnitPicks = 1; }), {"unit 1x2"}},
        {Braced([](auto& f) { f.UnitEnds = 0, f.UnitPicks = 40; }), {"unit 1x16"}},
        {Braced([](auto& f) { f.PaletteDisplay = 7; }), {"palette display 1"}},
        {Braced(
             [](auto& f) { f.Threading.assign(3, 7), f.Threading[1] = 16, f.Threading[2] = 255; }),
         {"threading 3 4 3 0"}},
        {Braced([](auto& f) { f.Treadling.assign(2, 13), f.Treadling[1] = 12; }),
         {"treadling 1 6"}},
        // A layout byte without bit 7 and flags without bit 1 leave the start
        // values; in this program's own version an interval byte of 0 is an
        // interval of 1 (older versions left the start value).
        {Braced([](auto& f) {
             f.Layout = 0x1F, f.Flags = 0x0C, f.EndsInterval = f.PicksInterval = 0;
         }),
         {"layout 11100, marking 00 every 1/1"}},
        {Braced([](auto& f) { f.Notes.assign(3500, 'a'), f.Notes.push_back(0); }),
         {"notes 3000 aaaaa"}},
        {Braced([](auto& f) { f.Notes.assign(3001, 'b'), f.NotesCount = 3500; }),
         {"notes 3000 bbbbb"}},
        {Braced([](auto& f) { f.Notes.assign(4, 0), f.Notes[0] = 'a', f.Notes[2] = 'b'; }),
         {"notes 1 a"}},
        // Longer than 9600: the rest is skipped and what follows lines up.
        {Braced([](auto& f) { f.Threading.assign(9700, 1), f.Threading[9599] = 2; }),
         {"last 2 0", "notes 11 Twill"}},
        {Braced([](auto& f) { f = SampleLiftplan(9610), f.LiftplanRows[9599][0] = 0x0F; }),
         {"last 0 30f;", "notes 11 Twill"}},
        // N = 14: an old 64-level palette of 15 colours, never above 255.
        {Braced([](auto& f) {
             f.PaletteLast = 14, f.Palette.assign(45, 0);
             f.Palette[0] = 63, f.Palette[1] = 32, f.Palette[2] = 1, f.Palette[42] = 255;
         }),
         {"palette ff,81,4 ff,0,0 ff,ff,ff; notes 11 Twill"}},
        {Braced([](auto& f) {
             f.PaletteLast = 0, f.Palette = {10, 20, 30};
         }),
         {"palette a,14,1e ", "notes 11 Twill"}},
    };
    for (const auto& [file, expected] : cases) {
        auto d = NewDraft();
        d->Threading[5] = 3;
        const LoadResult r = Open(*d, file);
        ASSERT_TRUE(r.Ok) << ErrorKey(r) << " " << expected[0];
        const std::string summary = Summary(*d);
        for (const char* part : expected)
            EXPECT_NE(summary.find(part), std::string::npos) << part << "\n in " << summary;
        ExpectModelInvariants(*d);
    }
    // The density rule: 12 * 8 / 5 = 19.2 rounds down; 5 * 3 / 2 = 7.5 to the
    // even 8; 12 * 255 stops at the largest density a byte holds; a code of 0
    // counts as 1.
    const std::tuple<uint8_t, uint8_t, bool, int, int> densities[] = {
        {2, 7, true, 42, 12},  {8, 5, true, 12, 19},    {3, 2, false, 5, 8},
        {9, 9, false, 10, 10}, {1, 255, true, 255, 12}, {0, 2, true, 24, 12}};
    for (const auto& [a, b, metric, ends, picks] : densities) {
        old.WarpDensity = a, old.WeftDensity = b;
        auto d = NewDraft();
        d->MetricUnits = metric;
        ASSERT_TRUE(Open(*d, old.Build()).Ok);
        EXPECT_EQ(std::tuple(d->EndsPerUnit, d->PicksPerUnit), std::tuple(ends, picks))
            << int(a) << "/" << int(b);
    }
}

// Refused, cut or missing files leave the open document exactly as it was.
TEST(PatternFormat, RefusedFilesChangeNothing) {
    HeaderlessFile wide;
    wide.Shafts = 17;
    const std::pair<Bytes, std::string> refused[] = {
        {Braced([](auto& f) { f.Version = 8; }), "File Read Error: Incompatible file version"},
        {Braced([](auto& f) { f.Type = 'x'; }), "File Read Error: Incompatible file version"},
        {Bytes{'a', 1, 2, 3}, "File Read Error: Incompatible file version"},
        {Braced([](auto& f) { f.Shafts = 17; }), "Too many shafts or treadles in file"},
        {Braced([](auto& f) { f.Treadles = 17; }), "Too many shafts or treadles in file"},
        {wide.Build(), "Too many shafts or treadles in file"},
    };
    std::mt19937 rng(7);
    auto d = RandomDraft(rng, LoomSystem::MultipleTreadling, true);
    d->FileName = "/old/name.hdw";
    const auto before = std::make_unique<DraftState>(*d);
    for (const auto& [file, message] : refused) EXPECT_EQ(ErrorKey(Open(*d, file)), message);
    // Cut at every offset, in every layout.
    HeaderlessFile headerless;
    headerless.Notes = {'x', 'y', 0};
    for (const Bytes& file : {Sample().Build(), SampleLiftplan().Build(),
                              Braced([](auto& f) { f.Version = 4; }), headerless.Build()}) {
        for (size_t cut = 0; cut < file.size(); ++cut)
            ASSERT_EQ(ErrorKey(Open(*d, Bytes(file.begin(), file.begin() + long(cut)))),
                      "Read beyond end of file")
                << "cut at " << cut;
        EXPECT_TRUE(Open(*NewDraft(), file).Ok);
    }
    TempDir dir;
    EXPECT_EQ(LoadPattern(*d, dir.File("none.hdw"), {}).Error,
              (Message{"", "Cannot find %1", {dir.File("none.hdw")}}));
    EXPECT_EQ(ErrorKey(LoadPattern(*d, dir.Path.string(), {})), "File Read Error"); // a folder
    ExpectSameDocument(*d, *before);
}

// The fuzzer's seeds and kept crash inputs, replayed through its harness.
TEST(PatternFuzzRegression, EveryKeptInputLoadsWithinBounds) {
    const std::filesystem::path data = HW_TEST_DATA_DIR;
    int replayed = 0;
    for (const std::filesystem::path& dir : {data / "fuzz", data / ".." / ".." / "fuzz" / "seeds"})
        for (const auto& entry : std::filesystem::exists(dir)
                                     ? std::filesystem::directory_iterator(dir)
                                     : std::filesystem::directory_iterator())
            fuzz::RunOne(ReadBytes(entry.path().string())), ++replayed; // aborts on a broken bound
    EXPECT_GT(replayed, 20);
}

// A draft with every stored value random but representable.
std::unique_ptr<DraftState> RandomDocument(std::mt19937& rng, LoomSystem system, bool design,
                                           int maxNotes = 3000) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto d = RandomDraft(rng, system, pick(0, 1) == 1);
    if (pick(0, 3) == 0) {
        d->Ends = uint16_t(pick(2, MaxEnds)), d->Picks = uint16_t(pick(2, MaxPicks));
        for (int e = 1; e <= d->Ends; e += pick(1, 50))
            d->Threading[e] = uint8_t(pick(1, d->Shafts));
        UpdateUsed(*d);
    }
    d->Zoom = uint8_t(pick(1, 20)), d->ViewZoom = uint8_t(pick(1, 20));
    for (bool* flag :
         {&d->LayoutTopBot, &d->BottomStart, &d->RightStart, &d->CkoLeftStart, &d->Atopstart,
          &d->Compressed, &d->MetricUnits, &d->MarkingOn, &d->FullMarking})
        *flag = pick(0, 1);
    d->EndsPerUnit = uint8_t(pick(1, 255)), d->PicksPerUnit = uint8_t(pick(1, 255));
    d->MarkEndsInterval = uint16_t(pick(1, 256)), d->MarkPicksInterval = uint16_t(pick(1, 256));
    d->PaletteDisplay = pick(0, 2), d->TransUnitSize = {pick(2, 16), pick(1, 16)};
    for (auto* unit : {&d->TransUnit1, &d->TransUnit2})
        for (auto& row : *unit)
            for (bool& cell : row) cell = pick(0, 1);
    for (PaletteEntry& e : d->Palette)
        e = {uint8_t(pick(0, 255)), uint8_t(pick(0, 255)), uint8_t(pick(0, 255))};
    RebuildColorTable(*d);
    static const char* const chars[] = {
        "a", " ", "\r", "\n", "\xC3\xA4", "\xE2\x82\xAC", "\xC3\xBF", "\xC5\x93", "\xC2\x81", "\t"};
    d->Notes.clear();
    for (int n = pick(0, maxNotes); n > 0; --n) d->Notes += chars[pick(0, 9)];
    d->DesignMode = design;
    for (int p = 1; design && p <= std::min<int>(d->Picks, DesignSize); ++p)
        for (int e = 1; e <= std::min<int>(d->Ends, DesignSize); ++e)
            DesignPut(*d, p, e, pick(0, 1));
    return d;
}

TEST(PatternRoundTrip, CurrentVersionGivesBackEveryStoredField) {
    std::mt19937 rng(2024);
    TempDir dir;
    for (int i = 0; i < 60; ++i) {
        SCOPED_TRACE(i);
        const bool design = LoomSystem(i % 3) != LoomSystem::MultipleTreadling && i % 4 == 0;
        auto a = RandomDocument(rng, LoomSystem(i % 3), design);
        const std::string path = dir.File("p" + std::to_string(i) + ".hdw");
        ASSERT_TRUE(SavePattern(*a, path, {}));
        // Into a document of another loom system, so nothing is left over:
        // whatever the reader did not store shows in a second save.
        auto b = RandomDocument(rng, LoomSystem((i + 1) % 3), false);
        const LoadResult r = LoadPattern(*b, path, {});
        ASSERT_TRUE(r.Ok && r.Warnings.empty()) << ErrorKey(r);
        EXPECT_EQ(EncodePattern(*b, {}), ReadBytes(path));
        EXPECT_EQ(b->DesignMode, design);
        EXPECT_TRUE(!design || a->DesignGrid == b->DesignGrid);
        EXPECT_EQ(a->ColorTable, b->ColorTable);
        EXPECT_EQ(b->FileName, path);
        ExpectModelInvariants(*b);
    }
}

TEST(PatternRoundTrip, OlderVersionsKeepWhatFitsTheirLimits) {
    std::mt19937 rng(77);
    for (int i = 0; i < 60; ++i) {
        SCOPED_TRACE(i);
        const OldVersion version = OldVersion(i % 3);
        const bool headerless = version == OldVersion::V12;
        auto a = RandomDocument(rng, LoomSystem(i / 3 % 3), false, headerless ? 400 : 3000);
        if (headerless) {
            a->Ends = 700; // beyond the layout's 600 ends
            for (int e = 590; e <= 700; ++e) a->Threading[e] = 1;
        }
        const Bytes bytes = EncodeOldVersion(*a, version, {});
        auto b = NewDraft();
        b->Shafts = b->Treadles = 2;     // the counts of headerless files only grow
        b->MetricUnits = a->MetricUnits; // the density rule works in the reader's units
        ASSERT_TRUE(Open(*b, bytes).Ok);
        ExpectModelInvariants(*b);
        // Only the ratio of the densities survives: the smaller comes back as
        // the base (12 per cm, 5 per inch), the other rounded to whole threads.
        const double base = b->MetricUnits ? 12 : 5,
                     want = double(a->EndsPerUnit) / a->PicksPerUnit;
        const double got = double(b->EndsPerUnit) / b->PicksPerUnit; // beyond a byte: not kept
        EXPECT_TRUE(want * base > 255 || base / want > 255 ||
                    std::abs(got - want) <= std::max(want, 1.0) * 0.55 / base)
            << got << " for " << want;
        // What the layout cannot hold, checked here and then taken over, so
        // that everything else can be compared byte for byte.
        b->EndsPerUnit = a->EndsPerUnit, b->PicksPerUnit = a->PicksPerUnit;
        b->ViewZoom = a->ViewZoom;
        // Older versions read a palette display or interval byte of 0 as "not set".
        b->PaletteDisplay = a->PaletteDisplay;
        b->MarkEndsInterval = a->MarkEndsInterval, b->MarkPicksInterval = a->MarkPicksInterval;
        if (!headerless) {
            EXPECT_EQ(b->Ends, std::max<int>(a->Ends, 500));
            EXPECT_EQ(b->Picks, std::max<int>(a->Picks, 500));
            b->Ends = a->Ends, b->Picks = a->Picks;
            EXPECT_EQ(EncodePattern(*b, {}), EncodePattern(*a, {}));
            continue;
        }
        EXPECT_EQ(std::tuple(b->Ends, b->Picks, b->Threading[600], b->Threading[601]),
                  std::tuple(600, 400, 1, 0));
        for (int row = 0; row < 12; ++row)
            for (int col = 0; col < 8; ++col)
                ASSERT_EQ(a->TransUnit2[row][col], b->TransUnit2[row][col]);
        for (int c = 0; c < 15; ++c)
            EXPECT_TRUE(std::abs(a->Palette[c].Red - b->Palette[c].Red) <= 5 &&
                        std::abs(a->Palette[c].Blue - b->Palette[c].Blue) <= 5);
        EXPECT_EQ(b->Palette[15], (PaletteEntry{255, 255, 255}));
        EXPECT_EQ(b->Notes, DecodeWindows1252(EncodeWindows1252(a->Notes, 255)));
        for (auto* cut : {a.get(), b.get()}) {
            cut->Ends = 600, cut->Picks = 400;
            ClearThreadingFrom(*cut, 601);
            ClearTreadlingFrom(*cut, 401);
            ClearLiftplanFrom(*cut, 401);
            UpdateUsed(*cut);
        }
        b->Palette = a->Palette, b->TransUnit1 = a->TransUnit1, b->TransUnit2 = a->TransUnit2;
        b->Notes = a->Notes, b->PaletteDisplay = a->PaletteDisplay;
        b->LayoutTopBot = a->LayoutTopBot, b->BottomStart = a->BottomStart;
        b->RightStart = a->RightStart, b->CkoLeftStart = a->CkoLeftStart;
        b->Atopstart = a->Atopstart, b->MarkingOn = a->MarkingOn, b->FullMarking = a->FullMarking;
        b->MarkEndsInterval = a->MarkEndsInterval, b->MarkPicksInterval = a->MarkPicksInterval;
        EXPECT_EQ(EncodePattern(*b, {}), EncodePattern(*a, {}));
    }
    TempDir dir;
    EXPECT_EQ(ErrorKey(SaveOldVersion(*NewDraft(), dir.File("none/a.hdw"), OldVersion::V4, {})),
              "File Write Error");
}

TEST(Windows1252, EveryByteSurvivesAndForeignCharactersBecomeQuestionMarks) {
    std::vector<uint8_t> all;
    for (int b = 1; b < 256; ++b) all.push_back(uint8_t(b));
    EXPECT_EQ(EncodeWindows1252(DecodeWindows1252(all), 3000), all);
    EXPECT_EQ(DecodeWindows1252(std::vector<uint8_t>{0x80, 0xE4, 0x9F}),
              "\xE2\x82\xAC\xC3\xA4\xC5\xB8");
    auto enc = [](const std::string& s, size_t max = 3000) {
        const auto v = EncodeWindows1252(s, max);
        return std::string(v.begin(), v.end());
    };
    EXPECT_EQ(enc("\xE6\x97\xA5\xE6\x9C\xAC x"), "?? x"); // no byte for these
    EXPECT_EQ(enc(std::string("a\0b", 3)), "a?b");        // would end the text
    EXPECT_EQ(enc("\xC3"), "?");                          // cut sequence
    EXPECT_EQ(enc("\xC0\xAF"), "??");                     // overlong
    EXPECT_EQ(enc("\xED\xA0\x80"), "???");                // surrogate
    EXPECT_EQ(enc("\xF0\x9F\x98\x80!"), "?!");            // outside the code page
    EXPECT_EQ(enc("\xC5\x92\xE2\x84\xA2"), "\x8C\x99");   // Œ ™
    EXPECT_EQ(enc("abcdef", 4), "abcd");
}

} // namespace
} // namespace hw
