#pragma once

#include "model/draft_state.h"
#include "model/view_window.h"
#include "view/canvas.h"
#include "view/geometry.h"
#include "view/view_settings.h"

#include <cstdint>
#include <vector>

namespace hw {

// The darker shade (each of red, green and blue less a quarter) that edges
// the strips of the "Threads Outlined" style; an RGB32 pixel.
uint32_t OutlineShade(uint32_t rgb32);

// Paints the draft view (Draft and Design mode) onto a canvas. A renderer is
// cheap to make and reads the draft as it is when made, so make one per
// paint. Ends and picks are visible numbers (1 = the first visible one);
// shafts, treadles and liftplan columns are their own numbers.
//
// Every partial painter leaves exactly the pixels a full repaint would give
// for the same draft, so a window can repaint only what an edit changed.
class DraftRenderer {
public:
    DraftRenderer(Canvas& canvas, const DraftState& d, const ViewWindow& w, const ViewGeometry& g,
                  const ViewSettings& s);

    // Fills width x height from (0, 0) with the background, then paints all.
    void FullRepaint(int width, int height);

    // Whole areas.
    void PaintWarpColorRow();
    void PaintThreading();
    void PaintTieUp();
    void PaintTreadling();
    void PaintWeftColorColumn();
    void PaintDrawdown(); // the design grid in Design mode

    // Cells, columns and rows.
    void PaintThreadingColumn(int end, int shaft); // shaft 0: an empty end
    void PaintTieUpCell(int shaft, int treadle, bool on);
    void PaintTreadlingCell(int pick, int column, bool on);
    // Column t is set where bit t-1 is; the document's row without bits.
    void PaintTreadlingRow(int pick, uint16_t columns);
    void PaintTreadlingRow(int pick);
    void PaintWarpColorCell(int end, int colorIndex);
    void PaintWarpColorCell(int end);
    void PaintWeftColorCell(int pick, int colorIndex);
    void PaintWeftColorCell(int pick);
    // A drawdown column as if the end had the given warp colour (-1: its own).
    void PaintDrawdownColumn(int end, int warpColorIndex = -1);
    // A drawdown row as if the pick had the given weft colour (-1: its own).
    void PaintDrawdownRow(int pick, int weftColorIndex = -1);
    // One drawdown (design) cell; weftOnTop 0 or 1 overrides the draft's.
    void PaintDrawdownCell(int end, int pick, int weftOnTop = -1);
    // The drawdown cells of visible ends first..last (either order), all picks.
    void PaintDrawdownColumns(int first, int last);
    // The marking lines over the whole drawdown again (after something was
    // drawn over them).
    void PaintDrawdownMarkings();

    // The value the draft holds, as the painters take it.
    int ThreadingShaft(int end) const;
    uint16_t TreadlingColumns(int pick) const;

private:
    struct Look {
        bool Background = true;
        int WarpIndex = 0;
        bool WeftOnTop = false;
    };
    bool AreaShown(const ViewAreaLayout& a) const;
    void DrawGrid(const ViewAreaLayout& a);
    void DrawMarkings(const ViewAreaLayout& a, bool columns, int columnOffset, bool rows,
                      int rowOffset, int top, int bottom, int left, int right);
    void DrawAreaMarkings(const ViewAreaLayout& a, bool columns, int columnOffset, bool rows,
                          int rowOffset);
    void DrawDrawdownMarkings(int left, int top, int right, int bottom);
    void FillInner(int x, int y, ColorRef color);
    void DrawTieUpLines();
    // Paints drawdown cells ends k0..k1 x picks i0..i1 (visible, k0 <= k1).
    void PaintCells(int k0, int k1, int i0, int i1, int warpOverride, int weftOverride,
                    int weftOnTopOverride);
    void BuildTile(uint32_t* tile, const Look& look, uint32_t warp, uint32_t weft);
    ColorRef Palette(int index) const;

    Canvas& canvas_;
    class RasterCanvas* raster_; // the fast path, when drawing into a buffer
    const DraftState& d_;
    const ViewWindow& w_;
    const ViewGeometry& g_;
    const ViewSettings& s_;
    int style_ = 2;
    bool drawdownGrid_ = true; // grid lines and inner fills in the drawdown
    bool threads_ = false;     // styles 3 and 4
    int lastThreaded_ = 0;     // last threaded visible end
    bool singleTreadling_ = false;
    std::vector<uint32_t> rowPixels_;
    std::vector<uint32_t> tiles_;
    std::vector<int> tileStamp_;
    std::vector<uint8_t> weftOnTop_;
    std::vector<int> columnSlot_;
    std::vector<uint8_t> columnThreaded_;
    std::vector<int> columnX_;
    int stamp_ = 0;
};

} // namespace hw
