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
    EXPECT_EQ(PatternFromCommandLine({"/tmp/a.hdw", "extra"}, exists), "/tmp/a.hdw");
    EXPECT_EQ(PatternFromCommandLine({"/home/w/My", "Patterns/rose", "path.hdw"}, exists),
              "/home/w/My Patterns/rose path.hdw");
    // A missing file goes to the loader, which reports it.
    EXPECT_EQ(PatternFromCommandLine({"/tmp/missing.hdw"}, exists), "/tmp/missing.hdw");
}

// Every answer through the real menus is checked with the main window; here
// the question itself: none for an unmodified draft, the file's name in it.
TEST(UnsavedChanges, TheQuestionNamesThePattern) {
    auto d = test::NewDraft();
    test::ScriptedPrompter prompter;
    int saves = 0;
    EXPECT_TRUE(ConfirmDiscardChanges(prompter, *d, [&] { return ++saves, true; }));
    EXPECT_TRUE(prompter.Shown.empty());
    d->Changed = true;
    d->FileName = "/p/rose.hdw";
    prompter.Answers = {IdYes};
    EXPECT_FALSE(ConfirmDiscardChanges(prompter, *d, [&] { return ++saves, false; }));
    EXPECT_EQ(prompter.Shown.back().Kind, "yesnocancel");
    EXPECT_EQ(prompter.LastText(), GetText(GeneralForm, "@globsavech") + " /p/rose.hdw?");
    EXPECT_EQ(saves, 1);
}

} // namespace
} // namespace hw
