#include "model/drawdown.h"
#include "model/primitives.h"
#include "settings/new_pattern.h"
#include "settings/options.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

// The steps of Options and New Pattern OK; the helpers they call have their own tests.

namespace hw {
namespace {

std::vector<uint8_t> Cloth(const DraftState& d) {
    std::vector<uint8_t> cells;
    for (int p = 1; p <= d.Picks; ++p)
        for (int e = 1; e <= d.Ends; ++e) cells.push_back(WeftOnTop(d, p, e));
    return cells;
}

template <class Change> int RunOptionsOk(DraftState& d, Settings& s, Change change) {
    const OptionsBefore before = PrepareOptions(d);
    OptionsValues v = LoadOptions(d, s);
    change(v);
    int refits = 0;
    ApplyOptions(d, s, v, before, [&] { ++refits; });
    FinishOptions(d);
    return refits;
}

TEST(OptionsOk, ALoomSystemChangeKeepsTheClothAndTheUnits) {
    const LoomSystem systems[] = {LoomSystem::SingleTreadling, LoomSystem::MultipleTreadling,
                                  LoomSystem::Liftplan};
    std::mt19937 rng(99);
    for (LoomSystem from : systems)
        for (LoomSystem to : systems) {
            auto d = test::RandomDraft(rng, from, to == LoomSystem::Liftplan);
            d->MetricUnits = from == to;
            Settings s;
            const auto before = Cloth(*d);
            const int refits = RunOptionsOk(*d, s, [&](OptionsValues& v) {
                v.TreadleMode = to != LoomSystem::Liftplan;
                v.MultipleTr = to == LoomSystem::MultipleTreadling;
            });
            EXPECT_EQ(refits, 1);
            ASSERT_EQ(GetLoomSystem(*d), to);
            ASSERT_EQ(Cloth(*d), before) << int(from) << "->" << int(to);
            EXPECT_EQ(d->MetricUnits, from == to); // the densities were taken in its unit
            if (to == LoomSystem::Liftplan) {
                EXPECT_EQ(d->Treadles, d->Shafts);
            }
        }
}

TEST(OptionsOk, ShrinkingClearsWhatLiesBeyond) {
    for (LoomSystem system : {LoomSystem::SingleTreadling, LoomSystem::Liftplan}) {
        auto d = test::NewDraft();
        SetLoomSystem(*d, system);
        d->Picks = 100;
        for (int i = 1; i <= 400; ++i) {
            d->Threading[i] = d->Treadling[i] = 1;
            d->Liftplan[i] = 1;
            d->WarpColors[i] = d->WeftColors[i] = 33;
        }
        d->Threading[9600] = 3;
        DesignPut(*d, 45, 3, true);
        DesignPut(*d, 30, 3, true);
        Settings s;
        RunOptionsOk(*d, s, [](OptionsValues& v) {
            v.Ends = 300;
            v.Picks = 40;
        });
        EXPECT_EQ(d->Threading[300] + d->Threading[301] + d->Threading[9600], 1);
        EXPECT_EQ(d->WarpColors[300] + d->WarpColors[301], 33 + DefaultWarpColor(*d));
        EXPECT_EQ(d->Treadling[40] + d->Liftplan[40], 2);
        EXPECT_EQ(system == LoomSystem::Liftplan ? d->Liftplan[41] : d->Treadling[41], 0);
        EXPECT_EQ(d->WeftColors[41], DefaultWeftColor(*d));
        EXPECT_EQ(d->EndsUsed + d->PicksUsed, 340);
        EXPECT_TRUE(DesignGet(*d, 30, 3)); // the design is cut to the new picks
        EXPECT_FALSE(DesignGet(*d, 45, 3));
    }
    for (bool design : {false, true}) { // fewer ends cut it only in Design mode
        auto d = test::NewDraft();
        d->DesignMode = design;
        d->Ends = 50;
        DesignPut(*d, 2, 45, true);
        Settings s;
        RunOptionsOk(*d, s, [](OptionsValues& v) { v.Ends = 40; });
        EXPECT_EQ(DesignGet(*d, 2, 45), !design);
    }
}

TEST(OptionsOk, ValuesAreFoldedClampedAndBecomeDefaultsWhenAsked) {
    auto d = test::NewDraft();
    d->Shafts = 12;
    d->Treadles = 10;
    d->Threading[2] = 12;
    d->Treadling[1] = 10;
    Settings s;
    s.SaveSettings = false;
    RunOptionsOk(*d, s, [](OptionsValues& v) {
        v.Shafts = 6;
        v.Treadles = 4;
        v.ShowWarnings = false;
    });
    EXPECT_EQ(d->Threading[2], 6);
    EXPECT_EQ(d->Treadling[1], 2);
    EXPECT_TRUE(s.ExpertMode);       // preferences are applied with OK
    EXPECT_EQ(s.Snapshot.Shafts, 8); // the defaults only while saved on exit...
    RunOptionsOk(*d, s, [](OptionsValues& v) {
        v.Shafts = 40;
        v.Picks = 0;
        v.EndsPerUnit = 1000;
        v.SaveDefaults = true;
    });
    EXPECT_EQ(s.Snapshot.Shafts, 16); // ...or with "Save Settings"; values are clamped
    EXPECT_TRUE(s.Snapshot.EndsPerUnit == 255 && d->Picks == 2);
    // No multiple treadling in Design mode, even after Cancel; a liftplan ignores treadles.
    d->DesignMode = d->MultipleTr = true;
    FinishOptions(*d);
    RunOptionsOk(*d, s, [](OptionsValues& v) { v.MultipleTr = true; });
    EXPECT_FALSE(d->MultipleTr);
    RunOptionsOk(*d, s, [](OptionsValues& v) {
        v.TreadleMode = false;
        v.Treadles = 3;
    });
    EXPECT_EQ(d->Treadles, 16);
}

TEST(NewPattern, OkClearsTheDraftAndTakesTheDefaults) {
    std::mt19937 rng(5);
    auto d = test::RandomDraft(rng, LoomSystem::SingleTreadling, true);
    d->FileName = "/p/old.hdw";
    d->Compressed = true;
    d->Palette[3] = {1, 2, 3};
    ViewWindow view;
    view.ScrollEnds = 40;
    Settings s;
    s.Snapshot.EndsPerUnit = 30;
    s.Snapshot.RightStart = false;
    s.Snapshot.MarkingOn = true;
    EXPECT_FALSE(ApplyNewPattern(*d, view, s, {.Treadles = 10, .Shed = false}).PaletteReset);
    EXPECT_EQ(d->Threading[1] + d->EndsUsed + view.ScrollEnds, 0);
    EXPECT_TRUE(d->FileName.empty() && !d->Compressed && !d->RightStart && d->MarkingOn);
    EXPECT_EQ(d->Palette[3], (PaletteEntry{1, 2, 3}));
    EXPECT_EQ(d->EndsPerUnit, 30);
    EXPECT_TRUE(ApplyNewPattern(*d, view, s, {.UseDefaultPalette = true}).PaletteReset);
    EXPECT_EQ(d->Palette[3], (PaletteEntry{0x80, 0x80, 0x80}));
    s.Snapshot.TreadleMode = false; // a liftplan has as many treadles as shafts
    s.Snapshot.MultipleTr = true;
    ApplyNewPattern(*d, view, s, {.Shafts = 12, .Treadles = 4});
    EXPECT_FALSE(d->TreadleMode || d->MultipleTr);
    EXPECT_EQ(d->Treadles, 12);
    for (bool designDefault : {false, true}) { // Design mode stays only with its default
        d->DesignMode = true;
        DesignPut(*d, 1, 1, true);
        s.Snapshot.DesignMode = designDefault;
        ApplyNewPattern(*d, view, s, InitialNewPatternValues(s));
        EXPECT_EQ(d->DesignMode, designDefault);
        if (designDefault) {
            EXPECT_FALSE(DesignGet(*d, 1, 1)); // taken from the empty draft
        }
    }
}

} // namespace
} // namespace hw
