// Partial loads from another pattern: components, side buffers, liftplan
// blends and the two-file liftplan overlay.
#include "files/pattern_file.h"

#include "files/byte_io.h"
#include "model/primitives.h"

#include <algorithm>
#include <array>
#include <memory>

namespace hw {

LoadResult LoadComponents(DraftState& d, const std::string& path, ComponentChooser& chooser) {
    LoadResult refused;
    if (IsBmpFile(path)) {
        refused.Error = Message{{}, "Cannot open components from BMP-file.", {}};
        return refused;
    }
    if (IsWifFile(path)) {
        refused.Error = Message{{}, "Cannot open components from WIF-file.", {}};
        return refused;
    }
    LoadRequest request;
    request.Components = true;
    request.Chooser = &chooser;
    return LoadPattern(d, path, request);
}

LoadResult LoadInsertParts(DraftState& d, const std::string& path) {
    LoadRequest request;
    request.Mode = ModeInsert;
    return LoadPattern(d, path, request);
}

LoadResult LoadTransUnits(DraftState& d, const std::string& path) {
    LoadRequest request;
    request.Mode = ModeTransUnits;
    return LoadPattern(d, path, request);
}

LoadResult LoadLiftplanAtInterval(DraftState& d, const std::string& path, int fromPick,
                                  int interval) {
    LoadRequest request;
    request.Mode = ModeAtInterval;
    request.FromPick = fromPick;
    request.Interval = interval;
    return LoadPattern(d, path, request);
}

namespace {

// One liftplan file of the overlay, positioned at its first row.
struct OverlaySource {
    std::vector<uint8_t> Bytes;
    std::unique_ptr<ByteReader> Reader;
    int Shafts = 0;
    int Rows = 0;
};

Status ReadOverlaySource(const std::string& path, OverlaySource& src) {
    switch (ReadFileBytes(path, MaxPatternBytes, src.Bytes)) {
    case ReadStatus::NotFound:
        return Failed("Cannot find %1", {path});
    case ReadStatus::Failed:
        return Failed("File Read Error");
    case ReadStatus::Ok:
        break;
    }
    return {};
}

// Checks what the overlay needs of a file: a "{" file of a liftplan pattern.
Status CheckOverlaySource(const std::string& path, OverlaySource& src) {
    src.Reader = std::make_unique<ByteReader>(src.Bytes);
    if (src.Bytes.empty() || src.Bytes[0] != '{') return Failed("File version is too old.");
    src.Reader->Skip(1);
    const int version = src.Reader->Byte();
    const uint8_t type = src.Reader->Byte();
    if (version > 7 || (type != 'd' && type != 'g'))
        return Failed("%1 contains no liftplan.", {path});
    return {};
}

Status Overlay(DraftState& d, OverlaySource& a, OverlaySource& b, const std::string& pathA,
               const std::string& pathB) {
    try {
        if (Status s = CheckOverlaySource(pathA, a); !s) return s;
        if (Status s = CheckOverlaySource(pathB, b); !s) return s;
        for (OverlaySource* src : {&a, &b}) {
            src->Reader->Skip(1); // zoom
            src->Shafts = src->Reader->Byte();
        }
        if (a.Shafts > MaxShafts || b.Shafts > MaxShafts)
            return Failed("Too many shafts in loading liftplan!");
        for (OverlaySource* src : {&a, &b}) {
            ByteReader& r = *src->Reader;
            r.Skip(19);
            for (int section = 0; section < 3; ++section) r.Skip(r.Count());
            src->Rows = r.Count();
        }
        const int picks = std::min({int(d.Picks), a.Rows, b.Rows});
        const int widthA = (a.Shafts - 1) / 8 + 1;
        const int widthB = (b.Shafts - 1) / 8 + 1;
        auto rows = std::make_unique<std::array<LiftplanRow, MaxPicks + 1>>(d.Liftplan);
        for (int p = 1; p <= picks; ++p) {
            auto ra = a.Reader->Take(size_t(widthA));
            auto rb = b.Reader->Take(size_t(widthB));
            const LiftplanRow rowA = LiftplanRowFromBytes(ra[0], widthA > 1 ? ra[1] : 0);
            const LiftplanRow rowB = LiftplanRowFromBytes(rb[0], widthB > 1 ? rb[1] : 0);
            LiftplanRow& cur = (*rows)[p];
            LiftplanRow next = cur;
            for (int s = 1; s <= std::min<int>(d.Shafts, MaxShafts); ++s) {
                const LiftplanRow bit = LiftplanRow(1u << (s - 1));
                // A set cell takes A's cell, a clear one B's; shafts a file
                // does not have keep the cell as it is.
                const bool set =
                    (cur & bit) ? (s > a.Shafts || (rowA & bit)) : (s <= b.Shafts && (rowB & bit));
                next = set ? LiftplanRow(next | bit) : LiftplanRow(next & ~bit);
            }
            cur = next;
        }
        d.Liftplan = *rows;
        UpdateUsed(d);
        return {};
    } catch (const ReadBeyondEnd&) {
        return Failed("Read beyond end of file");
    }
}

} // namespace

Status LoadLiftplanOverlay(DraftState& d, const std::string& pathA, const std::string& pathB) {
    OverlaySource a, b;
    if (Status s = ReadOverlaySource(pathA, a); !s) return s;
    if (Status s = ReadOverlaySource(pathB, b); !s) return s;
    return Overlay(d, a, b, pathA, pathB);
}

Status LiftplanOverlayBytes(DraftState& d, std::span<const uint8_t> bytesA,
                            std::span<const uint8_t> bytesB) {
    OverlaySource a, b;
    a.Bytes.assign(bytesA.begin(), bytesA.end());
    b.Bytes.assign(bytesB.begin(), bytesB.end());
    return Overlay(d, a, b, "A", "B");
}

} // namespace hw
