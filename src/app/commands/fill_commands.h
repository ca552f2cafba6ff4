#pragma once

#include "commands/command_context.h"
#include "transform/fills.h"

#include <random>

namespace hw {

class TTwillDlg;

// The Fill menu and Utilities > Tie-up Special: every fill is one step of
// the history; a dialog's previews start from the draft as it was when the
// dialog opened and leave no step.
class FillCommands {
public:
    explicit FillCommands(CommandContext& ctx);

    void Threading(FillOrder order); // Straight1Click .. Rosepath1Click
    void Treadling(FillOrder order); // Straight2Click .. Rosepath2Click
    void RandomTwill1Click();
    void Satin1Click();
    void Plain1Click();
    void WarpColors(ColorOrder order); // A1Click .. aba3Click
    void WeftColors(ColorOrder order); // B1Click .. aba4Click
    void TieUpSpecial1Click();

private:
    CommandContext& ctx_;
    std::mt19937 random_;
    TTwillDlg* twill_ = nullptr; // made once, keeps its settings for the run
    TieUpEffects special_;       // the last confirmed Tie-up Special boxes
};

} // namespace hw
