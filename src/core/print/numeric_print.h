#pragma once

#include "model/draft_state.h"

#include <string>
#include <vector>

namespace hw {

// Numeric prints are lines of text for a fixed-pitch font. A line that is
// exactly FormFeed starts a new page.
inline constexpr const char* FormFeed = "\f";

// Ends per printed block (and the width of a warp colour chart).
inline constexpr int BlockWidth(bool landscape) {
    return landscape ? 100 : 75;
}

// A palette index as one character: the digit for 0..9, then "A" for 10 and
// on through the character codes; "?" past code 255. Codes above 126 are
// the Latin-1 characters of those codes, in UTF-8.
std::string ColorChar(int index);

// The last end (pick) a numeric print can show: the last threaded end, the
// last used pick of the treadling or liftplan. 0: nothing to print.
int LastPrintableEnd(const DraftState& d);
int LastPrintablePick(const DraftState& d);

// What the range dialogs propose as the last end (pick): the whole used
// extent when it fits one block (40 picks in landscape, 50 in portrait),
// else one repeat, or 2400 when none is found; never past the used extent.
int ProposedLastEnd(const DraftState& d, bool landscape);
int ProposedLastPick(const DraftState& d, bool landscape);

// A range as the print takes it: each end brought into 1..last, swapped
// when the first is larger.
struct NumericRange {
    int First = 1;
    int Last = 1;
    bool operator==(const NumericRange&) const = default;
};
NumericRange ClampNumericRange(int first, int last, int lastUsed);

// The three prints of File > Print Numeric for ends (picks) first..last,
// headed by the pattern's name; nothing for an empty threading, treadling
// or warp. The texts are in the current language.
std::vector<std::string> ThreadingPrintLines(const DraftState& d, int first, int last,
                                             bool landscape, const std::string& name);
std::vector<std::string> LiftplanPrintLines(const DraftState& d, int first, int last,
                                            const std::string& name);
std::vector<std::string> WarpColorPrintLines(const DraftState& d, int first, int last,
                                             bool landscape, const std::string& name);

// The report window's print: three empty lines, then every line of the
// report indented by sixteen spaces.
std::vector<std::string> ReportPrintLines(const std::string& text);

} // namespace hw
