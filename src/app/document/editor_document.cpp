#include "document/editor_document.h"

namespace hw {

Change EditorDocument::Report(const Change& c) {
    if (c.Any()) emit Changed(c);
    emit StateChanged();
    return c;
}

Change EditorDocument::Edit(const std::function<void(DraftState&)>& fn, uint32_t mergeKey) {
    return Report(doc_.Edit(fn, mergeKey));
}

Change EditorDocument::Record(const Snapshot& before, ComponentSet parts, uint32_t mergeKey) {
    return Report(doc_.Record(before, parts, mergeKey));
}

Change EditorDocument::Restore(const Snapshot& s) {
    return Report(doc_.Restore(s));
}

Change EditorDocument::Preview(const Snapshot& s, const std::function<void(DraftState&)>& fn) {
    Change c = doc_.Restore(s);
    fn(doc_.Draft());
    c.Merge(doc_.Compare(s));
    return Report(c);
}

Change EditorDocument::Undo() {
    return Report(doc_.Undo());
}

Change EditorDocument::Redo() {
    return Report(doc_.Redo());
}

void EditorDocument::MarkSaved() {
    doc_.MarkSaved();
    emit StateChanged();
}

void EditorDocument::Reset(bool saved) {
    doc_.ResetHistory(saved);
    emit Replaced();
    emit StateChanged();
}

void EditorDocument::BeginScope(const std::function<void(DraftState&)>& enter) {
    Report(doc_.BeginScope(enter));
}

bool EditorDocument::EndScope(ComponentSet restore, const std::function<bool(DraftState&)>& leave) {
    const Snapshot live = doc_.Capture();
    const bool left = !leave || leave(doc_.Draft());
    if (left) doc_.EndScope(restore);
    Report(doc_.Compare(live));
    return left;
}

} // namespace hw
