#pragma once

#include "test_drafts.h"
#include "view/geometry.h"
#include "view/raster_canvas.h"
#include "view/renderer.h"

#include <gtest/gtest.h>

#include <memory>

namespace hw::test {

struct Point {
    int X = 0, Y = 0;
};

// A draft, its view and a raster canvas the size of the drawing area.
struct ViewFixture {
    std::unique_ptr<DraftState> Owned = NewDraft();
    DraftState* Draft = Owned.get(); // a document's draft, where a test has one
    ViewWindow Window;
    ViewSettings Settings;
    ViewGeometry Geometry;
    std::unique_ptr<RasterCanvas> Canvas;
    int Width = 0, Height = 0;

    // A simple layout to start from: threading on top, everything numbered
    // from the top left.
    ViewFixture() {
        DraftState& d = *Draft;
        d.LayoutTopBot = d.RightStart = d.BottomStart = false;
        d.CkoLeftStart = d.Atopstart = true;
        d.Style = 2, d.Shafts = d.Treadles = 4, d.Ends = d.Picks = 40, d.Zoom = 7;
    }

    // Straight draw on four shafts, a 2/2 twill tie-up, straight treadling.
    void Twill(int ends, int picks) {
        DraftState& d = *Draft;
        for (int e = 1; e <= ends; ++e) d.Threading[e] = uint8_t((e - 1) % 4 + 1);
        for (int p = 1; p <= picks; ++p) d.Treadling[p] = uint8_t((p - 1) % 4 + 1);
        for (int i = 0; i < 16; ++i) d.TieUpAt(i % 4 + 1, i / 4 + 1) = (i % 4 - i / 4 + 4) % 4 < 2;
        UpdateUsed(d);
    }

    void Layout(int width, int height) {
        Width = width, Height = height;
        LayoutView(*Draft, Settings, Window, Geometry, 0, 0, width, height);
        Canvas = std::make_unique<RasterCanvas>(width, height, 0x123456);
    }

    void Paint() {
        DraftRenderer(*Canvas, *Draft, Window, Geometry, Settings).FullRepaint(Width, Height);
    }
    // A full repaint of the current state on a canvas of its own.
    std::unique_ptr<RasterCanvas> Fresh() const {
        auto c = std::make_unique<RasterCanvas>(Width, Height, 0x654321);
        DraftRenderer(*c, *Draft, Window, Geometry, Settings).FullRepaint(Width, Height);
        return c;
    }
    // Centre of a cell.
    Point Center(const ViewAreaLayout& a, int column, int row) const {
        return {a.Columns.CellPos(column) + Geometry.Cell / 2,
                a.Rows.CellPos(row) + Geometry.Cell / 2};
    }
    ColorRef At(Point p) const { return Canvas->PixelColor(p.X, p.Y); }
    ColorRef At(int x, int y) const { return Canvas->PixelColor(x, y); }
};

// The first pixel where two canvases differ, for messages; empty when equal.
inline std::string FirstDifference(const RasterCanvas& a, const RasterCanvas& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return "sizes differ";
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return std::to_string(x) + "," + std::to_string(y);
    return {};
}

} // namespace hw::test
