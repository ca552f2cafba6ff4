#include "text/help_topics.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace hw {
namespace {

// Which pages exist in every language is checked with the help window; here
// the table itself: one entry per number, each page named after a number
// that uses it, and anything unknown shows the contents.
TEST(HelpTopics, EveryNumberHasOneEntryAndUnknownNumbersShowTheContents) {
    std::set<int> contexts;
    for (const HelpTopic& t : HelpTopics()) {
        EXPECT_TRUE(contexts.insert(t.Context).second) << "context twice: " << t.Context;
        const HelpTopic* owner = FindHelpTopic(std::stoi(t.Page));
        ASSERT_NE(owner, nullptr) << t.Page;
        EXPECT_EQ(std::string(owner->Page), std::string(t.Page));
    }
    for (int context : {140, 200, 210, 230, 250, 390, 400, 606, 650, 670})
        EXPECT_EQ(std::string(ResolveHelpTopic(context).Page), std::to_string(context) + ".html");
    for (int context : {0, -1, 99, 9999})
        EXPECT_EQ(ResolveHelpTopic(context).Context, help::Contents);
    EXPECT_EQ(FindHelpTopicByPage("640.html")->Context, help::InsertThreading);
    EXPECT_STREQ(HelpLanguageFolder(3), "fi");
    EXPECT_STREQ(HelpLanguageFolder(4), "en");
}

} // namespace
} // namespace hw
