#include "document/document.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <type_traits>

namespace hw {

namespace {

// No state of the draft has this id: a saved state that can no longer be
// reached leaves the document modified until the next save.
constexpr uint64_t Unreachable = 0;

// Value parts are a handful of fields, copied as one block of bytes.
template <class D, class F> void VisitSizes(D& d, F f) {
    f(d.Ends);
    f(d.Picks);
    f(d.Shafts);
    f(d.Treadles);
}
template <class D, class F> void VisitUsed(D& d, F f) {
    f(d.EndsUsed);
    f(d.PicksUsed);
}
template <class D, class F> void VisitLoom(D& d, F f) {
    f(d.TreadleMode);
    f(d.MultipleTr);
    f(d.Shed);
    f(d.DesignMode);
}
template <class D, class F> void VisitLayout(D& d, F f) {
    f(d.Style);
    f(d.LayoutTopBot);
    f(d.BottomStart);
    f(d.RightStart);
    f(d.CkoLeftStart);
    f(d.Atopstart);
    f(d.EndsPerUnit);
    f(d.PicksPerUnit);
    f(d.MetricUnits);
    f(d.MarkingOn);
    f(d.FullMarking);
    f(d.MarkEndsInterval);
    f(d.MarkPicksInterval);
}
template <class D, class F> void VisitTransUnits(D& d, F f) {
    f(d.TransUnitSize);
    f(d.TransUnit1);
    f(d.TransUnit2);
}
template <class D, class F> void VisitRepeats(D& d, F f) {
    f(d.RepeatThreading);
    f(d.RepeatTreadling);
    f(d.RepeatWarpColors);
    f(d.RepeatWeftColors);
}

template <class D, class F> void VisitValues(Component c, D& d, F f) {
    switch (c) {
    case Component::Sizes:
        VisitSizes(d, f);
        break;
    case Component::Used:
        VisitUsed(d, f);
        break;
    case Component::Loom:
        VisitLoom(d, f);
        break;
    case Component::Layout:
        VisitLayout(d, f);
        break;
    case Component::TransUnits:
        VisitTransUnits(d, f);
        break;
    case Component::Repeats:
        VisitRepeats(d, f);
        break;
    default:
        break;
    }
}

template <class T> uint8_t* BytesOf(T& array) {
    static_assert(std::is_trivially_copyable_v<T>);
    return reinterpret_cast<uint8_t*>(array.data());
}

// The grids and the palette are plain arrays: steps patch them in place.
struct ArrayPart {
    uint8_t* Data = nullptr;
    std::size_t Size = 0;
};

ArrayPart ArrayOf(Component c, DraftState& d) {
    switch (c) {
    case Component::Threading:
        return {BytesOf(d.Threading), sizeof d.Threading};
    case Component::TieUp:
        return {BytesOf(d.TieUp), sizeof d.TieUp};
    case Component::Treadling:
        return {BytesOf(d.Treadling), sizeof d.Treadling};
    case Component::Liftplan:
        return {BytesOf(d.Liftplan), sizeof d.Liftplan};
    case Component::WarpColors:
        return {BytesOf(d.WarpColors), sizeof d.WarpColors};
    case Component::WeftColors:
        return {BytesOf(d.WeftColors), sizeof d.WeftColors};
    case Component::Design:
        return {BytesOf(d.DesignGrid), sizeof d.DesignGrid};
    case Component::Palette:
        return {BytesOf(d.Palette), sizeof d.Palette};
    default:
        return {};
    }
}

ArrayPart ArrayOf(Component c, const DraftState& d) {
    return ArrayOf(c, const_cast<DraftState&>(d));
}

std::vector<uint8_t> Gather(Component c, const DraftState& d) {
    if (const ArrayPart a = ArrayOf(c, d); a.Data) return {a.Data, a.Data + a.Size};
    if (c == Component::Notes) return {d.Notes.begin(), d.Notes.end()};
    std::vector<uint8_t> out;
    VisitValues(c, d, [&](const auto& v) {
        const auto* p = reinterpret_cast<const uint8_t*>(&v);
        out.insert(out.end(), p, p + sizeof v);
    });
    return out;
}

void Scatter(Component c, DraftState& d, const std::vector<uint8_t>& in) {
    if (const ArrayPart a = ArrayOf(c, d); a.Data) {
        std::memcpy(a.Data, in.data(), std::min(a.Size, in.size()));
        return;
    }
    if (c == Component::Notes) {
        d.Notes.assign(in.begin(), in.end());
        return;
    }
    std::size_t at = 0;
    VisitValues(c, d, [&](auto& v) {
        if (at + sizeof v > in.size()) return;
        std::memcpy(reinterpret_cast<void*>(&v), in.data() + at, sizeof v);
        at += sizeof v;
    });
}

// The palette's paint colours follow the palette.
void AfterChange(Component c, DraftState& d) {
    if (c != Component::Palette) return;
    for (int i = 0; i < PaletteSize; ++i) {
        const PaletteEntry& p = d.Palette[i];
        d.ColorTable[i] = MakeColorRef(p.Red, p.Green, p.Blue);
    }
}

// Which ends or picks a byte range of a row part covers.
void ReportRange(Change& ch, Component c, std::size_t offset, std::size_t size) {
    if (size == 0) return;
    const int first = int(offset), last = int(offset + size - 1);
    switch (c) {
    case Component::Threading:
    case Component::WarpColors:
        ch.Ends.Include(first, last);
        break;
    case Component::Treadling:
    case Component::WeftColors:
        ch.Picks.Include(first, last);
        break;
    case Component::Liftplan:
        ch.Picks.Include(first / 2, last / 2);
        break;
    default:
        break;
    }
}

} // namespace

std::size_t Document::Step::Bytes() const {
    std::size_t n = sizeof(Step);
    for (const Patch& p : Patches) n += sizeof(Patch) + p.Bytes.capacity();
    return n;
}

Document::Document() : draft_(std::make_unique<DraftState>()) {
    ResetHistory();
}

Snapshot Document::Capture() const {
    Snapshot s;
    for (int i = 0; i < ComponentCount; ++i) s.Parts[i] = Gather(Component(i), *draft_);
    return s;
}

std::optional<Document::Step> Document::Diff(const Snapshot& before, ComponentSet parts) const {
    Step step;
    for (int i = 0; i < ComponentCount; ++i) {
        const Component c = Component(i);
        if (!parts.Has(c)) continue;
        const std::vector<uint8_t>& old = before.Parts[i];
        const ArrayPart a = ArrayOf(c, *draft_);
        if (a.Data && old.size() == a.Size) {
            std::size_t first = 0, last = a.Size;
            while (first < a.Size && a.Data[first] == old[first]) ++first;
            if (first == a.Size) continue;
            while (last > first && a.Data[last - 1] == old[last - 1]) --last;
            step.Patches.push_back({c, uint32_t(first), {old.begin() + first, old.begin() + last}});
            continue;
        }
        const std::vector<uint8_t> now = Gather(c, *draft_);
        if (now != old) step.Patches.push_back({c, 0, old});
    }
    if (step.Patches.empty()) return std::nullopt;
    return step;
}

Change Document::Apply(Step& step) {
    Change ch;
    for (Patch& p : step.Patches) {
        ch.Parts.Add(p.Part);
        const ArrayPart a = ArrayOf(p.Part, *draft_);
        if (a.Data) {
            std::swap_ranges(p.Bytes.begin(), p.Bytes.end(), a.Data + p.Offset);
            ReportRange(ch, p.Part, p.Offset, p.Bytes.size());
        } else {
            std::vector<uint8_t> now = Gather(p.Part, *draft_);
            Scatter(p.Part, *draft_, p.Bytes);
            p.Bytes.swap(now);
        }
        AfterChange(p.Part, *draft_);
    }
    return ch;
}

Change Document::Report(const Step& step) const {
    Change ch;
    for (const Patch& p : step.Patches) {
        ch.Parts.Add(p.Part);
        if (ArrayOf(p.Part, *draft_).Data) ReportRange(ch, p.Part, p.Offset, p.Bytes.size());
    }
    return ch;
}

Change Document::Compare(const Snapshot& before) const {
    const std::optional<Step> step = Diff(before, ComponentSet::All());
    return step ? Report(*step) : Change{};
}

Change Document::Restore(const Snapshot& s, ComponentSet parts) {
    std::optional<Step> step = Diff(s, parts);
    if (!step) return {};
    return Apply(*step);
}

Change Document::Edit(const std::function<void(DraftState&)>& fn, uint32_t mergeKey) {
    const Snapshot before = Capture();
    fn(*draft_);
    return Record(before, ComponentSet::All(), mergeKey);
}

Change Document::Record(const Snapshot& before, ComponentSet parts, uint32_t mergeKey) {
    std::optional<Step> step = Diff(before, parts);
    if (!step) return {};
    const Change ch = Report(*step);
    step->MergeKey = mergeKey;
    const bool atTop = pos_ == steps_.size();
    const bool topMergeable = mergeKey != 0 && atTop && pos_ > 0 &&
                              steps_.back().MergeKey == mergeKey && steps_.back().Id != savedId_ &&
                              (!scope_ || pos_ > scope_->EntryPos);
    if (topMergeable) {
        Step& top = steps_.back();
        bytes_ -= top.Bytes();
        if (Merge(top, *step)) {
            bytes_ += top.Bytes();
        } else {
            // The merged edits cancel out: the step goes.
            steps_.pop_back();
            --pos_;
        }
        return ch;
    }
    Push(std::move(*step));
    return ch;
}

bool Document::Merge(Step& top, Step& next) {
    for (Patch& n : next.Patches) {
        auto it = std::find_if(top.Patches.begin(), top.Patches.end(),
                               [&](const Patch& t) { return t.Part == n.Part; });
        if (it == top.Patches.end()) {
            top.Patches.push_back(std::move(n));
            continue;
        }
        const ArrayPart a = ArrayOf(n.Part, *draft_);
        if (!a.Data) continue; // a value part keeps its oldest value
        // The union of both ranges: bytes neither touched are as they are
        // now; the older step's old values win over the newer one's.
        const std::size_t first = std::min(it->Offset, n.Offset);
        const std::size_t last = std::max(it->Offset + it->Bytes.size(), n.Offset + n.Bytes.size());
        std::vector<uint8_t> merged(a.Data + first, a.Data + last);
        std::copy(n.Bytes.begin(), n.Bytes.end(), merged.begin() + (n.Offset - first));
        std::copy(it->Bytes.begin(), it->Bytes.end(), merged.begin() + (it->Offset - first));
        it->Offset = uint32_t(first);
        it->Bytes = std::move(merged);
    }
    // Drop what no longer differs from the draft.
    std::erase_if(top.Patches, [&](const Patch& p) {
        const ArrayPart a = ArrayOf(p.Part, *draft_);
        if (a.Data) return std::equal(p.Bytes.begin(), p.Bytes.end(), a.Data + p.Offset);
        return p.Bytes == Gather(p.Part, *draft_);
    });
    return !top.Patches.empty();
}

void Document::Push(Step step) {
    // A new step ends every redo.
    for (std::size_t i = pos_; i < steps_.size(); ++i) bytes_ -= steps_[i].Bytes();
    steps_.resize(pos_);
    step.Id = nextId_++;
    bytes_ += step.Bytes();
    steps_.push_back(std::move(step));
    pos_ = steps_.size();
    Trim();
}

void Document::Trim() {
    std::size_t drop = 0;
    std::size_t bytes = bytes_;
    while (steps_.size() - drop > MinSteps &&
           (steps_.size() - drop > MaxSteps || bytes > MaxBytes)) {
        bytes -= steps_[drop].Bytes();
        ++drop;
    }
    if (scope_) drop = std::min(drop, scope_->EntryPos); // a scope keeps its way back
    if (drop == 0) return;
    for (std::size_t i = 0; i < drop; ++i) bytes_ -= steps_[i].Bytes();
    baseId_ = steps_[drop - 1].Id;
    steps_.erase(steps_.begin(), steps_.begin() + std::ptrdiff_t(drop));
    pos_ -= drop;
    if (scope_) scope_->EntryPos -= drop;
}

bool Document::CanUndo() const {
    return pos_ > (scope_ ? scope_->EntryPos : 0);
}

bool Document::CanRedo() const {
    if (pos_ >= steps_.size()) return false;
    // Inside a scope only its own steps can come back.
    return !scope_ || steps_[pos_].Id >= scope_->FirstId;
}

Change Document::Undo() {
    if (!CanUndo()) return {};
    --pos_;
    return Apply(steps_[pos_]);
}

Change Document::Redo() {
    if (!CanRedo()) return {};
    Change ch = Apply(steps_[pos_]);
    ++pos_;
    return ch;
}

uint64_t Document::PositionId() const {
    return pos_ > 0 ? steps_[pos_ - 1].Id : baseId_;
}

bool Document::Modified() const {
    return PositionId() != savedId_;
}

void Document::MarkSaved() {
    savedId_ = PositionId();
    if (scope_) scope_->SavedInside = true;
}

void Document::ResetHistory(bool saved) {
    steps_.clear();
    pos_ = 0;
    bytes_ = 0;
    scope_.reset();
    baseId_ = nextId_++;
    savedId_ = saved ? baseId_ : Unreachable;
}

void Document::Replace(const DraftState& d) {
    *draft_ = d;
    ResetHistory();
}

Change Document::BeginScope(const std::function<void(DraftState&)>& enter) {
    const std::size_t pos = pos_;
    const uint64_t firstId = nextId_;
    Snapshot before = Capture();
    if (enter) enter(*draft_);
    Change ch = Compare(before);
    scope_ = Scope{std::move(before), Capture(), pos, firstId, false};
    return ch;
}

bool Document::ScopeChanged(ComponentSet parts) const {
    return scope_ && Diff(scope_->Entered, parts).has_value();
}

Change Document::EndScope(ComponentSet restore) {
    if (!scope_) return {};
    const Snapshot live = Capture();
    Scope scope = std::move(*scope_);
    scope_.reset();
    Restore(scope.Before, restore);
    // The scope's own steps give way to the one step below.
    if (steps_.size() > scope.EntryPos && steps_[scope.EntryPos].Id >= scope.FirstId) {
        for (std::size_t i = scope.EntryPos; i < steps_.size(); ++i) bytes_ -= steps_[i].Bytes();
        steps_.resize(scope.EntryPos);
    }
    pos_ = scope.EntryPos;
    // A save inside the scope wrote what the scope held, not this.
    if (scope.SavedInside) savedId_ = Unreachable;
    if (std::optional<Step> step = Diff(scope.Before, ComponentSet::All())) Push(std::move(*step));
    return Compare(live);
}

} // namespace hw
