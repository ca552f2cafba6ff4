#include "edit/unsaved_changes.h"
#include "scripted_prompter.h"
#include "settings/command_line.h"
#include "test_drafts.h"
#include "text/lang.h"

#include <gtest/gtest.h>

#include <set>

namespace hw {
namespace {

TEST(CommandLinePattern, AnUnquotedPathWithSpacesStillOpens) {
    const std::set<std::string> files = {"/home/w/My Patterns/rose path.hdw", "/tmp/a.hdw"};
    auto exists = [&](const std::string& p) { return files.count(p) > 0; };
    EXPECT_EQ(PatternFromCommandLine({}, exists), "");
    EXPECT_EQ(PatternFromCommandLine({"/tmp/a.hdw"}, exists), "/tmp/a.hdw");
    EXPECT_EQ(PatternFromCommandLine({"/tmp/a.hdw", "extra"}, exists), "/tmp/a.hdw");
    EXPECT_EQ(PatternFromCommandLine({"/home/w/My", "Patterns/rose", "path.hdw"}, exists),
              "/home/w/My Patterns/rose path.hdw");
    // A missing file goes to the loader, which reports it.
    EXPECT_EQ(PatternFromCommandLine({"/tmp/missing.hdw"}, exists), "/tmp/missing.hdw");
}

TEST(UnsavedChanges, EveryAnswerOnEveryPath) {
    auto d = test::NewDraft();
    test::ScriptedPrompter prompter;
    int saves = 0;
    auto saveOk = [&] { return ++saves, true; };
    auto saveFails = [&] { return ++saves, false; };

    // Unmodified: no question.
    EXPECT_TRUE(ConfirmDiscardChanges(prompter, *d, saveOk));
    EXPECT_TRUE(prompter.Shown.empty());

    d->Changed = true;
    prompter.Answers = {IdYes};
    EXPECT_TRUE(ConfirmDiscardChanges(prompter, *d, saveOk));
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(prompter.Shown.back().Kind, "yesnocancel");
    EXPECT_EQ(prompter.LastText(), GetText(GeneralForm, "@globsavepres") + "?");

    d->FileName = "/p/rose.hdw";
    prompter.Answers = {IdYes};
    EXPECT_FALSE(ConfirmDiscardChanges(prompter, *d, saveFails)); // a failed save stops
    EXPECT_EQ(prompter.LastText(), GetText(GeneralForm, "@globsavech") + " /p/rose.hdw?");
    prompter.Answers = {IdNo};
    EXPECT_TRUE(ConfirmDiscardChanges(prompter, *d, saveOk));
    prompter.Answers = {IdCancel};
    EXPECT_FALSE(ConfirmDiscardChanges(prompter, *d, saveOk));
    EXPECT_EQ(saves, 2);
}

} // namespace
} // namespace hw
