#include "edit/stroke_line.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace hw {

std::vector<CellPoint> LinePoints(CellPoint from, CellPoint to) {
    const int dx = to.Column - from.Column;
    const int dy = to.Row - from.Row;
    const int n = std::min(std::max(std::abs(dx), std::abs(dy)), MaxLineSteps);
    std::vector<CellPoint> points;
    points.reserve(size_t(n) + 1);
    points.push_back(from);
    for (int k = 1; k <= n; ++k) {
        // std::nearbyint rounds halves to even in the default rounding mode.
        const double x = from.Column + double(k) * dx / n;
        const double y = from.Row + double(k) * dy / n;
        points.push_back({int(std::nearbyint(x)), int(std::nearbyint(y))});
    }
    return points;
}

void ThinLine(std::vector<CellPoint>& points, bool byColumn) {
    std::vector<CellPoint> kept;
    kept.reserve(points.size());
    for (const CellPoint& p : points) {
        if (!kept.empty()) {
            const CellPoint& last = kept.back();
            if (byColumn ? last.Column == p.Column : last.Row == p.Row) continue;
        }
        kept.push_back(p);
    }
    points.swap(kept);
}

} // namespace hw
