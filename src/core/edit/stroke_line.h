#pragma once

#include <vector>

namespace hw {

struct CellPoint {
    int Column = 0;
    int Row = 0;
    bool operator==(const CellPoint&) const = default;
};

inline constexpr int MaxLineSteps = 999;

// The cells of a line from one cell to another: the start and one point per
// step, max(|dx|, |dy|) steps (at most 999), each rounded to the nearest
// cell with ties to even.
std::vector<CellPoint> LinePoints(CellPoint from, CellPoint to);

// Keeps one point per column (byColumn) or per row: a point whose column
// (row) equals the previous kept point's is dropped.
void ThinLine(std::vector<CellPoint>& points, bool byColumn);

} // namespace hw
