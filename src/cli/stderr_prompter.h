#pragma once

#include "text/prompter.h"

#include <cstdio>
#include <string>

namespace hw::cli {

// Reports go to stderr, exactly as the editor would show them; nobody is
// there to answer, so every question is cancelled.
class StderrPrompter : public Prompter {
public:
    void ShowInfo(const std::string& text) override { Print(text); }
    int AskYesNo(const std::string& text) override { return Print(text), IdNo; }
    int AskYesNoCancel(const std::string& text) override { return Print(text), IdCancel; }
    int WarnYesNoCancel(const std::string& text) override { return Print(text), IdCancel; }
    int AskOkCancel(const std::string& text) override { return Print(text), IdCancel; }
    void ShowError(const std::string& text) override { Print(text); }

private:
    static void Print(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }
};

} // namespace hw::cli
