#pragma once

// Pattern files built byte by byte from the layout tables, independently of the writer.

#include "../../fuzz/load_pattern_harness.h"
#include "model/draft_state.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace hw::test {

using Bytes = std::vector<uint8_t>;

// Appends byte runs and containers of them.
struct ByteBuilder {
    Bytes B;
    template <typename... Parts> ByteBuilder& Add(const Parts&... parts) {
        (B.insert(B.end(), std::begin(parts), std::end(parts)), ...);
        return *this;
    }
    ByteBuilder& Count(size_t n) { return Add(Bytes{uint8_t(n >> 8), uint8_t(n)}); }
    ByteBuilder& Rows(const std::vector<Bytes>& rows) {
        for (const Bytes& r : rows) Add(r);
        return *this;
    }
};

// A "{" file of versions 3..7: each field in file order, raw.
struct BracedFile {
    uint8_t Version = 7, Type = 'e', Zoom = 9, Shafts = 4, Treadles = 6, Design = 0, Shed = 0;
    uint8_t Compression = 1, WarpDensity = 25, WeftDensity = 25;    // size codes below version 5
    uint8_t PaletteDisplay = 1, Layout = 0x80 | 0x01 | 0x02 | 0x04; // the start-up layout
    uint16_t Ends = 12, Picks = 10;
    uint8_t Units = 0, ViewZoom = 2, Flags = 0x02, EndsInterval = 7, PicksInterval = 7;
    Bytes Threading, WarpColors, WeftColors, Treadling; // treadling: type "e"
    std::vector<Bytes> TieUpColumns, LiftplanRows;      // one per treadle; types "d" and "f"
    uint8_t UnitPicks = 4, UnitEnds = 4, PaletteLast = 255;
    std::array<uint8_t, 32> Unit1{}, Unit2{};
    Bytes Palette;       // (PaletteLast + 1) * 3 bytes
    int NotesCount = -1; // -1: the size of Notes less its 0 byte
    Bytes Notes;         // written as given (with its 0 byte)

    Bytes Build() const {
        ByteBuilder b;
        b.Add(Bytes{'{', Version, Type, Zoom, Shafts, Treadles, Design, Shed, Compression,
                    WarpDensity, WeftDensity, PaletteDisplay, Layout});
        b.Count(Ends).Count(Picks).Add(
            Bytes{Units, ViewZoom, Flags, EndsInterval, PicksInterval, 0, 0});
        for (const Bytes* s : {&Threading, &WarpColors, &WeftColors}) b.Count(s->size()).Add(*s);
        b.Rows(TieUpColumns);
        if (Type == 'e') b.Count(Treadling.size()).Add(Treadling);
        if (Type != 'e') b.Count(LiftplanRows.size()).Rows(LiftplanRows);
        b.Add(Bytes{UnitPicks, UnitEnds}, Unit1, Unit2, Bytes{PaletteLast}, Palette);
        return b.Count(NotesCount < 0 ? Notes.size() - 1 : size_t(NotesCount)).Add(Notes).B;
    }
};

// 12 ends on 4 shafts, 10 picks on 6 treadles; every field shows a mix-up.
inline BracedFile SampleBraced() {
    BracedFile f;
    f.Threading = {1, 2, 3, 4, 1, 2, 3, 4, 0, 4, 3, 2};
    f.WarpColors = {5, 5, 7, 7, 5, 5, 7, 7, 5, 5, 7, 200};
    f.WeftColors = {9, 9, 9, 1, 1, 1, 9, 9, 9, 255};
    // Treadle t ties shafts t and t+1 (treadle 5 ties 1 and 4, treadle 6 only 1).
    f.TieUpColumns = {{0x03}, {0x06}, {0x0C}, {0x08}, {0x09}, {0x01}};
    f.Treadling = {1, 2, 3, 4, 5, 6, 0, 2, 3, 1};
    f.UnitPicks = 3, f.UnitEnds = 5, f.Unit1[0] = 0x11, f.Unit1[1] = 0x80, f.Unit1[31] = 0x80;
    f.Unit2[2] = 0x02;
    for (int i = 0; i < 256; ++i)
        f.Palette.insert(f.Palette.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)});
    f.Notes = {'T', 'w', 'i', 'l', 'l', ' ', 0xE4, 0x80, 0};
    return f;
}

// A liftplan sample: type "d", 10 shafts, so rows take two bytes.
inline BracedFile SampleLiftplan(int rows = 10) {
    BracedFile d = SampleBraced();
    d.Type = 'd', d.Shafts = d.Treadles = 10, d.TieUpColumns.clear();
    d.Threading = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 9, 8};
    for (int k = 0; k < rows; ++k)
        d.LiftplanRows.push_back({uint8_t(0x07 << (k % 6)), uint8_t(k % 4)});
    return d;
}

// The headerless layout of versions 1 and 2.
struct HeaderlessFile {
    uint8_t Type = 'e', Zoom = 5, Shafts = 4, Treadles = 4, Loom = 1, Design = 0, Shed = 0;
    uint8_t Compression = 1, WarpSize = 0, WeftSize = 0, UnitPicks = 4, UnitEnds = 4;
    Bytes Threading = Bytes(600), WarpColors = Bytes(600), WeftColors = Bytes(600);
    Bytes Treadling = Bytes(400);
    std::vector<Bytes> TieUpColumns = std::vector<Bytes>(4, Bytes{0}), LiftplanRows; // 400 rows
    std::array<uint8_t, 12> Unit1{}, Unit2{};
    std::array<uint8_t, 45> Palette{};
    Bytes Notes; // with its 0 byte; the length byte is Notes.size() - 1

    Bytes Build() const {
        ByteBuilder b;
        b.Add(Bytes{Type, Zoom, Shafts, Treadles, Loom, Design, Shed, Compression, 0, 0, WarpSize,
                    WeftSize},
              Threading, WarpColors, WeftColors);
        b.Rows(TieUpColumns).Add(Type == 'e' ? Treadling : Bytes{}).Rows(LiftplanRows);
        b.Add(Bytes{UnitPicks, UnitEnds}, Unit1, Unit2, Bytes{0}, Palette);
        return b.Add(Bytes{uint8_t(Notes.empty() ? 0 : Notes.size() - 1)}, Notes).B;
    }
};

// A private folder under the system's temporary folder, removed afterwards.
struct TempDir {
    std::filesystem::path Path = [] {
        std::string t = (std::filesystem::temp_directory_path() / "hw-files-XXXXXX").string();
        return std::filesystem::path(::mkdtemp(t.data()));
    }();
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(Path, ec);
    }
    std::string File(const std::string& name) const { return (Path / name).string(); }
};

inline void WriteBytes(const std::string& path, const Bytes& b) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}
inline Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// The message key of a failed load or save ("" when it went through).
template <typename Result> std::string ErrorKey(const Result& r) {
    return r.Error ? r.Error->Key : "";
}

// Every field of two documents, so "unchanged" means byte for byte.
// clang-format off
#define HW_DOCUMENT_FIELDS(X)                                                                      \
    X(Ends) X(Picks) X(Shafts) X(Treadles) X(EndsUsed) X(PicksUsed) X(Threading) X(TieUp)          \
    X(Treadling) X(Liftplan) X(WarpColors) X(WeftColors) X(DesignGrid) X(Palette) X(ColorTable)    \
    X(Notes) X(TreadleMode) X(MultipleTr) X(Shed) X(DesignMode) X(Zoom) X(ViewZoom) X(Style)       \
    X(LayoutTopBot) X(BottomStart) X(RightStart) X(CkoLeftStart) X(Atopstart) X(Compressed)        \
    X(EndsPerUnit) X(PicksPerUnit) X(MetricUnits) X(MarkingOn) X(FullMarking) X(MarkEndsInterval)  \
    X(MarkPicksInterval) X(PaletteDisplay) X(TransUnitSize) X(TransUnit1) X(TransUnit2)            \
    X(RepeatThreading) X(RepeatTreadling) X(RepeatWarpColors) X(RepeatWeftColors) X(ColorsLinked)  \
    X(FileName) X(InsertThreading) X(InsertTreadling) X(InsertWarpColors) X(InsertWeftColors)     \
    X(InsertTieUp)
// clang-format on
inline void ExpectSameDocument(const DraftState& a, const DraftState& b) {
#define HW_SAME(field) EXPECT_TRUE(a.field == b.field) << #field;
    HW_DOCUMENT_FIELDS(HW_SAME)
#undef HW_SAME
}

// The bounds every loaded document must keep, whatever the file held.
inline void ExpectModelInvariants(const DraftState& d) {
    const char* broken = fuzz::BrokenBound(d);
    EXPECT_EQ(broken, nullptr) << broken;
}

} // namespace hw::test
