#pragma once

#include <string>

namespace hw {

// Button results, as the message boxes report them.
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;

// The only way the core talks to the user. The app implements it with
// message boxes captioned "Heddlewise"; tests implement it with a script.
class Prompter {
public:
    virtual ~Prompter() = default;
    // OK, information icon.
    virtual void ShowInfo(const std::string& text) = 0;
    // Yes, No; question icon. IdYes or IdNo.
    virtual int AskYesNo(const std::string& text) = 0;
    // Yes, No, Cancel; question icon. IdYes, IdNo or IdCancel.
    virtual int AskYesNoCancel(const std::string& text) = 0;
    // Yes, No, Cancel; exclamation icon. IdYes, IdNo or IdCancel.
    virtual int WarnYesNoCancel(const std::string& text) = 0;
    // OK, Cancel; information icon. IdOk or IdCancel.
    virtual int AskOkCancel(const std::string& text) = 0;
    // Caption "Error", error icon, one OK.
    virtual void ShowError(const std::string& text) = 0;
};

} // namespace hw
