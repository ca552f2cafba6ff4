#include "text/messages.h"

#include "text/lang.h"

#include "scripted_prompter.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

#include <string>

namespace hw {
namespace {

using test::ScriptedPrompter;

struct LanguageReset {
    LanguageReset() { SetLanguage(LangEnglish); }
    ~LanguageReset() { SetLanguage(LangEnglish); }
};

TEST(MessageProcedures, ConfirmQuestionAddsAQuestionMarkAndIsTrueOnlyForYes) {
    const struct {
        int answer;
        bool result;
    } cases[] = {{IdYes, true}, {IdNo, false}, {IdCancel, false}, {IdOk, false}, {0, false}};
    for (const auto& c : cases) {
        ScriptedPrompter p;
        p.Answers = {c.answer};
        EXPECT_EQ(ConfirmQuestion(p, "Rotate Pattern"), c.result) << c.answer;
        ASSERT_EQ(p.Shown.size(), 1u);
        EXPECT_EQ(p.Shown[0].Kind, "yesno");
        EXPECT_EQ(p.Shown[0].Text, "Rotate Pattern?");
    }
}

TEST(MessageProcedures, ConfirmQuestion3CountsEverythingButYesAndNoAsCancel) {
    const struct {
        int answer;
        int choice;
    } cases[] = {{IdYes, 1}, {IdNo, 2}, {IdCancel, 3}, {IdOk, 3}, {0, 3}, {-1, 3}};
    for (const auto& c : cases) {
        ScriptedPrompter p;
        p.Answers = {c.answer};
        EXPECT_EQ(ConfirmQuestion3(p, "Save changes to rose.hdw"), c.choice) << c.answer;
        ASSERT_EQ(p.Shown.size(), 1u);
        EXPECT_EQ(p.Shown[0].Kind, "yesnocancel");
        EXPECT_EQ(p.Shown[0].Text, "Save changes to rose.hdw?");
    }
}

TEST(MessageProcedures, ConfirmOkAsksOkCancelWithTheTextAsItIs) {
    ScriptedPrompter p;
    p.Answers = {IdOk, IdCancel, IdYes};
    EXPECT_TRUE(ConfirmOk(p, "Convert to straight threading?"));
    EXPECT_FALSE(ConfirmOk(p, "Convert to straight threading?"));
    EXPECT_FALSE(ConfirmOk(p, "x"));
    ASSERT_EQ(p.Shown.size(), 3u);
    EXPECT_EQ(p.Shown[0].Kind, "okcancel");
    EXPECT_EQ(p.Shown[0].Text, "Convert to straight threading?");
}

TEST(MessageProcedures, InformationAndErrorsGoToTheirBoxes) {
    ScriptedPrompter p;
    ShowMessageText(p, "Warp repeat not found.");
    const std::string longPath = "/home/weaver/" + std::string(600, 'p') + ".hdw";
    ReportNotFound(p, longPath);
    ASSERT_EQ(p.Shown.size(), 2u);
    EXPECT_EQ(p.Shown[0].Kind, "info");
    EXPECT_EQ(p.Shown[0].Text, "Warp repeat not found.");
    EXPECT_EQ(p.Shown[1].Kind, "error");
    // The whole name, not cut at some buffer size.
    EXPECT_EQ(p.Shown[1].Text, "Cannot find " + longPath);
}

TEST(MessageProcedures, NoPatternIsLookedUpWhenShown) {
    LanguageReset reset;
    ScriptedPrompter p;
    ReportNoPattern(p);
    SetLanguage(LangGerman);
    ReportNoPattern(p);
    SetLanguage(LangFinnish);
    ReportNoPattern(p);
    ASSERT_EQ(p.Shown.size(), 3u);
    EXPECT_EQ(p.Shown[0].Kind, "info");
    EXPECT_EQ(p.Shown[0].Text, "No Pattern.");
    EXPECT_EQ(p.Shown[1].Text, "Kein Muster.");
    EXPECT_EQ(p.Shown[2].Text, "Ei mallia.");
}

ViewWindow ShowingFirst(int ends, int picks) {
    ViewWindow v;
    v.VisibleEnds = ends;
    v.VisiblePicks = picks;
    return v;
}

TEST(CheckPattern, RefusesAnEmptyDraftWithNoPattern) {
    LanguageReset reset;
    auto d = test::NewDraft();
    ScriptedPrompter p;
    EXPECT_FALSE(CheckPattern(p, *d, ShowingFirst(100, 100)));
    ASSERT_EQ(p.Shown.size(), 1u);
    EXPECT_EQ(p.Shown[0].Kind, "info");
    EXPECT_EQ(p.Shown[0].Text, "No Pattern.");
}

TEST(CheckPattern, NeedsThreadingAndWeftingInView) {
    LanguageReset reset;
    struct Case {
        const char* what;
        bool threaded, treadled;
        int threadedEnd, treadledPick;
        bool expected;
    };
    const Case cases[] = {
        {"both in view", true, true, 3, 5, true},
        {"threading only", true, false, 3, 5, false},
        {"treadling only", false, true, 3, 5, false},
        {"threading scrolled past the view", true, true, 150, 5, false},
        {"treadling scrolled past the view", true, true, 3, 150, false},
    };
    for (const Case& c : cases) {
        auto d = test::NewDraft();
        if (c.threaded) d->Threading[size_t(c.threadedEnd)] = 2;
        if (c.treadled) d->Treadling[size_t(c.treadledPick)] = 1;
        ScriptedPrompter p;
        EXPECT_EQ(CheckPattern(p, *d, ShowingFirst(100, 100)), c.expected) << c.what;
        EXPECT_EQ(p.Shown.size(), c.expected ? 0u : 1u) << c.what;
    }
}

TEST(CheckPattern, ReadsTheLiftplanOutsideSingleTreadling) {
    auto d = test::NewDraft();
    d->Threading[1] = 1;
    SetLoomSystem(*d, LoomSystem::Liftplan);
    d->Treadling[1] = 1; // ignored in liftplan mode
    ScriptedPrompter p;
    EXPECT_FALSE(CheckPattern(p, *d, ShowingFirst(10, 10)));
    d->Liftplan[4] = 0x0005;
    EXPECT_TRUE(CheckPattern(p, *d, ShowingFirst(10, 10)));
    EXPECT_EQ(p.Shown.size(), 1u);
}

} // namespace
} // namespace hw
