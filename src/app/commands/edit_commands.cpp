#include "commands/edit_commands.h"

#include "document/editor_document.h"
#include "edit/structure.h"
#include "model/loom_system.h"
#include "model/primitives.h"
#include "platform/settings_session.h"
#include "text/lang.h"
#include "text/messages.h"
#include "view/draft_view.h"

namespace hw {

void EditCommands::EditUndo() {
    if (ctx_.View->Stroking()) return;
    ctx_.Doc->Undo();
}

void EditCommands::EditRedo() {
    if (ctx_.View->Stroking()) return;
    ctx_.Doc->Redo();
}

void EditCommands::UnlinkColors1Click() {
    DraftState& d = ctx_.Doc->Draft();
    d.ColorsLinked = !d.ColorsLinked;
    ctx_.Refresh();
}

void EditCommands::All1Click() {
    ctx_.Doc->Edit([](DraftState& d) {
        ClearDraft(d);
        if (d.DesignMode) RecomputeWindow(d, DesignSize, DesignSize, true);
        UpdateUsed(d);
    });
    // The cleared draft is a new, unnamed pattern.
    ctx_.Doc->Draft().FileName.clear();
    ctx_.Refresh();
}

void EditCommands::Threading1Click() {
    ctx_.Doc->Edit([](DraftState& d) {
        ClearThreadingFrom(d, 1);
        UpdateUsed(d);
    });
}

void EditCommands::Liftplan1Click() {
    ctx_.Doc->Edit([](DraftState& d) {
        ClearLiftplanFrom(d, 1);
        UpdateUsed(d);
    });
}

void EditCommands::Tieup1Click() {
    ctx_.Doc->Edit([](DraftState& d) { ClearTieUp(d); });
}

void EditCommands::Treadling1Click() {
    ctx_.Doc->Edit([](DraftState& d) {
        ClearTreadlingFrom(d, 1);
        // In multiple treadling the pressed treadles live in the liftplan rows.
        if (d.MultipleTr) ClearLiftplanFrom(d, 1);
        UpdateUsed(d);
    });
}

void EditCommands::Colors1Click() {
    ctx_.Doc->Edit([](DraftState& d) {
        ResetWarpColorsFrom(d, 1);
        ResetWeftColorsFrom(d, 1);
    });
}

void EditCommands::InsertOrDeleteAtPointer(bool insert) {
    const DraftState& d = ctx_.Doc->Draft();
    const ViewHit pointer = ctx_.View->Pointer();
    const ViewWindow& w = ctx_.View->Window();
    const ViewArea area = pointer.Area;
    const bool warp = area == ViewArea::Threading || area == ViewArea::WarpColors;
    const bool weft = area == ViewArea::Treadling || area == ViewArea::WeftColors;
    if (!warp && !weft) return;
    const bool colourOnly = area == ViewArea::WarpColors || area == ViewArea::WeftColors;
    // In Design mode only the colour rows take these keys.
    if (d.DesignMode && !colourOnly) return;
    const int number = warp ? pointer.Column + w.ScrollEnds : pointer.Row + w.ScrollPicks;
    if (number < 1 || number > (warp ? d.Ends : d.Picks)) return;
    if (!insert && !ctx_.Session->Prefs().ExpertMode) {
        const char* key = warp ? (colourOnly ? "@delwarpcol" : "@delend")
                               : (colourOnly ? "@delweftcol" : "@delpick");
        if (!ConfirmQuestion(ctx_.Prompt(), GetText("TWform", key) + " " + std::to_string(number)))
            return;
    }
    const bool withGrid = !colourOnly;
    const bool withColours = colourOnly || d.ColorsLinked;
    ctx_.Doc->Edit([&](DraftState& d) {
        if (warp && insert) InsertEnds(d, number, 1, withGrid, withColours);
        if (warp && !insert) DeleteEnds(d, number, number, withGrid, withColours);
        if (weft && insert) InsertPicks(d, number, 1, withGrid, withColours);
        if (weft && !insert) DeletePicks(d, number, number, withGrid, withColours);
        UpdateUsed(d);
    });
}

void EditCommands::PenSpeedButtonClick() {
    ctx_.View->SetTool(StrokeTool::Pen);
    ctx_.Refresh();
}

void EditCommands::LineSpeedButtonClick() {
    ctx_.View->SetTool(StrokeTool::Line);
    ctx_.Refresh();
}

void EditCommands::SelectSpeedButtonClick() {
    ctx_.View->SetSelectionMode(true);
    ctx_.Refresh();
}

void EditCommands::CycleTool() {
    if (ctx_.View->SelectionMode())
        PenSpeedButtonClick();
    else if (ctx_.View->Tool() == StrokeTool::Pen)
        LineSpeedButtonClick();
    else
        SelectSpeedButtonClick();
}

} // namespace hw
