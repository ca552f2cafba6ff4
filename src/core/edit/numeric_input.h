#pragma once

#include "model/draft_state.h"

#include <string>
#include <string_view>
#include <vector>

namespace hw {

// The numeric notation of threadings and treadlings, e.g.
// "2(1-8-1 8) 3(1-16)": numbers, runs a-b (and chains a-b-c), and groups in
// brackets with a repeat count of one or two digits before them.
struct NumericGroup {
    std::string Text;
    int Count = 1;
    bool operator==(const NumericGroup&) const = default;
};

inline constexpr int MaxNumericGroups = 32;

struct NumericText {
    std::vector<NumericGroup> Groups;
    bool TooLong = false; // more groups than fit; those beyond are dropped
};

NumericText ParseNumericText(std::string_view text);

// The values of one group, each 1..16; a number keeps its first two digits.
std::vector<int> NumericGroupValues(std::string_view group);

struct NumericResult {
    int Written = 0;      // values written
    bool TooLong = false; // show "String too long."
};

// Writes the text into the threading (or the single treadling) from
// position start on, never beyond 9600; the end (pick) count grows to the
// last position written, and values above the shaft (treadle) count are
// folded into range.
NumericResult NumericInput(DraftState& d, bool treadling, int start, std::string_view text);

// Where input starts when the window opens or the target changes: the
// first visible end (pick) without an entry, 1 when all of them have one.
int NumericStart(const DraftState& d, bool treadling, int firstVisible, int lastVisible);

} // namespace hw
