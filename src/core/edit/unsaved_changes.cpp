#include "edit/unsaved_changes.h"

#include "text/lang.h"
#include "text/messages.h"

namespace hw {

bool ConfirmDiscardChanges(Prompter& prompter, const DraftState& d,
                           const std::function<bool()>& save) {
    if (!d.Changed) return true;
    const std::string question = d.FileName.empty()
                                     ? GetText(GeneralForm, "@globsavepres")
                                     : GetText(GeneralForm, "@globsavech") + " " + d.FileName;
    switch (ConfirmQuestion3(prompter, question)) {
    case 1:
        return save();
    case 2:
        return true;
    default:
        return false;
    }
}

} // namespace hw
