#pragma once

#include "model/draft_state.h"

#include <png.h>

#include <string>
#include <vector>

namespace hw::test {

// A PNG file as its colours, row after row; empty when it cannot be read.
struct Picture {
    int Width = 0, Height = 0;
    bool Indexed = false;
    std::vector<ColorRef> Pixels;
    ColorRef At(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
};

inline Picture ReadPng(const std::string& path) {
    Picture pic;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return pic;
    pic.Indexed = png.format & PNG_FORMAT_FLAG_COLORMAP;
    png.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) return pic;
    pic.Width = int(png.width), pic.Height = int(png.height);
    for (size_t i = 0; i < rgb.size(); i += 3)
        pic.Pixels.push_back(MakeColorRef(rgb[i], rgb[i + 1], rgb[i + 2]));
    return pic;
}

} // namespace hw::test
