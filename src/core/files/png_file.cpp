#include "files/png_file.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace hw {

namespace {

struct PngWriter {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::FILE* file = nullptr;
    ~PngWriter() {
        if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
        if (file) std::fclose(file);
    }
};

// Fills and writes the image; false on any libpng error. Kept apart from
// the locals of WritePng because of setjmp.
bool Encode(PngWriter& w, const uint32_t* pixels, int width, int height, int stride) {
    std::vector<png_byte> row(size_t(width) * 3);
    if (setjmp(png_jmpbuf(w.png))) return false;
    png_init_io(w.png, w.file);
    png_set_IHDR(w.png, w.info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(w.png, w.info);
    for (int y = 0; y < height; ++y) {
        const uint32_t* src = pixels + size_t(y) * size_t(stride);
        for (int x = 0; x < width; ++x) {
            row[size_t(x) * 3] = png_byte(src[x] >> 16);
            row[size_t(x) * 3 + 1] = png_byte(src[x] >> 8);
            row[size_t(x) * 3 + 2] = png_byte(src[x]);
        }
        png_write_row(w.png, row.data());
    }
    png_write_end(w.png, w.info);
    return true;
}

} // namespace

Status WritePng(const std::string& path, const uint32_t* pixels, int width, int height,
                int stride) {
    if (width <= 0 || height <= 0 || stride < width || !pixels) return Failed("Empty image");
    const std::string temp = path + ".tmp";
    bool ok = false;
    {
        PngWriter w;
        w.file = std::fopen(temp.c_str(), "wb");
        if (w.file) {
            w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
            if (w.png) w.info = png_create_info_struct(w.png);
            ok = w.png && w.info && Encode(w, pixels, width, height, stride);
            ok = std::fflush(w.file) == 0 && ok;
            ok = std::fclose(w.file) == 0 && ok;
            w.file = nullptr;
        }
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) == 0) return {};
    std::remove(temp.c_str());
    return Failed("File Write Error");
}

} // namespace hw
