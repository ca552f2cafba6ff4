#include "files/png_file.h"
#include "view/draft_image.h"
#include "view/raster_canvas.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <vector>

namespace hw {
namespace {

namespace fs = std::filesystem;

struct Decoded {
    int Width = 0;
    int Height = 0;
    int ColorType = -1;
    int BitDepth = 0;
    std::vector<uint8_t> Rgb;
};

Decoded ReadPng(const std::string& path) {
    Decoded out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
    out.Width = int(image.width);
    out.Height = int(image.height);
    out.ColorType = (image.format & PNG_FORMAT_FLAG_ALPHA) ? 1 : 0;
    image.format = PNG_FORMAT_RGB;
    out.Rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.Rgb.data(), 0, nullptr)) out.Width = 0;
    return out;
}

class PngFile : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("hw_png_" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_F(PngFile, WritesEveryPixelAsEightBitRgb) {
    RasterCanvas c(7, 5, MakeColorRef(10, 20, 30));
    c.SetPixel(0, 0, MakeColorRef(255, 0, 0));
    c.SetPixel(6, 4, MakeColorRef(1, 2, 3));
    c.FillRect(2, 1, 3, 2, MakeColorRef(0, 128, 255));
    const std::string path = (dir / "a.png").string();
    std::string error;
    ASSERT_TRUE(WritePng(path, c.Data(), c.Width(), c.Height(), c.Stride(), error)) << error;
    const Decoded d = ReadPng(path);
    ASSERT_EQ(d.Width, 7);
    ASSERT_EQ(d.Height, 5);
    EXPECT_EQ(d.ColorType, 0); // no alpha
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            const ColorRef want = c.PixelColor(x, y);
            const uint8_t* px = &d.Rgb[size_t(y * 7 + x) * 3];
            ASSERT_EQ(MakeColorRef(px[0], px[1], px[2]), want) << x << "," << y;
        }
    EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST_F(PngFile, AFailedWriteReportsAndKeepsTheOldFile) {
    const std::string path = (dir / "keep.png").string();
    { std::ofstream(path) << "old"; }
    RasterCanvas c(3, 3);
    std::string error;
    // A folder that does not exist: nothing can be written.
    EXPECT_FALSE(WritePng((dir / "missing" / "x.png").string(), c.Data(), 3, 3, 3, error));
    EXPECT_EQ(error, "File Write Error");
    // An empty picture is refused before anything is touched.
    EXPECT_FALSE(WritePng(path, c.Data(), 0, 3, 3, error));
    std::ifstream in(path);
    std::string content;
    in >> content;
    EXPECT_EQ(content, "old");
}

TEST_F(PngFile, ADraftImageRoundTrips) {
    auto d = std::make_unique<DraftState>();
    for (int e = 1; e <= 6; ++e) d->Threading[e] = uint8_t(e % 4 + 1);
    for (int p = 1; p <= 5; ++p) d->Treadling[p] = uint8_t(p % 4 + 1);
    d->TieUpAt(1, 1) = 1;
    d->Shafts = d->Treadles = 4;
    auto image = RenderDraftImage(*d, {2, 2, 0, 0});
    const std::string path = (dir / "draft.png").string();
    std::string error;
    ASSERT_TRUE(
        WritePng(path, image->Data(), image->Width(), image->Height(), image->Stride(), error));
    const Decoded back = ReadPng(path);
    ASSERT_EQ(back.Width, (6 + 4 + 3) * 3 + 1);
    ASSERT_EQ(back.Height, (5 + 4 + 3) * 3 + 1);
    for (int y = 0; y < back.Height; ++y)
        for (int x = 0; x < back.Width; ++x) {
            const uint8_t* px = &back.Rgb[size_t(y * back.Width + x) * 3];
            ASSERT_EQ(MakeColorRef(px[0], px[1], px[2]), image->PixelColor(x, y));
        }
}

} // namespace
} // namespace hw
