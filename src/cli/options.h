#pragma once

#include "commands.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace hw::cli {

// A numeric option, "--name N" or "--name=N", whole numbers in Lo..Hi.
struct NumberOption {
    const char* Name;
    int Lo, Hi;
    int* Value;
};
// An option without a value.
struct FlagOption {
    const char* Name;
    bool* Value;
};

// Sorts the arguments into paths and options. On a usage error it reports
// it and gives the exit status; nothing on success.
std::optional<int> ParseOptions(const Command& self, const Args& args,
                                std::initializer_list<NumberOption> numbers,
                                std::initializer_list<FlagOption> flags,
                                std::vector<std::string>& paths);

} // namespace hw::cli
