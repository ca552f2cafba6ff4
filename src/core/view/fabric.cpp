#include "view/fabric.h"

#include "model/drawdown.h"
#include "model/palette.h"
#include "model/primitives.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace hw {

// Cloth skipped per screen column: none where the folds face the viewer (at
// the turns of the top edge, columns 64, 195, 323 and 422), up to 6 where
// the cloth turns away from it.
const uint8_t DraperyFrontSteps[466] = {
    6, 4, 3, 3, 2, 2, 2, 2, 1, 2, 1, 1, 0, 1, 1, 0, 1, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 1, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 3,
    4, 5, 5, 4, 3, 2, 2, 1, 2, 1, 1, 1, 1, 1, 0, 1, 1, 0, 1, 0, 0, 1, 0, 1, 0, 0, 1, 0, 0, 0, 1, 0,
    0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1,
    0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1, 1, 1, 1, 1, 2, 2, 2,
    2, 4, 4, 6, 4, 3, 3, 2, 2, 1, 2, 1, 1, 1, 1, 0, 1, 0, 1, 1, 0, 0, 1, 0, 1, 0, 0, 1, 0, 0, 0, 1,
    0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 0,
    0, 1, 0, 1, 0, 1, 0, 1, 1, 0, 1, 1, 1, 1, 2, 1, 2, 3, 3, 3, 5, 5, 4, 3, 2, 2, 2, 1, 2, 1, 1, 0,
    1, 1, 0, 1, 1, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0,
    0, 1, 0, 0, 1, 0, 1, 0, 1, 0, 1, 1, 1, 2, 1, 2, 3, 5};
// The back of the last fold: down for 29 columns, then up.
const uint8_t DraperyBackSteps[62] = {4, 4, 2, 2, 2, 2, 1, 1, 1, 1, 1, 0, 1, 1, 0, 1, 0, 1, 0, 0, 1,
                                      0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 0,
                                      0, 1, 0, 1, 0, 1, 0, 1, 1, 0, 1, 1, 1, 2, 1, 2, 2, 3, 3, 4};

namespace {

uint8_t Channel(ColorRef c, int shift) {
    return uint8_t((c >> shift) & 0xFF);
}

ColorRef Darker(ColorRef c, int n) {
    const int r = Channel(c, 0), g = Channel(c, 8), b = Channel(c, 16);
    return MakeColorRef(uint8_t(r - r / n), uint8_t(g - g / n), uint8_t(b - b / n));
}

ColorRef Lighter(ColorRef c, int n) {
    const int r = Channel(c, 0), g = Channel(c, 8), b = Channel(c, 16);
    return MakeColorRef(uint8_t(r + (255 - r) / n), uint8_t(g + (255 - g) / n),
                        uint8_t(b + (255 - b) / n));
}

constexpr ColorRef YarnGround = 0x808080;

// Rows a fabric view shows for m picks: one per pick, or one per pair with
// compression (a lone pick still gets its row).
int RowsFor(int m, bool compressed) {
    if (m <= 0) return 0;
    return compressed ? std::max(1, m / 2) : m;
}

// The pick a row is named by: its upper pick with compression.
int RowPick(int firstPick, int picks, int row, bool compressed) {
    if (!compressed) return firstPick + row;
    return picks == 1 ? firstPick : firstPick + 2 * row + 1;
}

int MaxOffset(int count, int visible) {
    return std::max(0, count - visible);
}

} // namespace

ClothExtent FabricExtent(const DraftState& d) {
    if (!d.DesignMode) return {LastThreadedEnd(d, d.Ends), LastUsedPick(d, d.Picks)};
    // The design's extent, at least one end and one pick, as Design mode
    // keeps it.
    int ends = 1, picks = 1;
    for (int p = 1; p <= DesignSize; ++p)
        for (int e = 1; e <= DesignSize; ++e)
            if (DesignGet(d, p, e)) {
                ends = std::max(ends, e);
                picks = std::max(picks, p);
            }
    return {std::min<int>(ends, d.Ends), std::min<int>(picks, d.Picks)};
}

ThreadSize FabricThreadSize(const DraftState& d, int zoom) {
    const int z = std::clamp(zoom, MinZoomStep, MaxZoomStep);
    const int epu = std::max<int>(d.EndsPerUnit, 1), ppu = std::max<int>(d.PicksPerUnit, 1);
    if (epu <= ppu) return {DivRoundHalfEven((long long)z * ppu, epu), z};
    return {z, DivRoundHalfEven((long long)z * epu, ppu)};
}

ThreadCounts InterlacementCounts(int zoom) {
    const int z = std::clamp(zoom, MinZoomStep, MaxZoomStep);
    if (z < 10) {
        const int grow = 40 - 4 * z;
        return {52 + DivRoundHalfEven((long long)grow * 52, 23), 23 + grow};
    }
    return {52 - 2 * (z - 10), 23 - (z - 10)};
}

FabricLayout LayoutFabric(const DraftState& d, FabricView view, int zoom, int x0, int y0, int width,
                          int height) {
    FabricLayout l;
    l.View = view;
    l.X0 = x0, l.Y0 = y0, l.Width = std::max(width, 0), l.Height = std::max(height, 0);
    if (view == FabricView::None) return l;
    if (view == FabricView::Interlacement) {
        const ThreadCounts c = InterlacementCounts(zoom);
        l.VisibleEnds = c.Ends, l.VisiblePicks = c.Picks;
        return l;
    }
    l.Compressed = d.Compressed;
    l.Thread = FabricThreadSize(d, zoom);
    if (l.Compressed) l.Thread.Height *= 2;
    const bool drapery = view == FabricView::Drapery;
    l.VisibleEnds = (drapery ? 850 : l.Width) / l.Thread.Width;
    const int rows = std::max(0, drapery ? l.Height - 80 : l.Height) / l.Thread.Height;
    l.VisiblePicks = l.Compressed ? 2 * rows : rows;
    return l;
}

void ClampFabricScroll(const DraftState& d, const FabricLayout& l, int& endOffset,
                       int& pickOffset) {
    const ClothExtent ext = FabricExtent(d);
    endOffset = std::clamp(endOffset, 0, MaxOffset(ext.Ends, l.VisibleEnds));
    pickOffset = std::clamp(pickOffset, 0, MaxOffset(ext.Picks, l.VisiblePicks));
    if (l.Compressed) pickOffset -= pickOffset % 2;
}

static ScrollBarSetup FabricBar(int count, int visible, int offset, bool mirrored) {
    ScrollBarSetup b;
    b.Maximum = MaxOffset(count, visible);
    b.PageStep = std::max(1, visible);
    const int off = std::clamp(offset, 0, b.Maximum);
    b.Position = mirrored ? b.Maximum - off : off;
    return b;
}

ScrollBarSetup FabricHorizontalBar(const DraftState& d, const FabricLayout& l, int endOffset) {
    return FabricBar(FabricExtent(d).Ends, l.VisibleEnds, endOffset, d.RightStart);
}

ScrollBarSetup FabricVerticalBar(const DraftState& d, const FabricLayout& l, int pickOffset) {
    return FabricBar(FabricExtent(d).Picks, l.VisiblePicks, pickOffset, true);
}

int FabricEndOffsetFromBar(const DraftState& d, const FabricLayout& l, int position) {
    const int maxOff = MaxOffset(FabricExtent(d).Ends, l.VisibleEnds);
    const int pos = std::clamp(position, 0, maxOff);
    return d.RightStart ? maxOff - pos : pos;
}

int FabricPickOffsetFromBar(const DraftState& d, const FabricLayout& l, int position) {
    const int maxOff = MaxOffset(FabricExtent(d).Picks, l.VisiblePicks);
    return maxOff - std::clamp(position, 0, maxOff);
}

// ---- the cloth ----

Cloth::Cloth(const DraftState& d, int lastEnd) : d_(d), lastEnd_(std::clamp(lastEnd, 0, MaxEnds)) {}

bool Cloth::Threaded(int end) const {
    return d_.DesignMode || (end >= 1 && end <= MaxEnds && SafeShaft(d_.Threading[end]) > 0);
}

void Cloth::Weft(int pick, int first, int count, uint8_t* out) const {
    if (count <= 0) return;
    if (pick < 1 || pick > MaxPicks) {
        std::memset(out, 0, size_t(count));
    } else if (d_.DesignMode) {
        for (int i = 0; i < count; ++i) out[i] = DesignGet(d_, pick, first + i) == d_.Shed;
    } else {
        DrawdownRow(d_, pick, first, count, out);
    }
}

void Cloth::WeftColumn(int end, int firstPick, int span, uint8_t* out) const {
    if (span <= 0) return;
    if (d_.DesignMode) {
        for (int i = 0; i < span; ++i) {
            const int p = firstPick + i;
            out[i] = p >= 1 && p <= MaxPicks && DesignGet(d_, p, end) == d_.Shed;
        }
        return;
    }
    // Pick 0 (below the first pair) has no weft.
    const int skip = std::clamp(1 - firstPick, 0, span);
    std::memset(out, 0, size_t(skip));
    DrawdownColumn(d_, end, firstPick + skip, span - skip, out + skip);
}

ClothCell Cloth::Cell(int end, int pick, int lower, bool weft, bool floats, bool lowerWeft,
                      bool lowerFloats) const {
    if (floats || (weft && !lowerFloats)) return {ClothKind::Weft, d_.WeftColors[size_t(pick)]};
    if (lowerWeft) return {ClothKind::Weft, d_.WeftColors[size_t(lower)]};
    if (Threaded(end)) return {ClothKind::Warp, d_.WarpColors[size_t(end)]};
    return {};
}

template <class Emit>
void Cloth::Cells(int pick, bool compressed, int firstEnd, int count, Emit emit) {
    const int last = std::min(firstEnd + count - 1, lastEnd_);
    firstEnd = std::max(firstEnd, 1);
    count = last - firstEnd + 1;
    if (count <= 0) return;
    if (!compressed) {
        p_.resize(size_t(count));
        Weft(pick, firstEnd, count, p_.data());
        // Without branches: a twill would mispredict every other one.
        const uint8_t weft = d_.WeftColors[size_t(pick)];
        const uint8_t* threading = d_.Threading.data() + firstEnd;
        const uint8_t* warps = d_.WarpColors.data() + firstEnd;
        const uint8_t all = d_.DesignMode;
        for (int i = 0; i < count; ++i) {
            const uint8_t weftMask = uint8_t(-p_[size_t(i)]); // 0xFF where the weft covers
            const uint8_t threaded = all | uint8_t(unsigned(threading[i]) - 1u < 16u);
            emit(i, uint8_t((2 & weftMask) | (threaded & ~weftMask)),
                 uint8_t((weft & weftMask) | (warps[i] & ~weftMask)));
        }
        return;
    }
    // Each pick's weft over the ends with one neighbour on either side,
    // wrapping within the cloth.
    const int lower = pick - 1;
    const int left = firstEnd > 1 ? firstEnd - 1 : lastEnd_;
    const int right = last < lastEnd_ ? last + 1 : 1;
    p_.resize(size_t(count) + 2);
    q_.resize(size_t(count) + 2);
    for (auto [row, w] : {std::pair{&p_, pick}, std::pair{&q_, lower}}) {
        Weft(w, left, 1, row->data());
        Weft(w, firstEnd, count, row->data() + 1);
        Weft(w, right, 1, row->data() + count + 1);
    }
    const uint8_t weftP = d_.WeftColors[size_t(pick)];
    const uint8_t weftQ = d_.WeftColors[size_t(std::max(lower, 0))];
    const uint8_t* threading = d_.Threading.data() + firstEnd;
    const uint8_t* warps = d_.WarpColors.data() + firstEnd;
    const uint8_t all = d_.DesignMode;
    const uint8_t* P = p_.data() + 1;
    const uint8_t* Q = q_.data() + 1;
    for (int i = 0; i < count; ++i) {
        // Pick p floats, or lies alone where p-1 does not float: p shows;
        // else p-1 where it covers the end; else the warp.
        const uint8_t floats = P[i] & (P[i - 1] | P[i + 1]);
        const uint8_t lowerFloats = uint8_t(firstEnd + i >= 2) & Q[i] & (Q[i - 1] | Q[i + 1]);
        const uint8_t showP = floats | (P[i] & (lowerFloats ^ 1));
        const uint8_t showQ = (showP ^ 1) & Q[i];
        const uint8_t threaded = all | uint8_t(unsigned(threading[i]) - 1u < 16u);
        const uint8_t mp = uint8_t(-showP), mq = uint8_t(-showQ), mw = uint8_t(~(mp | mq));
        emit(i, uint8_t((2 & ~mw) | (threaded & mw)),
             uint8_t((weftP & mp) | (weftQ & mq) | (warps[i] & mw)));
    }
}

void Cloth::Row(int pick, bool compressed, int firstEnd, int count, ClothCell* out) {
    Cells(pick, compressed, firstEnd, count, [out](int i, uint8_t kind, uint8_t color) {
        out[i] = {ClothKind(kind), color};
    });
}

void Cloth::SetIndexTable(const uint8_t* table) {
    table_ = table;
    endIndex_.assign(size_t(lastEnd_) + 1, 0);
    for (int e = 1; e <= lastEnd_; ++e)
        endIndex_[size_t(e)] = table[d_.WarpColors[size_t(e)] | unsigned(!Threaded(e)) << 8];
}

void Cloth::IndexRow(int pick, bool compressed, int firstEnd, int count, uint8_t* out, int step) {
    const uint8_t* table = table_;
    if (compressed) {
        Cells(pick, true, firstEnd, count, [=](int i, uint8_t kind, uint8_t color) {
            out[ptrdiff_t(i) * step] = table[color | unsigned(kind == 0) << 8];
        });
        return;
    }
    // The warp side of each end does not change from pick to pick.
    const int last = std::min(firstEnd + count - 1, lastEnd_);
    firstEnd = std::max(firstEnd, 1);
    count = last - firstEnd + 1;
    if (count <= 0) return;
    p_.resize(size_t(count));
    Weft(pick, firstEnd, count, p_.data());
    const uint8_t weft = table[d_.WeftColors[size_t(pick)]];
    const uint8_t* ends = endIndex_.data() + firstEnd;
    const uint8_t* w = p_.data();
    for (int i = 0; i < count; ++i) {
        const uint8_t m = uint8_t(-w[i]);
        out[ptrdiff_t(i) * step] = uint8_t((weft & m) | (ends[i] & ~m));
    }
}

void Cloth::Column(int end, bool compressed, int firstPick, int step, int rows, ClothCell* out) {
    if (rows <= 0 || end < 1 || end > lastEnd_) return;
    // Picks from the lowest lower pick to the last upper one, for the end
    // and its two neighbours.
    const int from = compressed ? firstPick - 1 : firstPick;
    if (!compressed) step = 1;
    const int span = step * (rows - 1) + 1 + (compressed ? 1 : 0);
    cols_.resize(size_t(span) * 3);
    const int left = end > 1 ? end - 1 : lastEnd_, right = end < lastEnd_ ? end + 1 : 1;
    const int ends[3] = {left, end, right};
    for (int k = 0; k < 3; ++k)
        WeftColumn(ends[k], from, span, cols_.data() + size_t(k) * size_t(span));
    auto w = [&](int k, int i) -> bool { return cols_[size_t(k) * size_t(span) + size_t(i)]; };
    for (int r = 0; r < rows; ++r) {
        const int pick = firstPick + r * step;
        if (!compressed) {
            out[r] = w(1, r)         ? ClothCell{ClothKind::Weft, d_.WeftColors[size_t(pick)]}
                     : Threaded(end) ? ClothCell{ClothKind::Warp, d_.WarpColors[size_t(end)]}
                                     : ClothCell{};
            continue;
        }
        const int i = pick - from; // the upper pick; i - 1 the lower one
        const bool wp = w(1, i), wq = w(1, i - 1);
        const bool floats = wp && (w(0, i) || w(2, i));
        const bool qFloats = end >= 2 && wq && (w(0, i - 1) || w(2, i - 1));
        out[r] = Cell(end, pick, pick - 1, wp, floats, wq, qFloats);
    }
}

ColorRef VisibleOnBackground(ColorRef c, ColorRef background) {
    if (background != White || Channel(c, 0) < 225 || Channel(c, 8) < 225 || Channel(c, 16) < 225)
        return c;
    return Darker(c, 8);
}

uint32_t YarnRandom::Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return uint32_t((state_ * 0x2545F4914F6CDD1Dull) >> 32);
}

// The middle of a thread: one in four pixels lighter, one darker (a table
// lookup: a switch would mispredict every other pixel).
static uint32_t Speckle(const YarnShades& s, uint32_t bits) {
    return s.Speckles[bits & 3][(bits >> 2) * 7ull >> 30];
}

YarnShades::YarnShades(ColorRef c) : Color(c), Plain(ToRgb32(c)) {
    for (int n = 2; n < 32; ++n) Darker[n] = ToRgb32(hw::Darker(c, n));
    for (int n = 5; n < 12; ++n) Lighter[n] = ToRgb32(hw::Lighter(c, n));
    for (int k = 0; k < 7; ++k) {
        Speckles[0][k] = Speckles[1][k] = Plain;
        Speckles[2][k] = Lighter[k + 5];
        Speckles[3][k] = Darker[k + 7];
    }
}

void YarnCell(uint32_t* out, int stride, const YarnShades& s, bool weft, int w, int h,
              YarnRandom& random) {
    // Across the thread: its length is the cell's height for a warp.
    const int across = weft ? h : w;
    const int far = across > 11 ? across / 6 : across > 4 ? 1 : 0;  // bottom or right edge
    const int near = across > 15 ? across / 8 : across > 7 ? 1 : 0; // top or left edge
    const bool shadeFar = across > 1, shadeNear = across > 3;
    const int last = across - 1;
    auto darker = [&](int n) { return n < 32 ? s.Darker[n] : ToRgb32(Darker(s.Color, n)); };
    auto shade = [&](int i) -> uint32_t {
        // i: the pixel's place across the thread, 0 at the top or left.
        if (shadeFar && i >= last - far)
            return darker(i == last ? random.Below(3) + 2 : random.Below(12 * (last - i)) + 2);
        if (shadeNear && i <= near)
            return darker(i == 0 ? random.Below(4) + 3 : random.Below(16 * i) + 2);
        return Speckle(s, random.Next());
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out[size_t(y) * size_t(stride) + size_t(x)] = shade(weft ? y : x);
}

// ---- the views ----

FabricRenderer::FabricRenderer(Canvas& canvas, const DraftState& d, const FabricLayout& l,
                               int endOffset, int pickOffset, ColorRef background,
                               std::mt19937& random)
    : canvas_(canvas), d_(d), l_(l), background_(background),
      yarn_(uint64_t(random()) << 32 | random()) {
    const ClothExtent ext = FabricExtent(d);
    clothEnds_ = ext.Ends;
    firstEnd_ = endOffset + 1;
    lastEnd_ = std::min(endOffset + l.VisibleEnds, ext.Ends);
    firstPick_ = pickOffset + 1;
    lastPick_ = std::min(pickOffset + l.VisiblePicks, ext.Picks);
}

uint32_t FabricRenderer::Color(const ClothCell& c) const {
    if (c.Kind == ClothKind::Empty) return ToRgb32(background_);
    return ToRgb32(d_.ColorTable[c.Color]);
}

void FabricRenderer::Paint(int canvasWidth, int canvasHeight) {
    canvas_.FillRect(0, 0, canvasWidth, canvasHeight, background_);
    if (lastEnd_ < firstEnd_ || lastPick_ < firstPick_) return;
    switch (l_.View) {
    case FabricView::Flat:
    case FabricView::Yarn:
        PaintFlat();
        break;
    case FabricView::Drapery:
        PaintDrapery();
        break;
    case FabricView::Interlacement:
        PaintInterlacement();
        break;
    case FabricView::None:
        break;
    }
}

// Fabric and Yarn View: the cloth from the bottom of the area up, ends from
// the side the threading starts at.
void FabricRenderer::PaintFlat() {
    const bool yarn = l_.View == FabricView::Yarn;
    const int tw = l_.Thread.Width, th = l_.Thread.Height;
    const int n = lastEnd_ - firstEnd_ + 1, m = lastPick_ - firstPick_ + 1;
    const int rows = RowsFor(m, l_.Compressed);
    const int stripWidth = n * tw;
    const int left = d_.RightStart ? l_.X0 + l_.Width - stripWidth : l_.X0;
    std::vector<uint32_t> strip(size_t(stripWidth) * size_t(th));
    std::vector<ClothCell> cells(static_cast<size_t>(n));
    Cloth cloth(d_, clothEnds_);
    const uint32_t ground = ToRgb32(yarn ? YarnGround : background_);
    std::array<uint32_t, PaletteSize> rgb;
    for (int i = 0; i < PaletteSize; ++i) rgb[size_t(i)] = ToRgb32(d_.ColorTable[size_t(i)]);
    std::array<std::unique_ptr<YarnShades>, PaletteSize> shades; // made as colours turn up
    for (int r = 0; r < rows; ++r) {
        const int pick = RowPick(firstPick_, m, r, l_.Compressed);
        cloth.Row(pick, l_.Compressed, firstEnd_, n, cells.data());
        for (int k = 0; k < n; ++k) {
            const ClothCell& c = cells[size_t(k)];
            const int x = d_.RightStart ? (n - 1 - k) * tw : k * tw;
            if (!yarn || c.Kind == ClothKind::Empty) {
                const uint32_t p = c.Kind == ClothKind::Empty ? ground : rgb[c.Color];
                if (tw == 1)
                    strip[size_t(x)] = p;
                else
                    std::fill(strip.begin() + x, strip.begin() + x + tw, p);
                continue;
            }
            if (!shades[c.Color])
                shades[c.Color] = std::make_unique<YarnShades>(d_.ColorTable[c.Color]);
            if (tw == 1 && th == 1) { // single pixels have no edges
                strip[size_t(x)] = Speckle(*shades[c.Color], yarn_.Next());
                continue;
            }
            YarnCell(strip.data() + x, stripWidth, *shades[c.Color], c.Kind == ClothKind::Weft, tw,
                     th, yarn_);
        }
        if (!yarn)
            for (int y = 1; y < th; ++y)
                std::copy(strip.begin(), strip.begin() + stripWidth,
                          strip.begin() + size_t(y) * size_t(stripWidth));
        canvas_.Blit(left, l_.Y0 + l_.Height - (r + 1) * th, stripWidth, th, strip.data(),
                     stripWidth);
    }
}

// Drapery: the cloth as a curtain, one screen column after the other, the
// front and then the back of the last fold.
void FabricRenderer::PaintDrapery() {
    const int tw = l_.Thread.Width, th = l_.Thread.Height;
    const int m = lastPick_ - firstPick_ + 1;
    const int rows = RowsFor(m, l_.Compressed);
    const int step = l_.Compressed ? 2 : 1;
    const int firstRow = RowPick(firstPick_, m, 0, l_.Compressed);
    const int clothHeight = rows * th;
    const int blockHeight = l_.Height - 10;
    const int left = l_.X0 + std::max(1, l_.Width / 2 - 469 / 2);
    // The fold rises 30 pixels above where it starts at most, and the block
    // leaves 70 pixels above the cloth.
    int edge = l_.Y0 + l_.Height / 2 - blockHeight / 2 + 30;
    const int lastEnd = clothEnds_;
    Cloth cloth(d_, lastEnd);
    std::vector<ClothCell> cells(static_cast<size_t>(rows));
    int cachedEnd = -1;
    auto column = [&](int x, int end, bool back) {
        if (end != cachedEnd) {
            cloth.Column(end, l_.Compressed, firstRow, step, rows, cells.data());
            cachedEnd = end;
        }
        const bool threaded = d_.DesignMode || SafeShaft(d_.Threading[size_t(end)]) > 0;
        const ColorRef warp = d_.ColorTable[d_.WarpColors[size_t(end)]];
        // The warp first, over the cloth's height, then the weft on it;
        // the back shows each pick's weft where the front shows none.
        if (threaded) canvas_.FillRect(x, edge, 1, clothHeight, warp);
        for (int r = 0; r < rows;) {
            const ClothCell& c = cells[size_t(r)];
            int color = -1;
            if (!back && c.Kind == ClothKind::Weft) color = c.Color;
            if (back && c.Kind != ClothKind::Weft)
                color = d_.WeftColors[size_t(firstRow + r * step)];
            int run = 1;
            while (r + run < rows && color >= 0 && !back && cells[size_t(r + run)] == c) ++run;
            if (color >= 0)
                canvas_.FillRect(x, edge + clothHeight - (r + run) * th, 1, run * th,
                                 d_.ColorTable[size_t(color)]);
            r += run;
        }
    };
    const int dirX = d_.RightStart ? -1 : 1;
    const int startX = d_.RightStart ? left + 465 : left;
    int pos = (firstEnd_ - 1) * tw;
    int down = 1, x = startX, lastX = startX;
    int drawn = 0;
    for (int i = 0; i < 466; ++i) {
        if (i == 64 || i == 195 || i == 323 || i == 422) down = -down;
        const int end = pos / tw + 1;
        if (end > lastEnd) break;
        column(x, end, false);
        lastX = x;
        ++drawn;
        x += dirX;
        pos += 1 + DraperyFrontSteps[i];
        edge += down * DraperyFrontSteps[i];
    }
    if (drawn == 0) return;
    x = lastX;
    for (int j = 0; j < 62; ++j) {
        const int end = pos / tw + 1;
        if (end > lastEnd) break;
        column(x, end, true);
        x -= dirX;
        pos += 1 + DraperyBackSteps[j];
        edge += (j < 29 ? 1 : -1) * DraperyBackSteps[j];
    }
}

// Interlacement: 14 pixels per end and 18 per pick in a picture of its own,
// stretched over the area.
void FabricRenderer::PaintInterlacement() {
    const int ve = l_.VisibleEnds, vp = l_.VisiblePicks;
    const int bw = ve * 14 + 12, bh = vp * 18 + 16;
    const int n = lastEnd_ - firstEnd_ + 1, m = lastPick_ - firstPick_ + 1;
    std::vector<uint32_t> pic(size_t(bw) * size_t(bh), ToRgb32(background_));
    auto fill = [&](int x, int y, int w, int h, uint32_t p) {
        const int x0 = std::max(x, 0), y0 = std::max(y, 0);
        const int x1 = std::min(x + w, bw), y1 = std::min(y + h, bh);
        for (int yy = y0; yy < y1; ++yy)
            std::fill(pic.begin() + yy * bw + x0, pic.begin() + yy * bw + std::max(x0, x1), p);
    };
    // Visual column of the k-th end shown; its bar's left edge.
    auto columnOf = [&](int k) { return d_.RightStart ? ve - 1 - k : k; };
    auto bar = [](int col) { return 9 + col * 14; };
    Cloth cloth(d_, clothEnds_);
    auto visible = [&](uint8_t index) {
        return ToRgb32(VisibleOnBackground(d_.ColorTable[index], background_));
    };
    for (int k = 0; k < n; ++k) {
        const int e = firstEnd_ + k;
        if (d_.DesignMode || SafeShaft(d_.Threading[size_t(e)]) > 0)
            fill(bar(columnOf(k)), 0, 8, bh, visible(d_.WarpColors[size_t(e)]));
    }
    static constexpr int Heights[14] = {8, 8, 9, 9, 10, 10, 11, 11, 10, 10, 9, 9, 8, 8};
    static constexpr int Down[14] = {0, 1, 1, 1, 1, 1, 1, 0, 1, 0, 1, 0, 0, 0};
    static constexpr int Up[14] = {0, 0, 1, 0, 1, 0, 1, 1, 1, 1, 1, 1, 0, 0};
    std::vector<ClothCell> cells(static_cast<size_t>(n));
    std::vector<uint8_t> over(static_cast<size_t>(ve)); // weft on top, by visual column
    const int c0 = std::min(columnOf(0), columnOf(n - 1)),
              c1 = std::max(columnOf(0), columnOf(n - 1));
    for (int j = 0; j < m; ++j) {
        const int pick = firstPick_ + j;
        cloth.Row(pick, false, firstEnd_, n, cells.data());
        for (int k = 0; k < n; ++k)
            over[size_t(columnOf(k))] = cells[size_t(k)].Kind == ClothKind::Weft;
        const uint32_t weft = visible(d_.WeftColors[size_t(pick)]);
        const int rowTop = bh - 8 - (j + 1) * 18;
        const int overTop = rowTop + 1, underTop = rowTop + 9;
        // From the middle of one bar to the middle of the next; the half
        // units at both ends of the cloth stay level.
        for (int col = c0 - 1; col <= c1; ++col) {
            const bool a = over[size_t(std::max(col, c0))], b = over[size_t(std::min(col + 1, c1))];
            int top = a ? overTop : underTop;
            const int x = bar(col) + 4;
            for (int s = 0; s < 14; ++s) {
                int h = 8;
                if (a != b) {
                    top += a ? Down[s] : -Up[s];
                    h = Heights[s];
                }
                if ((col < c0 && s < 4) || (col == c1 && s >= 10)) continue;
                // Over a bar the warp hides the weft where the weft lies under.
                if ((s < 4 && !a) || (s >= 10 && !b)) continue;
                fill(x + s, top, 1, h, weft);
            }
        }
    }
    // Stretched, nearest pixel, onto the area inside a margin.
    const int dx0 = l_.X0 + 5, dy0 = l_.Y0 + 5;
    const int dw = l_.Width - 9, dh = l_.Height - 9;
    if (dw <= 0 || dh <= 0) return;
    std::vector<int> sx(static_cast<size_t>(dw));
    for (int x = 0; x < dw; ++x) sx[size_t(x)] = int((2LL * x + 1) * bw / (2LL * dw));
    std::vector<uint32_t> row(static_cast<size_t>(dw));
    int lastY = -1;
    for (int y = 0; y < dh; ++y) {
        const int syy = int((2LL * y + 1) * bh / (2LL * dh));
        if (syy != lastY) {
            const uint32_t* src = pic.data() + size_t(syy) * size_t(bw);
            for (int x = 0; x < dw; ++x) row[size_t(x)] = src[sx[size_t(x)]];
            lastY = syy;
        }
        canvas_.Blit(dx0, dy0 + y, dw, 1, row.data(), dw);
    }
}

// ---- the fabric window ----

static int WindowX(const DraftState& d, int width, int endOffset, int end) {
    const int k = end - 1 - endOffset;
    return d.RightStart ? width - 1 - k : k;
}

static int WindowY(const DraftState& d, int height, int pickOffset, int pick) {
    const int k = pick - 1 - pickOffset;
    return d.BottomStart ? height - 1 - k : k;
}

void PaintFabricWindow(Canvas& canvas, const DraftState& d, int width, int height, int endOffset,
                       int pickOffset, ColorRef background) {
    PaintFabricWindowEnds(canvas, d, width, height, endOffset, pickOffset, background,
                          endOffset + 1, endOffset + width);
}

void PaintFabricWindowEnds(Canvas& canvas, const DraftState& d, int width, int height,
                           int endOffset, int pickOffset, ColorRef background, int first,
                           int last) {
    first = std::max(first, endOffset + 1);
    last = std::min(last, endOffset + width);
    if (first > last || height <= 0) return;
    const int x0 =
        std::min(WindowX(d, width, endOffset, first), WindowX(d, width, endOffset, last));
    canvas.FillRect(x0, 0, last - first + 1, height, background);
    const ClothExtent ext = FabricExtent(d);
    last = std::min(last, ext.Ends);
    const int lastPick = std::min(pickOffset + height, ext.Picks);
    const int n = last - first + 1;
    if (n <= 0) return;
    Cloth cloth(d, ext.Ends);
    std::vector<ClothCell> cells(static_cast<size_t>(n));
    std::vector<uint32_t> row(static_cast<size_t>(n));
    const uint32_t bg = ToRgb32(background);
    const int left =
        std::min(WindowX(d, width, endOffset, first), WindowX(d, width, endOffset, last));
    for (int p = pickOffset + 1; p <= lastPick; ++p) {
        cloth.Row(p, false, first, n, cells.data());
        for (int k = 0; k < n; ++k) {
            const ClothCell& c = cells[size_t(k)];
            row[size_t(d.RightStart ? n - 1 - k : k)] =
                c.Kind == ClothKind::Empty ? bg : ToRgb32(d.ColorTable[c.Color]);
        }
        canvas.Blit(left, WindowY(d, height, pickOffset, p), n, 1, row.data(), n);
    }
}

ClothPoint FabricWindowHit(const DraftState& d, int width, int height, int endOffset,
                           int pickOffset, int x, int y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return {};
    const ClothExtent ext = FabricExtent(d);
    const int end = endOffset + 1 + (d.RightStart ? width - 1 - x : x);
    const int pick = pickOffset + 1 + (d.BottomStart ? height - 1 - y : y);
    if (end > ext.Ends || pick > ext.Picks) return {};
    return {end, pick};
}

} // namespace hw
