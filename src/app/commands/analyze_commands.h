#pragma once

#include "commands/command_context.h"
#include "transform/reports.h"

#include <functional>

namespace hw {

// The analysis engine from the menus: the Analyze menu's reports (a window
// each, the draft untouched) and the Transform menu's reanalysis and
// straight threading (one step each).
class AnalyzeCommands {
public:
    explicit AnalyzeCommands(CommandContext& ctx) : ctx_(ctx) {}

    void Reanalyze1Click();
    void ReanalyzeTreadling1Click();
    void StraightThreading1Click();
    void Repeats1Click();
    void Floats1Click();
    void Colors2Click();
    void Heddles1Click();

private:
    // A report window over a copy of the draft as it is now.
    void ShowReport(std::function<TextReport(const DraftState&)> report);
    void Reanalyze(bool (*operation)(DraftState&, bool));

    CommandContext& ctx_;
};

} // namespace hw
