#pragma once

#include "edit/selection.h"
#include "model/message.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hw {

// A black-and-white picture of grid cells, the clipboard's format for the
// grids: a set cell is black, an empty one white.
struct ClipImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Cells; // row after row, 1 = set

    ClipImage() = default;
    ClipImage(int width, int height)
        : Width(width), Height(height), Cells(size_t(width) * size_t(height), 0) {}
    bool At(int x, int y) const { return Cells[size_t(y) * size_t(Width) + size_t(x)] != 0; }
    void Put(int x, int y, bool on) { Cells[size_t(y) * size_t(Width) + size_t(x)] = on; }
};

// What the clipboard holds, as far as a paste reads it.
struct ClipContent {
    std::optional<std::string> Text;
    std::optional<ClipImage> Image;
};

// The first line of the colour rows' text.
inline constexpr std::string_view ClipMarker = "HDWCLIPC";
// No more values are read from the clipboard than a row has places.
inline constexpr int MaxClipValues = 9600;

// Where the last Copy (or Cut) came from: its area and first cell. Paste
// Special repeats a block with the step from there to the target.
struct CopyRecord {
    SelArea Area = SelArea::None;
    int Column = 0;
    int Row = 0;
};
inline CopyRecord RecordOf(const CellBlock& b) {
    return {b.Area, b.FirstColumn, b.FirstRow};
}

// The block as clipboard content. Colour rows give text: the marker line,
// then one palette index per end (pick), every line ending in CR LF. Grids
// give a picture: threading one row per end with the shaft as column (as
// wide as the shaft count), single treadling one row per pick with the
// treadle, liftplan columns by picks, tie-up treadles by shafts, the
// design grid ends by picks.
ClipContent CopyBlock(const DraftState& d, const CellBlock& b);

// Delete (and the second half of Cut): ends and picks of the threading,
// single treadling, colour rows and whole liftplan rows are removed, the
// later ones moving up (colours with them while linked); other cells are
// cleared.
void DeleteBlock(DraftState& d, const CellBlock& b, bool colorsLinked);

// The most of a foreign picture a paste into the area reads: 16 columns
// and 9600 rows for the threading, treadling and liftplan, 16 x 16 for the
// tie-up, 50 x 50 for the design grid.
struct ClipLimits {
    int Width = 0;
    int Height = 0;
};
ClipLimits ImageLimits(SelArea a);

// The values of colour text, at most 9600: nothing unless the first line is
// exactly the marker; a line that is not a number from 0 to 255 gives 0.
std::optional<std::vector<uint8_t>> DecodeColorText(std::string_view text);
// Threading or treadling from a picture: per row, the column of its first
// set cell counted from 1, or 0 when there is none or it lies beyond count.
std::vector<uint8_t> DecodeImageRows(const ClipImage& image, int count);

// Why a paste cannot go ahead; it then changes nothing.
enum class PasteProblem {
    None,
    NoSelection,  // "Select an area to Paste in before pasting."
    WrongFormat,  // "Invalid clipboard format for selected area."
    Incompatible, // colour text without the marker, an error
};
// The checks before Paste and, with the last copy's record, Paste Special
// (which needs the target in the area the copy came from).
PasteProblem CheckPaste(const CellBlock& target, const ClipContent& clip,
                        const CopyRecord* special = nullptr);
Message PasteProblemMessage(PasteProblem p);

// Writes the clipboard block from the target's first cell on, as far as the
// area reaches; the size of the target does not limit it.
void PasteBlock(DraftState& d, const CellBlock& target, const ClipContent& clip);

} // namespace hw
