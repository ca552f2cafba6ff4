#pragma once

#include "model/message.h"

#include <cstdint>
#include <string>

namespace hw {

// Writes RGB32 pixels (0xFFRRGGBB, stride in pixels) as an 8-bit-per-channel
// RGB PNG file. The file is written beside the target and renamed over it
// when complete, so a failure ("File Write Error") leaves any old file as it
// was.
Status WritePng(const std::string& path, const uint32_t* pixels, int width, int height, int stride);

} // namespace hw
