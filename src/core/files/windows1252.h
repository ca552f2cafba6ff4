#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace hw {

// Pattern notes are single bytes in the Windows-1252 code page. The five
// bytes the code page leaves undefined map to the control characters of the
// same number (as Windows does), so every byte survives a round trip.

// The bytes as UTF-8.
std::string DecodeWindows1252(std::span<const uint8_t> bytes);

// UTF-8 text as at most maxChars Windows-1252 bytes. A character without a
// Windows-1252 byte, a zero character (it would end the text in the file) and
// every byte of a malformed UTF-8 sequence become "?".
std::vector<uint8_t> EncodeWindows1252(const std::string& utf8, size_t maxChars);

} // namespace hw
