// Partial loads from another pattern: components, side buffers, liftplan
// blends and the two-file liftplan overlay.
#include "files/pattern_file.h"

#include "files/byte_io.h"
#include "model/primitives.h"

#include <algorithm>
#include <array>
#include <memory>

namespace hw {

LoadResult LoadComponents(DraftState& d, const std::string& path, ComponentChooser& chooser,
                          Prompter& prompter) {
    if (IsBmpFile(path)) {
        prompter.ShowError("Cannot open components from BMP-file.");
        return {};
    }
    if (IsWifFile(path)) {
        prompter.ShowError("Cannot open components from WIF-file.");
        return {};
    }
    LoadRequest request;
    request.Components = true;
    request.Chooser = &chooser;
    return LoadPattern(d, path, request, prompter);
}

LoadResult LoadInsertParts(DraftState& d, const std::string& path, Prompter& prompter) {
    LoadRequest request;
    request.Mode = ModeInsert;
    return LoadPattern(d, path, request, prompter);
}

LoadResult LoadTransUnits(DraftState& d, const std::string& path, Prompter& prompter) {
    LoadRequest request;
    request.Mode = ModeTransUnits;
    return LoadPattern(d, path, request, prompter);
}

LoadResult LoadLiftplanAtInterval(DraftState& d, const std::string& path, int fromPick,
                                  int interval, Prompter& prompter) {
    LoadRequest request;
    request.Mode = ModeAtInterval;
    request.FromPick = fromPick;
    request.Interval = interval;
    return LoadPattern(d, path, request, prompter);
}

namespace {

// One liftplan file of the overlay, positioned at its first row.
struct OverlaySource {
    std::vector<uint8_t> Bytes;
    std::unique_ptr<ByteReader> Reader;
    int Shafts = 0;
    int Rows = 0;
};

bool ReadOverlaySource(const std::string& path, OverlaySource& src, Prompter& prompter) {
    switch (ReadFileBytes(path, MaxPatternBytes, src.Bytes)) {
    case ReadStatus::NotFound:
        prompter.ShowError("Cannot find " + path);
        return false;
    case ReadStatus::Failed:
        prompter.ShowError("File Read Error");
        return false;
    case ReadStatus::Ok:
        return true;
    }
    return false;
}

// Checks what the overlay needs of a file; shows the reason and returns
// false when the file cannot serve.
bool CheckOverlaySource(const std::string& path, OverlaySource& src, Prompter& prompter) {
    src.Reader = std::make_unique<ByteReader>(src.Bytes);
    if (src.Bytes.empty() || src.Bytes[0] != '{') {
        prompter.ShowError("File version is too old.");
        return false;
    }
    src.Reader->Skip(1);
    const int version = src.Reader->Byte();
    const uint8_t type = src.Reader->Byte();
    if (version > 7 || (type != 'd' && type != 'g')) {
        prompter.ShowError(path + " contains no liftplan.");
        return false;
    }
    return true;
}

bool Overlay(DraftState& d, OverlaySource& a, OverlaySource& b, const std::string& pathA,
             const std::string& pathB, Prompter& prompter) {
    try {
        if (!CheckOverlaySource(pathA, a, prompter) || !CheckOverlaySource(pathB, b, prompter))
            return false;
        for (OverlaySource* src : {&a, &b}) {
            src->Reader->Skip(1); // zoom
            src->Shafts = src->Reader->Byte();
        }
        if (a.Shafts > MaxShafts || b.Shafts > MaxShafts) {
            prompter.ShowError("Too many shafts in loading liftplan!");
            return false;
        }
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
        return true;
    } catch (const ReadBeyondEnd&) {
        prompter.ShowError("Read beyond end of file");
        return false;
    }
}

} // namespace

bool LoadLiftplanOverlay(DraftState& d, const std::string& pathA, const std::string& pathB,
                         Prompter& prompter) {
    OverlaySource a, b;
    if (!ReadOverlaySource(pathA, a, prompter) || !ReadOverlaySource(pathB, b, prompter))
        return false;
    return Overlay(d, a, b, pathA, pathB, prompter);
}

bool LiftplanOverlayBytes(DraftState& d, std::span<const uint8_t> bytesA,
                          std::span<const uint8_t> bytesB, Prompter& prompter) {
    OverlaySource a, b;
    a.Bytes.assign(bytesA.begin(), bytesA.end());
    b.Bytes.assign(bytesB.begin(), bytesB.end());
    return Overlay(d, a, b, "A", "B", prompter);
}

} // namespace hw
