#include "text/messages.h"

#include "text/lang.h"

#include "scripted_prompter.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

#include <string>

namespace hw {
namespace {

using test::ScriptedPrompter;

TEST(MessageProcedures, QuestionsAddAQuestionMarkAndMapTheAnswers) {
    const struct {
        int answer;
        bool yes;
        int choice3;
        bool ok;
    } cases[] = {{IdYes, true, 1, false},
                 {IdNo, false, 2, false},
                 {IdCancel, false, 3, false},
                 {IdOk, false, 3, true},
                 {0, false, 3, false}};
    for (const auto& c : cases) {
        ScriptedPrompter p;
        p.Answers = {c.answer, c.answer, c.answer};
        EXPECT_EQ(ConfirmQuestion(p, "Rotate Pattern"), c.yes) << c.answer;
        EXPECT_EQ(ConfirmQuestion3(p, "Save changes to rose.hdw"), c.choice3) << c.answer;
        EXPECT_EQ(ConfirmOk(p, "Convert to straight threading?"), c.ok) << c.answer;
        ASSERT_EQ(p.Shown.size(), 3u);
        EXPECT_EQ(p.Shown[0].Kind, "yesno");
        EXPECT_EQ(p.Shown[0].Text, "Rotate Pattern?");
        EXPECT_EQ(p.Shown[1].Kind, "yesnocancel");
        EXPECT_EQ(p.Shown[1].Text, "Save changes to rose.hdw?");
        EXPECT_EQ(p.Shown[2].Kind, "okcancel");
        EXPECT_EQ(p.Shown[2].Text, "Convert to straight threading?");
    }
}

TEST(MessageProcedures, ReportsGoToTheirBoxesWhole) {
    ScriptedPrompter p;
    ShowMessageText(p, "Warp repeat not found.");
    const std::string longPath = "/home/weaver/" + std::string(600, 'p') + ".hdw";
    ReportNotFound(p, longPath);
    ASSERT_EQ(p.Shown.size(), 2u);
    EXPECT_EQ(p.Shown[0].Kind, "info");
    EXPECT_EQ(p.Shown[0].Text, "Warp repeat not found.");
    EXPECT_EQ(p.Shown[1].Kind, "error");
    EXPECT_EQ(p.Shown[1].Text, "Cannot find " + longPath); // not cut at any buffer size
}

TEST(MessageProcedures, NoPatternIsLookedUpWhenShown) {
    ScriptedPrompter p;
    for (int lang : {LangEnglish, LangGerman, LangFinnish}) {
        SetLanguage(lang);
        ReportNoPattern(p);
    }
    SetLanguage(LangEnglish);
    ASSERT_EQ(p.Shown.size(), 3u);
    EXPECT_EQ(p.Shown[0].Kind, "info");
    EXPECT_EQ(p.Shown[0].Text, "No Pattern.");
    EXPECT_EQ(p.Shown[1].Text, "Kein Muster.");
    EXPECT_EQ(p.Shown[2].Text, "Ei mallia.");
}

TEST(CheckPattern, NeedsThreadingAndWeftingInView) {
    ViewWindow v;
    v.VisibleEnds = v.VisiblePicks = 100;
    const struct {
        const char* what;
        int threadedEnd, treadledPick; // 0: none
        bool expected;
    } cases[] = {
        {"empty draft", 0, 0, false},
        {"both in view", 3, 5, true},
        {"threading only", 3, 0, false},
        {"treadling only", 0, 5, false},
        {"threading past the view", 150, 5, false},
        {"treadling past the view", 3, 150, false},
    };
    for (const auto& c : cases) {
        auto d = test::NewDraft();
        if (c.threadedEnd) d->Threading[size_t(c.threadedEnd)] = 2;
        if (c.treadledPick) d->Treadling[size_t(c.treadledPick)] = 1;
        ScriptedPrompter p;
        EXPECT_EQ(CheckPattern(p, *d, v), c.expected) << c.what;
        if (c.expected) {
            EXPECT_TRUE(p.Shown.empty()) << c.what;
        } else {
            ASSERT_EQ(p.Shown.size(), 1u) << c.what;
            EXPECT_EQ(p.Shown[0].Kind, "info");
            EXPECT_EQ(p.Shown[0].Text, "No Pattern.");
        }
    }
}

TEST(CheckPattern, ReadsTheLiftplanOutsideSingleTreadling) {
    auto d = test::NewDraft();
    ViewWindow v;
    v.VisibleEnds = v.VisiblePicks = 10;
    d->Threading[1] = 1;
    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Treadling[1] = 1; // not read in liftplan mode
    ScriptedPrompter p;
    EXPECT_FALSE(CheckPattern(p, *d, v));
    d->Liftplan[4] = 0x0005;
    EXPECT_TRUE(CheckPattern(p, *d, v));
}

} // namespace
} // namespace hw
