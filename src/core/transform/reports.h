#pragma once

#include "model/draft_state.h"
#include "model/message.h"

#include <optional>
#include <string>

namespace hw {

// A text report of the Analyze menu, in the current language: the window
// shows Title as its caption and Text (lines ending in '\n', the title the
// first of them) in a fixed-pitch font. Reports never change the draft.
struct TextReport {
    std::string Title;
    std::string Text;
};

struct RepeatsReportResult {
    std::optional<Message> Error; // a design needing more than 16 shafts
    TextReport Report;
};

// Repeats of threading, warp colours, treadling (liftplan) and weft
// colours, and the total repeat of warp and weft. In Design mode the draft
// of the design is derived first, on a copy.
RepeatsReportResult RepeatsReport(const DraftState& d);
// Ends threaded on each shaft.
TextReport HeddlesReport(const DraftState& d);
// Ends and picks of each colour used.
TextReport ColorsReport(const DraftState& d);
// The longest warp and weft floats over and under.
TextReport FloatsReport(const DraftState& d);

// One kind of float: runs of one yarn staying on top (or below) along an
// end (warp) or a pick (weft), over ends 1..last used end and picks 1..last
// used pick of the drawdown.
struct FloatKind {
    int Longest = 0;
    int CountLongest = 0;
    int FirstEnd = 0; // where the first run of the longest length starts
    int FirstPick = 0;
    long long TotalLength = 0;
    long long Runs = 0;
};
struct FloatStats {
    FloatKind WarpOver, WarpUnder, WeftOver, WeftUnder;
};
FloatStats CountFloats(const DraftState& d);

} // namespace hw
