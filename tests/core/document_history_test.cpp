#include "document/document.h"
#include "model/primitives.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace hw {
namespace {

// Every part of the draft the history keeps, compared field by field (not
// through the history's own byte copies).
void ExpectSameContent(const DraftState& a, const DraftState& b, const char* when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(a.Ends, b.Ends);
    EXPECT_EQ(a.Picks, b.Picks);
    EXPECT_EQ(a.Shafts, b.Shafts);
    EXPECT_EQ(a.Treadles, b.Treadles);
    EXPECT_EQ(a.EndsUsed, b.EndsUsed);
    EXPECT_EQ(a.PicksUsed, b.PicksUsed);
    EXPECT_TRUE(a.Threading == b.Threading);
    EXPECT_TRUE(a.TieUp == b.TieUp);
    EXPECT_TRUE(a.Treadling == b.Treadling);
    EXPECT_TRUE(a.Liftplan == b.Liftplan);
    EXPECT_TRUE(a.WarpColors == b.WarpColors);
    EXPECT_TRUE(a.WeftColors == b.WeftColors);
    EXPECT_TRUE(a.DesignGrid == b.DesignGrid);
    EXPECT_TRUE(a.Palette == b.Palette);
    EXPECT_TRUE(a.ColorTable == b.ColorTable);
    EXPECT_EQ(a.Notes, b.Notes);
    EXPECT_EQ(a.TreadleMode, b.TreadleMode);
    EXPECT_EQ(a.MultipleTr, b.MultipleTr);
    EXPECT_EQ(a.Shed, b.Shed);
    EXPECT_EQ(a.DesignMode, b.DesignMode);
    EXPECT_EQ(a.Style, b.Style);
    EXPECT_EQ(a.RightStart, b.RightStart);
    EXPECT_EQ(a.MarkEndsInterval, b.MarkEndsInterval);
    EXPECT_TRUE(a.TransUnit1 == b.TransUnit1);
    EXPECT_EQ(a.RepeatThreading, b.RepeatThreading);
}

// One random edit of any part of the draft, sometimes one that changes
// nothing.
void RandomEdit(std::mt19937& rng, DraftState& d) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    switch (pick(0, 11)) {
    case 0:
        for (int e = pick(1, 9600), n = pick(1, 30); n > 0 && e <= 9600; --n, ++e)
            d.Threading[e] = uint8_t(pick(0, d.Shafts));
        UpdateEndsUsed(d);
        break;
    case 1:
        d.TieUpAt(pick(1, 16), pick(1, 16)) ^= 1;
        break;
    case 2:
        d.Liftplan[pick(1, 9600)] ^= uint16_t(1u << pick(0, 15));
        UpdatePicksUsed(d);
        break;
    case 3:
        d.WeftColors[pick(1, 9600)] = uint8_t(pick(0, 255));
        break;
    case 4:
        d.Shafts = uint16_t(pick(2, 16));
        FoldThreading(d);
        break;
    case 5:
        d.Notes += char('a' + pick(0, 25));
        break;
    case 6:
        SetPaletteEntry(d, pick(0, 255), ColorRef(pick(0, 0xFFFFFF)));
        RebuildColorTable(d);
        break;
    case 7:
        DesignPut(d, pick(1, 50), pick(1, 50), pick(0, 1) == 1);
        break;
    case 8:
        d.TreadleMode = !d.TreadleMode;
        d.Style = pick(1, 4);
        break;
    case 9:
        ClearThreadingFrom(d, 1); // whole-draft sized
        ResetWarpColorsFrom(d, 1);
        break;
    case 10:
        d.TransUnit1[pick(0, 15)][pick(0, 15)] ^= true;
        d.RepeatThreading = pick(0, 100);
        break;
    default:
        break; // no change at all
    }
}

TEST(History, RandomEditsUndosAndRedosRestoreEveryState) {
    std::mt19937 rng(7);
    Document doc;
    // states[i] is the draft after i steps; pos is where the document is.
    std::vector<std::unique_ptr<DraftState>> states;
    states.push_back(std::make_unique<DraftState>(doc.Draft()));
    std::size_t pos = 0;
    for (int round = 0; round < 400; ++round) {
        const int action = std::uniform_int_distribution<int>(0, 9)(rng);
        if (action < 6) {
            const Change c = doc.Edit([&](DraftState& d) { RandomEdit(rng, d); });
            // A step only for a real change, and it cuts the redo list.
            if (!c.Any()) {
                ExpectSameContent(doc.Draft(), *states[pos], "no-op edit");
                continue;
            }
            states.resize(pos + 1);
            states.push_back(std::make_unique<DraftState>(doc.Draft()));
            ++pos;
        } else if (action < 8) {
            EXPECT_EQ(doc.CanUndo(), pos > 0);
            if (!doc.CanUndo()) continue;
            doc.Undo();
            --pos;
        } else {
            EXPECT_EQ(doc.CanRedo(), pos + 1 < states.size());
            if (!doc.CanRedo()) continue;
            doc.Redo();
            ++pos;
        }
        ExpectSameContent(doc.Draft(), *states[pos], "after an edit, undo or redo");
        ASSERT_FALSE(HasFailure()) << "round " << round;
        EXPECT_EQ(doc.UndoCount(), pos);
    }
    while (doc.CanUndo()) doc.Undo();
    ExpectSameContent(doc.Draft(), *states[0], "all undone");
}

TEST(History, ChangesReportThePartsAndTheEndsAndPicks) {
    Document doc;
    Change c = doc.Edit([](DraftState& d) {
        d.Threading[5] = 1;
        d.Threading[7] = 2;
    });
    EXPECT_TRUE(c.Has(Component::Threading));
    EXPECT_FALSE(c.Has(Component::Liftplan));
    EXPECT_EQ(c.Ends, (NumberRange{5, 7}));
    EXPECT_TRUE(c.Picks.Empty());
    c = doc.Edit([](DraftState& d) { LiftplanSet(d, 3, 16); });
    EXPECT_EQ(c.Picks, (NumberRange{3, 3}));
    // Undo and redo report the same.
    EXPECT_EQ(doc.Undo().Picks, (NumberRange{3, 3}));
    EXPECT_EQ(doc.Redo().Picks, (NumberRange{3, 3}));
    EXPECT_FALSE(doc.Edit([](DraftState&) {}).Any());
    EXPECT_EQ(doc.StepCount(), 2u);
}

TEST(History, ModifiedFollowsTheSavedStateThroughUndoRedoAndLostSteps) {
    Document doc;
    EXPECT_FALSE(doc.Modified());
    doc.Edit([](DraftState& d) { d.Threading[1] = 1; });
    EXPECT_TRUE(doc.Modified());
    doc.MarkSaved();
    EXPECT_FALSE(doc.Modified());
    doc.Edit([](DraftState& d) { d.Threading[2] = 1; });
    EXPECT_TRUE(doc.Modified());
    doc.Undo();
    EXPECT_FALSE(doc.Modified()); // back where it was saved
    doc.Undo();
    EXPECT_TRUE(doc.Modified());
    doc.Redo();
    EXPECT_FALSE(doc.Modified());
    // A new edit after undoing past the save makes the saved state
    // unreachable: modified from then on, even back at the same depth.
    doc.Undo();
    doc.Edit([](DraftState& d) { d.Threading[3] = 1; });
    doc.Undo();
    EXPECT_TRUE(doc.Modified());
    doc.ResetHistory();
    EXPECT_FALSE(doc.Modified());
    EXPECT_FALSE(doc.CanUndo());
}

TEST(History, MergedTypingIsOneStepButNeverAcrossASave) {
    Document doc;
    for (char c : std::string("abc")) doc.Edit([&](DraftState& d) { d.Notes += c; }, 1);
    EXPECT_EQ(doc.StepCount(), 1u);
    doc.MarkSaved();
    doc.Edit([](DraftState& d) { d.Notes += 'd'; }, 1);
    EXPECT_EQ(doc.StepCount(), 2u);
    doc.Undo();
    EXPECT_EQ(doc.Draft().Notes, "abc");
    EXPECT_FALSE(doc.Modified());
    // Merged array edits keep the oldest values, also with a gap between.
    doc.Edit([](DraftState& d) { d.Threading[10] = 3; }, 2);
    doc.Edit([](DraftState& d) { d.Threading[20] = 4; }, 2);
    doc.Edit([](DraftState& d) { d.Threading[10] = 5; }, 2);
    doc.Undo();
    EXPECT_EQ(doc.Draft().Threading[10], 0);
    EXPECT_EQ(doc.Draft().Threading[20], 0);
    // Edits that cancel out leave no step behind.
    const std::size_t steps = doc.StepCount();
    doc.Edit([](DraftState& d) { d.Threading[30] = 1; }, 3);
    doc.Edit([](DraftState& d) { d.Threading[30] = 0; }, 3);
    EXPECT_EQ(doc.StepCount(), steps - 1); // the redo step went, no new one came
}

// Past the cap the oldest steps go; a saved state that goes with them
// leaves the document modified. Whole-draft steps of a full draft stay
// within the memory cap.
TEST(History, TheHistoryIsCappedByStepsAndBytes) {
    Document doc;
    doc.MarkSaved();
    for (int i = 1; i <= int(Document::MaxSteps) + 50; ++i)
        doc.Edit([&](DraftState& d) { d.Threading[1 + i % 9000] = uint8_t(1 + i % 8); });
    EXPECT_EQ(doc.StepCount(), Document::MaxSteps);
    while (doc.CanUndo()) doc.Undo();
    EXPECT_EQ(doc.UndoCount(), 0u);
    EXPECT_TRUE(doc.Modified());
    EXPECT_NE(doc.Draft().Threading[2], 0); // the first edits can no longer be undone
    for (int i = 0; i < 150; ++i)
        doc.Edit([&](DraftState& d) {
            for (int e = 1; e <= MaxEnds; ++e) d.Threading[e] = uint8_t(1 + (e + i) % 16);
            for (int p = 1; p <= MaxPicks; ++p) d.Liftplan[p] = uint16_t(p * 7 + i);
        });
    EXPECT_GE(doc.StepCount(), Document::MinSteps);
    EXPECT_LE(doc.HistoryBytes(), Document::MaxBytes);
}

TEST(Scope, LeavingWithoutChangesGivesBackTheDraftExactlyAndNoStep) {
    Document doc;
    doc.Edit([](DraftState& d) {
        for (int e = 1; e <= 300; ++e) d.Threading[e] = uint8_t(1 + e % 4);
        for (int p = 1; p <= 300; ++p) d.Treadling[p] = uint8_t(1 + p % 4);
        UpdateUsed(d);
    });
    doc.MarkSaved();
    const DraftState before = doc.Draft();
    doc.BeginScope([](DraftState& d) {
        ClearThreadingFrom(d, 51); // as entering Design mode may
        d.DesignMode = true;
    });
    EXPECT_FALSE(doc.Modified());
    EXPECT_FALSE(doc.CanUndo()); // the steps before the scope are out of reach
    doc.Edit([](DraftState& d) { d.WarpColors[3] = 9; });
    doc.Undo();
    EXPECT_FALSE(doc.ScopeChanged({Component::Design, Component::WarpColors}));
    const Change c = doc.EndScope(ComponentSet::All());
    EXPECT_TRUE(c.Has(Component::Threading));
    ExpectSameContent(doc.Draft(), before, "after the scope");
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(doc.StepCount(), 1u);
}

TEST(Scope, LeavingAfterChangesIsOneStepBackToBeforeTheScope) {
    Document doc;
    doc.Edit([](DraftState& d) { d.Threading[100] = 2; });
    const DraftState before = doc.Draft();
    doc.BeginScope([](DraftState& d) { d.DesignMode = true; });
    doc.Edit([](DraftState& d) { DesignPut(d, 1, 1, true); });
    doc.Edit([](DraftState& d) { DesignPut(d, 2, 2, true); });
    EXPECT_TRUE(doc.ScopeChanged({Component::Design}));
    doc.EndScope({});
    doc.Draft(); // the scope's work is kept as it is
    EXPECT_EQ(doc.StepCount(), 2u);
    EXPECT_TRUE(DesignGet(doc.Draft(), 2, 2));
    doc.Undo();
    ExpectSameContent(doc.Draft(), before, "one undo after the scope");
}

} // namespace
} // namespace hw
