#include "edit/unsaved_changes.h"

#include "text/lang.h"
#include "text/messages.h"

namespace hw {

bool ConfirmDiscardChanges(Prompter& prompter, bool modified, const std::string& fileName,
                           const std::function<bool()>& save) {
    if (!modified) return true;
    const std::string question = fileName.empty()
                                     ? GetText(GeneralForm, "@globsavepres")
                                     : GetText(GeneralForm, "@globsavech") + " " + fileName;
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
