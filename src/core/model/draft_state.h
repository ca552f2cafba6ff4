#pragma once

#include "model/limits.h"

#include <array>
#include <cstdint>
#include <string>

namespace hw {

// One palette entry as stored in pattern files.
struct PaletteEntry {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    bool operator==(const PaletteEntry&) const = default;
};

// Windows-style colour value: red + 256 * green + 65536 * blue.
using ColorRef = uint32_t;

inline constexpr ColorRef MakeColorRef(uint8_t r, uint8_t g, uint8_t b) {
    return ColorRef(r) | (ColorRef(g) << 8) | (ColorRef(b) << 16);
}
inline constexpr uint8_t ColorRed(ColorRef c) {
    return uint8_t(c & 0xFF);
}
inline constexpr uint8_t ColorGreen(ColorRef c) {
    return uint8_t((c >> 8) & 0xFF);
}
inline constexpr uint8_t ColorBlue(ColorRef c) {
    return uint8_t((c >> 16) & 0xFF);
}

// A liftplan row: element k (1..16) is bit k-1. Written to files and the
// clipboard as two bytes, low byte first, which is exactly the layout
// "element k is bit (k-1) mod 8 of byte (k-1) div 8".
using LiftplanRow = uint16_t;

// The whole weaving draft. Grids indexed by end, pick, shaft or treadle use
// the number itself as index (element 0 is unused and stays 0), except the
// tie-up, whose byte layout [shaft-1][treadle-1] is the one the files use.
struct DraftState {
    DraftState();

    // Sizes.
    uint16_t Ends = 2400;
    uint16_t Picks = 2400;
    uint16_t Shafts = 8;
    uint16_t Treadles = 8;
    uint16_t EndsUsed = 0;
    uint16_t PicksUsed = 0;

    // Grids.
    std::array<uint8_t, MaxEnds + 1> Threading{};
    std::array<std::array<uint8_t, MaxTreadles>, MaxShafts> TieUp{};
    std::array<uint8_t, MaxPicks + 1> Treadling{};
    std::array<LiftplanRow, MaxPicks + 1> Liftplan{};
    std::array<uint8_t, MaxEnds + 1> WarpColors{};
    std::array<uint8_t, MaxPicks + 1> WeftColors{};
    // Row p (1..50) holds 300 bytes; only ends 1..50 are ever addressed.
    std::array<std::array<uint8_t, DesignRowBytes>, DesignSize + 1> DesignGrid{};
    std::array<PaletteEntry, PaletteSize> Palette{};
    std::array<ColorRef, PaletteSize> ColorTable{}; // rebuilt from Palette
    std::string Notes;                              // UTF-8 in memory

    // Loom system and shed.
    bool TreadleMode = true;
    bool MultipleTr = false;
    bool Shed = false; // false = rising, true = sinking
    bool DesignMode = false;

    // Presentation values stored with the pattern.
    uint8_t Zoom = 9;
    uint8_t ViewZoom = 2;
    int Style = 4;
    bool LayoutTopBot = false;
    bool BottomStart = true;
    bool RightStart = true;
    bool CkoLeftStart = true;
    bool Atopstart = false;
    bool Compressed = false;
    uint8_t EndsPerUnit = 25;
    uint8_t PicksPerUnit = 25;
    bool MetricUnits = true;
    bool MarkingOn = false;
    bool FullMarking = false;
    uint16_t MarkEndsInterval = 8;
    uint16_t MarkPicksInterval = 8;
    int PaletteDisplay = 1;
    std::array<int, 2> TransUnitSize{4, 4}; // width (ends), height (picks)
    // [row 0..15][column 0..15]
    std::array<std::array<bool, 16>, 16> TransUnit1{};
    std::array<std::array<bool, 16>, 16> TransUnit2{};

    // Run-time values that belong to the document but not to the file.
    int32_t RepeatThreading = 8;
    int32_t RepeatTreadling = 8;
    int32_t RepeatWarpColors = 0;
    int32_t RepeatWeftColors = 0;
    bool ColorsLinked = true;
    std::string FileName;

    // Side buffers for "insert from file"; never part of the draft.
    std::array<uint8_t, MaxEnds + 1> InsertThreading{};
    std::array<uint8_t, MaxPicks + 1> InsertTreadling{};
    std::array<uint8_t, MaxEnds + 1> InsertWarpColors{};
    std::array<uint8_t, MaxPicks + 1> InsertWeftColors{};
    std::array<std::array<uint8_t, MaxTreadles>, MaxShafts> InsertTieUp{};

    // Cell accessors with bounds.
    uint8_t& TieUpAt(int shaft, int treadle) { return TieUp[shaft - 1][treadle - 1]; }
    uint8_t TieUpAt(int shaft, int treadle) const { return TieUp[shaft - 1][treadle - 1]; }
};

// Which of the three loom systems a draft is woven on.
enum class LoomSystem { Liftplan, SingleTreadling, MultipleTreadling };

LoomSystem GetLoomSystem(const DraftState& d);
void SetLoomSystem(DraftState& d, LoomSystem s); // flags only

// Default colour indexes for the current shed.
uint8_t DefaultWarpColor(const DraftState& d);
uint8_t DefaultWeftColor(const DraftState& d);

// Liftplan row accessors (element 1..16; others are ignored / false).
bool LiftplanGet(const DraftState& d, int pick, int element);
void LiftplanSet(DraftState& d, int pick, int element);
void LiftplanClear(DraftState& d, int pick, int element);
void LiftplanPut(DraftState& d, int pick, int element, bool value);

// Tie-up store with bounds (shaft and treadle 1..16).
void TieUpPut(DraftState& d, int shaft, int treadle, bool value);

// Design grid accessors (pick and end 1..50).
bool DesignGet(const DraftState& d, int pick, int end);
void DesignPut(DraftState& d, int pick, int end, bool value);

// Liftplan row as its two file bytes and back.
inline uint8_t LiftplanRowByte(LiftplanRow row, int byteIndex) {
    return uint8_t(row >> (8 * byteIndex));
}
inline LiftplanRow LiftplanRowFromBytes(uint8_t b0, uint8_t b1) {
    return LiftplanRow(b0 | (b1 << 8));
}

// The default palette table (entries 0..63), as 0xRRGGBB.
extern const std::array<uint32_t, 64> DefaultPaletteTable;

} // namespace hw
