#include "print/graphic_print.h"

#include "model/palette.h"
#include "model/primitives.h"
#include "print/print_canvas.h"
#include "print/print_text.h"
#include "text/lang.h"
#include "transform/analysis.h"
#include "view/geometry.h"
#include "view/renderer.h"

#include <algorithm>

namespace hw {

namespace {

// The renderer's cells stay small, whatever the paper's: its tiles are made
// per cell, and the print canvas scales them up.
constexpr int MaxRenderCell = 64;

// Ends after an inch of notes would run onto the bottom of the sheet.
bool NoteRoomLeft(const PageMetrics& m, int y, int lineHeight) {
    return y + lineHeight <= m.PageHeight - m.DpiY - m.OffsetY;
}

std::string Range(const char* key, int first, int count) {
    return GetText("TWform", key) + ": " + std::to_string(first) + "-" +
           std::to_string(first + count - 1);
}

} // namespace

PrintRange ClampPrintRange(const DraftState& d, PrintRange r) {
    const int ends = std::clamp<int>(d.Ends, 0, MaxEnds);
    const int picks = std::clamp<int>(d.Picks, 0, MaxPicks);
    r.FirstEnd = std::clamp(r.FirstEnd, 1, std::max(1, ends - 2));
    r.FirstPick = std::clamp(r.FirstPick, 1, std::max(1, picks - 2));
    r.Ends = std::clamp(r.Ends, 0, std::max(0, ends - r.FirstEnd + 1));
    r.Picks = std::clamp(r.Picks, 0, std::max(0, picks - r.FirstPick + 1));
    return r;
}

PrintRange InitialPrintRange(const DraftState& d, int visibleEnds, int visiblePicks) {
    PrintRange r;
    const int usedEnd = LastThreadedEnd(d, d.Ends);
    const int usedPick = LastUsedPickView(d, d.Picks);
    r.Ends = usedEnd > 0 && usedEnd < visibleEnds ? usedEnd : visibleEnds;
    r.Picks = usedPick > 0 && usedPick <= visiblePicks ? usedPick : r.Ends;
    r = ClampPrintRange(d, r);
    r.Picks = std::max(r.Picks, 1);
    return r;
}

std::unique_ptr<DraftState> PrintableDraft(const DraftState& d, bool warpEmptyEnds) {
    auto draft = std::make_unique<DraftState>(d);
    if (draft->DesignMode) DesignToDraft(*draft, warpEmptyEnds, [] { return true; });
    return draft;
}

std::string PrintName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

PrintLayout ComputePrintLayout(const PageMetrics& m, const PageMargins& margins, int columns,
                               int rows, int lineHeight) {
    PrintLayout l;
    const int dpiX = std::max(m.DpiX, 1), dpiY = std::max(m.DpiY, 1);
    auto dots = [](int thousandths, int dpi) {
        return DivRoundHalfEven(1LL * thousandths * dpi, 1000);
    };
    l.Left = std::max(0, dots(margins.Left, dpiX) - m.OffsetX);
    l.Top = std::max(0, dots(margins.Top, dpiY) - m.OffsetY);
    const int right = std::max(
        l.Left, std::min(m.PrintableWidth, m.PageWidth - dots(margins.Right, dpiX) - m.OffsetX));
    const int bottom = std::max(
        l.Top, std::min(m.PrintableHeight, m.PageHeight - dots(margins.Bottom, dpiY) - m.OffsetY));
    l.AreaWidth = right - l.Left;
    l.AreaHeight = bottom - l.Top;
    l.Columns = std::max(columns, 1);
    l.Rows = std::max(rows, 1);
    const long long W = l.Columns, H = l.Rows;
    // Square cells on paper: heights in dots scale by dpiY / dpiX.
    l.Width = l.AreaWidth;
    l.Height = DivRoundHalfEven(l.Width * H * dpiY, W * dpiX);
    const int below = lineHeight + lineHeight / 3;
    if (l.Height + below > l.AreaHeight) {
        l.Height = l.AreaHeight - below;
        l.Width = DivRoundHalfEven(l.Height * W * dpiX, H * dpiY);
    }
    l.CellWidth = l.Width / l.Columns;
    l.CellHeight = l.Height / l.Rows;
    l.PenX = std::max(1, dpiX / 300);
    l.PenY = std::max(1, dpiY / 300);
    return l;
}

namespace {

// The print's view settings and the cells of its layout.
struct DraftPrintSetup {
    PrintRange Range;
    ViewSettings Settings;
    int LayoutColumns = 0;
    int LayoutRows = 0;
    int Columns = 0;
};

DraftPrintSetup SetUp(const DraftState& d, const GraphicPrintJob& job) {
    DraftPrintSetup p;
    const PrintRange r = p.Range = ClampPrintRange(d, job.Range);
    ViewSettings& s = p.Settings;
    s.GridColor = Black;
    s.BackgroundColor = White;
    s.MarkingColor = job.View.MarkingColor;
    s.ShowThreading = job.View.ShowThreading && r.Ends > 0;
    const ViewGeometry probe = ComputeGeometryForCell(d, s, 2, 0, 0, 0, 0);
    // As the draft view lays out the range; without picks only the ends
    // count across.
    p.LayoutColumns = r.Ends + probe.Treadles + 3;
    p.LayoutRows = r.Picks + (s.ShowThreading ? probe.Shafts + 3 : 0);
    p.Columns = r.Picks > 0 ? p.LayoutColumns : r.Ends;
    return p;
}

} // namespace

PrintLayout DraftPrintLayout(const DraftState& d, const GraphicPrintJob& job, const PageMetrics& m,
                             int lineHeight) {
    const DraftPrintSetup p = SetUp(d, job);
    return ComputePrintLayout(m, job.Margins, p.Columns, p.LayoutRows, lineHeight);
}

Status PrintDraftPage(PageCanvas& page, const DraftState& source, const GraphicPrintJob& job) {
    std::unique_ptr<DraftState> copy;
    if (source.DesignMode) copy = PrintableDraft(source);
    const DraftState& d = copy ? *copy : source;
    const DraftPrintSetup p = SetUp(d, job);
    const PrintRange& r = p.Range;
    const ViewSettings& s = p.Settings;
    if (r.Ends == 0 && r.Picks == 0) return {Message{GeneralForm, "@globnopat", {}}};
    const PageMetrics m = page.Metrics();
    const int lineHeight = page.LineHeight(PrintFont::Caption);
    const PrintLayout l = ComputePrintLayout(m, job.Margins, p.Columns, p.LayoutRows, lineHeight);
    if (!l.Fits()) return Failed("Too many ends/picks or too small printing area.");

    const int cell = std::min({l.CellWidth, l.CellHeight, MaxRenderCell});
    const ViewGeometry g = ComputeGeometryForCell(d, s, cell, 0, 0, p.LayoutColumns * cell + 1,
                                                  p.LayoutRows * cell + 1);
    ViewWindow w;
    w.ScrollEnds = r.FirstEnd - 1;
    w.ScrollPicks = r.FirstPick - 1;
    w.VisibleEnds = r.Ends;
    w.VisiblePicks = r.Picks;
    PrintCanvas canvas(page, {l.Left, l.Top, cell, l.CellWidth, l.CellHeight, l.PenX, l.PenY});
    DraftRenderer renderer(canvas, d, w, g, s);
    if (s.ShowThreading) {
        renderer.PaintWarpColorRow();
        renderer.PaintThreading();
        if (r.Picks > 0) renderer.PaintTieUp();
    }
    if (r.Picks > 0) {
        renderer.PaintTreadling();
        renderer.PaintWeftColorColumn();
    }
    if (r.Ends > 0 && r.Picks > 0) {
        renderer.PaintDrawdown();
        // The cells carry one-dot grid lines; a printer that draws wider
        // lines gets them drawn again over the cells, under the markings.
        if ((l.PenX > 1 || l.PenY > 1) && d.Style == 2) {
            const AreaRect a = g.Drawdown.Rect();
            for (int x = a.Left; x <= a.Right; x += cell)
                canvas.DrawLine(x, a.Top, x, a.Bottom, Black);
            for (int y = a.Top; y <= a.Bottom; y += cell)
                canvas.DrawLine(a.Left, y, a.Right, y, Black);
            renderer.PaintDrawdownMarkings();
        }
    }

    // Below the picture: the notes, or one caption line.
    const int pictureBottom = l.Top + l.Rows * l.CellHeight + 1;
    int y = pictureBottom + lineHeight / 3;
    if (job.PrintNotes && Utf8Length(d.Notes) > 5) {
        const int notesHeight = page.LineHeight(PrintFont::Notes);
        for (const std::string& line : TextLines(d.Notes, true)) {
            for (const std::string& part : WrapText(line, l.AreaWidth, [&](const std::string& t) {
                     return page.TextWidth(PrintFont::Notes, t);
                 })) {
                if (!NoteRoomLeft(m, y, notesHeight)) return {};
                page.DrawText(l.Left, y, PrintFont::Notes, part);
                y += notesHeight;
            }
        }
        return {};
    }
    const std::string gap = "    ";
    std::string caption = job.Name;
    if (r.Ends > 0) caption += gap + Range("@idwarp", r.FirstEnd, r.Ends);
    if (r.Picks > 0) caption += gap + Range("@idweft", r.FirstPick, r.Picks);
    if (!job.DateTime.empty()) caption += gap + job.DateTime;
    page.DrawText(l.Left, y, PrintFont::Caption, caption);
    return {};
}

int MarginShown(int stored, bool metric) {
    return metric ? DivRoundHalfEven(254LL * stored, 10000) * 100 : stored;
}

int MarginStored(int shown, bool metric, int previousStored) {
    if (shown == MarginShown(previousStored, metric)) return previousStored;
    const int stored = metric ? DivRoundHalfEven(100LL * shown, 254) : shown;
    return std::clamp(stored, 0, MaxPageMargin);
}

} // namespace hw
