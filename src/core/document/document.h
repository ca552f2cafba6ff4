#pragma once

#include "model/change.h"
#include "model/draft_state.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace hw {

// The content of every component of a draft at one moment, as bytes.
struct Snapshot {
    std::array<std::vector<uint8_t>, ComponentCount> Parts;
};

// The open draft, whether it differs from its file, and its undo/redo
// history. Every change of the draft's content goes through Edit (or a
// snapshot and Record): the history step, the modified state and the report
// of what changed all come from there and nowhere else.
//
// A step keeps only the bytes that changed, per component; applying a step
// swaps them with the draft, so undo and redo are the same operation. The
// history keeps at least MinSteps steps and drops the oldest beyond
// MaxSteps or MaxBytes.
class Document {
public:
    static constexpr std::size_t MinSteps = 100;
    static constexpr std::size_t MaxSteps = 1000;
    static constexpr std::size_t MaxBytes = 32u << 20;

    Document();

    const DraftState& Draft() const { return *draft_; }
    // For what is not part of the content: zoom, the current colour, the
    // file name, the colours-linked flag. Content goes through Edit.
    DraftState& Draft() { return *draft_; }

    // Runs fn on the draft and records what it changed as one step. A call
    // that changes nothing records nothing and reports nothing. Calls with
    // the same non-zero mergeKey right after each other make one step
    // (never across the saved point).
    Change Edit(const std::function<void(DraftState&)>& fn, uint32_t mergeKey = 0);

    // The same in two halves, for changes that take a while (a dialog with
    // Preview, an input window): Capture at the start, Restore to go back
    // to it, Record to keep what the draft now holds as one step.
    Snapshot Capture() const;
    Change Restore(const Snapshot& s, ComponentSet parts = ComponentSet::All());
    Change Record(const Snapshot& before, ComponentSet parts = ComponentSet::All(),
                  uint32_t mergeKey = 0);

    bool CanUndo() const;
    bool CanRedo() const;
    Change Undo();
    Change Redo();

    // True while the draft differs from what was last saved or loaded.
    bool Modified() const;
    void MarkSaved();
    // A new or freshly loaded draft: no history, unmodified. A draft that
    // comes from no pattern file (an import) stays modified until saved.
    void ResetHistory(bool saved = true);
    // The draft is replaced as a whole (a load); history starts again.
    void Replace(const DraftState& d);

    // What the draft now holds against a snapshot, without recording it.
    Change Compare(const Snapshot& before) const;

    // A scope groups everything done inside it (Design mode): `enter` is its
    // first change and no step of its own, undo and redo stay inside it, and
    // ending it turns all of it into at most one step. Returns what `enter`
    // changed.
    Change BeginScope(const std::function<void(DraftState&)>& enter);
    bool InScope() const { return scope_.has_value(); }
    // Whether the parts differ from how `enter` left them.
    bool ScopeChanged(ComponentSet parts) const;
    // Ends the scope: the parts in `restore` go back to how they were before
    // it began, and whatever then differs from before is recorded as one
    // step. Returns what the call changed in the draft.
    Change EndScope(ComponentSet restore);

    // Figures for tests and benchmarks.
    std::size_t StepCount() const { return steps_.size(); }
    std::size_t UndoCount() const { return pos_; }
    std::size_t HistoryBytes() const { return bytes_; }

private:
    struct Patch {
        Component Part;
        uint32_t Offset = 0; // first byte; the whole part for value parts
        std::vector<uint8_t> Bytes;
    };
    struct Step {
        uint64_t Id = 0;
        uint32_t MergeKey = 0;
        std::vector<Patch> Patches;
        std::size_t Bytes() const;
    };
    struct Scope {
        Snapshot Before;
        Snapshot Entered;
        std::size_t EntryPos = 0;
        uint64_t FirstId = 0;
        bool SavedInside = false;
    };

    Change Apply(Step& step);
    Change Report(const Step& step) const;
    std::optional<Step> Diff(const Snapshot& before, ComponentSet parts) const;
    bool Merge(Step& top, Step& next);
    void Push(Step step);
    void Trim();
    uint64_t PositionId() const;

    std::unique_ptr<DraftState> draft_;
    std::vector<Step> steps_;
    std::size_t pos_ = 0; // steps_[0, pos_) are applied
    std::size_t bytes_ = 0;
    uint64_t nextId_ = 1;
    uint64_t baseId_ = 0;  // the state below the oldest kept step
    uint64_t savedId_ = 0; // the state last saved; unreachable ids stay modified
    std::optional<Scope> scope_;
};

} // namespace hw
