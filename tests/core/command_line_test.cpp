#include "settings/command_line.h"

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

} // namespace
} // namespace hw
