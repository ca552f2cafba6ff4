#pragma once

// Pattern files built byte by byte from the layout tables, independently of
// the writer, plus helpers the pattern-file tests share.

#include "model/draft_state.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace hw::test {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, int v) {
    b.push_back(uint8_t(v >> 8));
    b.push_back(uint8_t(v));
}

// A "{" file of versions 3..7: each field in file order, raw.
struct BracedFile {
    uint8_t Version = 7;
    uint8_t Type = 'e';
    uint8_t Zoom = 9;
    uint8_t Shafts = 4;
    uint8_t Treadles = 6;
    uint8_t Design = 0;
    uint8_t Shed = 0;
    uint8_t Compression = 1;
    uint8_t WarpDensity = 25; // a size code below version 5
    uint8_t WeftDensity = 25;
    uint8_t PaletteDisplay = 1;
    uint8_t Layout = 0x80 | 0x01 | 0x02 | 0x04; // the start-up layout
    uint16_t Ends = 12;
    uint16_t Picks = 10;
    uint8_t Units = 0;
    uint8_t ViewZoom = 2;
    uint8_t Flags = 0x02;
    uint8_t EndsInterval = 7;
    uint8_t PicksInterval = 7;
    Bytes Threading, WarpColors, WeftColors;
    std::vector<Bytes> TieUpColumns; // one per treadle
    Bytes Treadling;                 // type "e"
    std::vector<Bytes> LiftplanRows; // types "d" and "f"
    uint8_t UnitPicks = 4, UnitEnds = 4;
    std::array<uint8_t, 32> Unit1{}, Unit2{};
    uint8_t PaletteLast = 255;
    Bytes Palette;       // (PaletteLast + 1) * 3 bytes
    int NotesCount = -1; // -1: the size of Notes
    Bytes Notes;         // written as given (add the 0 byte yourself)

    Bytes Build() const {
        Bytes b = {'{',  Version,     Type,        Zoom,        Shafts,         Treadles, Design,
                   Shed, Compression, WarpDensity, WeftDensity, PaletteDisplay, Layout};
        Put16(b, Ends);
        Put16(b, Picks);
        b.insert(b.end(), {Units, ViewZoom, Flags, EndsInterval, PicksInterval, 0, 0});
        for (const Bytes* s : {&Threading, &WarpColors, &WeftColors}) {
            Put16(b, int(s->size()));
            b.insert(b.end(), s->begin(), s->end());
        }
        for (const Bytes& c : TieUpColumns) b.insert(b.end(), c.begin(), c.end());
        if (Type == 'e') {
            Put16(b, int(Treadling.size()));
            b.insert(b.end(), Treadling.begin(), Treadling.end());
        } else {
            Put16(b, int(LiftplanRows.size()));
            for (const Bytes& r : LiftplanRows) b.insert(b.end(), r.begin(), r.end());
        }
        b.push_back(UnitPicks);
        b.push_back(UnitEnds);
        b.insert(b.end(), Unit1.begin(), Unit1.end());
        b.insert(b.end(), Unit2.begin(), Unit2.end());
        b.push_back(PaletteLast);
        b.insert(b.end(), Palette.begin(), Palette.end());
        Put16(b, NotesCount < 0 ? int(Notes.size()) - 1 : NotesCount);
        b.insert(b.end(), Notes.begin(), Notes.end());
        return b;
    }
};

// A small single-treadling sample: 12 ends on 4 shafts, 10 picks on 6
// treadles, every field set to something a mix-up would show.
inline BracedFile SampleBraced() {
    BracedFile f;
    f.Threading = {1, 2, 3, 4, 1, 2, 3, 4, 0, 4, 3, 2};
    f.WarpColors = {5, 5, 7, 7, 5, 5, 7, 7, 5, 5, 7, 200};
    f.WeftColors = {9, 9, 9, 1, 1, 1, 9, 9, 9, 255};
    // Treadle t ties shafts t and t+1 (treadle 6 ties only shaft 1).
    f.TieUpColumns = {{0x03}, {0x06}, {0x0C}, {0x08}, {0x09}, {0x01}};
    f.Treadling = {1, 2, 3, 4, 5, 6, 0, 2, 3, 1};
    f.UnitPicks = 3;
    f.UnitEnds = 5;
    f.Unit1[0] = 0x11, f.Unit1[1] = 0x80, f.Unit1[31] = 0x80;
    f.Unit2[2] = 0x02;
    for (int i = 0; i < 256; ++i)
        f.Palette.insert(f.Palette.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)});
    f.Notes = {'T', 'w', 'i', 'l', 'l', ' ', 0xE4, 0x80, 0};
    return f;
}

// The headerless layout of versions 1 and 2.
struct HeaderlessFile {
    uint8_t Type = 'e';
    uint8_t Zoom = 5;
    uint8_t Shafts = 4;
    uint8_t Treadles = 4;
    uint8_t Loom = 1;
    uint8_t Design = 0;
    uint8_t Shed = 0;
    uint8_t Compression = 1;
    uint8_t WarpSize = 0, WeftSize = 0;
    Bytes Threading = Bytes(600), WarpColors = Bytes(600), WeftColors = Bytes(600);
    std::vector<Bytes> TieUpColumns = std::vector<Bytes>(4, Bytes{0});
    Bytes Treadling = Bytes(400);
    std::vector<Bytes> LiftplanRows; // 400 rows for "d" and "f"
    uint8_t UnitPicks = 4, UnitEnds = 4;
    std::array<uint8_t, 12> Unit1{}, Unit2{};
    std::array<uint8_t, 45> Palette{};
    Bytes Notes; // the length byte is Notes.size() - 1 when not empty

    Bytes Build() const {
        Bytes b = {Type, Zoom,        Shafts, Treadles, Loom,     Design,
                   Shed, Compression, 0,      0,        WarpSize, WeftSize};
        for (const Bytes* s : {&Threading, &WarpColors, &WeftColors})
            b.insert(b.end(), s->begin(), s->end());
        for (const Bytes& c : TieUpColumns) b.insert(b.end(), c.begin(), c.end());
        if (Type == 'e') {
            b.insert(b.end(), Treadling.begin(), Treadling.end());
        } else {
            for (const Bytes& r : LiftplanRows) b.insert(b.end(), r.begin(), r.end());
        }
        b.push_back(UnitPicks);
        b.push_back(UnitEnds);
        b.insert(b.end(), Unit1.begin(), Unit1.end());
        b.insert(b.end(), Unit2.begin(), Unit2.end());
        b.push_back(0);
        b.insert(b.end(), Palette.begin(), Palette.end());
        b.push_back(uint8_t(Notes.empty() ? 0 : Notes.size() - 1));
        b.insert(b.end(), Notes.begin(), Notes.end());
        return b;
    }
};

// A private folder under the system's temporary folder, removed afterwards.
class TempDir {
public:
    TempDir() {
        std::string templ = (std::filesystem::temp_directory_path() / "hw-files-XXXXXX").string();
        Path = ::mkdtemp(templ.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(Path, ec);
    }
    std::string File(const std::string& name) const { return (Path / name).string(); }
    std::filesystem::path Path;
};

inline void WriteBytes(const std::string& path, const Bytes& b) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

inline Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Every field of two documents, so "unchanged" means byte for byte.
inline void ExpectSameDocument(const DraftState& a, const DraftState& b) {
#define HW_SAME(field) EXPECT_TRUE(a.field == b.field) << #field
    HW_SAME(Ends);
    HW_SAME(Picks);
    HW_SAME(Shafts);
    HW_SAME(Treadles);
    HW_SAME(EndsUsed);
    HW_SAME(PicksUsed);
    HW_SAME(Threading);
    HW_SAME(TieUp);
    HW_SAME(Treadling);
    HW_SAME(Liftplan);
    HW_SAME(WarpColors);
    HW_SAME(WeftColors);
    HW_SAME(DesignGrid);
    HW_SAME(Palette);
    HW_SAME(ColorTable);
    HW_SAME(Notes);
    HW_SAME(TreadleMode);
    HW_SAME(MultipleTr);
    HW_SAME(Shed);
    HW_SAME(DesignMode);
    HW_SAME(Zoom);
    HW_SAME(ViewZoom);
    HW_SAME(Style);
    HW_SAME(LayoutTopBot);
    HW_SAME(BottomStart);
    HW_SAME(RightStart);
    HW_SAME(CkoLeftStart);
    HW_SAME(Atopstart);
    HW_SAME(Compressed);
    HW_SAME(EndsPerUnit);
    HW_SAME(PicksPerUnit);
    HW_SAME(MetricUnits);
    HW_SAME(MarkingOn);
    HW_SAME(FullMarking);
    HW_SAME(MarkEndsInterval);
    HW_SAME(MarkPicksInterval);
    HW_SAME(PaletteDisplay);
    HW_SAME(TransUnitSize);
    HW_SAME(TransUnit1);
    HW_SAME(TransUnit2);
    HW_SAME(RepeatThreading);
    HW_SAME(RepeatTreadling);
    HW_SAME(RepeatWarpColors);
    HW_SAME(RepeatWeftColors);
    HW_SAME(ColorsLinked);
    HW_SAME(FileName);
    HW_SAME(CurrentColor);
    HW_SAME(Changed);
    HW_SAME(UndoEnabled);
    HW_SAME(Undo.Valid);
    HW_SAME(Undo.Threading);
    HW_SAME(Undo.Treadling);
    HW_SAME(Undo.Liftplan);
    HW_SAME(Undo.WarpColors);
    HW_SAME(InsertThreading);
    HW_SAME(InsertTreadling);
    HW_SAME(InsertWarpColors);
    HW_SAME(InsertWeftColors);
    HW_SAME(InsertTieUp);
#undef HW_SAME
}

// The bounds every loaded document must keep, whatever the file held.
inline void ExpectModelInvariants(const DraftState& d) {
    EXPECT_GE(d.Shafts, 2);
    EXPECT_LE(d.Shafts, 16);
    EXPECT_GE(d.Treadles, 2);
    EXPECT_LE(d.Treadles, 16);
    if (!d.TreadleMode) {
        EXPECT_EQ(d.Treadles, d.Shafts);
        EXPECT_FALSE(d.MultipleTr);
    }
    EXPECT_GE(d.Ends, 2);
    EXPECT_LE(d.Ends, 9600);
    EXPECT_GE(d.Picks, 2);
    EXPECT_LE(d.Picks, 9600);
    EXPECT_GE(d.Ends, d.EndsUsed);
    EXPECT_GE(d.Picks, d.PicksUsed);
    EXPECT_GE(d.Zoom, 1);
    EXPECT_LE(d.Zoom, 20);
    EXPECT_GE(d.ViewZoom, 1);
    EXPECT_LE(d.ViewZoom, 20);
    for (int v : d.TransUnitSize) {
        EXPECT_GE(v, 1);
        EXPECT_LE(v, 16);
    }
    EXPECT_FALSE(d.TransUnitSize[0] == 1 && d.TransUnitSize[1] == 1);
    EXPECT_GE(d.MarkEndsInterval, 1);
    EXPECT_LE(d.Notes.size(), size_t(3 * 3000));
    for (int e = 1; e <= 9600; ++e) ASSERT_LE(d.Threading[e], d.Shafts) << "end " << e;
    for (const auto& row : d.TieUp)
        for (uint8_t c : row) ASSERT_LE(c, 1);
    for (int p = 1; p <= 50; ++p) {
        ASSERT_EQ(d.DesignGrid[p][6] & 0xFC, 0);
        for (int i = 7; i < 300; ++i) ASSERT_EQ(d.DesignGrid[p][i], 0);
    }
}

} // namespace hw::test
