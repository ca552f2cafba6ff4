#pragma once

#include "model/draft_state.h"
#include "view/canvas.h"
#include "view/geometry.h"

#include <cstdint>
#include <random>
#include <vector>

namespace hw {

// The cloth views of the main window; None is the draft itself (Draft or
// Design mode).
enum class FabricView { None, Flat, Yarn, Drapery, Interlacement };

// How far the cloth goes: the last threaded end and the last woven pick
// (the design's extent in Design mode); 0 when there is none.
struct ClothExtent {
    int Ends = 0;
    int Picks = 0;
};
ClothExtent FabricExtent(const DraftState& d);

// Pixels per end and per pick at a fabric zoom: the denser threads get the
// zoom, the others are stretched by the ratio of the densities (halves to
// even). With compression a row holds two picks and is twice as high.
struct ThreadSize {
    int Width = 1;
    int Height = 1;
};
ThreadSize FabricThreadSize(const DraftState& d, int zoom);

// The ends and picks the Interlacement view shows at a zoom step: 52 x 23 at
// step 10, more below it, fewer above.
struct ThreadCounts {
    int Ends = 0;
    int Picks = 0;
};
ThreadCounts InterlacementCounts(int zoom);

// A fabric view laid out in a drawing area.
struct FabricLayout {
    FabricView View = FabricView::None;
    int X0 = 0, Y0 = 0, Width = 0, Height = 0; // the drawing area
    ThreadSize Thread;
    bool Compressed = false; // rows of two picks (Fabric, Yarn View, Drapery)
    int VisibleEnds = 0;
    int VisiblePicks = 0;
};
FabricLayout LayoutFabric(const DraftState& d, FabricView view, int zoom, int x0, int y0, int width,
                          int height);

// The fabric views' offsets: never past the cloth (0 when it fits), and an
// even pick offset with compression, so rows keep their pairs.
void ClampFabricScroll(const DraftState& d, const FabricLayout& l, int& endOffset, int& pickOffset);
// The bars run over the cloth; ends from the right mirror the horizontal
// one, and pick 1 lies at the bottom, so the vertical one is always
// mirrored.
ScrollBarSetup FabricHorizontalBar(const DraftState& d, const FabricLayout& l, int endOffset);
ScrollBarSetup FabricVerticalBar(const DraftState& d, const FabricLayout& l, int pickOffset);
int FabricEndOffsetFromBar(const DraftState& d, const FabricLayout& l, int position);
int FabricPickOffsetFromBar(const DraftState& d, const FabricLayout& l, int position);

// What a crossing of the cloth shows: an end's warp, a pick's weft, or
// nothing (an unthreaded end where no weft covers it). Color is the palette
// index.
enum class ClothKind : uint8_t { Empty, Warp, Weft };
struct ClothCell {
    ClothKind Kind = ClothKind::Empty;
    uint8_t Color = 0;
    bool operator==(const ClothCell&) const = default;
};

// Reads the cloth of ends 1..lastEnd. A row is one pick, or with
// compression the pair of picks p-1 and p (p even) seen together: a floating
// pick p shows, else pick p-1 where it floats or where only it covers the
// end. Neighbours wrap within the cloth: the right neighbour of lastEnd is
// end 1 and the left one of end 1 is lastEnd. A pair with p-1 = 0 is pick p
// alone.
class Cloth {
public:
    Cloth(const DraftState& d, int lastEnd);

    // Ends first .. first + count - 1 (within 1..lastEnd) of a row.
    void Row(int pick, bool compressed, int firstEnd, int count, ClothCell* out);
    // The same as bytes, into out, out + step, ... (step 1 or -1), through
    // a table set before: [colour] where a thread shows, [256 + colour]
    // where none does.
    void SetIndexTable(const uint8_t* table);
    void IndexRow(int pick, bool compressed, int firstEnd, int count, uint8_t* out, int step);
    // One end, rows of picks first, first + step, ... (pairs named by their
    // upper pick with compression; step is 1 without).
    void Column(int end, bool compressed, int firstPick, int step, int rows, ClothCell* out);

    int LastEnd() const { return lastEnd_; }

private:
    // The row's crossings one by one: emit(i, kind, colour).
    template <class Emit> void Cells(int pick, bool compressed, int firstEnd, int count, Emit emit);
    // Where pick's weft covers the ends first..first+count-1 (0 outside the
    // cloth's picks: no weft).
    void Weft(int pick, int first, int count, uint8_t* out) const;
    void WeftColumn(int end, int firstPick, int count, uint8_t* out) const;
    ClothCell Cell(int end, int pick, int lower, bool weft, bool floats, bool lowerWeft,
                   bool lowerFloats) const;
    bool Threaded(int end) const;

    const DraftState& d_;
    int lastEnd_;
    std::vector<uint8_t> p_, q_;
    std::vector<uint8_t> cols_;
    const uint8_t* table_ = nullptr;
    std::vector<uint8_t> endIndex_;
};

// Near-white threads on a white background are drawn 1/8 darker so they
// stay visible (the Interlacement view).
ColorRef VisibleOnBackground(ColorRef c, ColorRef background);

// The yarn texture's random numbers: fast, and good enough for a texture.
class YarnRandom {
public:
    explicit YarnRandom(uint64_t seed) : state_(seed | 1) {}
    uint32_t Next();
    int Below(int n) { return int((uint64_t(Next()) * uint64_t(n)) >> 32); } // 0 .. n-1

private:
    uint64_t state_;
};

// A colour and the shades its yarn texture uses, as RGB32 pixels.
struct YarnShades {
    explicit YarnShades(ColorRef c);
    ColorRef Color;
    uint32_t Plain;
    uint32_t Darker[32] = {};  // [n]: each channel less 1/n
    uint32_t Lighter[12] = {}; // [n]: each channel 1/n nearer to 255
    uint32_t Speckles[4][7];   // a thread's middle, by two random bits and 0..6
};

// A yarn cell of w x h pixels (RGB32, rows `stride` apart): a weft shades
// its lower and upper edges, a warp its right and left ones, the rest is
// speckled lighter and darker.
void YarnCell(uint32_t* out, int stride, const YarnShades& s, bool weft, int w, int h,
              YarnRandom& random);

// Paints a fabric view over its cleared drawing area (the canvas from
// (0, 0) to its width and height is cleared). The yarn texture is seeded
// from `random`.
class FabricRenderer {
public:
    FabricRenderer(Canvas& canvas, const DraftState& d, const FabricLayout& l, int endOffset,
                   int pickOffset, ColorRef background, std::mt19937& random);
    void Paint(int canvasWidth, int canvasHeight);

    // The ends and picks on screen, for the status line.
    int FirstEnd() const { return firstEnd_; }
    int LastEnd() const { return lastEnd_; }
    int FirstPick() const { return firstPick_; }
    int LastPick() const { return lastPick_; }

private:
    void PaintFlat();
    void PaintDrapery();
    void PaintInterlacement();
    uint32_t Color(const ClothCell& c) const;

    Canvas& canvas_;
    const DraftState& d_;
    const FabricLayout& l_;
    ColorRef background_;
    YarnRandom yarn_;
    int firstEnd_ = 1, lastEnd_ = 0, firstPick_ = 1, lastPick_ = 0;
    int clothEnds_ = 0;
};

// The fabric window's picture: one pixel per end and pick, ends from the
// right and picks from the bottom as the draft's start positions say, the
// part from the offsets on. PaintEnds repaints only ends first..last.
void PaintFabricWindow(Canvas& canvas, const DraftState& d, int width, int height, int endOffset,
                       int pickOffset, ColorRef background);
void PaintFabricWindowEnds(Canvas& canvas, const DraftState& d, int width, int height,
                           int endOffset, int pickOffset, ColorRef background, int first, int last);
// The end and pick under a pixel of the fabric window (0 outside the cloth).
struct ClothPoint {
    int End = 0;
    int Pick = 0;
};
ClothPoint FabricWindowHit(const DraftState& d, int width, int height, int endOffset,
                           int pickOffset, int x, int y);

// The drapery's fold profile: how much cloth each screen column skips.
extern const uint8_t DraperyFrontSteps[466];
extern const uint8_t DraperyBackSteps[62];

} // namespace hw
