#pragma once

#include "commands/command_context.h"
#include "edit/key_input.h"

namespace hw {

// Repeat, Keyboard Input and Numeric Input of the Edit menu. Each input
// window is one step in the history, from opening to closing, and the draft
// shows every key as it is typed.
class InputCommands {
public:
    explicit InputCommands(CommandContext& ctx) : ctx_(ctx) {}

    // Edit > Repeat and the toolbar's Repeat.
    void Rep1Click();
    void KeyThreadingClick();
    void KeyTreadlingClick();
    void KeyTieupClick();
    void NumericInput1Click();

private:
    void KeyInput(KeyMode mode);

    CommandContext& ctx_;
};

} // namespace hw
