#pragma once

#include <cstdint>
#include <string>

namespace hw {

// Writes RGB32 pixels (0xFFRRGGBB, stride in pixels) as an 8-bit-per-channel
// RGB PNG file. The file is written beside the target and renamed over it
// when complete, so a failure leaves any old file as it was. Returns false
// with a message in error when it could not be written.
bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height, int stride,
              std::string& error);

} // namespace hw
