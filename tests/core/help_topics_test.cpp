#include "text/help_topics.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace hw {
namespace {

TEST(HelpTopics, ContextsAreUniqueAndPagesNamedForOneOfTheirContexts) {
    std::set<int> contexts;
    for (const HelpTopic& t : HelpTopics()) {
        EXPECT_TRUE(contexts.insert(t.Context).second) << "context twice: " << t.Context;
        EXPECT_GT(std::string(t.Title).size(), 0u) << t.Context;
        // A page is named after a context that uses it, so the page a
        // number opens can be found on disk by the number.
        const HelpTopic* owner = FindHelpTopic(std::stoi(t.Page));
        ASSERT_NE(owner, nullptr) << t.Page;
        EXPECT_STREQ(owner->Page, t.Page);
        EXPECT_EQ(std::string(t.Page), std::to_string(std::stoi(t.Page)) + ".html");
    }
    EXPECT_EQ(HelpTopics().front().Context, help::Contents);
}

TEST(HelpTopics, FixedDialogNumbersOpenTheirOwnPages) {
    // Pattern dialogs and older versions use these numbers; each must reach
    // a page of its own rather than the contents.
    for (int context : {140, 200, 210, 230, 250, 390, 400, 606, 650, 670}) {
        const HelpTopic& t = ResolveHelpTopic(context);
        EXPECT_EQ(t.Context, context);
        EXPECT_EQ(std::string(t.Page), std::to_string(context) + ".html");
    }
}

TEST(HelpTopics, UnknownNumbersShowTheContents) {
    for (int context : {0, -1, 99, 9999})
        EXPECT_EQ(ResolveHelpTopic(context).Context, help::Contents) << context;
    EXPECT_EQ(FindHelpTopic(9999), nullptr);
    EXPECT_EQ(FindHelpTopicByPage("9999.html"), nullptr);
    EXPECT_EQ(FindHelpTopicByPage(""), nullptr);
}

TEST(HelpTopics, SharedPagesAndLanguageFolders) {
    EXPECT_STREQ(ResolveHelpTopic(help::InsertTreadling).Page,
                 ResolveHelpTopic(help::InsertThreading).Page);
    EXPECT_STREQ(ResolveHelpTopic(help::DeleteInLiftplan).Page,
                 ResolveHelpTopic(help::InsertInLiftplan).Page);
    EXPECT_EQ(FindHelpTopicByPage("640.html")->Context, help::InsertThreading);

    EXPECT_STREQ(HelpLanguageFolder(0), "en");
    EXPECT_STREQ(HelpLanguageFolder(1), "de");
    EXPECT_STREQ(HelpLanguageFolder(2), "sv");
    EXPECT_STREQ(HelpLanguageFolder(3), "fi");
    EXPECT_STREQ(HelpLanguageFolder(4), "en");
    EXPECT_STREQ(HelpLanguageFolder(-1), "en");
}

} // namespace
} // namespace hw
