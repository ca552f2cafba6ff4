#include "commands/input_commands.h"

#include "dialogs/input_forms.h"
#include "document/editor_document.h"
#include "edit/numeric_input.h"
#include "files/message_text.h"
#include "text/lang.h"
#include "text/messages.h"
#include "transform/repeat_fill.h"
#include "view/draft_view.h"

#include <QApplication>

namespace hw {

namespace {

// The window's caption and the keys of its two lines, by mode.
struct KeyTexts {
    const char* Caption;
    const char* Position;
    const char* Value;
};

KeyTexts TextsOf(KeyMode mode, const DraftState& d) {
    switch (mode) {
    case KeyMode::Threading:
        return {"@idthr", "@idend", "@idshaft"};
    case KeyMode::Treadling:
        return {"@idtr", "@idpick", "@idtreadle"};
    case KeyMode::TieUp:
        return {"@idtieup", "@idshaft", "@idtreadle"};
    case KeyMode::Liftplan:
        break;
    }
    if (d.TreadleMode) return {"@idtr", "@idpick", "@idtreadle"}; // multiple treadling
    return {"@idlift", "@idpick", "@idshaft"};
}

} // namespace

void InputCommands::Rep1Click() {
    Status s;
    // Design mode reads the design as a draft first, which may take a moment.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CellBlock sel = ctx_.View->SelectedBlock();
    ctx_.Doc->Edit([&](DraftState& d) { s = RepeatCommand(d, sel); });
    QApplication::restoreOverrideCursor();
    if (s.Error) ShowMessageText(ctx_.Prompt(), MessageText(*s.Error));
}

void InputCommands::KeyThreadingClick() {
    KeyInput(KeyMode::Threading);
}

void InputCommands::KeyTreadlingClick() {
    const DraftState& d = ctx_.Doc->Draft();
    KeyInput(d.TreadleMode && !d.MultipleTr ? KeyMode::Treadling : KeyMode::Liftplan);
}

void InputCommands::KeyTieupClick() {
    if (ctx_.Doc->Draft().TreadleMode) KeyInput(KeyMode::TieUp);
}

void InputCommands::KeyInput(KeyMode mode) {
    EditorDocument& doc = *ctx_.Doc;
    DraftView& view = *ctx_.View;
    view.SetSelectionMode(false);
    ctx_.Refresh();
    // Every key shows at once; the whole visit is one step.
    const Snapshot before = doc.Core().Capture();
    Snapshot shown = before;
    KeyCursor cursor{mode, 1, 1};
    TEdKeyForm form(ctx_.Window);
    auto show = [&] {
        view.SetCellMark(KeyCursorCell(cursor));
        const KeyTexts t = TextsOf(mode, doc.Draft());
        const KeyNumbers n = KeyCursorNumbers(cursor, view.Window());
        form.ShowState(t.Caption, t.Position, n.Position, t.Value, n.Value);
    };
    form.OnKey = [&](InputKey key, char ch) {
        ViewWindow w = view.Window();
        const ViewGeometry g = view.Geometry();
        if (doc.Preview(shown, [&](DraftState& d) { KeyInputKey(d, w, g, cursor, key, ch); }).Any())
            shown = doc.Core().Capture();
        view.ScrollTo(w.ScrollEnds, w.ScrollPicks);
        show();
    };
    show();
    form.Place(doc.Draft().LayoutTopBot);
    form.exec();
    form.OnKey = nullptr;
    view.SetCellMark({});
    doc.Record(before);
}

void InputCommands::NumericInput1Click() {
    EditorDocument& doc = *ctx_.Doc;
    const Snapshot before = doc.Core().Capture();
    Snapshot shown = before;
    TNumInputForm form(ctx_.Window);
    form.StartFor = [&](bool treadling) {
        const ViewWindow& w = ctx_.View->Window();
        return treadling ? NumericStart(doc.Draft(), true, w.ScrollPicks + 1, w.LastVisiblePick())
                         : NumericStart(doc.Draft(), false, w.ScrollEnds + 1, w.LastVisibleEnd());
    };
    form.OnInput = [&] {
        NumericResult r;
        const std::string text = form.Text();
        const bool treadling = form.Treadling();
        const int start = form.Start();
        doc.Preview(shown, [&](DraftState& d) { r = NumericInput(d, treadling, start, text); });
        shown = doc.Core().Capture();
        if (r.TooLong) ShowMessageText(ctx_.Prompt(), GetText("TNumInputForm", "@toolong"));
    };
    const DraftState& d = doc.Draft();
    form.Execute(d.TreadleMode && !d.MultipleTr, d.LayoutTopBot);
    form.OnInput = nullptr;
    doc.Record(before);
}

} // namespace hw
