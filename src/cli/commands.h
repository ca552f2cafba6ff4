#pragma once

#include <string>
#include <vector>

namespace hw::cli {

// Exit codes shared by every command.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFileError = 1;
inline constexpr int ExitUsage = 2;

using Args = std::vector<std::string>;

struct Command {
    const char* Name;
    const char* Usage;   // one line: the arguments after the name
    const char* Summary; // one line: what it does
    int (*Run)(const Args& args);
};

// Every command of the tool, in the order --help lists them.
const std::vector<Command>& Commands();

// Prints "usage: heddlewise-cli <name> <usage>" to stderr and returns ExitUsage.
int UsageError(const Command& cmd, const std::string& why);

} // namespace hw::cli
