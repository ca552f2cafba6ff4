#pragma once

#include "text/prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace hw::test {

// A Prompter that records every box and answers from a script (IdYes,
// IdNo, IdOk, IdCancel in order); an empty script answers Cancel.
struct ScriptedPrompter : Prompter {
    struct Box {
        std::string Kind, Text; // kind: "info", "yesno", "yesnocancel", "warn", "okcancel", "error"
    };
    std::vector<Box> Shown;
    std::deque<int> Answers;

    void ShowInfo(const std::string& text) override { Shown.push_back({"info", text}); }
    int AskYesNo(const std::string& text) override { return Ask("yesno", text); }
    int AskYesNoCancel(const std::string& text) override { return Ask("yesnocancel", text); }
    int WarnYesNoCancel(const std::string& text) override { return Ask("warn", text); }
    int AskOkCancel(const std::string& text) override { return Ask("okcancel", text); }
    void ShowError(const std::string& text) override { Shown.push_back({"error", text}); }

    std::string LastText() const { return Shown.empty() ? std::string() : Shown.back().Text; }
    int Ask(const char* kind, const std::string& text) {
        Shown.push_back({kind, text});
        const int a = Answers.empty() ? IdCancel : Answers.front();
        if (!Answers.empty()) Answers.pop_front();
        return a;
    }
};

} // namespace hw::test
