#pragma once

#include "view/canvas.h"

#include <cstdint>
#include <vector>

namespace hw {

// A canvas over an RGB32 pixel buffer, either its own or one it is lent (a
// QImage's bits, say). Everything drawn is clipped to the buffer, and the box
// of all pixels touched since the last ResetDirty is kept, so a window knows
// what to bring to the screen.
class RasterCanvas : public Canvas {
public:
    RasterCanvas(int width, int height, ColorRef fill = 0xFFFFFF);
    // Lends a buffer; strideBytes is the distance between rows in bytes.
    RasterCanvas(uint32_t* pixels, int width, int height, int strideBytes);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return stride_; } // in pixels
    const uint32_t* Data() const { return pixels_; }
    uint32_t Pixel(int x, int y) const; // 0 outside the buffer
    ColorRef PixelColor(int x, int y) const { return FromRgb32(Pixel(x, y)); }

    // Makes the buffer show the drawing from (x, y) on: a band of a picture
    // too large to hold at once. Pixel, Block and Dirty stay in buffer
    // coordinates.
    void SetOrigin(int x, int y) {
        originX_ = x;
        originY_ = y;
    }
    bool ShowsRows(int y, int height) const override {
        return y < originY_ + height_ && y + height > originY_;
    }

    PixelBox Dirty() const { return dirty_; }
    void ResetDirty() { dirty_ = {}; }

    // Direct access to a block (drawing coordinates) that lies wholly inside
    // the buffer, marked as drawn; nullptr otherwise. Rows are Stride()
    // pixels apart.
    uint32_t* Block(int x, int y, int width, int height);

    void FillRect(int x, int y, int width, int height, ColorRef color) override;
    void DrawLine(int x0, int y0, int x1, int y1, ColorRef color) override;
    void SetPixel(int x, int y, ColorRef color) override;
    void Blit(int x, int y, int width, int height, const uint32_t* pixels, int stride) override;

private:
    // Clips the box to the buffer, marks it dirty; false when nothing is left.
    bool Clip(int& x, int& y, int& w, int& h);
    void FillClipped(int x, int y, int w, int h, uint32_t p);

    std::vector<uint32_t> own_;
    uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    int originX_ = 0;
    int originY_ = 0;
    PixelBox dirty_;
};

} // namespace hw
