#include "options.h"

#include <charconv>

namespace hw::cli {

// A whole decimal number in lo..hi, or nothing.
static bool ParseBounded(const std::string& text, int lo, int hi, int& value) {
    int v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end || v < lo || v > hi) return false;
    value = v;
    return true;
}

std::optional<int> ParseOptions(const Command& self, const Args& args,
                                std::initializer_list<NumberOption> numbers,
                                std::initializer_list<FlagOption> flags,
                                std::vector<std::string>& paths) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 2 || a[0] != '-') {
            paths.push_back(a);
            continue;
        }
        bool known = false;
        for (const FlagOption& f : flags)
            if (a == f.Name) {
                *f.Value = known = true;
            }
        if (known) continue;
        const NumberOption* option = nullptr;
        std::string value;
        for (const NumberOption& o : numbers) {
            const std::string name = o.Name;
            if (a == name) {
                if (i + 1 >= args.size()) return UsageError(self, name + " needs a value");
                option = &o;
                value = args[++i];
            } else if (a.rfind(name + "=", 0) == 0) {
                option = &o;
                value = a.substr(name.size() + 1);
            }
        }
        if (!option) return UsageError(self, "unknown option " + a);
        if (!ParseBounded(value, option->Lo, option->Hi, *option->Value))
            return UsageError(self, std::string(option->Name) + " must be a number in " +
                                        std::to_string(option->Lo) + ".." +
                                        std::to_string(option->Hi));
    }
    return std::nullopt;
}

} // namespace hw::cli
