#include "print/print_canvas.h"

#include <algorithm>

namespace hw {

namespace {

// A coordinate of a grid of cells of `from` pixels on a grid of cells of
// `to` dots: the corner and the first pixel inside keep their offsets.
int MapAxis(int v, int from, int to) {
    int q = v / from, r = v % from;
    if (r < 0) {
        r += from;
        --q;
    }
    int offset = r;
    if (r > 1) offset = int((2LL * r * to + from) / (2LL * from));
    return q * to + std::min(offset, to);
}

} // namespace

PrintCanvas::PrintCanvas(Canvas& target, const PrintScale& scale) : target_(target), s_(scale) {
    s_.Cell = std::max(s_.Cell, 2);
    s_.PenX = std::max(s_.PenX, 1);
    s_.PenY = std::max(s_.PenY, 1);
}

int PrintCanvas::MapX(int x) const {
    return s_.OriginX + MapAxis(x, s_.Cell, s_.CellWidth);
}

int PrintCanvas::MapY(int y) const {
    return s_.OriginY + MapAxis(y, s_.Cell, s_.CellHeight);
}

void PrintCanvas::FillRect(int x, int y, int width, int height, ColorRef color) {
    if (width <= 0 || height <= 0) return;
    // A fill that ends at a grid line stops where the wider line begins.
    const int x1 = MapX(x + width) - ((x + width) % s_.Cell == 0 ? s_.PenX - 1 : 0);
    const int y1 = MapY(y + height) - ((y + height) % s_.Cell == 0 ? s_.PenY - 1 : 0);
    const int x0 = MapX(x), y0 = MapY(y);
    if (x1 > x0 && y1 > y0) target_.FillRect(x0, y0, x1 - x0, y1 - y0, color);
}

void PrintCanvas::SetPixel(int x, int y, ColorRef color) {
    FillRect(x, y, 1, 1, color);
}

void PrintCanvas::DrawLine(int x0, int y0, int x1, int y1, ColorRef color) {
    if (y0 == y1) {
        const int left = MapX(std::min(x0, x1)) - (s_.PenX - 1);
        const int right = MapX(std::max(x0, x1));
        target_.FillRect(left, MapY(y0) - (s_.PenY - 1), right - left + 1, s_.PenY, color);
    } else if (x0 == x1) {
        const int top = MapY(std::min(y0, y1)) - (s_.PenY - 1);
        const int bottom = MapY(std::max(y0, y1));
        target_.FillRect(MapX(x0) - (s_.PenX - 1), top, s_.PenX, bottom - top + 1, color);
    } else {
        target_.DrawLine(MapX(x0), MapY(y0), MapX(x1), MapY(y1), color);
    }
}

void PrintCanvas::Blit(int x, int y, int width, int height, const uint32_t* pixels, int stride) {
    if (width <= 0 || height <= 0) return;
    const int dx = MapX(x), dy = MapY(y);
    if (s_.CellWidth == s_.Cell && s_.CellHeight == s_.Cell) {
        target_.Blit(dx, dy, width, height, pixels, stride);
        return;
    }
    // Nearest pixel: each dot takes the pixel of the drawing it lies in.
    const int dw = MapX(x + width) - dx, dh = MapY(y + height) - dy;
    if (dw <= 0 || dh <= 0) return;
    columns_.resize(size_t(dw));
    for (int u = 0; u < width; ++u)
        for (int X = MapX(x + u) - dx; X < MapX(x + u + 1) - dx; ++X) columns_[size_t(X)] = u;
    buffer_.resize(size_t(dw) * size_t(dh));
    for (int v = 0; v < height; ++v) {
        const uint32_t* src = pixels + size_t(v) * size_t(stride);
        for (int Y = MapY(y + v) - dy; Y < MapY(y + v + 1) - dy; ++Y) {
            uint32_t* row = buffer_.data() + size_t(Y) * size_t(dw);
            for (int X = 0; X < dw; ++X) row[X] = src[columns_[size_t(X)]];
        }
    }
    target_.Blit(dx, dy, dw, dh, buffer_.data(), dw);
}

} // namespace hw
