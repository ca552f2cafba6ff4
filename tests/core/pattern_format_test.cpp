// Golden files built from the layout tables: what each version and pattern
// type puts into the document, and the edge cases of every field.
#include "files/pattern_file.h"
#include "model/primitives.h"
#include "pattern_golden.h"
#include "scripted_prompter.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using namespace test;

CompanionReader NoCompanions() {
    return [](const std::string&, std::vector<uint8_t>&) { return ReadStatus::NotFound; };
}

LoadResult Open(DraftState& d, const Bytes& bytes, ScriptedPrompter& p, LoadRequest request = {}) {
    return LoadPatternBytes(d, bytes, "/patterns/sample.hdw", request, p, NoCompanions());
}

// The sample with presentation values that differ from every start value.
BracedFile Sample() {
    BracedFile f = SampleBraced();
    f.Zoom = 12;
    f.Shed = 1;
    f.Compression = 0;
    f.WarpDensity = 30;
    f.WeftDensity = 20;
    f.PaletteDisplay = 2;
    f.Layout = 0x80 | 0x02 | 0x08 | 0x10;
    f.Units = 1;
    f.ViewZoom = 5;
    f.Flags = 0x02 | 0x04 | 0x08;
    f.EndsInterval = 3;
    f.PicksInterval = 9;
    return f;
}

TEST(PatternFormat, Version7SingleTreadlingSetsEveryField) {
    const Bytes bytes = Sample().Build();
    auto d = NewDraft();
    ScriptedPrompter p;
    const LoadResult r = Open(*d, bytes, p);
    ASSERT_TRUE(r.Ok) << p.LastText();
    EXPECT_TRUE(p.Shown.empty());
    EXPECT_TRUE(r.Opened);
    EXPECT_EQ(r.Version, 7);
    EXPECT_EQ(r.Type, 'e');

    EXPECT_EQ(d->Zoom, 12);
    EXPECT_EQ(d->Shafts, 4);
    EXPECT_EQ(d->Treadles, 6);
    EXPECT_EQ(GetLoomSystem(*d), LoomSystem::SingleTreadling);
    EXPECT_TRUE(d->Shed);
    EXPECT_TRUE(d->Compressed);
    EXPECT_EQ(d->EndsPerUnit, 30);
    EXPECT_EQ(d->PicksPerUnit, 20);
    EXPECT_EQ(d->PaletteDisplay, 2);
    EXPECT_FALSE(d->BottomStart);
    EXPECT_TRUE(d->RightStart);
    EXPECT_FALSE(d->CkoLeftStart);
    EXPECT_TRUE(d->Atopstart);
    EXPECT_TRUE(d->LayoutTopBot);
    EXPECT_EQ(d->Ends, 12);
    EXPECT_EQ(d->Picks, 10);
    EXPECT_EQ(d->EndsUsed, 12);
    EXPECT_EQ(d->PicksUsed, 10);
    EXPECT_FALSE(d->MetricUnits);
    EXPECT_EQ(d->ViewZoom, 5);
    EXPECT_TRUE(d->MarkingOn);
    EXPECT_TRUE(d->FullMarking);
    EXPECT_EQ(d->MarkEndsInterval, 4);
    EXPECT_EQ(d->MarkPicksInterval, 10);
    EXPECT_FALSE(d->DesignMode);

    EXPECT_EQ(d->Threading[9], 0);
    EXPECT_EQ(d->Threading[12], 2);
    EXPECT_EQ(d->Threading[13], 0);
    EXPECT_EQ(d->WarpColors[12], 200);
    // Beyond the file the colours take the sinking shed's defaults.
    EXPECT_EQ(d->WarpColors[13], 0);
    EXPECT_EQ(d->WeftColors[10], 255);
    EXPECT_EQ(d->WeftColors[11], 6);
    EXPECT_EQ(d->TieUpAt(1, 1), 1);
    EXPECT_EQ(d->TieUpAt(2, 1), 1);
    EXPECT_EQ(d->TieUpAt(3, 1), 0);
    EXPECT_EQ(d->TieUpAt(4, 5), 1);
    EXPECT_EQ(d->TieUpAt(1, 6), 1);
    EXPECT_EQ(d->Treadling[6], 6);
    EXPECT_EQ(d->Treadling[7], 0);

    EXPECT_EQ(d->TransUnitSize[0], 5); // ends come second in the file
    EXPECT_EQ(d->TransUnitSize[1], 3);
    EXPECT_TRUE(d->TransUnit1[0][0]);
    EXPECT_TRUE(d->TransUnit1[0][4]);
    EXPECT_FALSE(d->TransUnit1[0][1]);
    EXPECT_TRUE(d->TransUnit1[0][15]);
    EXPECT_TRUE(d->TransUnit1[15][15]);
    EXPECT_FALSE(d->TransUnit1[15][14]);
    EXPECT_TRUE(d->TransUnit2[1][1]);
    EXPECT_EQ(d->Palette[200], (PaletteEntry{200, 55, 100}));
    EXPECT_EQ(d->ColorTable[1], MakeColorRef(1, 254, 0));
    EXPECT_EQ(d->Notes, "Twill \xC3\xA4\xE2\x82\xAC"); // "ä€" from Windows-1252
    EXPECT_EQ(d->FileName, "/patterns/sample.hdw");
    EXPECT_FALSE(d->Changed);

    // The writer lays out the same document in exactly the same bytes.
    EXPECT_EQ(EncodePattern(*d, {}), bytes);
}

TEST(PatternFormat, Versions5And6ReadLikeVersion7) {
    auto expected = NewDraft();
    ScriptedPrompter p;
    ASSERT_TRUE(Open(*expected, Sample().Build(), p).Ok);
    for (uint8_t v : {5, 6}) {
        BracedFile f = Sample();
        f.Version = v;
        auto d = NewDraft();
        ASSERT_TRUE(Open(*d, f.Build(), p).Ok) << int(v);
        ExpectSameDocument(*d, *expected);
    }
}

TEST(PatternFormat, LiftplanAndMultipleTreadlingTypes) {
    // Type "d" with 10 shafts: rows are two bytes, bits above shaft 10 go.
    BracedFile d10 = Sample();
    d10.Type = 'd';
    d10.Shafts = d10.Treadles = 10;
    d10.TieUpColumns.clear();
    d10.Threading = {10, 9, 1};
    d10.LiftplanRows = {{0xFF, 0xFF}, {0x01, 0x02}, {0x00, 0x00}};
    for (uint8_t type : {'d', 'g'}) {
        d10.Type = type;
        auto d = NewDraft();
        ScriptedPrompter p;
        const LoadResult r = Open(*d, d10.Build(), p);
        ASSERT_TRUE(r.Ok) << p.LastText();
        EXPECT_EQ(r.Type, 'd');
        EXPECT_EQ(GetLoomSystem(*d), LoomSystem::Liftplan);
        EXPECT_EQ(d->Shafts, 10);
        EXPECT_EQ(d->Treadles, 10);
        EXPECT_EQ(d->Liftplan[1], 0x03FF);
        EXPECT_EQ(d->Liftplan[2], 0x0201);
        EXPECT_EQ(d->Liftplan[3], 0);
        EXPECT_EQ(d->Picks, 10);
        EXPECT_EQ(d->PicksUsed, 2);
    }

    // Type "f": tie-up columns, then rows of pressed treadles.
    BracedFile f = Sample();
    f.Type = 'f';
    f.LiftplanRows = {{0x21}, {0x3F}, {0xC1}};
    auto d = NewDraft();
    ScriptedPrompter p;
    ASSERT_TRUE(Open(*d, f.Build(), p).Ok) << p.LastText();
    EXPECT_EQ(GetLoomSystem(*d), LoomSystem::MultipleTreadling);
    EXPECT_EQ(d->Treadles, 6);
    EXPECT_EQ(d->TieUpAt(4, 4), 1);
    EXPECT_EQ(d->Liftplan[1], 0x21);
    EXPECT_EQ(d->Liftplan[3], 0x01); // treadles 7 and 8 do not exist
    EXPECT_EQ(EncodePattern(*d, {}).size(), f.Build().size() + 7 * 1);
}

TEST(PatternFormat, OldBracedVersionsUseSizeCodesAndMinimumCounts) {
    for (uint8_t v : {3, 4}) {
        BracedFile f = Sample();
        f.Version = v;
        f.Zoom = 19;        // stored less one
        f.WarpDensity = 5;  // a
        f.WeftDensity = 10; // b: ends = 12 * 10 / 5
        f.Threading.assign(120, 1);
        f.Ends = 30;
        auto d = NewDraft();
        ScriptedPrompter p;
        ASSERT_TRUE(Open(*d, f.Build(), p).Ok) << p.LastText();
        EXPECT_EQ(d->Zoom, 20);
        EXPECT_EQ(d->EndsPerUnit, 24);
        EXPECT_EQ(d->PicksPerUnit, 12);
        EXPECT_EQ(d->Ends, 500);
        EXPECT_EQ(d->Picks, 500);
        EXPECT_EQ(d->EndsUsed, 120);
        // Units and view zoom are read but not applied.
        EXPECT_TRUE(d->MetricUnits);
        EXPECT_EQ(d->ViewZoom, 2);

        f.Threading.assign(1200, 2);
        f.WarpDensity = 0; // a code of 0 counts as 1
        f.WeftDensity = 2;
        ASSERT_TRUE(Open(*d, f.Build(), p).Ok);
        EXPECT_EQ(d->Ends, 1200);
        EXPECT_EQ(d->EndsPerUnit, 24);
        EXPECT_EQ(d->PicksPerUnit, 12);
    }
}

TEST(PatternFormat, HeaderlessFilesOfEveryType) {
    HeaderlessFile h;
    h.Threading[0] = 1, h.Threading[599] = 4;
    h.WarpColors[0] = 3;
    h.WeftColors[599] = 9;
    h.TieUpColumns = {{0x80}, {0x40}, {0x20}, {0x10}}; // straight, first shaft in the high bit
    h.Treadling[0] = 2, h.Treadling[399] = 3;
    h.Unit1[0] = 0x81, h.Unit1[11] = 0x01;
    h.UnitPicks = 2, h.UnitEnds = 3;
    h.Palette[0] = 63, h.Palette[1] = 32, h.Palette[44] = 1;
    h.Notes = {'h', 'i', 0};
    h.Zoom = 30;
    h.WarpSize = 15, h.WeftSize = 20;

    auto d = NewDraft();
    d->Shafts = d->Treadles = 2;
    d->Palette[16] = {1, 2, 3};
    ScriptedPrompter p;
    LoadResult r = Open(*d, h.Build(), p);
    ASSERT_TRUE(r.Ok) << p.LastText();
    EXPECT_EQ(r.Version, 1);
    EXPECT_EQ(GetLoomSystem(*d), LoomSystem::SingleTreadling);
    EXPECT_EQ(d->Zoom, 20);
    EXPECT_EQ(d->Shafts, 4);
    EXPECT_EQ(d->Treadles, 4);
    EXPECT_EQ(d->Ends, 600);
    EXPECT_EQ(d->Picks, 400);
    EXPECT_EQ(d->EndsPerUnit, 24); // codes 5 and 10, metric
    EXPECT_EQ(d->PicksPerUnit, 12);
    EXPECT_EQ(d->Threading[600], 4);
    EXPECT_EQ(d->WarpColors[1], 3);
    EXPECT_EQ(d->WarpColors[601], 6);
    EXPECT_EQ(d->WeftColors[600], 9);
    EXPECT_EQ(d->TieUpAt(1, 1), 1);
    EXPECT_EQ(d->TieUpAt(4, 4), 1);
    EXPECT_EQ(d->TieUpAt(1, 4), 0);
    EXPECT_EQ(d->Treadling[400], 3);
    EXPECT_EQ(d->TransUnitSize[0], 3);
    EXPECT_EQ(d->TransUnitSize[1], 2);
    EXPECT_TRUE(d->TransUnit1[0][0]);
    EXPECT_TRUE(d->TransUnit1[0][7]);
    EXPECT_FALSE(d->TransUnit1[0][1]);
    EXPECT_TRUE(d->TransUnit1[11][7]);
    EXPECT_TRUE(d->TransUnit1[12][0]); // rows 13..16 and cells 9..16 stay
    EXPECT_EQ(d->Palette[0], (PaletteEntry{255, 129, 0}));
    EXPECT_EQ(d->Palette[14].Blue, 4);
    EXPECT_EQ(d->Palette[15], (PaletteEntry{255, 255, 255}));
    EXPECT_EQ(d->Palette[16], (PaletteEntry{1, 2, 3}));
    EXPECT_EQ(d->Notes, "hi");

    // Liftplan rows, most significant bit first; elements above the
    // treadle count are dropped.
    h.Type = 'd';
    h.Loom = 0;
    h.Shafts = h.Treadles = 10;
    h.TieUpColumns.clear();
    h.LiftplanRows.assign(400, {0x00, 0x00});
    h.LiftplanRows[0] = {0x80, 0x7F};
    h.LiftplanRows[399] = {0x01, 0xC0};
    for (uint8_t type : {'d', 'g', 'f'}) {
        h.Type = type;
        if (type == 'f') h.TieUpColumns.assign(10, {0x80, 0x00});
        d->Liftplan[450] = 0xFFFF; // an earlier pattern's row
        r = Open(*d, h.Build(), p);
        ASSERT_TRUE(r.Ok) << p.LastText();
        EXPECT_EQ(d->Liftplan[1], 0x0201);
        EXPECT_EQ(d->Liftplan[400], 0x0380);
        EXPECT_EQ(d->Liftplan[450], 0);
        EXPECT_EQ(d->Picks, 400);
        // The loom byte decides; a liftplan loom has no multiple treadling.
        EXPECT_EQ(GetLoomSystem(*d), LoomSystem::Liftplan);
    }
}

TEST(PatternFormat, HeaderlessCountsOnlyGrowAndSizeBytesBelow11AreCode1) {
    HeaderlessFile h;
    h.WarpSize = 4, h.WeftSize = 10;
    auto d = NewDraft(); // 8 shafts, 8 treadles
    ScriptedPrompter p;
    ASSERT_TRUE(Open(*d, h.Build(), p).Ok);
    EXPECT_EQ(d->Shafts, 8);
    EXPECT_EQ(d->Treadles, 8);
    EXPECT_EQ(d->EndsPerUnit, 25);
    EXPECT_EQ(d->PicksPerUnit, 25);

    d->MetricUnits = false;
    h.WarpSize = 20, h.WeftSize = 15; // a = 10 > b = 5
    ASSERT_TRUE(Open(*d, h.Build(), p).Ok);
    EXPECT_EQ(d->EndsPerUnit, 5);
    EXPECT_EQ(d->PicksPerUnit, 10);
}

TEST(PatternFormat, SectionCountsAreTakenAsTheyStand) {
    // A threading count of 0: Ends comes from the header alone.
    BracedFile f = Sample();
    f.Threading.clear();
    f.Ends = 40;
    auto d = NewDraft();
    d->Threading[5] = 3;
    ScriptedPrompter p;
    ASSERT_TRUE(Open(*d, f.Build(), p).Ok);
    EXPECT_EQ(d->Threading[5], 0);
    EXPECT_EQ(d->Ends, 40);
    EXPECT_EQ(d->EndsUsed, 0);

    // A threading longer than 9600: the rest is skipped and the sections
    // after it still line up.
    f.Threading.assign(9700, 1);
    f.Threading[9599] = 2;
    f.Threading[9600] = 3;
    f.Ends = 9600;
    ASSERT_TRUE(Open(*d, f.Build(), p).Ok);
    EXPECT_EQ(d->Threading[9600], 2);
    EXPECT_EQ(d->WarpColors[12], 200);
    EXPECT_EQ(d->Treadling[6], 6);
    EXPECT_EQ(d->Notes.substr(0, 5), "Twill");

    // More liftplan rows than 9600 are skipped the same way.
    BracedFile l = Sample();
    l.Type = 'd';
    l.TieUpColumns.clear();
    l.Shafts = l.Treadles = 4;
    l.LiftplanRows.assign(9610, {0x01});
    l.LiftplanRows[9599] = {0x0F};
    ASSERT_TRUE(Open(*d, l.Build(), p).Ok) << p.LastText();
    EXPECT_EQ(d->Liftplan[9600], 0x0F);
    EXPECT_EQ(d->Notes.substr(0, 5), "Twill");
}

TEST(PatternFormat, LayoutByteWithoutBit7LeavesTheLayout) {
    BracedFile f = Sample();
    f.Layout = 0x1F;
    auto d = NewDraft();
    d->BottomStart = false;
    d->RightStart = false;
    d->CkoLeftStart = false;
    d->Atopstart = true;
    d->LayoutTopBot = true;
    ScriptedPrompter p;
    ASSERT_TRUE(Open(*d, f.Build(), p).Ok);
    EXPECT_FALSE(d->BottomStart);
    EXPECT_FALSE(d->RightStart);
    EXPECT_FALSE(d->CkoLeftStart);
    EXPECT_TRUE(d->Atopstart);
    EXPECT_TRUE(d->LayoutTopBot);
    // Flags without bit 1 leave the marking lines, intervals of 0 too.
    f.Flags = 0x0C;
    f.EndsInterval = f.PicksInterval = 0;
    d->MarkingOn = false;
    d->MarkEndsInterval = 33;
    ASSERT_TRUE(Open(*d, f.Build(), p).Ok);
    EXPECT_FALSE(d->MarkingOn);
    EXPECT_EQ(d->MarkEndsInterval, 33);
}

TEST(PatternFormat, PaletteSizes) {
    BracedFile f = Sample();
    // N = 14: an old 64-level palette of 15 colours.
    f.PaletteLast = 14;
    f.Palette.assign(45, 0);
    f.Palette[0] = 63, f.Palette[1] = 32, f.Palette[2] = 1;
    f.Palette[42] = 255; // out of range in an old palette: never above 255
    auto d = NewDraft();
    d->Palette[16] = {7, 7, 7};
    ScriptedPrompter p;
    ASSERT_TRUE(Open(*d, f.Build(), p).Ok);
    EXPECT_EQ(d->Palette[0], (PaletteEntry{255, 129, 4}));
    EXPECT_EQ(d->Palette[14].Red, 255);
    EXPECT_EQ(d->Palette[15], (PaletteEntry{255, 255, 255}));
    EXPECT_EQ(d->Palette[16], (PaletteEntry{7, 7, 7}));
    EXPECT_EQ(d->ColorTable[0], MakeColorRef(255, 129, 4));

    // N = 0: one entry, stored like any other.
    f.PaletteLast = 0;
    f.Palette = {10, 20, 30};
    d->Palette[1] = {9, 9, 9};
    ASSERT_TRUE(Open(*d, f.Build(), p).Ok);
    EXPECT_EQ(d->Palette[0], (PaletteEntry{10, 20, 30}));
    EXPECT_EQ(d->Palette[1], (PaletteEntry{9, 9, 9}));
    EXPECT_EQ(d->Notes.substr(0, 5), "Twill");
}

TEST(PatternFormat, NotesAreCutAt3000Characters) {
    BracedFile f = Sample();
    f.Notes.assign(3500, 'a');
    f.Notes.push_back(0);
    auto d = NewDraft();
    ScriptedPrompter p;
    ASSERT_TRUE(Open(*d, f.Build(), p).Ok);
    EXPECT_EQ(d->Notes, std::string(3000, 'a'));

    // Without the 0 byte the reader still stops after 3000 characters.
    f.Notes.assign(3001, 'b');
    f.NotesCount = 3500;
    ASSERT_TRUE(Open(*d, f.Build(), p).Ok) << p.LastText();
    EXPECT_EQ(d->Notes, std::string(3000, 'b'));

    // A zero inside ends the text.
    f.Notes = {'a', 0, 'b', 0};
    f.NotesCount = -1;
    ASSERT_TRUE(Open(*d, f.Build(), p).Ok);
    EXPECT_EQ(d->Notes, "a");
}

TEST(PatternFormat, EveryValueIsBoundedBeforeUse) {
    struct Case {
        const char* Name;
        void (*Change)(BracedFile&);
        void (*Check)(const DraftState&);
    };
    const Case cases[] = {
        {"zoom 0", [](BracedFile& f) { f.Zoom = 0; },
         [](const DraftState& d) { EXPECT_EQ(d.Zoom, 1); }},
        {"zoom 200", [](BracedFile& f) { f.Zoom = 200; },
         [](const DraftState& d) { EXPECT_EQ(d.Zoom, 20); }},
        {"view zoom 0", [](BracedFile& f) { f.ViewZoom = 0; },
         [](const DraftState& d) { EXPECT_EQ(d.ViewZoom, 2); }},
        {"view zoom 99", [](BracedFile& f) { f.ViewZoom = 99; },
         [](const DraftState& d) { EXPECT_EQ(d.ViewZoom, 20); }},
        {"shafts 1",
         [](BracedFile& f) {
             f.Shafts = 1;
             f.Threading = {1, 1};
         },
         [](const DraftState& d) { EXPECT_EQ(d.Shafts, 2); }},
        {"treadles 0",
         [](BracedFile& f) {
             f.Treadles = 0;
             f.TieUpColumns.clear();
             f.Treadling = {0};
         },
         [](const DraftState& d) { EXPECT_EQ(d.Treadles, 2); }},
        {"ends 0",
         [](BracedFile& f) {
             f.Ends = 0;
             f.Threading.clear();
         },
         [](const DraftState& d) { EXPECT_EQ(d.Ends, 2); }},
        {"ends 20000", [](BracedFile& f) { f.Ends = 20000; },
         [](const DraftState& d) { EXPECT_EQ(d.Ends, 9600); }},
        {"picks 1",
         [](BracedFile& f) {
             f.Picks = 1;
             f.Treadling = {1};
         },
         [](const DraftState& d) { EXPECT_EQ(d.Picks, 2); }},
        {"density 0",
         [](BracedFile& f) {
             f.WarpDensity = 0;
             f.WeftDensity = 0;
         },
         [](const DraftState& d) {
             EXPECT_EQ(d.EndsPerUnit, 25);
             EXPECT_EQ(d.PicksPerUnit, 25);
         }},
        {"unit 1 by 1",
         [](BracedFile& f) {
             f.UnitEnds = 1;
             f.UnitPicks = 1;
         },
         [](const DraftState& d) {
             EXPECT_EQ(d.TransUnitSize, (std::array<int, 2>{1, 2}));
         }},
        {"unit 0 by 40",
         [](BracedFile& f) {
             f.UnitEnds = 0;
             f.UnitPicks = 40;
         },
         [](const DraftState& d) {
             EXPECT_EQ(d.TransUnitSize, (std::array<int, 2>{1, 16}));
         }},
        {"palette display 7", [](BracedFile& f) { f.PaletteDisplay = 7; },
         [](const DraftState& d) { EXPECT_EQ(d.PaletteDisplay, 1); }},
        {"threading above the shafts",
         [](BracedFile& f) {
             f.Threading = {7, 16, 255};
         },
         [](const DraftState& d) {
             EXPECT_EQ(d.Threading[1], 3);
             EXPECT_EQ(d.Threading[2], 4);
             EXPECT_EQ(d.Threading[3], 3);
         }},
        {"treadling above the treadles",
         [](BracedFile& f) {
             f.Treadling = {13, 12};
         },
         [](const DraftState& d) {
             EXPECT_EQ(d.Treadling[1], 1);
             EXPECT_EQ(d.Treadling[2], 6);
         }},
        {"used counts below the grids",
         [](BracedFile& f) {
             f.Ends = 3;
             f.Picks = 2;
         },
         [](const DraftState& d) {
             EXPECT_EQ(d.EndsUsed, 12);
             EXPECT_EQ(d.Ends, 12);
             EXPECT_EQ(d.PicksUsed, 10);
             EXPECT_EQ(d.Picks, 10);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        BracedFile f = Sample();
        c.Change(f);
        auto d = NewDraft();
        ScriptedPrompter p;
        ASSERT_TRUE(Open(*d, f.Build(), p).Ok) << p.LastText();
        c.Check(*d);
        ExpectModelInvariants(*d);
    }
}

TEST(PatternFormat, RefusedFilesChangeNothing) {
    struct Case {
        const char* Name;
        Bytes File;
        const char* Message;
    };
    auto braced = [](void (*change)(BracedFile&)) {
        BracedFile f = Sample();
        change(f);
        return f.Build();
    };
    HeaderlessFile wide;
    wide.Shafts = 17;
    const Case cases[] = {
        {"version 8", braced([](BracedFile& f) { f.Version = 8; }),
         "File Read Error: Incompatible file version"},
        {"type x", braced([](BracedFile& f) { f.Type = 'x'; }),
         "File Read Error: Incompatible file version"},
        {"headerless type", Bytes{'a', 1, 2, 3}, "File Read Error: Incompatible file version"},
        {"17 shafts", braced([](BracedFile& f) { f.Shafts = 17; }),
         "Too many shafts or treadles in file"},
        {"17 treadles", braced([](BracedFile& f) { f.Treadles = 17; }),
         "Too many shafts or treadles in file"},
        {"headerless 17 shafts", wide.Build(), "Too many shafts or treadles in file"},
        {"empty", Bytes{}, "Read beyond end of file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::mt19937 rng(7);
        auto d = RandomDraft(rng, LoomSystem::Liftplan, false);
        d->FileName = "/old/name.hdw";
        d->Changed = true;
        d->DesignMode = false;
        SaveUndo(*d);
        auto before = std::make_unique<DraftState>(*d);
        ScriptedPrompter p;
        const LoadResult r = Open(*d, c.File, p);
        EXPECT_FALSE(r.Ok);
        ASSERT_EQ(p.Shown.size(), 1u);
        EXPECT_EQ(p.Shown[0].Kind, "error");
        EXPECT_EQ(p.Shown[0].Text, c.Message);
        ExpectSameDocument(*d, *before);
    }
}

TEST(PatternFormat, DensityRuleAndOldPaletteLevels) {
    LoadRequest whole;
    BracedFile f = Sample();
    f.Version = 4;
    struct Case {
        uint8_t A, B;
        bool Metric;
        int Ends, Picks;
    };
    // 12 * 8 / 5 = 19.2 rounds down; 5 * 3 / 2 = 7.5 rounds to the even 8;
    // 12 * 255 stops at the largest density a byte holds.
    const Case cases[] = {{2, 7, true, 42, 12},
                          {8, 5, true, 12, 19},
                          {3, 2, false, 5, 8},
                          {9, 9, false, 10, 10},
                          {1, 255, true, 255, 12}};
    for (const Case& c : cases) {
        f.WarpDensity = c.A;
        f.WeftDensity = c.B;
        auto d = NewDraft();
        d->MetricUnits = c.Metric;
        ScriptedPrompter p;
        ASSERT_TRUE(Open(*d, f.Build(), p, whole).Ok);
        EXPECT_EQ(d->EndsPerUnit, c.Ends) << int(c.A) << "/" << int(c.B);
        EXPECT_EQ(d->PicksPerUnit, c.Picks) << int(c.A) << "/" << int(c.B);
    }
}

} // namespace
} // namespace hw
