#include "text/help_topics.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace hw {
namespace {

TEST(HelpTopics, EveryNumberReachesAPageNamedForOneOfItsNumbers) {
    std::set<int> contexts;
    for (const HelpTopic& t : HelpTopics()) {
        EXPECT_TRUE(contexts.insert(t.Context).second) << "context twice: " << t.Context;
        EXPECT_GT(std::string(t.Title).size(), 0u) << t.Context;
        // The page a number opens can be found on disk by the number.
        const HelpTopic* owner = FindHelpTopic(std::stoi(t.Page));
        ASSERT_NE(owner, nullptr) << t.Page;
        EXPECT_EQ(std::string(t.Page), std::string(owner->Page));
        EXPECT_EQ(std::string(t.Page), std::to_string(std::stoi(t.Page)) + ".html");
    }
    // Pattern dialogs and older versions reach pages of their own.
    for (int context : {140, 200, 210, 230, 250, 390, 400, 606, 650, 670})
        EXPECT_EQ(std::string(ResolveHelpTopic(context).Page), std::to_string(context) + ".html");
    for (int context : {0, -1, 99, 9999})
        EXPECT_EQ(ResolveHelpTopic(context).Context, help::Contents) << context;
    EXPECT_EQ(FindHelpTopicByPage("9999.html"), nullptr);
    EXPECT_EQ(FindHelpTopicByPage("640.html")->Context, help::InsertThreading);
    EXPECT_STREQ(ResolveHelpTopic(help::InsertTreadling).Page,
                 ResolveHelpTopic(help::InsertThreading).Page);
    const char* folders[] = {"en", "de", "sv", "fi", "en", "en"};
    for (int language : {0, 1, 2, 3, 4, -1})
        EXPECT_STREQ(HelpLanguageFolder(language), folders[language < 0 ? 5 : language]);
}

} // namespace
} // namespace hw
