#include "edit/clipboard.h"

#include "edit/structure.h"
#include "model/primitives.h"

#include <algorithm>
#include <charconv>

namespace hw {

namespace {

bool IsColorArea(SelArea a) {
    return a == SelArea::WarpColors || a == SelArea::WeftColors;
}

int GridColumns(const DraftState& d) {
    return d.TreadleMode ? std::min<int>(d.Treadles, MaxTreadles)
                         : std::min<int>(d.Shafts, MaxShafts);
}

} // namespace

ClipContent CopyBlock(const DraftState& d, const CellBlock& b) {
    ClipContent c;
    const int w = b.Width(), h = b.Height();
    switch (b.Area) {
    case SelArea::WarpColors:
    case SelArea::WeftColors: {
        std::string text(ClipMarker);
        text += "\r\n";
        const bool warp = b.Area == SelArea::WarpColors;
        const int first = warp ? b.FirstColumn : b.FirstRow, last = warp ? b.LastColumn : b.LastRow;
        for (int n = first; n <= last; ++n)
            text += std::to_string(warp ? d.WarpColors[n] : d.WeftColors[n]) + "\r\n";
        c.Text = std::move(text);
        return c;
    }
    case SelArea::Threading: {
        ClipImage img(std::min<int>(d.Shafts, MaxShafts), w);
        for (int y = 0; y < w; ++y) {
            const int s = d.Threading[b.FirstColumn + y];
            if (s >= 1 && s <= img.Width) img.Put(s - 1, y, true);
        }
        c.Image = std::move(img);
        return c;
    }
    case SelArea::Treadling: {
        ClipImage img(GridColumns(d), h);
        for (int y = 0; y < h; ++y) {
            const int t = d.Treadling[b.FirstRow + y];
            if (t >= 1 && t <= img.Width) img.Put(t - 1, y, true);
        }
        c.Image = std::move(img);
        return c;
    }
    case SelArea::Liftplan:
    case SelArea::TieUp:
    case SelArea::Design: {
        ClipImage img(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int col = b.FirstColumn + x, row = b.FirstRow + y;
                img.Put(x, y,
                        b.Area == SelArea::Liftplan ? LiftplanGet(d, row, col)
                        : b.Area == SelArea::TieUp  ? d.TieUpAt(row, col) != 0
                                                    : DesignGet(d, row, col));
            }
        c.Image = std::move(img);
        return c;
    }
    case SelArea::None:
        break;
    }
    return c;
}

void DeleteBlock(DraftState& d, const CellBlock& b, bool colorsLinked) {
    switch (b.Area) {
    case SelArea::Threading:
        DeleteEnds(d, b.FirstColumn, b.LastColumn, true, colorsLinked);
        break;
    case SelArea::Treadling:
        DeletePicks(d, b.FirstRow, b.LastRow, true, colorsLinked);
        break;
    case SelArea::WarpColors:
        DeleteEnds(d, b.FirstColumn, b.LastColumn, false, true);
        break;
    case SelArea::WeftColors:
        DeletePicks(d, b.FirstRow, b.LastRow, false, true);
        break;
    case SelArea::Liftplan:
        // Whole rows are picks taken out; part of a row is only cleared.
        if (b.FirstColumn == 1 && b.LastColumn >= GridColumns(d)) {
            DeletePicks(d, b.FirstRow, b.LastRow, true, colorsLinked);
            break;
        }
        [[fallthrough]];
    case SelArea::TieUp:
    case SelArea::Design:
        for (int row = b.FirstRow; row <= b.LastRow; ++row)
            for (int col = b.FirstColumn; col <= b.LastColumn; ++col) {
                if (b.Area == SelArea::Liftplan) LiftplanClear(d, row, col);
                if (b.Area == SelArea::TieUp) TieUpPut(d, row, col, false);
                if (b.Area == SelArea::Design) DesignPut(d, row, col, false);
            }
        break;
    case SelArea::None:
        return;
    }
    UpdateUsed(d);
}

ClipLimits ImageLimits(SelArea a) {
    switch (a) {
    case SelArea::Threading:
    case SelArea::Treadling:
    case SelArea::Liftplan:
        return {MaxShafts, MaxClipValues};
    case SelArea::TieUp:
        return {MaxTreadles, MaxShafts};
    case SelArea::Design:
        return {DesignSize, DesignSize};
    default:
        return {};
    }
}

std::optional<std::vector<uint8_t>> DecodeColorText(std::string_view text) {
    std::vector<uint8_t> values;
    size_t pos = 0;
    bool first = true;
    // The empty piece after a final line break is no line.
    while (pos < text.size() && int(values.size()) < MaxClipValues) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos = end + 1;
        if (first) {
            if (line != ClipMarker) return std::nullopt;
            first = false;
            continue;
        }
        int v = 0;
        const auto [ptr, ec] = std::from_chars(line.data(), line.data() + line.size(), v);
        const bool number = ec == std::errc() && ptr == line.data() + line.size() && !line.empty();
        values.push_back(number && v >= 0 && v <= 255 ? uint8_t(v) : 0);
    }
    if (first) return std::nullopt; // not even the marker line
    return values;
}

std::vector<uint8_t> DecodeImageRows(const ClipImage& image, int count) {
    const int rows = std::min(image.Height, MaxClipValues);
    const int width = std::min(image.Width, MaxShafts);
    std::vector<uint8_t> values(size_t(std::max(rows, 0)), 0);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < width; ++x)
            if (image.At(x, y)) {
                values[size_t(y)] = uint8_t(x + 1 <= count ? x + 1 : 0);
                break;
            }
    return values;
}

PasteProblem CheckPaste(const CellBlock& target, const ClipContent& clip,
                        const CopyRecord* special) {
    if (target.Area == SelArea::None) return PasteProblem::NoSelection;
    const bool colors = IsColorArea(target.Area);
    if (colors ? !clip.Text : !clip.Image) return PasteProblem::WrongFormat;
    if (special && special->Area != target.Area) return PasteProblem::WrongFormat;
    if (colors && !DecodeColorText(*clip.Text)) return PasteProblem::Incompatible;
    return PasteProblem::None;
}

Message PasteProblemMessage(PasteProblem p) {
    switch (p) {
    case PasteProblem::NoSelection:
        return {"TWform", "@selpaste", {}};
    case PasteProblem::WrongFormat:
        return {"TWform", "@invpaste", {}};
    case PasteProblem::Incompatible:
        return {{}, "Incompatible clipboard format.", {}};
    case PasteProblem::None:
        break;
    }
    return {};
}

void PasteBlock(DraftState& d, const CellBlock& target, const ClipContent& clip) {
    if (CheckPaste(target, clip) != PasteProblem::None) return;
    const int ends = std::min<int>(d.Ends, MaxEnds), picks = std::min<int>(d.Picks, MaxPicks);
    const int shafts = std::min<int>(d.Shafts, MaxShafts), columns = GridColumns(d);
    auto writeRow = [](uint8_t* row, int first, int last, const std::vector<uint8_t>& values) {
        for (size_t i = 0; i < values.size() && first + int(i) <= last; ++i)
            row[first + int(i)] = values[i];
    };
    switch (target.Area) {
    case SelArea::WarpColors:
        writeRow(d.WarpColors.data(), target.FirstColumn, ends, *DecodeColorText(*clip.Text));
        break;
    case SelArea::WeftColors:
        writeRow(d.WeftColors.data(), target.FirstRow, picks, *DecodeColorText(*clip.Text));
        break;
    case SelArea::Threading:
        writeRow(d.Threading.data(), target.FirstColumn, ends,
                 DecodeImageRows(*clip.Image, shafts));
        break;
    case SelArea::Treadling:
        writeRow(d.Treadling.data(), target.FirstRow, picks, DecodeImageRows(*clip.Image, columns));
        break;
    case SelArea::Liftplan:
    case SelArea::TieUp:
    case SelArea::Design: {
        const ClipImage& img = *clip.Image;
        const ClipLimits lim = ImageLimits(target.Area);
        const int maxColumn = target.Area == SelArea::Design ? std::min(ends, DesignSize) : columns;
        const int maxRow = target.Area == SelArea::Liftplan ? picks
                           : target.Area == SelArea::TieUp  ? shafts
                                                            : std::min(picks, DesignSize);
        for (int y = 0; y < std::min(img.Height, lim.Height); ++y)
            for (int x = 0; x < std::min(img.Width, lim.Width); ++x) {
                const int col = target.FirstColumn + x, row = target.FirstRow + y;
                if (col > maxColumn || row > maxRow) continue;
                const bool on = img.At(x, y);
                if (target.Area == SelArea::Liftplan) LiftplanPut(d, row, col, on);
                if (target.Area == SelArea::TieUp) TieUpPut(d, row, col, on);
                if (target.Area == SelArea::Design) DesignPut(d, row, col, on);
            }
        break;
    }
    case SelArea::None:
        return;
    }
    UpdateUsed(d);
}

} // namespace hw
