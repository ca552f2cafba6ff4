#pragma once

#include "text/prompter.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace hw {

// The message boxes of the program: captioned "Heddlewise" (errors "Error"),
// with the buttons in the current language. Each returns the pressed button
// as IdOk, IdCancel, IdYes or IdNo; Escape answers Cancel where there is one.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr);

    void ShowInfo(const std::string& text) override;
    int AskYesNo(const std::string& text) override;
    int AskYesNoCancel(const std::string& text) override;
    int WarnYesNoCancel(const std::string& text) override;
    int AskOkCancel(const std::string& text) override;
    void ShowError(const std::string& text) override;

private:
    QPointer<QWidget> parent_;
};

// Texts longer than this show their beginning in the box and the whole text
// under "Show Details...", so that no box grows past the screen.
inline constexpr int MessageBoxShortLength = 1000;

// A text as the box shows it: plain text (never markup), with invisible
// break chances in words so long they would widen the box past the screen.
QString MessageBoxText(const std::string& text);

} // namespace hw
