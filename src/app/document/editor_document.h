#pragma once

#include "document/document.h"

#include <QObject>

#include <functional>

namespace hw {

// The one document of the editor, telling the windows what changed. Every
// command changes the draft through Edit (or a scope, or a preview), and
// the view, the menus and the tool windows follow from the signals alone.
class EditorDocument : public QObject {
    Q_OBJECT
public:
    explicit EditorDocument(QObject* parent = nullptr) : QObject(parent) {}

    Document& Core() { return doc_; }
    const DraftState& Draft() const { return doc_.Draft(); }
    // Values that are not content (zoom, file name, colours linked).
    DraftState& Draft() { return doc_.Draft(); }

    Change Edit(const std::function<void(DraftState&)>& fn, uint32_t mergeKey = 0);
    // Records what the draft now holds against a snapshot as one step (the
    // end of a dialog with Preview or an input window).
    Change Record(const Snapshot& before, ComponentSet parts = ComponentSet::All(),
                  uint32_t mergeKey = 0);
    // Back to a snapshot without a step (a preview or a cancelled dialog).
    Change Restore(const Snapshot& s);
    // A dialog's Preview: back to the snapshot, then fn, without a step.
    Change Preview(const Snapshot& s, const std::function<void(DraftState&)>& fn);
    Change Undo();
    Change Redo();
    bool CanUndo() const { return doc_.CanUndo(); }
    bool CanRedo() const { return doc_.CanRedo(); }

    bool Modified() const { return doc_.Modified(); }
    void MarkSaved();
    // The draft was replaced or cleared for a new pattern: the history
    // starts again and the windows show it from scratch. An imported draft
    // is not saved anywhere yet.
    void Reset(bool saved = true);

    // Design mode: see Document::BeginScope. `leave` runs first when the
    // scope ends and may refuse (false), which keeps the scope open.
    void BeginScope(const std::function<void(DraftState&)>& enter);
    bool EndScope(ComponentSet restore, const std::function<bool(DraftState&)>& leave = {});

signals:
    // The draft's content changed (an edit, undo, redo, restore).
    void Changed(const Change& change);
    // A whole new draft (open, revert, new).
    void Replaced();
    // Modified, undo or redo availability may differ.
    void StateChanged();

private:
    Change Report(const Change& c);

    Document doc_;
};

} // namespace hw
