#include "files/png_file.h"
#include "pattern_golden.h"
#include "view/draft_image.h"

#include <gtest/gtest.h>
#include <png.h>

namespace hw {
namespace {

// Reads a PNG back through libpng as 8-bit RGB; width 0 when it cannot.
struct Decoded {
    int Width = 0, Height = 0;
    bool Alpha = false;
    std::vector<uint8_t> Rgb;
};
Decoded ReadPng(const std::string& path) {
    Decoded out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
    out.Alpha = image.format & PNG_FORMAT_FLAG_ALPHA;
    image.format = PNG_FORMAT_RGB;
    out.Rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, out.Rgb.data(), 0, nullptr))
        out.Width = int(image.width), out.Height = int(image.height);
    return out;
}

TEST(PngFile, ADraftPictureComesBackPixelForPixel) {
    auto d = std::make_unique<DraftState>();
    for (int e = 1; e <= 6; ++e) d->Threading[e] = uint8_t(e % 4 + 1);
    for (int p = 1; p <= 5; ++p) d->Treadling[p] = uint8_t(p % 4 + 1);
    d->TieUpAt(1, 1) = 1;
    d->Shafts = d->Treadles = 4;
    d->WarpColors[2] = 17;
    const DraftImage image = RenderDraftImage(*d, {2, 2, 0, 0});
    ASSERT_TRUE(image.Picture);
    const RasterCanvas& c = *image.Picture;
    test::TempDir dir;
    const std::string path = dir.File("draft.png");
    ASSERT_TRUE(WritePng(path, c.Data(), c.Width(), c.Height(), c.Stride()));
    const Decoded back = ReadPng(path);
    ASSERT_EQ(std::tuple(back.Width, back.Height, back.Alpha),
              std::tuple((6 + 4 + 3) * 3 + 1, (5 + 4 + 3) * 3 + 1, false));
    for (int y = 0; y < back.Height; ++y)
        for (int x = 0; x < back.Width; ++x) {
            const uint8_t* px = &back.Rgb[size_t(y * back.Width + x) * 3];
            ASSERT_EQ(MakeColorRef(px[0], px[1], px[2]), c.PixelColor(x, y)) << x << "," << y;
        }
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    // A folder that does not exist, or an empty picture: the old file stays.
    test::WriteBytes(path, {'o', 'l', 'd'});
    EXPECT_EQ(test::ErrorKey(WritePng(dir.File("missing/x.png"), c.Data(), 3, 3, 3)),
              "File Write Error");
    EXPECT_FALSE(WritePng(path, c.Data(), 0, 3, 3));
    EXPECT_EQ(test::ReadBytes(path), (test::Bytes{'o', 'l', 'd'}));
}

} // namespace
} // namespace hw
