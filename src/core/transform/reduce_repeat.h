#pragma once

#include "model/draft_state.h"
#include "model/message.h"

#include <vector>

namespace hw {

// Cuts the threading and the treadling (liftplan) to their first repeat:
// everything after it is emptied, the colour rows and the counts stay.
// With useColorRepeat a longer colour repeat wins. Returns what it could
// not do, one message per half ("Warp repeat not found." and the like);
// that half is then unchanged.
std::vector<Message> ReduceToOneRepeat(DraftState& d, bool useColorRepeat);

} // namespace hw
