#include "model/drawdown.h"
#include "model/primitives.h"
#include "scripted_prompter.h"
#include "settings/new_pattern.h"
#include "settings/options.h"
#include "test_drafts.h"
#include "text/lang.h"

#include <gtest/gtest.h>

#include <vector>

namespace hw {
namespace {

using test::NewDraft;

std::vector<uint8_t> Cloth(const DraftState& d) {
    std::vector<uint8_t> cells;
    for (int p = 1; p <= d.Picks; ++p)
        for (int e = 1; e <= d.Ends; ++e) cells.push_back(WeftOnTop(d, p, e));
    return cells;
}

// Runs the dialog's OK as the main window does: prepare, load, change, apply, finish.
template <class Change>
OptionsResult RunOptionsOk(DraftState& d, Settings& s, Change change, int* refits = nullptr) {
    const OptionsBefore before = PrepareOptions(d);
    OptionsValues v = LoadOptions(d, s, 0xFFFFFF);
    change(v);
    const OptionsResult r = ApplyOptions(d, s, v, before, [&] {
        if (refits) ++*refits;
    });
    FinishOptions(d);
    return r;
}

TEST(OptionsOk, UnchangedValuesLeaveTheDraftAlone) {
    std::mt19937 rng(7);
    for (LoomSystem system :
         {LoomSystem::SingleTreadling, LoomSystem::MultipleTreadling, LoomSystem::Liftplan}) {
        auto d = test::RandomDraft(rng, system, true);
        Settings s;
        const auto cloth = Cloth(*d);
        const auto threading = d->Threading;
        const auto warp = d->WarpColors;
        int refits = 0;
        RunOptionsOk(
            *d, s, [](OptionsValues&) {}, &refits);
        EXPECT_EQ(Cloth(*d), cloth);
        EXPECT_EQ(d->Threading, threading);
        EXPECT_EQ(d->WarpColors, warp);
        EXPECT_EQ(GetLoomSystem(*d), system);
        EXPECT_EQ(refits, 1);
        EXPECT_TRUE(d->Changed); // OK always marks the document changed
        EXPECT_FALSE(d->MetricUnits);
    }
}

TEST(OptionsOk, ShrinkingEndsClearsThreadingAndResetsWarpColours) {
    auto d = NewDraft();
    d->Shed = true;
    d->Ends = 400;
    for (int e = 1; e <= 400; ++e) {
        d->Threading[e] = uint8_t(1 + e % 8);
        d->WarpColors[e] = 33;
    }
    d->Threading[9600] = 3; // far beyond: must go too
    d->WarpColors[9600] = 33;
    Settings s;
    RunOptionsOk(*d, s, [](OptionsValues& v) { v.Ends = 300; });
    EXPECT_EQ(d->Ends, 300);
    EXPECT_EQ(d->Threading[300], 1 + 300 % 8);
    EXPECT_EQ(d->WarpColors[300], 33);
    for (int e = 301; e <= 9600; ++e) {
        ASSERT_EQ(d->Threading[e], 0) << e;
        ASSERT_EQ(d->WarpColors[e], DefaultWarpColor(*d)) << e;
    }
    EXPECT_EQ(d->EndsUsed, 300);
}

TEST(OptionsOk, ShrinkingPicksClearsTheRowsOfTheLoomSystem) {
    for (LoomSystem system : {LoomSystem::SingleTreadling, LoomSystem::Liftplan}) {
        auto d = NewDraft();
        SetLoomSystem(*d, system);
        d->Shed = false;
        d->Picks = 100;
        d->Threading[1] = 1;
        for (int p = 1; p <= 100; ++p) {
            d->Treadling[p] = 1;
            d->Liftplan[p] = 1;
            d->WeftColors[p] = 40;
        }
        d->TieUpAt(1, 1) = 1;
        DesignPut(*d, 45, 3, true);
        DesignPut(*d, 30, 3, true);
        Settings s;
        RunOptionsOk(*d, s, [](OptionsValues& v) { v.Picks = 40; });
        const bool single = system == LoomSystem::SingleTreadling;
        EXPECT_EQ(single ? d->Treadling[40] : d->Liftplan[40], 1);
        EXPECT_EQ(single ? d->Treadling[41] : d->Liftplan[41], 0);
        EXPECT_EQ(d->WeftColors[40], 40);
        EXPECT_EQ(d->WeftColors[41], DefaultWeftColor(*d));
        EXPECT_EQ(d->PicksUsed, 40);
        // The design grid is cut to the new picks as well.
        EXPECT_TRUE(DesignGet(*d, 30, 3));
        EXPECT_FALSE(DesignGet(*d, 45, 3));
    }
}

TEST(OptionsOk, ShrinkingEndsCutsTheDesignOnlyInDesignMode) {
    for (bool design : {false, true}) {
        auto d = NewDraft();
        d->DesignMode = design;
        d->Ends = 50;
        DesignPut(*d, 2, 45, true);
        Settings s;
        RunOptionsOk(*d, s, [](OptionsValues& v) { v.Ends = 40; });
        EXPECT_EQ(DesignGet(*d, 2, 45), !design);
    }
}

TEST(OptionsOk, LoomSystemChangeKeepsTheDrawdown) {
    struct Change {
        LoomSystem from, to;
    };
    const Change changes[] = {
        {LoomSystem::SingleTreadling, LoomSystem::Liftplan},
        {LoomSystem::SingleTreadling, LoomSystem::MultipleTreadling},
        {LoomSystem::Liftplan, LoomSystem::SingleTreadling},
        {LoomSystem::Liftplan, LoomSystem::MultipleTreadling},
        {LoomSystem::MultipleTreadling, LoomSystem::Liftplan},
    };
    std::mt19937 rng(99);
    for (const Change& c : changes)
        for (int round = 0; round < 12; ++round) {
            auto d = test::RandomDraft(rng, c.from, round % 2 == 0);
            Settings s;
            const auto before = Cloth(*d);
            const OptionsResult r = RunOptionsOk(*d, s, [&](OptionsValues& v) {
                v.TreadleMode = c.to != LoomSystem::Liftplan;
                v.MultipleTr = c.to == LoomSystem::MultipleTreadling;
            });
            ASSERT_EQ(GetLoomSystem(*d), c.to);
            EXPECT_FALSE(r.TreadleOverflow);
            EXPECT_EQ(r.RefreshView, c.to == LoomSystem::SingleTreadling ||
                                         c.from == LoomSystem::MultipleTreadling);
            ASSERT_EQ(Cloth(*d), before) << int(c.from) << "->" << int(c.to) << " " << round;
            if (c.to == LoomSystem::Liftplan) {
                EXPECT_EQ(d->Treadles, d->Shafts);
            }
        }
}

TEST(OptionsOk, FewerShaftsAndTreadlesFoldTheDraft) {
    auto d = NewDraft();
    d->Shed = false;
    d->Ends = d->Picks = 10;
    d->Threading[1] = 8;
    d->Threading[2] = 12;
    d->Threading[3] = 3;
    d->Shafts = 12;
    d->Treadles = 10;
    d->Treadling[1] = 10;
    d->Treadling[2] = 4;
    Settings s;
    RunOptionsOk(*d, s, [](OptionsValues& v) {
        v.Shafts = 6;
        v.Treadles = 4;
    });
    EXPECT_EQ(d->Threading[1], 2);
    EXPECT_EQ(d->Threading[2], 6);
    EXPECT_EQ(d->Threading[3], 3);
    EXPECT_EQ(d->Treadling[1], 2);
    EXPECT_EQ(d->Treadling[2], 4);
}

TEST(OptionsOk, LiftplanModeKeepsTreadlesEqualToShafts) {
    auto d = NewDraft();
    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Shafts = d->Treadles = 8;
    Settings s;
    RunOptionsOk(*d, s, [](OptionsValues& v) {
        v.Shafts = 12;
        v.Treadles = 3; // the disabled control must not count
        v.MultipleTr = true;
    });
    EXPECT_EQ(d->Shafts, 12);
    EXPECT_EQ(d->Treadles, 12);
    EXPECT_FALSE(d->MultipleTr);
}

TEST(OptionsOk, OutOfRangeValuesAreClamped) {
    auto d = NewDraft();
    Settings s;
    RunOptionsOk(*d, s, [](OptionsValues& v) {
        v.Shafts = 40;
        v.Treadles = 1;
        v.Ends = 20000;
        v.Picks = 0;
        v.Style = 7;
        v.EndsPerUnit = 0;
        v.PicksPerUnit = 1000;
    });
    EXPECT_EQ(d->Shafts, 16);
    EXPECT_EQ(d->Treadles, 2);
    EXPECT_EQ(d->Ends, 9600);
    EXPECT_EQ(d->Picks, 2);
    EXPECT_EQ(d->Style, 4);
    EXPECT_EQ(d->EndsPerUnit, 1);
    EXPECT_EQ(d->PicksPerUnit, 255);
}

TEST(OptionsOk, MultipleInDesignModeIsRefusedAndSwitchedOff) {
    test::ScriptedPrompter p;
    EXPECT_TRUE(MultipleTreadlingAllowed(p, false));
    EXPECT_TRUE(p.Shown.empty());
    EXPECT_FALSE(MultipleTreadlingAllowed(p, true));
    ASSERT_EQ(p.Shown.size(), 1u);
    EXPECT_EQ(p.Shown[0].Kind, "info");
    EXPECT_EQ(p.Shown[0].Text, GetText(GeneralForm, "@multitr"));

    // Even if a caller lets it through, Design mode ends up single.
    auto d = NewDraft();
    d->DesignMode = true;
    Settings s;
    RunOptionsOk(*d, s, [](OptionsValues& v) { v.MultipleTr = true; });
    EXPECT_FALSE(d->MultipleTr);
    // And Cancel still switches a stray multiple treadling off.
    d->MultipleTr = true;
    FinishOptions(*d);
    EXPECT_FALSE(d->MultipleTr);
}

TEST(OptionsOk, SnapshotFollowsOnlyWhileSaveOnExitIsTicked) {
    auto d = NewDraft();
    Settings s;
    s.Snapshot.Shafts = 8;
    RunOptionsOk(*d, s, [](OptionsValues& v) {
        v.SaveSettings = false;
        v.Shafts = 5;
    });
    EXPECT_EQ(s.Snapshot.Shafts, 8);
    EXPECT_FALSE(s.SaveSettings);
    RunOptionsOk(*d, s, [](OptionsValues& v) {
        v.SaveSettings = true;
        v.Shafts = 6;
        v.ShowWarnings = false;
    });
    EXPECT_EQ(s.Snapshot.Shafts, 6);
    EXPECT_TRUE(s.ExpertMode);
}

TEST(OptionsSaveButton, WritesTheDialogValuesWithoutTouchingTheDraft) {
    MemoryStore store;
    auto d = NewDraft();
    d->Ends = 400;
    d->Threading[350] = 2;
    Settings s;
    OptionsValues v = LoadOptions(*d, s, 0);
    v.Ends = 300;
    v.Shafts = 10;
    v.Treadles = 12;
    v.Style = 4;
    v.Shed = false;
    v.Yarnsim = false;
    ASSERT_TRUE(SaveOptionsAsDefaults(store, *d, s, v));
    EXPECT_EQ(d->Ends, 400);
    EXPECT_EQ(d->Threading[350], 2);
    EXPECT_EQ(d->Shafts, 8);
    EXPECT_EQ(store.GetInt(OptionsGroup, "Shafts"), 10);
    EXPECT_EQ(store.GetInt(OptionsGroup, "Treadles"), 12);
    EXPECT_EQ(store.GetInt(OptionsGroup, "Style"), 4);
    EXPECT_EQ(store.GetBool(OptionsGroup, "Shed"), false);
    EXPECT_EQ(store.GetBool(OptionsGroup, "Yarnsim"), false);
    EXPECT_FALSE(store.Has(OptionsGroup, "Zoom")); // defaults only
    EXPECT_EQ(s.Snapshot.Shafts, 10);
}

TEST(NewPattern, OkGivesAClearedDraftWithTheChosenSizesAndShed) {
    std::mt19937 rng(5);
    auto d = test::RandomDraft(rng, LoomSystem::SingleTreadling, true);
    d->FileName = "/p/old.hdw";
    d->Changed = true;
    d->Notes = "old notes";
    d->Compressed = true;
    d->Palette[3] = {1, 2, 3};
    ViewWindow view;
    view.ScrollEnds = 40;
    Settings s;
    s.Snapshot.TreadleMode = true;
    s.Snapshot.MultipleTr = false;
    s.Snapshot.EndsPerUnit = 30;
    s.Snapshot.RightStart = false;
    s.Snapshot.MarkingOn = true;

    NewPatternValues v = InitialNewPatternValues(s);
    EXPECT_EQ(v.Ends, 2400);
    EXPECT_EQ(v.Shafts, s.Snapshot.Shafts);
    v.Ends = 120;
    v.Picks = 80;
    v.Shafts = 6;
    v.Treadles = 10;
    v.Shed = false;
    v.UseDefaultPalette = false;
    const NewPatternResult r = ApplyNewPattern(*d, view, s, v);

    EXPECT_FALSE(r.PaletteReset);
    EXPECT_EQ(d->Ends, 120);
    EXPECT_EQ(d->Picks, 80);
    EXPECT_EQ(d->Shafts, 6);
    EXPECT_EQ(d->Treadles, 10);
    EXPECT_FALSE(d->Shed);
    for (int i = 1; i <= 9600; ++i) {
        ASSERT_EQ(d->Threading[i], 0);
        ASSERT_EQ(d->Treadling[i], 0);
        ASSERT_EQ(d->Liftplan[i], 0);
        ASSERT_EQ(d->WarpColors[i], 6); // rising shed defaults
        ASSERT_EQ(d->WeftColors[i], 0);
    }
    for (int sh = 1; sh <= 16; ++sh)
        for (int t = 1; t <= 16; ++t) ASSERT_EQ(d->TieUpAt(sh, t), 0);
    EXPECT_EQ(d->EndsUsed, 0);
    EXPECT_EQ(d->PicksUsed, 0);
    EXPECT_TRUE(d->FileName.empty());
    EXPECT_FALSE(d->Changed);
    EXPECT_TRUE(d->Notes.empty());
    EXPECT_FALSE(d->Compressed);
    EXPECT_EQ(view.ScrollEnds, 0);
    EXPECT_EQ(d->Palette[3], (PaletteEntry{1, 2, 3}));
    // The stored defaults came in, and the choices became defaults.
    EXPECT_EQ(d->EndsPerUnit, 30);
    EXPECT_FALSE(d->RightStart);
    EXPECT_TRUE(d->MarkingOn);
    EXPECT_EQ(s.Snapshot.Shafts, 6);
    EXPECT_EQ(s.Snapshot.Treadles, 10);
    EXPECT_FALSE(s.Snapshot.Shed);

    // With the default palette asked for, it comes back, and the choice is remembered.
    v.UseDefaultPalette = true;
    EXPECT_TRUE(ApplyNewPattern(*d, view, s, v).PaletteReset);
    EXPECT_EQ(d->Palette[3], (PaletteEntry{0x80, 0x80, 0x80}));
    EXPECT_TRUE(InitialNewPatternValues(s).UseDefaultPalette);
}

TEST(NewPattern, LiftplanDefaultsHideTreadlesAndTieThemToShafts) {
    auto d = NewDraft();
    ViewWindow view;
    Settings s;
    s.Snapshot.TreadleMode = false;
    s.Snapshot.MultipleTr = true; // meaningless without treadles
    EXPECT_FALSE(NewPatternShowsTreadles(s));
    NewPatternValues v = InitialNewPatternValues(s);
    v.Shafts = 12;
    v.Treadles = 4;
    ApplyNewPattern(*d, view, s, v);
    EXPECT_FALSE(d->TreadleMode);
    EXPECT_FALSE(d->MultipleTr);
    EXPECT_EQ(d->Treadles, 12);
}

TEST(NewPattern, DesignModeStaysOnlyWithTheDesignDefault) {
    for (bool designDefault : {false, true}) {
        auto d = NewDraft();
        d->DesignMode = true;
        DesignPut(*d, 1, 1, true);
        ViewWindow view;
        Settings s;
        s.Snapshot.DesignMode = designDefault;
        EXPECT_EQ(NewPatternSizesEnabled(*d, s), !designDefault);
        ApplyNewPattern(*d, view, s, InitialNewPatternValues(s));
        EXPECT_EQ(d->DesignMode, designDefault);
        if (designDefault) {
            EXPECT_FALSE(DesignGet(*d, 1, 1)); // recomputed from the empty draft
        }
    }
}

} // namespace
} // namespace hw
