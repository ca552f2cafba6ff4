#pragma once

#include "commands/command_context.h"

#include <string>
#include <vector>

namespace hw {

// File > Page Setup, Print, Print Numeric and Printer Setup, and the Print
// of the report and notes windows. Printing reads the draft and never
// changes it.
class PrintCommands {
public:
    explicit PrintCommands(CommandContext& ctx) : ctx_(ctx) {}

    void PageSetup1Click();
    void FilePrintItemClick();
    void PrNumThreadingClick();
    void PrNumLiftplanClick();
    void WarpColors1Click();
    void FilePrintSetup();

private:
    // Prints lines of a numeric print (nothing when there are none).
    void PrintNumeric(const std::vector<std::string>& lines);

    CommandContext& ctx_;
};

// The report window's and the notes window's Print.
void PrintReport(CommandContext& ctx, const std::string& text);
void PrintNotes(CommandContext& ctx, const std::string& notes);

} // namespace hw
