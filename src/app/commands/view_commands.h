#pragma once

#include "commands/command_context.h"

namespace hw {

// The View menu and zoom: Draft and Design mode, showing the threading,
// and the zoom steps (the Zoom dialog, the slider, the cursor keys).
class ViewCommands {
public:
    explicit ViewCommands(CommandContext& ctx) : ctx_(ctx) {}

    // Design mode is one scope of the history: leaving it without drawing
    // in the design grid gives back the draft exactly as it was, and leaving
    // it after drawing is one step that undoes to the draft before it.
    void Design1Click();
    void Draft1Click();
    void ToggleDesign();
    void ShowThreading1Click();
    void Zoom1Click();
    // Sets the draft zoom (lowered to what fits); the slider follows.
    void SetZoom(int step);

private:
    CommandContext& ctx_;
};

} // namespace hw
