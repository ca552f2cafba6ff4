// Save then load gives back every field the layout holds: the current
// version in full, the older ones within their limits.
#include "files/pattern_file.h"
#include "files/windows1252.h"
#include "model/primitives.h"
#include "pattern_golden.h"
#include "scripted_prompter.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hw {
namespace {

using namespace test;

int Pick(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

// Characters every Windows-1252 byte can carry, in UTF-8.
std::string RandomNotes(std::mt19937& rng, int maxChars) {
    static const char* const pool[] = {
        "a",        "Z",        "7",        " ",  "\r\n", "\xC3\xA4", "\xE2\x82\xAC",
        "\xC3\xBF", "\xC5\x93", "\xC2\x81", "\t", "\""};
    std::string s;
    const int n = Pick(rng, 0, maxChars);
    for (int i = 0; i < n;) {
        const std::string c = pool[Pick(rng, 0, 11)];
        const int len = c == "\r\n" ? 2 : 1;
        if (i + len > n) break;
        s += c;
        i += len;
    }
    return s;
}

// A draft with every stored value random but representable.
std::unique_ptr<DraftState> RandomDocument(std::mt19937& rng, LoomSystem system, bool design) {
    auto d = RandomDraft(rng, system, Pick(rng, 0, 1) == 1);
    if (Pick(rng, 0, 3) == 0) {
        d->Ends = uint16_t(Pick(rng, 2, MaxEnds));
        d->Picks = uint16_t(Pick(rng, 2, MaxPicks));
        for (int e = 1; e <= d->Ends; e += Pick(rng, 1, 50))
            d->Threading[e] = uint8_t(Pick(rng, 1, d->Shafts));
        UpdateUsed(*d);
    }
    d->Zoom = uint8_t(Pick(rng, 1, 20));
    d->ViewZoom = uint8_t(Pick(rng, 1, 20));
    d->LayoutTopBot = Pick(rng, 0, 1);
    d->BottomStart = Pick(rng, 0, 1);
    d->RightStart = Pick(rng, 0, 1);
    d->CkoLeftStart = Pick(rng, 0, 1);
    d->Atopstart = Pick(rng, 0, 1);
    d->Compressed = Pick(rng, 0, 1);
    d->EndsPerUnit = uint8_t(Pick(rng, 1, 255));
    d->PicksPerUnit = uint8_t(Pick(rng, 1, 255));
    d->MetricUnits = Pick(rng, 0, 1);
    d->MarkingOn = Pick(rng, 0, 1);
    d->FullMarking = Pick(rng, 0, 1);
    d->MarkEndsInterval = uint16_t(Pick(rng, 2, 256));
    d->MarkPicksInterval = uint16_t(Pick(rng, 2, 256));
    d->PaletteDisplay = Pick(rng, 1, 2);
    do d->TransUnitSize = {Pick(rng, 1, 16), Pick(rng, 1, 16)};
    while (d->TransUnitSize[0] == 1 && d->TransUnitSize[1] == 1);
    for (auto* unit : {&d->TransUnit1, &d->TransUnit2})
        for (auto& row : *unit)
            for (bool& cell : row) cell = Pick(rng, 0, 1);
    for (PaletteEntry& e : d->Palette)
        e = {uint8_t(Pick(rng, 0, 255)), uint8_t(Pick(rng, 0, 255)), uint8_t(Pick(rng, 0, 255))};
    RebuildColorTable(*d);
    d->Notes = RandomNotes(rng, 3000);
    d->DesignMode = design;
    if (design) {
        for (int p = 1; p <= std::min<int>(d->Picks, DesignSize); ++p)
            for (int e = 1; e <= std::min<int>(d->Ends, DesignSize); ++e)
                DesignPut(*d, p, e, Pick(rng, 0, 1));
    }
    return d;
}

void ExpectSameGrids(const DraftState& a, const DraftState& b, int ends, int picks) {
    for (int e = 1; e <= ends; ++e) {
        ASSERT_EQ(a.Threading[e], b.Threading[e]) << "end " << e;
        ASSERT_EQ(a.WarpColors[e], b.WarpColors[e]) << "end " << e;
    }
    for (int p = 1; p <= picks; ++p) ASSERT_EQ(a.WeftColors[p], b.WeftColors[p]) << "pick " << p;
    if (a.TreadleMode) {
        for (int s = 1; s <= a.Shafts; ++s)
            for (int t = 1; t <= a.Treadles; ++t) ASSERT_EQ(a.TieUpAt(s, t), b.TieUpAt(s, t));
    }
    const LiftplanRow mask = LiftplanRow((1u << a.Treadles) - 1u);
    for (int p = 1; p <= picks; ++p) {
        if (a.TreadleMode && !a.MultipleTr)
            ASSERT_EQ(a.Treadling[p], b.Treadling[p]) << "pick " << p;
        else
            ASSERT_EQ(a.Liftplan[p] & mask, b.Liftplan[p] & mask) << "pick " << p;
    }
}

void ExpectSameLoomAndShed(const DraftState& a, const DraftState& b) {
    EXPECT_EQ(a.Shafts, b.Shafts);
    EXPECT_EQ(a.Treadles, b.Treadles);
    EXPECT_EQ(a.TreadleMode, b.TreadleMode);
    EXPECT_EQ(a.MultipleTr, b.MultipleTr);
    EXPECT_EQ(a.Shed, b.Shed);
    EXPECT_EQ(a.DesignMode, b.DesignMode);
    EXPECT_EQ(a.Zoom, b.Zoom);
    EXPECT_EQ(a.Compressed, b.Compressed);
}

void ExpectSameLayout(const DraftState& a, const DraftState& b) {
    EXPECT_EQ(a.LayoutTopBot, b.LayoutTopBot);
    EXPECT_EQ(a.BottomStart, b.BottomStart);
    EXPECT_EQ(a.RightStart, b.RightStart);
    EXPECT_EQ(a.CkoLeftStart, b.CkoLeftStart);
    EXPECT_EQ(a.Atopstart, b.Atopstart);
    EXPECT_EQ(a.MarkingOn, b.MarkingOn);
    EXPECT_EQ(a.FullMarking, b.FullMarking);
    EXPECT_EQ(a.MarkEndsInterval, b.MarkEndsInterval);
    EXPECT_EQ(a.MarkPicksInterval, b.MarkPicksInterval);
    EXPECT_EQ(a.PaletteDisplay, b.PaletteDisplay);
}

// Old layouts keep only the ratio of the densities.
void ExpectSameDensityRatio(const DraftState& a, const DraftState& b) {
    // The smaller density comes back as the base (12 per cm, 5 per inch),
    // the other one rounded to whole threads.
    const double base = b.MetricUnits ? 12 : 5;
    const double want = double(a.EndsPerUnit) / a.PicksPerUnit;
    const double got = double(b.EndsPerUnit) / b.PicksPerUnit;
    if (want * base > 255 || base / want > 255) return; // beyond what a density byte holds
    EXPECT_NEAR(got, want, std::max(want, 1.0) * 0.55 / base)
        << int(a.EndsPerUnit) << "/" << int(a.PicksPerUnit) << " came back as "
        << int(b.EndsPerUnit) << "/" << int(b.PicksPerUnit);
}

const LoomSystem Systems[] = {LoomSystem::SingleTreadling, LoomSystem::MultipleTreadling,
                              LoomSystem::Liftplan};

TEST(PatternRoundTrip, CurrentVersionGivesBackEveryStoredField) {
    std::mt19937 rng(2024);
    TempDir dir;
    for (int i = 0; i < 60; ++i) {
        const LoomSystem system = Systems[i % 3];
        const bool design = system != LoomSystem::MultipleTreadling && i % 4 == 0;
        SCOPED_TRACE(i);
        auto a = RandomDocument(rng, system, design);
        const std::string path = dir.File("p" + std::to_string(i) + ".hdw");
        ScriptedPrompter p;
        ASSERT_TRUE(SavePattern(*a, path, {}, p)) << p.LastText();

        // Into a document of another loom system, so nothing is left over.
        auto b = RandomDocument(rng, Systems[(i + 1) % 3], false);
        ASSERT_TRUE(LoadPattern(*b, path, {}, p).Ok) << p.LastText();
        EXPECT_TRUE(p.Shown.empty()) << p.LastText();
        ExpectSameLoomAndShed(*a, *b);
        ExpectSameLayout(*a, *b);
        EXPECT_EQ(a->Ends, b->Ends);
        EXPECT_EQ(a->Picks, b->Picks);
        EXPECT_EQ(a->EndsUsed, b->EndsUsed);
        EXPECT_EQ(a->PicksUsed, b->PicksUsed);
        EXPECT_EQ(a->ViewZoom, b->ViewZoom);
        EXPECT_EQ(a->EndsPerUnit, b->EndsPerUnit);
        EXPECT_EQ(a->PicksPerUnit, b->PicksPerUnit);
        EXPECT_EQ(a->MetricUnits, b->MetricUnits);
        EXPECT_EQ(a->TransUnitSize, b->TransUnitSize);
        EXPECT_EQ(a->TransUnit1, b->TransUnit1);
        EXPECT_EQ(a->TransUnit2, b->TransUnit2);
        EXPECT_EQ(a->Palette, b->Palette);
        EXPECT_EQ(a->ColorTable, b->ColorTable);
        EXPECT_EQ(a->Notes, b->Notes);
        ExpectSameGrids(*a, *b, a->Ends, a->Picks);
        if (design) {
            EXPECT_EQ(a->DesignGrid, b->DesignGrid);
        }
        EXPECT_EQ(b->FileName, path);
        ExpectModelInvariants(*b);
        // A second save of the loaded document gives the same bytes.
        EXPECT_EQ(EncodePattern(*b, {}), ReadBytes(path));
    }
}

TEST(PatternRoundTrip, Versions4And3KeepAllButDensitiesAndTheView) {
    std::mt19937 rng(77);
    for (int i = 0; i < 30; ++i) {
        SCOPED_TRACE(i);
        const LoomSystem system = Systems[i % 3];
        auto a = RandomDocument(rng, system, false);
        const Bytes bytes = EncodeOldVersion(*a, i % 2 ? OldVersion::V4 : OldVersion::V3, {});
        EXPECT_EQ(bytes[1], i % 2 ? 4 : 3);
        auto b = NewDraft();
        b->MetricUnits = a->MetricUnits; // the density rule works in the reader's units
        ScriptedPrompter p;
        ASSERT_TRUE(LoadPatternBytes(*b, bytes, "/old.hdw", {}, p, DiskCompanionReader()).Ok)
            << p.LastText();
        ExpectSameLoomAndShed(*a, *b);
        ExpectSameLayout(*a, *b);
        ExpectSameDensityRatio(*a, *b);
        EXPECT_EQ(b->Ends, std::max<int>(a->Ends, 500));
        EXPECT_EQ(b->Picks, std::max<int>(a->Picks, 500));
        EXPECT_EQ(a->TransUnit1, b->TransUnit1);
        EXPECT_EQ(a->Palette, b->Palette);
        EXPECT_EQ(a->Notes, b->Notes);
        ExpectSameGrids(*a, *b, a->Ends, a->Picks);
        ExpectModelInvariants(*b);
    }
}

TEST(PatternRoundTrip, HeaderlessKeepsWhatFitsItsLimits) {
    std::mt19937 rng(5);
    for (int i = 0; i < 30; ++i) {
        SCOPED_TRACE(i);
        const LoomSystem system = Systems[i % 3];
        auto a = RandomDocument(rng, system, false);
        a->Ends = 700; // beyond the layout's 600 ends
        for (int e = 590; e <= 700; ++e) a->Threading[e] = 1;
        a->Notes = RandomNotes(rng, 400);
        const Bytes bytes = EncodeOldVersion(*a, OldVersion::V12, {});
        auto b = NewDraft();
        b->Shafts = b->Treadles = 2; // the counts of these files only grow
        b->MetricUnits = a->MetricUnits;
        ScriptedPrompter p;
        ASSERT_TRUE(LoadPatternBytes(*b, bytes, "/v1.hdw", {}, p, DiskCompanionReader()).Ok)
            << p.LastText();
        ExpectSameLoomAndShed(*a, *b);
        ExpectSameDensityRatio(*a, *b);
        EXPECT_EQ(b->Ends, 600);
        EXPECT_EQ(b->Picks, 400);
        ExpectSameGrids(*a, *b, 600, 400);
        EXPECT_EQ(b->Threading[601], 0);
        for (int row = 0; row < 12; ++row)
            for (int col = 0; col < 8; ++col)
                ASSERT_EQ(a->TransUnit2[row][col], b->TransUnit2[row][col]);
        EXPECT_EQ(a->TransUnitSize, b->TransUnitSize);
        for (int c = 0; c < 15; ++c) {
            EXPECT_NEAR(a->Palette[c].Red, b->Palette[c].Red, 5);
            EXPECT_NEAR(a->Palette[c].Blue, b->Palette[c].Blue, 5);
        }
        EXPECT_EQ(b->Palette[15], (PaletteEntry{255, 255, 255}));
        const std::vector<uint8_t> cut = EncodeWindows1252(a->Notes, 255);
        EXPECT_EQ(b->Notes, DecodeWindows1252(cut));
        ExpectModelInvariants(*b);
    }
}

TEST(PatternRoundTrip, OldLayoutsDoNotChangeTheDocument) {
    std::mt19937 rng(3);
    auto d = RandomDocument(rng, LoomSystem::SingleTreadling, false);
    d->FileName = "/work/draft.hdw";
    d->Changed = true;
    TempDir dir;
    ScriptedPrompter p;
    for (OldVersion v : {OldVersion::V4, OldVersion::V3, OldVersion::V12}) {
        ASSERT_TRUE(SaveOldVersion(*d, dir.File("old.hdw"), v, {}, p));
        EXPECT_EQ(ReadBytes(dir.File("old.hdw")), EncodeOldVersion(*d, v, {}));
        EXPECT_EQ(d->FileName, "/work/draft.hdw");
        EXPECT_TRUE(d->Changed);
    }
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
