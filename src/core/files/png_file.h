#pragma once

#include "model/draft_state.h"
#include "model/message.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace hw {

// A picture handed to the PNG writer one row at a time, top row first, so
// that memory grows with its width, never with its area.
struct PngPicture {
    int Width = 0;
    int Height = 0;
    // The colours the picture may hold; it may list some it does not use.
    // With at most 256 of them the file stores palette indexes, packed to 1,
    // 2 or 4 bits when they are few enough. Empty: RGB.
    std::vector<ColorRef> Palette;
    // Exactly one of these fills a row: as indexes into Palette, or as
    // RGB32 pixels (0xFFRRGGBB; with a Palette every pixel must be in it).
    std::function<void(int y, uint8_t* indexes)> IndexRow;
    std::function<void(int y, uint32_t* pixels)> PixelRow;
    // Rows often equal the one above (cells many pixels high): the "up"
    // filter makes them all zeros. Elsewhere filtering only costs time.
    bool RowsRepeat = false;
};

// Writes the picture with libpng. The file is written beside the target and
// renamed over it when complete, so a failure ("File Write Error") leaves
// any old file as it was.
Status WritePng(const std::string& path, const PngPicture& picture);

// RGB32 pixels in memory (stride in pixels); indexed when the buffer holds
// at most 256 colours.
Status WritePng(const std::string& path, const uint32_t* pixels, int width, int height, int stride);

// Bits per palette index for a number of colours: 1, 2, 4 or 8.
int PngBitDepth(int colors);

} // namespace hw
