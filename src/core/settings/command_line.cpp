#include "settings/command_line.h"

namespace hw {

std::string PatternFromCommandLine(const std::vector<std::string>& args,
                                   const std::function<bool(const std::string&)>& exists) {
    if (args.empty()) return {};
    const std::string& first = args.front();
    if (first.size() >= 4 && exists(first)) return first;
    std::string joined;
    for (const std::string& a : args) {
        if (!joined.empty()) joined += ' ';
        joined += a;
    }
    // When neither names a file, the loader reports the whole line.
    return joined;
}

} // namespace hw
