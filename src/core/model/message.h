#pragma once

#include <optional>
#include <string>
#include <vector>

namespace hw {

// Something the core has to tell the user: why an operation failed, or what
// an operation that went through could not keep. The core never shows it;
// the editor puts it in a message box, heddlewise-cli prints it on stderr
// (MessageText in files/message_text.h gives the text).
struct Message {
    // The translation table that holds Key; empty when Key is the text
    // itself (file and format errors are fixed English texts).
    std::string Form;
    std::string Key;
    // What %1, %2, ... in the text stand for.
    std::vector<std::string> Args;
    bool operator==(const Message&) const = default;
};

// The result of an operation that can fail: true on success, else Error
// says why.
struct Status {
    std::optional<Message> Error;
    explicit operator bool() const { return !Error; }
};

inline Status Failed(std::string text, std::vector<std::string> args = {}) {
    return {Message{{}, std::move(text), std::move(args)}};
}

} // namespace hw
