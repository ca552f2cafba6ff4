#pragma once

#include "commands/command_context.h"

namespace hw {

class Tmemoform;

// The Options menu: the Options dialog, saving settings, the language, the
// notes window and Threadbook.
class OptionsCommands {
public:
    explicit OptionsCommands(CommandContext& ctx) : ctx_(ctx) {}

    void Options2Click();
    void SaveSettings1Click();
    void SwitchLanguage(int language);
    void Note1Click();
    void Threadbook1Click();

    // The notes window, made on first use; typing in it edits the draft's
    // notes (consecutive typing is one step of the history).
    Tmemoform* NotesWindow();

private:
    CommandContext& ctx_;
    Tmemoform* memo_ = nullptr;
};

// The Help menu.
class HelpCommands {
public:
    explicit HelpCommands(CommandContext& ctx) : ctx_(ctx) {}

    void HelpContents();
    void HelpAbout();
    void TipofDayItemClick();
    void HeddlewiseHomePage1Click();

private:
    CommandContext& ctx_;
};

} // namespace hw
