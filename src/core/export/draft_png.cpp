#include "export/draft_png.h"

#include "files/png_file.h"
#include "view/renderer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace hw {

Status ExportDraftImage(const DraftState& d, const std::string& path, const DraftImageOptions& o,
                        const ViewSettings& s, int bandRows) {
    const DraftImageLayout l = LayoutDraftImage(d, o, s);
    try {
        // Bands of about 8 MB, at least one cell high.
        const int band = bandRows > 0 ? bandRows
                                      : std::clamp(int((8 << 20) / (4 * std::max(l.Width, 1))),
                                                   l.Geometry.Cell, 4096);
        RasterCanvas canvas(l.Width, band, l.Settings.BackgroundColor);
        DraftRenderer renderer(canvas, *l.Draft, l.Window, l.Geometry, l.Settings);
        int top = -band;
        PngPicture pic;
        pic.Width = l.Width;
        pic.Height = l.Height;
        pic.RowsRepeat = true;
        std::vector<ColorRef> colors = DraftImageColors(l);
        if (colors.size() <= 256) pic.Palette = std::move(colors);
        pic.PixelRow = [&](int y, uint32_t* out) {
            if (y >= top + band) {
                top = y;
                canvas.SetOrigin(0, top);
                renderer.FullRepaint(l.Width, l.Height);
            }
            std::memcpy(out, canvas.Data() + size_t(y - top) * size_t(canvas.Stride()),
                        size_t(l.Width) * sizeof(uint32_t));
        };
        return WritePng(path, pic);
    } catch (const std::bad_alloc&) {
        return Failed("Not enough memory for a picture of %1 x %2 pixels",
                      {std::to_string(l.Width), std::to_string(l.Height)});
    }
}

} // namespace hw
