#pragma once

#include <cstdint>

namespace hw {

// Fixed sizes of every grid; nothing is ever allocated when a draft grows.
inline constexpr int MaxEnds = 9600;
inline constexpr int MaxPicks = 9600;
inline constexpr int MaxShafts = 16;
inline constexpr int MaxTreadles = 16;
inline constexpr int PaletteSize = 256;
inline constexpr int DesignSize = 50;
inline constexpr int DesignRowBytes = 300;
inline constexpr int MaxNotes = 3000;
inline constexpr int MaxRepeatSearched = 2400;

inline constexpr int MinShafts = 2;
inline constexpr int MinTreadles = 2;
inline constexpr int MinEnds = 2;
inline constexpr int MinPicks = 2;

} // namespace hw
