#include "files/design_companion.h"

#include "files/byte_io.h"

#include <stb_image.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace hw {

namespace {

constexpr int HeaderSize = 128;
using DesignRows = std::array<std::array<uint8_t, DesignRowBytes>, DesignSize + 1>;

// Only ends 1..50 exist: bits of ends 51.. in byte 6 and every later byte go.
void ClearBeyondEnd50(DesignRows& rows) {
    constexpr int lastByte = (DesignSize - 1) / 8;
    constexpr uint8_t keep = uint8_t((1u << (DesignSize - lastByte * 8)) - 1u);
    for (auto& row : rows) {
        row[lastByte] &= keep;
        std::fill(row.begin() + lastByte + 1, row.end(), uint8_t(0));
    }
}

} // namespace

std::vector<uint8_t> EncodeDesignFile(const DraftState& d) {
    ByteWriter w;
    w.Byte('H');
    w.Byte('D');
    w.Zeros(8);
    w.Count(DesignRowBytes - 1);
    w.Count(DesignSize);
    w.Zeros(HeaderSize - 14);
    for (int p = 1; p <= DesignSize; ++p) w.Bytes(d.DesignGrid[p].data(), DesignRowBytes);
    return std::move(w.Data());
}

CompanionStatus DecodeDesignFile(std::span<const uint8_t> bytes, DraftState& d) {
    if (bytes.size() < 2 || bytes[0] != 'H' || bytes[1] != 'D')
        return CompanionStatus::BadSignature;
    try {
        ByteReader r(bytes);
        r.Skip(10);
        const size_t rowLength = size_t(r.Count()) + 1;
        const int rows = std::min<int>(r.Count(), DesignSize);
        r.Skip(HeaderSize - 14);
        auto grid = std::make_unique<DesignRows>();
        for (auto& row : *grid) row.fill(0);
        const size_t kept = std::min<size_t>(rowLength, DesignRowBytes);
        for (int p = 1; p <= rows; ++p) {
            auto src = r.Take(rowLength);
            std::copy_n(src.begin(), kept, (*grid)[p].begin());
        }
        ClearBeyondEnd50(*grid);
        d.DesignGrid = *grid;
        return CompanionStatus::Ok;
    } catch (const ReadBeyondEnd&) {
        return CompanionStatus::Damaged;
    }
}

bool DecodeDesignBitmap(std::span<const uint8_t> bytes, DraftState& d) {
    // Only BMP goes to the decoder: a file of another kind named ".bmp" is
    // refused before any image code looks at it.
    constexpr int maxPixels = 1 << 24;
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    if (bytes.size() > size_t(1) << 30) return false;
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    const int len = int(bytes.size());
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, len, &width, &height, &channels)) return false;
    if (width <= 0 || height <= 0 || int64_t(width) * height > maxPixels) return false;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(data, len, &width, &height, &channels, 3), stbi_image_free);
    if (!pixels || width <= 0 || height <= 0) return false;
    const int h = std::min(height, DesignSize);
    const int w = std::min(width, DesignSize);
    for (int p = 1; p <= DesignSize; ++p)
        for (int e = 1; e <= DesignSize; ++e) {
            bool set = false;
            if (p <= h && e <= w) {
                const stbi_uc* px = pixels.get() + (size_t(h - p) * width + size_t(w - e)) * 3;
                set = !(px[0] == 255 && px[1] == 255 && px[2] == 255);
            }
            DesignPut(d, p, e, set);
        }
    return true;
}

} // namespace hw
