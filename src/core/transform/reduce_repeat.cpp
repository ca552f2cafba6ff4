#include "transform/reduce_repeat.h"

#include "model/primitives.h"
#include "text/lang.h"
#include "transform/repeat.h"

#include <algorithm>

namespace hw {

namespace {

// How many positions of one half to keep, or 0 (with a message) to leave it.
int KeptLength(RepeatResult r, RepeatResult colors, int lastUsed, bool useColors,
               const char* notFound, const char* colorsNotFound, std::vector<Message>& notes) {
    if (!r.Found || r.Length == lastUsed) {
        notes.push_back({GeneralForm, notFound, {}});
        return 0;
    }
    if (!useColors || colors.Length <= r.Length) return r.Length;
    if (colors.Found && colors.Length != lastUsed) return colors.Length;
    notes.push_back({GeneralForm, colorsNotFound, {}});
    return 0;
}

} // namespace

std::vector<Message> ReduceToOneRepeat(DraftState& d, bool useColorRepeat) {
    std::vector<Message> notes;
    const int ends = std::clamp<int>(d.Ends, 0, MaxEnds);
    const int picks = std::clamp<int>(d.Picks, 0, MaxPicks);

    const int lastEnd = LastThreadedEnd(d, ends);
    const int warp = KeptLength(FindRepeat(&d.Threading[1], ends, lastEnd),
                                FindColorRepeat(&d.WarpColors[1], ends, lastEnd), lastEnd,
                                useColorRepeat, "@warpnot", "@warpcolnot", notes);
    if (warp > 0) ClearThreadingFrom(d, warp + 1);

    const bool single = d.TreadleMode && !d.MultipleTr;
    const int lastPick = LastUsedPick(d, picks);
    const RepeatResult weftRepeat =
        single ? FindRepeat(&d.Treadling[1], picks, lastPick)
               : FindLiftplanRepeat(&d.Liftplan[1], picks, lastPick, d.Shafts);
    const int weft = KeptLength(weftRepeat, FindColorRepeat(&d.WeftColors[1], picks, lastPick),
                                lastPick, useColorRepeat, "@weftnot", "@weftcolnot", notes);
    if (weft > 0 && single) ClearTreadlingFrom(d, weft + 1);
    if (weft > 0 && !single) ClearLiftplanFrom(d, weft + 1);

    UpdateUsed(d);
    UpdateRememberedRepeats(d);
    return notes;
}

} // namespace hw
