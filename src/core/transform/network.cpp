#include "transform/network.h"

#include "model/primitives.h"

#include <algorithm>
#include <memory>
#include <string>

namespace hw {

namespace {

int LastNonZero(const uint8_t* values, int n) {
    for (int i = n; i >= 1; --i)
        if (values[i] != 0) return i;
    return 0;
}

// Steps 2 and 4 of a network over positions 1..last of a pattern line.
Status NetworkLine(uint8_t* line, const Sequence& initial, int last, int count,
                   const char* tooMany) {
    int size = 0;
    for (int i = 1; i <= last; ++i) size = std::max<int>(size, initial[size_t(i)]);
    if (size == 0) return {};
    if (size > count) return Failed(tooMany, {std::to_string(size)});
    for (int i = 1; i <= last; ++i) {
        const int v0 = initial[size_t(i)], t = line[i];
        if (v0 == 0 || t == 0) continue;
        int v = v0;
        while (v < t) v += size;
        line[i] = uint8_t(v <= count ? v : v0);
    }
    return {};
}

// The liftplan as a ribbon `width` shafts wide along the pattern line.
void Ribbon(DraftState& d, int last, int width) {
    ClearLiftplanFrom(d, 1);
    const int shafts = std::min<int>(d.Shafts, MaxShafts);
    for (int e = 1; e <= last; ++e) {
        const int t = SafeShaft(d.Threading[e]);
        for (int k = 0; t > 0 && k < width; ++k) {
            const int s = (t + k - 1) % shafts + 1;
            LiftplanSet(d, e, s);
        }
    }
}

struct Block {
    int First = 0;
    int Last = -1;
    int Offset = 0;
};

// Runs of one colour in positions 1..last; each block's offset is the sum
// of the highest values of the blocks before it.
std::vector<Block> Blocks(const uint8_t* values, const uint8_t* colors, int last) {
    std::vector<Block> blocks;
    int offset = 0;
    for (int i = 1; i <= last; ++i) {
        if (blocks.empty() || colors[i] != colors[i - 1]) {
            if (!blocks.empty()) {
                int width = 0;
                for (int k = blocks.back().First; k <= blocks.back().Last; ++k)
                    width = std::max<int>(width, values[k]);
                offset += width;
            }
            blocks.push_back({i, i, offset});
        }
        blocks.back().Last = i;
    }
    return blocks;
}

// One side of the substitution: the profile line's block numbers replaced
// by the blocks; the new line's colours are the profile ends' colours.
void Substitute(uint8_t* line, uint8_t* colors, int count, int maxValue, const uint8_t* values,
                const uint8_t* blockColors, int blockLast, bool relative, bool linked,
                uint16_t& total) {
    const int last = LastNonZero(line, count);
    const std::vector<uint8_t> profile(line, line + count + 1);
    const std::vector<Block> blocks = Blocks(values, blockColors, blockLast);
    std::fill(line + 1, line + count + 1, uint8_t(0));
    std::vector<uint8_t> newColors(size_t(count) + 1);
    int pos = 0;
    for (int e = 1; e <= last; ++e) {
        const int b = profile[size_t(e)];
        if (b == 0 || b > int(blocks.size())) continue;
        const Block& block = blocks[size_t(b - 1)];
        for (int k = block.First; k <= block.Last; ++k) {
            pos = std::min(pos + 1, count);
            const int v = values[k];
            line[pos] = uint8_t(v == 0 ? 0 : std::min(v + (relative ? block.Offset : 0), maxValue));
            newColors[size_t(pos)] = colors[e];
        }
    }
    if (!linked) return;
    total = uint16_t(std::max<int>(total, pos));
    std::copy(newColors.begin() + 1, newColors.begin() + pos + 1, colors + 1);
}

} // namespace

std::span<const BuiltInSequence> NetworkInitials() {
    static const std::vector<BuiltInSequence> items{
        {"3-end straight", {1, 2, 3}, 3},
        {"4-end straight", {1, 2, 3, 4}, 4},
        {"5-end straight", {1, 2, 3, 4, 5}, 5},
        {"6-end pointed", {1, 2, 3, 4, 3, 2}, 4},
        {"8-end pointed", {1, 2, 3, 4, 3, 2, 1, 4}, 4},
        {"10-end pointed", {1, 2, 3, 4, 1, 2, 1, 4, 3, 2}, 4},
    };
    return items;
}

std::span<const BuiltInSequence> InsertSequences() {
    static const std::vector<BuiltInSequence> items{
        {"Tabby", {1, 2}},
        {"3-end straight", {1, 2, 3}},
        {"4-end straight", {1, 2, 3, 4}},
        {"5-end straight", {1, 2, 3, 4, 5}},
        {"6-end pointed", {1, 2, 3, 4, 3, 2}},
    };
    return items;
}

Sequence Repeated(const std::vector<uint8_t>& values) {
    Sequence s{};
    for (size_t i = 1; i < s.size() && !values.empty(); ++i) s[i] = values[(i - 1) % values.size()];
    return s;
}

Status RunNetwork(DraftState& d, const NetworkRequest& r) {
    if (d.DesignMode) return {};
    auto out = std::make_unique<DraftState>(d);
    DraftState& t = *out;
    const bool treadleLoom = t.TreadleMode;
    const bool single = treadleLoom && !t.MultipleTr;
    if (r.ThreadingInitial && !(treadleLoom && r.Target == NetworkTarget::Treadling)) {
        UpdateEndsUsed(t);
        const int last = t.EndsUsed;
        if (!treadleLoom && r.RibbonWidth > 0 && last > 0) {
            int size = 0;
            for (int i = 1; i <= last; ++i)
                size = std::max<int>(size, (*r.ThreadingInitial)[size_t(i)]);
            // The ribbon follows the line before the network moves it.
            if (size > 0 && size <= t.Shafts) Ribbon(t, last, r.RibbonWidth);
        }
        if (Status s = NetworkLine(t.Threading.data(), *r.ThreadingInitial, last, t.Shafts,
                                   "Initial has too many shafts (%1),");
            !s)
            return s;
    }
    if (r.TreadlingInitial && single && r.Target != NetworkTarget::Threading) {
        const int last = LastTreadledPick(t, MaxPicks);
        t.Picks = uint16_t(std::max<int>(t.Picks, last));
        if (Status s = NetworkLine(t.Treadling.data(), *r.TreadlingInitial, last, t.Treadles,
                                   "Initial has too many treadles (%1),");
            !s)
            return s;
    }
    UpdateUsed(t);
    d = std::move(t);
    return {};
}

void SubstituteBlocks(DraftState& d, const DraftState& blocks, bool relative) {
    if (d.DesignMode) return;
    const int blockEnds = LastNonZero(blocks.InsertThreading.data(), MaxEnds);
    Substitute(d.Threading.data(), d.WarpColors.data(), MaxEnds, MaxShafts,
               blocks.InsertThreading.data(), blocks.InsertWarpColors.data(), blockEnds, relative,
               d.ColorsLinked, d.Ends);
    const bool single = d.TreadleMode && !d.MultipleTr;
    if (single) {
        // Without a treadling of its own the blocks file is treadled as it
        // is threaded.
        const bool none =
            std::all_of(blocks.InsertTreadling.begin() + 1, blocks.InsertTreadling.begin() + 4,
                        [](uint8_t v) { return v == 0; });
        const uint8_t* values =
            none ? blocks.InsertThreading.data() : blocks.InsertTreadling.data();
        const uint8_t* colors =
            none ? blocks.InsertWarpColors.data() : blocks.InsertWeftColors.data();
        const int last = none ? blockEnds : LastNonZero(blocks.InsertTreadling.data(), MaxPicks);
        Substitute(d.Treadling.data(), d.WeftColors.data(), MaxPicks, MaxTreadles, values, colors,
                   last, relative, d.ColorsLinked, d.Picks);
    }
    if (d.TreadleMode) d.TieUp = blocks.InsertTieUp;
    UpdateUsed(d);
    d.Shafts = uint16_t(MaxThreadingShaft(d));
    if (!d.TreadleMode) d.Treadles = d.Shafts;
    if (single) d.Treadles = uint16_t(MaxTreadlingTreadle(d));
}

} // namespace hw
