#include "files/message_text.h"

#include "text/lang.h"

namespace hw {

std::string MessageText(const Message& m) {
    // The key comes in a variable here; each key the core reports has a test
    // that its table holds it.
    std::string (*const lookup)(const std::string&, const std::string&) = GetText;
    const std::string pattern = m.Form.empty() ? m.Key : lookup(m.Form, m.Key);
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const size_t arg = size_t(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && arg < m.Args.size()) {
            text += m.Args[arg];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace hw
