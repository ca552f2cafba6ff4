#pragma once

#include "model/draft_state.h"
#include "model/view_window.h"
#include "text/prompter.h"

#include <string>

namespace hw {

// The message procedures every command reports and asks through.
void ShowMessageText(Prompter& p, const std::string& text);
// Appends "?" and asks Yes/No; true for Yes.
bool ConfirmQuestion(Prompter& p, const std::string& text);
// Appends "?" and asks Yes/No/Cancel: 1 Yes, 2 No, 3 Cancel (anything else).
int ConfirmQuestion3(Prompter& p, const std::string& text);
// OK/Cancel; true for OK.
bool ConfirmOk(Prompter& p, const std::string& text);
// "Cannot find " followed by the name, as an error.
void ReportNotFound(Prompter& p, const std::string& name);
// The "@globnopat" text as information.
void ReportNoPattern(Prompter& p);
// True when there is threading and wefting in view; else reports "No Pattern.".
bool CheckPattern(Prompter& p, const DraftState& d, const ViewWindow& v);

} // namespace hw
