#include "edit/paste_special.h"

#include "model/primitives.h"

#include <algorithm>
#include <cstdlib>

namespace hw {

namespace {

// Fill Remaining asks for more copies than can ever fit; placement stops
// at the edge of the area.
constexpr int ManyCopies = 60000;

int CopiesAsked(const PasteOptions& o) {
    return o.FillRemaining ? ManyCopies : std::clamp(o.Copies, 1, MaxPasteCopies);
}

// 1..n, the way columns wrap around the liftplan and the tie-up.
int Wrap(int c, int n) {
    return ((c - 1) % n + n) % n + 1;
}

// Values (shafts, treadles or colours) placed one copy after another from
// target on, in row[1..last]. count > 0 gives the shaft (treadle) count that
// mirroring and advancing work in; colours have neither.
void PasteValues(uint8_t* row, int last, int target, int source, const std::vector<uint8_t>& block,
                 int count, bool reverse, bool mirror, const PasteOptions& o) {
    const int w = int(block.size());
    if (w == 0 || target < 1 || target > last) return;
    const int copies = target < source ? 1 : CopiesAsked(o);
    std::vector<uint8_t> saved;
    if (o.Insert) saved.assign(row + target, row + last + 1);
    int first = target, shift = 0;
    for (int k = 1; k <= copies && first <= last; ++k, first += w) {
        const bool odd = k % 2 == 1;
        if (count > 0) {
            shift += o.Advance;
            if (shift > count) shift %= count;
            if (shift < -count) shift = -(-shift % count);
        }
        for (int i = 0; i < w && first + i <= last; ++i) {
            int v = block[size_t(reverse && odd ? w - 1 - i : i)];
            if (count > 0 && v != 0) {
                if (mirror && odd) v = count + 1 - v;
                v = (v + shift) % count;
                if (v < 1) v += count;
            }
            row[first + i] = uint8_t(v);
        }
    }
    for (size_t i = 0; i < saved.size() && first + int(i) <= last; ++i)
        row[first + int(i)] = saved[i];
}

// A quarter turn anticlockwise of the largest square in the block's top
// left corner; the rest of the block stays.
void TurnQuarter(ClipImage& img) {
    const int n = std::min(img.Width, img.Height) - 1;
    if (n < 1) return;
    const ClipImage prev = img;
    for (int b = 0; b <= n; ++b)
        for (int a = 0; a <= n; ++a) img.Put(a, b, prev.At(n - b, a));
}

// Copy k of a grid block: turned (the turns add up from copy to copy), then
// flipped and inverted on odd copies.
ClipImage GridCopy(ClipImage& turned, int k, const PasteOptions& o) {
    if (o.Rotate) TurnQuarter(turned);
    ClipImage piece = turned;
    if (k % 2 == 0) return piece;
    for (int y = 0; y < piece.Height; ++y)
        for (int x = 0; x < piece.Width; ++x) {
            const int sx = o.FlipHorizontal ? piece.Width - 1 - x : x;
            const int sy = o.FlipVertical ? piece.Height - 1 - y : y;
            piece.Put(x, y, turned.At(sx, sy) != o.Negative);
        }
    return piece;
}

// The block cut to what a paste into the area reads.
ClipImage Bounded(const ClipImage& img, SelArea area) {
    const ClipLimits lim = ImageLimits(area);
    const int w = std::min(img.Width, lim.Width), h = std::min(img.Height, lim.Height);
    if (w == img.Width && h == img.Height) return img;
    ClipImage cut(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) cut.Put(x, y, img.At(x, y));
    return cut;
}

// The copies of a grid block into rows 1..rows, each dRow rows and dCol
// columns on from the one before, the columns wrapping round.
template <class Put>
void PasteWrapped(const ClipImage& block, const PasteOptions& o, const CellBlock& target,
                  int dRow, int dCol, int copies, int rows, int columns, Put put) {
    ClipImage turned = block;
    int row = target.FirstRow, col = target.FirstColumn;
    for (int k = 1; k <= copies && row >= 1 && row <= rows; ++k) {
        const ClipImage piece = GridCopy(turned, k, o);
        for (int y = 0; y < piece.Height && row + y <= rows; ++y)
            for (int x = 0; x < piece.Width; ++x) put(row + y, Wrap(col + x, columns), piece.At(x, y));
        row += dRow;
        col = Wrap(col + dCol, columns);
    }
}

void PasteLiftplan(DraftState& d, const CellBlock& target, const CopyRecord& source,
                   const ClipImage& block, const PasteOptions& o) {
    const int columns =
        d.TreadleMode ? std::min<int>(d.Treadles, MaxTreadles) : std::min<int>(d.Shafts, MaxShafts);
    const int picks = std::min<int>(d.Picks, MaxPicks);
    const int dRow = target.FirstRow - source.Row, dCol = target.FirstColumn - source.Column;
    int copies = CopiesAsked(o);
    // Copies only ever go down the liftplan, never above the target.
    if (dRow < 0) copies = 1;
    if (dRow == 0) {
        // Side by side in the same picks: as many as fit.
        const int step = std::abs(dCol);
        if (step == 0 || block.Width + step >= columns) {
            copies = 1;
        } else {
            const int fit = dCol > 0
                                ? (columns - target.FirstColumn + 1 - block.Width + step) / step
                                : (target.FirstColumn - 1) / step + 1;
            copies = std::clamp(fit, 1, copies);
        }
    }
    PasteWrapped(block, o, target, dRow, dCol, copies, picks, columns,
                 [&](int p, int c, bool on) { LiftplanPut(d, p, c, on); });
}

void PasteTieUp(DraftState& d, const CellBlock& target, const CopyRecord& source,
                const ClipImage& block, const PasteOptions& o) {
    const int shafts = std::min<int>(d.Shafts, MaxShafts);
    const int treadles = std::min<int>(d.Treadles, MaxTreadles);
    const int dRow = target.FirstRow - source.Row, dCol = target.FirstColumn - source.Column;
    const int copies = dRow <= 0 ? 1 : CopiesAsked(o);
    PasteWrapped(block, o, target, dRow, dCol, copies, shafts, treadles,
                 [&](int s, int t, bool on) { TieUpPut(d, s, t, on); });
}

void PasteDesign(DraftState& d, const CellBlock& target, const CopyRecord& source,
                 const ClipImage& block, const PasteOptions& o) {
    const int ends = std::min<int>(d.Ends, DesignSize), picks = std::min<int>(d.Picks, DesignSize);
    const int dRow = target.FirstRow - source.Row, dCol = target.FirstColumn - source.Column;
    const int copies = dRow == 0 && dCol == 0 ? 1 : o.FillRemaining ? DesignSize : CopiesAsked(o);
    ClipImage turned = block;
    int row = target.FirstRow, col = target.FirstColumn;
    for (int k = 1; k <= copies; ++k, row += dRow, col += dCol) {
        if (row > DesignSize || col > DesignSize || row + block.Height <= 1 ||
            col + block.Width <= 1)
            break;
        const ClipImage piece = GridCopy(turned, k, o);
        for (int y = 0; y < piece.Height; ++y)
            for (int x = 0; x < piece.Width; ++x) {
                const int e = col + x, p = row + y;
                if (e >= 1 && e <= ends && p >= 1 && p <= picks) DesignPut(d, p, e, piece.At(x, y));
            }
    }
}

} // namespace

void PasteSpecial(DraftState& d, const CellBlock& target, const CopyRecord& source,
                  const ClipContent& clip, const PasteOptions& o) {
    if (CheckPaste(target, clip, &source) != PasteProblem::None) return;
    const int ends = std::min<int>(d.Ends, MaxEnds), picks = std::min<int>(d.Picks, MaxPicks);
    switch (target.Area) {
    case SelArea::Threading: {
        const int shafts = std::min<int>(d.Shafts, MaxShafts);
        PasteValues(d.Threading.data(), ends, target.FirstColumn, source.Column,
                    DecodeImageRows(*clip.Image, shafts), shafts, o.FlipHorizontal, o.FlipVertical,
                    o);
        break;
    }
    case SelArea::Treadling: {
        const int treadles = std::min<int>(d.Treadles, MaxTreadles);
        PasteValues(d.Treadling.data(), picks, target.FirstRow, source.Row,
                    DecodeImageRows(*clip.Image, treadles), treadles, o.FlipVertical,
                    o.FlipHorizontal, o);
        break;
    }
    case SelArea::WarpColors:
        PasteValues(d.WarpColors.data(), ends, target.FirstColumn, source.Column,
                    *DecodeColorText(*clip.Text), 0, o.FlipHorizontal, false, o);
        break;
    case SelArea::WeftColors:
        PasteValues(d.WeftColors.data(), picks, target.FirstRow, source.Row,
                    *DecodeColorText(*clip.Text), 0, o.FlipVertical, false, o);
        break;
    case SelArea::Liftplan:
        PasteLiftplan(d, target, source, Bounded(*clip.Image, target.Area), o);
        break;
    case SelArea::TieUp:
        PasteTieUp(d, target, source, Bounded(*clip.Image, target.Area), o);
        break;
    case SelArea::Design:
        PasteDesign(d, target, source, Bounded(*clip.Image, target.Area), o);
        break;
    case SelArea::None:
        return;
    }
    UpdateUsed(d);
}

} // namespace hw
