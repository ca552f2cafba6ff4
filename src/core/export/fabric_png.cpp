#include "export/fabric_png.h"

#include "files/png_file.h"
#include "model/palette.h"
#include "view/fabric.h"

#include <algorithm>
#include <array>
#include <new>

namespace hw {

FabricPngSize FabricPngSizeFor(const DraftState& d, int ends, int picks) {
    FabricPngSize s;
    s.ClothWidth = std::max(ends, 0);
    s.ClothHeight = picks <= 0 ? 0 : d.Compressed ? 2 * std::max(1, picks / 2) : picks;
    s.Width = s.ClothWidth;
    s.Height = s.ClothHeight;
    const int epu = std::max<int>(d.EndsPerUnit, 1), ppu = std::max<int>(d.PicksPerUnit, 1);
    if (epu < ppu) s.Width = DivRoundHalfEven((long long)s.ClothWidth * ppu, epu);
    if (epu > ppu) s.Height = DivRoundHalfEven((long long)s.ClothHeight * epu, ppu);
    return s;
}

Status ExportFabricPng(const DraftState& d, const std::string& path, int ends, int picks) {
    ends = std::clamp(ends, 1, MaxEnds);
    picks = std::clamp(picks, 1, MaxPicks);
    const FabricPngSize size = FabricPngSizeFor(d, ends, picks);
    try {
        // The picture's colours: white, then those of the palette entries
        // the rows use, each colour once.
        PngPicture pic;
        pic.Width = size.Width;
        pic.Height = size.Height;
        std::vector<ColorRef> colors = {White};
        std::array<int, PaletteSize> slot{};
        std::array<bool, PaletteSize> used{};
        for (int e = 1; e <= ends; ++e) used[d.WarpColors[size_t(e)]] = true;
        for (int p = 1; p <= picks; ++p) used[d.WeftColors[size_t(p)]] = true;
        for (int i = 0; i < PaletteSize; ++i) {
            if (!used[size_t(i)]) continue;
            const ColorRef c = d.ColorTable[size_t(i)];
            const auto at = std::find(colors.begin(), colors.end(), c);
            slot[size_t(i)] = int(at - colors.begin());
            if (at == colors.end()) colors.push_back(c);
        }
        const bool indexed = colors.size() <= 256;
        if (indexed) pic.Palette = colors;

        Cloth cloth(d, ends);
        const bool compressed = d.Compressed;
        const int rows = compressed ? size.ClothHeight / 2 : size.ClothHeight;
        std::vector<ClothCell> cells(static_cast<size_t>(indexed ? 0 : ends));
        // A row of the cloth as picture indexes (or pixels), ends in picture
        // order; the stretch repeats some of them.
        std::vector<uint8_t> indexRow(static_cast<size_t>(ends));
        std::vector<uint32_t> pixelRow(indexed ? 0 : static_cast<size_t>(ends));
        // By colour, and from 256 on where nothing shows: white, index 0.
        std::array<uint8_t, 2 * PaletteSize> index{};
        for (int i = 0; i < PaletteSize; ++i) index[size_t(i)] = uint8_t(slot[size_t(i)]);
        std::vector<int> source(static_cast<size_t>(size.Width)); // cloth column of each pixel
        for (int x = 0; x < size.Width; ++x)
            source[size_t(x)] = int((long long)x * size.ClothWidth / size.Width);
        const bool stretched = size.Width != size.ClothWidth;
        if (indexed) cloth.SetIndexTable(index.data());
        int cached = -1;
        auto rowFor = [&](int y) {
            // Picture row y shows cloth row r, counted from the bottom.
            const int clothY = int((long long)y * size.ClothHeight / size.Height);
            const int r = rows - 1 - (compressed ? clothY / 2 : clothY);
            if (r == cached) return;
            const int pick = !compressed ? r + 1 : picks == 1 ? 1 : 2 * r + 2;
            if (indexed) {
                cloth.IndexRow(pick, compressed, 1, ends,
                               indexRow.data() + (d.RightStart ? ends - 1 : 0),
                               d.RightStart ? -1 : 1);
            } else {
                cloth.Row(pick, compressed, 1, ends, cells.data());
                for (int k = 0; k < ends; ++k) {
                    const ClothCell& c = cells[size_t(k)];
                    pixelRow[size_t(d.RightStart ? ends - 1 - k : k)] =
                        ToRgb32(c.Kind == ClothKind::Empty ? White : d.ColorTable[c.Color]);
                }
            }
            cached = r;
        };
        if (indexed) {
            pic.IndexRow = [&](int y, uint8_t* out) {
                rowFor(y);
                if (!stretched) {
                    std::copy(indexRow.begin(), indexRow.end(), out);
                    return;
                }
                for (int x = 0; x < size.Width; ++x) out[x] = indexRow[size_t(source[size_t(x)])];
            };
        } else {
            pic.PixelRow = [&](int y, uint32_t* out) {
                rowFor(y);
                for (int x = 0; x < size.Width; ++x) out[x] = pixelRow[size_t(source[size_t(x)])];
            };
        }
        return WritePng(path, pic);
    } catch (const std::bad_alloc&) {
        return Failed("Not enough memory for a picture of %1 x %2 pixels",
                      {std::to_string(size.Width), std::to_string(size.Height)});
    }
}

} // namespace hw
