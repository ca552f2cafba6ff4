#include "files/png_file.h"

#include "files/file_io.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstring>

namespace hw {

namespace {

// Fast settings: zlib's fastest level packs these flat colour areas nearly as
// well as its default level at a third of the time or less.
constexpr int ZlibLevel = 1;

// 0xRRGGBB, the layout of an RGB32 pixel without its alpha byte.
uint32_t Rgb(ColorRef c) {
    return (uint32_t(ColorRed(c)) << 16) | (uint32_t(ColorGreen(c)) << 8) | ColorBlue(c);
}

struct PngWriter {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWriter() {
        if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
    }
};

// RGB32 to palette indexes: the pixel before is the usual answer, then a
// small open table.
class Indexer {
public:
    explicit Indexer(const std::vector<ColorRef>& palette) {
        keys_.fill(Free);
        for (size_t i = 0; i < palette.size(); ++i) {
            const uint32_t key = Rgb(palette[i]);
            size_t slot = Hash(key);
            while (keys_[slot] != Free && keys_[slot] != key) slot = (slot + 1) % Slots;
            if (keys_[slot] == Free) {
                keys_[slot] = key;
                values_[slot] = uint8_t(i);
            }
        }
    }
    // False when a pixel is not in the palette.
    bool Map(const uint32_t* pixels, int width, uint8_t* out) {
        for (int x = 0; x < width; ++x) {
            const uint32_t key = pixels[x] & 0xFFFFFF;
            if (key != lastKey_) {
                size_t slot = Hash(key);
                while (keys_[slot] != key) {
                    if (keys_[slot] == Free) return false;
                    slot = (slot + 1) % Slots;
                }
                lastKey_ = key;
                lastValue_ = values_[slot];
            }
            out[x] = lastValue_;
        }
        return true;
    }

private:
    static constexpr size_t Slots = 1024;
    static constexpr uint32_t Free = 0xFFFFFFFFu;
    static size_t Hash(uint32_t key) { return (key * 2654435761u) >> 22; }
    std::array<uint32_t, Slots> keys_;
    std::array<uint8_t, Slots> values_{};
    uint32_t lastKey_ = Free;
    uint8_t lastValue_ = 0;
};

void Pack(const uint8_t* indexes, int width, int bits, uint8_t* out) {
    if (bits == 8) {
        std::memcpy(out, indexes, size_t(width));
        return;
    }
    const int perByte = 8 / bits, whole = width / perByte;
    for (int i = 0; i < whole; ++i) {
        const uint8_t* v = indexes + i * perByte;
        if (bits == 4)
            out[i] = uint8_t(v[0] << 4 | v[1]);
        else if (bits == 2)
            out[i] = uint8_t(v[0] << 6 | v[1] << 4 | v[2] << 2 | v[3]);
        else
            out[i] = uint8_t(v[0] << 7 | v[1] << 6 | v[2] << 5 | v[3] << 4 | v[4] << 3 | v[5] << 2 |
                             v[6] << 1 | v[7]);
    }
    if (const int rest = width - whole * perByte) {
        uint8_t b = 0;
        for (int k = 0; k < rest; ++k)
            b = uint8_t(b | indexes[whole * perByte + k] << (8 - bits * (k + 1)));
        out[whole] = b;
    }
}

// What the rows are made with, prepared before libpng can jump.
struct Rows {
    explicit Rows(const PngPicture& pic)
        : indexed(!pic.Palette.empty() && pic.Palette.size() <= 256),
          bits(indexed ? PngBitDepth(int(pic.Palette.size())) : 8), width(size_t(pic.Width)),
          indexes(indexed ? width : 0), pixels(pic.PixelRow ? width : 0),
          row(indexed ? (width * size_t(bits) + 7) / 8 : width * 3),
          indexer(indexed ? pic.Palette : std::vector<ColorRef>{}) {
        for (ColorRef c : pic.Palette) colors.push_back({ColorRed(c), ColorGreen(c), ColorBlue(c)});
    }
    bool indexed;
    int bits;
    size_t width;
    std::vector<uint8_t> indexes;
    std::vector<uint32_t> pixels;
    std::vector<png_byte> row;
    std::vector<png_color> colors;
    Indexer indexer;
    bool outside = false; // a pixel was missing from the palette
};

// Everything libpng may jump out of; its state lives in `r`, not in locals,
// because of setjmp. False on any error.
bool Encode(PngWriter& w, std::FILE* file, const PngPicture& pic, Rows& r) {
    if (setjmp(png_jmpbuf(w.png))) return false;
    png_init_io(w.png, file);
    // The fabric stretched to very unequal densities is wider than libpng's
    // default limit of a million pixels.
    png_set_user_limits(w.png, 0x7FFFFFFF, 0x7FFFFFFF);
    png_set_IHDR(w.png, w.info, png_uint_32(pic.Width), png_uint_32(pic.Height), r.bits,
                 r.indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (r.indexed) png_set_PLTE(w.png, w.info, r.colors.data(), int(r.colors.size()));
    png_set_compression_level(w.png, ZlibLevel);
    png_set_filter(w.png, PNG_FILTER_TYPE_BASE, pic.RowsRepeat ? PNG_FILTER_UP : PNG_FILTER_NONE);
    png_write_info(w.png, w.info);
    for (int y = 0; y < pic.Height; ++y) {
        if (pic.PixelRow) {
            pic.PixelRow(y, r.pixels.data());
            if (r.indexed) {
                if (!r.indexer.Map(r.pixels.data(), pic.Width, r.indexes.data())) {
                    r.outside = true;
                    return false;
                }
            } else {
                for (size_t x = 0; x < r.width; ++x) {
                    r.row[x * 3] = png_byte(r.pixels[x] >> 16);
                    r.row[x * 3 + 1] = png_byte(r.pixels[x] >> 8);
                    r.row[x * 3 + 2] = png_byte(r.pixels[x]);
                }
            }
        } else {
            pic.IndexRow(y, r.indexes.data());
        }
        if (r.indexed) Pack(r.indexes.data(), pic.Width, r.bits, r.row.data());
        png_write_row(w.png, r.row.data());
    }
    png_write_end(w.png, w.info);
    return true;
}

} // namespace

int PngBitDepth(int colors) {
    return colors <= 2 ? 1 : colors <= 4 ? 2 : colors <= 16 ? 4 : 8;
}

Status WritePng(const std::string& path, const PngPicture& picture) {
    const bool oneSource = picture.PixelRow ? !picture.IndexRow : bool(picture.IndexRow);
    const bool indexed = !picture.Palette.empty() && picture.Palette.size() <= 256;
    if (picture.Width <= 0 || picture.Height <= 0 || !oneSource || (picture.IndexRow && !indexed))
        return Failed("Empty image");
    bool ok = false;
    Rows rows(picture);
    {
        AtomicFile file;
        PngWriter w;
        if (std::FILE* f = file.Open(path)) {
            w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
            if (w.png) w.info = png_create_info_struct(w.png);
            ok = w.png && w.info && Encode(w, f, picture, rows) && file.Commit();
        }
    }
    if (ok) return {};
    if (rows.outside) return Failed("The picture holds a colour its palette lacks");
    return Failed("File Write Error");
}

Status WritePng(const std::string& path, const uint32_t* pixels, int width, int height,
                int stride) {
    if (width <= 0 || height <= 0 || stride < width || !pixels) return Failed("Empty image");
    PngPicture pic;
    pic.Width = width;
    pic.Height = height;
    // The colours, as long as there are few enough for a palette.
    std::vector<uint32_t> seen;
    for (int y = 0; y < height && seen.size() <= 256; ++y) {
        const uint32_t* row = pixels + size_t(y) * size_t(stride);
        uint32_t last = ~row[0];
        for (int x = 0; x < width && seen.size() <= 256; ++x) {
            if (row[x] == last) continue;
            last = row[x];
            const uint32_t key = row[x] & 0xFFFFFF;
            if (std::find(seen.begin(), seen.end(), key) == seen.end()) seen.push_back(key);
        }
    }
    if (seen.size() <= 256)
        for (uint32_t p : seen)
            pic.Palette.push_back(MakeColorRef(uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)));
    pic.PixelRow = [&](int y, uint32_t* out) {
        std::memcpy(out, pixels + size_t(y) * size_t(stride), size_t(width) * sizeof(uint32_t));
    };
    return WritePng(path, pic);
}

} // namespace hw
