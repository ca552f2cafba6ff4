#pragma once

#include "model/draft_state.h"
#include "model/message.h"
#include "print/page_canvas.h"
#include "settings/settings.h"
#include "view/view_settings.h"

#include <memory>
#include <string>

namespace hw {

// The ends and picks a graphic print shows: Ends ends from FirstEnd and
// Picks picks from FirstPick. Ends may be 0 (the treadling alone).
struct PrintRange {
    int FirstEnd = 1;
    int Ends = 0;
    int FirstPick = 1;
    int Picks = 0;
    bool operator==(const PrintRange&) const = default;
};

// Within the draft: first ends and picks 1..count - 2, counts that never
// reach past the draft's ends and picks.
PrintRange ClampPrintRange(const DraftState& d, PrintRange r);

// What the "Print Draft" dialog opens with: from end and pick 1, the ends
// shown in the draft view, or the last used end when that is smaller and
// not 0; the picks likewise, except that a last used pick of 0 or beyond
// the view takes the number of ends.
PrintRange InitialPrintRange(const DraftState& d, int visibleEnds, int visiblePicks);

// The draft a print shows: in Design mode the one View > Draft makes of the
// design, else the draft as it is.
std::unique_ptr<DraftState> PrintableDraft(const DraftState& d, bool warpEmptyEnds = true);

// The pattern's file name without its folders.
std::string PrintName(const std::string& path);

// The page layout of a graphic print, in dots of the printable area.
struct PrintLayout {
    int Left = 0; // the drawing rectangle inside the margins
    int Top = 0;
    int AreaWidth = 0;
    int AreaHeight = 0;
    int Columns = 0; // cells across and down
    int Rows = 0;
    int Width = 0; // the picture, keeping square cells on paper
    int Height = 0;
    int CellWidth = 0;
    int CellHeight = 0;
    int PenX = 1; // vertical and horizontal line widths
    int PenY = 1;
    bool Fits() const { return CellWidth >= 2 && CellHeight >= 2; }
};

// Margins to rectangle, rectangle to picture: the picture fills the width
// unless it and a caption line of lineHeight would not fit the height.
PrintLayout ComputePrintLayout(const PageMetrics& m, const PageMargins& margins, int columns,
                               int rows, int lineHeight);

struct GraphicPrintJob {
    PrintRange Range;
    bool PrintNotes = true; // "Print Note below the image"
    std::string Name;       // the pattern's file name, for the caption
    std::string DateTime;   // long date and short time, for the caption
    PageMargins Margins;
    ViewSettings View; // whether the threading is shown; the marking colour
};

// The layout PrintDraftPage uses for a draft outside Design mode, with the
// line height of the caption font; not Fits() when the job would fail.
PrintLayout DraftPrintLayout(const DraftState& d, const GraphicPrintJob& job, const PageMetrics& m,
                             int lineHeight);

// Prints the draft on one page: the range laid out as the draft view lays
// it out, painted by the draft view's renderer with black grid lines on
// white paper, then the notes or a caption line below. Fails, printing
// nothing, when a cell would be smaller than 2 dots or nothing is to print.
Status PrintDraftPage(PageCanvas& page, const DraftState& d, const GraphicPrintJob& job);

// Page Setup shows the stored margins (thousandths of an inch) in
// thousandths of an inch, or in metric units in hundredths of a millimetre
// rounded to whole millimetres. A shown value that comes back unchanged
// keeps the stored one, so that OK alone never moves a margin.
int MarginShown(int stored, bool metric);
int MarginStored(int shown, bool metric, int previousStored);

} // namespace hw
