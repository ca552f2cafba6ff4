#include "view/raster_canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace hw {

PixelBox Union(const PixelBox& a, const PixelBox& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    const int x0 = std::min(a.X, b.X);
    const int y0 = std::min(a.Y, b.Y);
    const int x1 = std::max(a.X + a.Width, b.X + b.Width);
    const int y1 = std::max(a.Y + a.Height, b.Y + b.Height);
    return {x0, y0, x1 - x0, y1 - y0};
}

void Canvas::Blit(int x, int y, int width, int height, const uint32_t* pixels, int stride) {
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) SetPixel(x + c, y + r, FromRgb32(pixels[r * stride + c]));
}

bool Canvas::ShowsRows(int, int) const {
    return true;
}

RasterCanvas::RasterCanvas(int width, int height, ColorRef fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), stride_(width_) {
    own_.assign(size_t(width_) * size_t(height_), ToRgb32(fill));
    pixels_ = own_.data();
}

RasterCanvas::RasterCanvas(uint32_t* pixels, int width, int height, int strideBytes)
    : pixels_(pixels), width_(std::max(width, 0)), height_(std::max(height, 0)),
      stride_(strideBytes / int(sizeof(uint32_t))) {}

uint32_t RasterCanvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[size_t(y) * size_t(stride_) + size_t(x)];
}

bool RasterCanvas::Clip(int& x, int& y, int& w, int& h) {
    x -= originX_;
    y -= originY_;
    int x1 = x + w, y1 = y + h;
    x = std::max(x, 0);
    y = std::max(y, 0);
    x1 = std::min(x1, width_);
    y1 = std::min(y1, height_);
    if (x1 <= x || y1 <= y) return false;
    w = x1 - x;
    h = y1 - y;
    dirty_ = Union(dirty_, {x, y, w, h});
    return true;
}

uint32_t* RasterCanvas::Block(int x, int y, int width, int height) {
    x -= originX_;
    y -= originY_;
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || x + width > width_ || y + height > height_)
        return nullptr;
    dirty_ = Union(dirty_, {x, y, width, height});
    return pixels_ + size_t(y) * size_t(stride_) + size_t(x);
}

void RasterCanvas::FillClipped(int x, int y, int w, int h, uint32_t p) {
    for (int r = 0; r < h; ++r) {
        uint32_t* row = pixels_ + size_t(y + r) * size_t(stride_) + size_t(x);
        std::fill(row, row + w, p);
    }
}

void RasterCanvas::FillRect(int x, int y, int width, int height, ColorRef color) {
    if (!Clip(x, y, width, height)) return;
    FillClipped(x, y, width, height, ToRgb32(color));
}

void RasterCanvas::SetPixel(int x, int y, ColorRef color) {
    FillRect(x, y, 1, 1, color);
}

void RasterCanvas::DrawLine(int x0, int y0, int x1, int y1, ColorRef color) {
    if (x0 == x1 || y0 == y1) {
        // The grid is all straight lines: one fill each.
        FillRect(std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1,
                 color);
        return;
    }
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        SetPixel(x0, y0, color);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void RasterCanvas::Blit(int x, int y, int width, int height, const uint32_t* pixels, int stride) {
    int cx = x, cy = y, cw = width, ch = height;
    if (!Clip(cx, cy, cw, ch)) return;
    x -= originX_; // the source's corner, in buffer coordinates as cx, cy
    y -= originY_;
    for (int r = 0; r < ch; ++r) {
        const uint32_t* src = pixels + size_t(cy - y + r) * size_t(stride) + size_t(cx - x);
        std::memcpy(pixels_ + size_t(cy + r) * size_t(stride_) + size_t(cx), src,
                    size_t(cw) * sizeof(uint32_t));
    }
}

} // namespace hw
