#pragma once

#include "model/draft_state.h"
#include "model/message.h"

#include <array>
#include <span>
#include <vector>

namespace hw {

// A short order of shafts (treadles) that a network or an insert repeats:
// a built-in item of the Network or Insert lists.
struct BuiltInSequence {
    const char* Name; // English; the lists show it as it is
    std::vector<uint8_t> Values;
    int RibbonWidth = 0; // what choosing a network initial sets
};
// "3-end straight" .. "10-end pointed".
std::span<const BuiltInSequence> NetworkInitials();
// "Tabby" .. "6-end pointed".
std::span<const BuiltInSequence> InsertSequences();

// Values for positions 1..9600 (element 0 unused), as the side buffers of
// insert-from-file hold them.
using Sequence = std::array<uint8_t, MaxEnds + 1>;
// The values repeated from position 1.
Sequence Repeated(const std::vector<uint8_t>& values);

// Network drafting: every end (pick) goes to the lowest shaft (treadle) at
// or above its pattern line that the initial's network offers there.
enum class NetworkTarget { Threading, Treadling, Both };
struct NetworkRequest {
    const Sequence* ThreadingInitial = nullptr;
    const Sequence* TreadlingInitial = nullptr;
    NetworkTarget Target = NetworkTarget::Both;
    int RibbonWidth = 0; // liftplan looms: the liftplan becomes a ribbon this wide
};
// The threading runs unless the target is the treadling of a treadle loom;
// the treadling only with single treadling. An initial that needs more
// shafts or treadles than the draft has fails and changes nothing.
Status RunNetwork(DraftState& d, const NetworkRequest& r);

// Block substitution: the draft's threading (and single treadling) read as
// block numbers and replaced by the blocks of another pattern, held in the
// insert buffers of `blocks` (a run of ends of one warp colour is one
// block). Relative placement puts each block above the ones before it.
void SubstituteBlocks(DraftState& d, const DraftState& blocks, bool relative);

} // namespace hw
