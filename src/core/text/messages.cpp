#include "text/messages.h"

#include "model/primitives.h"
#include "text/lang.h"

namespace hw {

void ShowMessageText(Prompter& p, const std::string& text) {
    p.ShowInfo(text);
}

bool ConfirmQuestion(Prompter& p, const std::string& text) {
    return p.AskYesNo(text + "?") == IdYes;
}

int ConfirmQuestion3(Prompter& p, const std::string& text) {
    switch (p.AskYesNoCancel(text + "?")) {
    case IdYes:
        return 1;
    case IdNo:
        return 2;
    default:
        return 3; // Cancel, Escape or anything unexpected never counts as an answer
    }
}

bool ConfirmOk(Prompter& p, const std::string& text) {
    return p.AskOkCancel(text) == IdOk;
}

void ReportNotFound(Prompter& p, const std::string& name) {
    p.ShowError("Cannot find " + name);
}

void ReportNoPattern(Prompter& p) {
    ShowMessageText(p, GetText(GeneralForm, "@globnopat"));
}

bool CheckPattern(Prompter& p, const DraftState& d, const ViewWindow& v) {
    if (ThreadingInView(d, v) && WeftingInView(d, v)) return true;
    ReportNoPattern(p);
    return false;
}

} // namespace hw
