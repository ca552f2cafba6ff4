#pragma once

#include "commands/command_context.h"

namespace hw {

// The Edit menu as far as it has landed: undo and redo, unlinking colours,
// clearing, Insert and Delete at the mouse, and the drawing tools.
class EditCommands {
public:
    explicit EditCommands(CommandContext& ctx) : ctx_(ctx) {}

    void EditUndo();
    void EditRedo();
    void UnlinkColors1Click();
    void All1Click();
    void Threading1Click();
    void Liftplan1Click();
    void Tieup1Click();
    void Treadling1Click();
    void Colors1Click();
    // The Insert (insert = true) and Delete keys over the draft.
    void InsertOrDeleteAtPointer(bool insert);

    void PenSpeedButtonClick();
    void LineSpeedButtonClick();
    void SelectSpeedButtonClick();
    // The S key: pen, line, selection, pen...
    void CycleTool();

private:
    CommandContext& ctx_;
};

} // namespace hw
