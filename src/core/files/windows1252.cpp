#include "files/windows1252.h"

#include <array>

namespace hw {

namespace {

// Code points of bytes 0x80..0x9F; the undefined ones keep their own value.
constexpr std::array<char32_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

int ByteFor(char32_t c) {
    if (c == 0) return '?';
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return int(c);
    for (size_t i = 0; i < High.size(); ++i)
        if (High[i] == c) return int(0x80 + i);
    return '?';
}

// Decodes one UTF-8 character at s[i]; returns its length, or 0 when the
// sequence is malformed (overlong, surrogate, truncated, out of range).
size_t NextChar(const std::string& s, size_t i, char32_t& c) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = b(i);
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    size_t len;
    char32_t min;
    if ((lead & 0xE0) == 0xC0) {
        len = 2, c = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        len = 3, c = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        len = 4, c = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b(i + k) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return len;
}

} // namespace

std::string DecodeWindows1252(std::span<const uint8_t> bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (uint8_t b : bytes) AppendUtf8(out, b >= 0x80 && b < 0xA0 ? High[b - 0x80] : char32_t(b));
    return out;
}

std::vector<uint8_t> EncodeWindows1252(const std::string& utf8, size_t maxChars) {
    std::vector<uint8_t> out;
    size_t i = 0;
    while (i < utf8.size() && out.size() < maxChars) {
        char32_t c;
        const size_t len = NextChar(utf8, i, c);
        if (len == 0) {
            out.push_back('?');
            ++i;
            continue;
        }
        out.push_back(uint8_t(ByteFor(c)));
        i += len;
    }
    return out;
}

} // namespace hw
