#include "print/print_text.h"

namespace hw {

namespace {

bool Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte offset after the next character from pos.
size_t NextChar(const std::string& s, size_t pos) {
    ++pos;
    while (pos < s.size() && Continuation(s[pos])) ++pos;
    return pos;
}

} // namespace

int Utf8Length(const std::string& utf8) {
    int n = 0;
    for (char c : utf8) n += Continuation(c) ? 0 : 1;
    return n;
}

std::vector<std::string> TextLines(const std::string& text, bool tabsToSpaces) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.push_back(std::move(line));
            line.clear();
        } else {
            line += (tabsToSpaces && c == '\t') ? ' ' : c;
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> WrapText(const std::string& line, int width,
                                  const std::function<int(const std::string&)>& measure) {
    std::vector<std::string> pieces;
    std::string rest = line;
    while (measure(rest) > width) {
        // The longest front that fits, by whole characters (at least one).
        size_t fits = NextChar(rest, 0);
        for (size_t next = fits; next < rest.size(); fits = next) {
            next = NextChar(rest, fits);
            if (measure(rest.substr(0, next)) > width) break;
        }
        // Inside a word, go back to the space before it.
        size_t cut = fits;
        if (fits < rest.size() && rest[fits] != ' ') {
            const size_t space = rest.rfind(' ', fits - 1);
            if (space != std::string::npos && space > 0) cut = space;
        }
        std::string piece = rest.substr(0, cut);
        while (!piece.empty() && piece.back() == ' ') piece.pop_back();
        if (piece.empty()) {
            cut = fits;
            piece = rest.substr(0, cut);
        }
        while (cut < rest.size() && rest[cut] == ' ') ++cut;
        pieces.push_back(std::move(piece));
        rest = rest.substr(cut);
        if (rest.empty()) return pieces;
    }
    pieces.push_back(rest);
    return pieces;
}

} // namespace hw
