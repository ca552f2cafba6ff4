// Save then load gives back every field the layout holds: the current
// version in full, the older ones within their limits.
#include "files/pattern_file.h"
#include "files/windows1252.h"
#include "model/primitives.h"
#include "pattern_golden.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using namespace test;

// A draft with every stored value random but representable; the notes use
// characters every Windows-1252 byte can carry.
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
    d->MarkEndsInterval = uint16_t(pick(2, 256)), d->MarkPicksInterval = uint16_t(pick(2, 256));
    d->PaletteDisplay = pick(1, 2), d->TransUnitSize = {pick(2, 16), pick(1, 16)};
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

// Old layouts keep only the ratio of the densities: the smaller comes back
// as the base (12 per cm, 5 per inch), the other rounded to whole threads.
void ExpectSameDensityRatio(const DraftState& a, const DraftState& b) {
    const double base = b.MetricUnits ? 12 : 5;
    const double want = double(a.EndsPerUnit) / a.PicksPerUnit;
    if (want * base > 255 || base / want > 255) return; // beyond what a density byte holds
    EXPECT_NEAR(double(b.EndsPerUnit) / b.PicksPerUnit, want, std::max(want, 1.0) * 0.55 / base)
        << int(a.EndsPerUnit) << "/" << int(a.PicksPerUnit) << " came back as "
        << int(b.EndsPerUnit) << "/" << int(b.PicksPerUnit);
}

const LoomSystem Systems[] = {LoomSystem::SingleTreadling, LoomSystem::MultipleTreadling,
                              LoomSystem::Liftplan};

TEST(PatternRoundTrip, CurrentVersionGivesBackEveryStoredField) {
    std::mt19937 rng(2024);
    TempDir dir;
    for (int i = 0; i < 60; ++i) {
        SCOPED_TRACE(i);
        const bool design = Systems[i % 3] != LoomSystem::MultipleTreadling && i % 4 == 0;
        auto a = RandomDocument(rng, Systems[i % 3], design);
        const std::string path = dir.File("p" + std::to_string(i) + ".hdw");
        ASSERT_TRUE(SavePattern(*a, path, {}));
        // Into a document of another loom system, so nothing is left over:
        // whatever the reader did not store shows in a second save.
        auto b = RandomDocument(rng, Systems[(i + 1) % 3], false);
        const LoadResult r = LoadPattern(*b, path, {});
        ASSERT_TRUE(r.Ok && r.Warnings.empty()) << ErrorKey(r);
        EXPECT_EQ(EncodePattern(*b, {}), ReadBytes(path));
        EXPECT_EQ(b->DesignMode, design);
        if (design) EXPECT_EQ(a->DesignGrid, b->DesignGrid);
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
        auto a = RandomDocument(rng, Systems[i % 3], false, headerless ? 400 : 3000);
        if (headerless) {
            a->Ends = 700; // beyond the layout's 600 ends
            for (int e = 590; e <= 700; ++e) a->Threading[e] = 1;
        }
        const Bytes bytes = EncodeOldVersion(*a, version, {});
        auto b = NewDraft();
        b->Shafts = b->Treadles = 2;     // the counts of headerless files only grow
        b->MetricUnits = a->MetricUnits; // the density rule works in the reader's units
        ASSERT_TRUE(LoadPatternBytes(*b, bytes, "/old.hdw", {}, DiskCompanionReader()).Ok);
        ExpectModelInvariants(*b);
        ExpectSameDensityRatio(*a, *b);
        // What the layout cannot hold, checked here and then taken over, so
        // that everything else can be compared byte for byte.
        b->EndsPerUnit = a->EndsPerUnit, b->PicksPerUnit = a->PicksPerUnit;
        b->ViewZoom = a->ViewZoom;
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
