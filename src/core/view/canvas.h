#pragma once

#include "model/draft_state.h"

#include <cstdint>

namespace hw {

// A rectangle of device pixels: x, y and a size.
struct PixelBox {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    bool Empty() const { return Width <= 0 || Height <= 0; }
    bool operator==(const PixelBox&) const = default;
};

// The smallest box holding both.
PixelBox Union(const PixelBox& a, const PixelBox& b);

// An RGB32 pixel (0xFFRRGGBB), the layout of the raster buffers.
inline constexpr uint32_t ToRgb32(ColorRef c) {
    return 0xFF000000u | (uint32_t(ColorRed(c)) << 16) | (uint32_t(ColorGreen(c)) << 8) |
           uint32_t(ColorBlue(c));
}
inline constexpr ColorRef FromRgb32(uint32_t p) {
    return MakeColorRef(uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p));
}

// Where the renderers draw: the screen buffer, a PNG picture or a printer.
// Coordinates are device pixels; lines include both end points.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void FillRect(int x, int y, int width, int height, ColorRef color) = 0;
    virtual void DrawLine(int x0, int y0, int x1, int y1, ColorRef color) = 0;
    virtual void SetPixel(int x, int y, ColorRef color) = 0;
    // Copies a block of RGB32 pixels (stride in pixels). Canvases without a
    // faster way fall back to one pixel at a time.
    virtual void Blit(int x, int y, int width, int height, const uint32_t* pixels, int stride);
    // Whether anything drawn on rows y .. y + height - 1 can show; painters
    // skip the work for rows that cannot.
    virtual bool ShowsRows(int y, int height) const;
};

} // namespace hw
