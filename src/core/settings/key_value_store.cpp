#include "settings/key_value_store.h"

#include <cctype>
#include <charconv>

namespace hw {

static std::string Trimmed(const std::string& text) {
    size_t b = 0, e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
    return text.substr(b, e - b);
}

std::optional<long long> ParseStoredInt(const std::string& text) {
    std::string t = Trimmed(text);
    if (!t.empty() && t[0] == '+') t.erase(0, 1);
    if (t.empty()) return std::nullopt;
    long long value = 0;
    const char* end = t.data() + t.size();
    const auto [ptr, ec] = std::from_chars(t.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

std::optional<bool> ParseStoredBool(const std::string& text) {
    if (const auto n = ParseStoredInt(text)) return *n != 0;
    std::string t = Trimmed(text);
    for (char& c : t) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (t == "true") return true;
    if (t == "false") return false;
    return std::nullopt;
}

std::optional<long long> MemoryStore::GetInt(const std::string& group,
                                             const std::string& name) const {
    const auto t = Text(group, name);
    return t ? ParseStoredInt(*t) : std::nullopt;
}

std::optional<bool> MemoryStore::GetBool(const std::string& group, const std::string& name) const {
    const auto t = Text(group, name);
    return t ? ParseStoredBool(*t) : std::nullopt;
}

std::optional<std::string> MemoryStore::GetString(const std::string& group,
                                                  const std::string& name) const {
    return Text(group, name);
}

void MemoryStore::SetInt(const std::string& group, const std::string& name, long long value) {
    SetText(group, name, std::to_string(value));
}

void MemoryStore::SetBool(const std::string& group, const std::string& name, bool value) {
    SetText(group, name, value ? "1" : "0");
}

void MemoryStore::SetString(const std::string& group, const std::string& name,
                            const std::string& value) {
    SetText(group, name, value);
}

bool MemoryStore::Flush() {
    ++Flushes;
    return !Broken;
}

void MemoryStore::SetText(const std::string& group, const std::string& name,
                          const std::string& text) {
    if (Broken) return;
    values_[{group, name}] = text;
}

std::optional<std::string> MemoryStore::Text(const std::string& group,
                                             const std::string& name) const {
    if (Broken) return std::nullopt;
    const auto it = values_.find({group, name});
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

bool MemoryStore::Has(const std::string& group, const std::string& name) const {
    return values_.count({group, name}) != 0;
}

} // namespace hw
