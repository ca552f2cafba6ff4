// Writes the sample patterns that ship with the editor. Every sample is built
// here from the core's own operations (fills, network drafting, block
// substitution) and saved by the same writer as File > Save, so a change of
// the file format only needs this program run again:
//
//   heddlewise_make_samples NOTES.tsv OUTDIR
//
// NOTES.tsv holds each sample's notes: file name, then the English, German,
// Swedish and Finnish text, tab-separated, "\n" for a line break.
#include "files/pattern_file.h"
#include "model/drawdown.h"
#include "model/loom_system.h"
#include "model/primitives.h"
#include "transform/fills.h"
#include "transform/network.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace hw {
namespace {

// Default palette entries the samples use.
enum Colour : uint8_t {
    White = 0,
    LightGrey = 1,
    Black = 5,
    Red = 6,
    Gold = 8,
    Orange = 9,
    DarkRed = 12,
    DarkGreen = 21,
    Teal = 37,
    Navy = 44,
    DarkNavy = 45,
};

using Runs = std::vector<std::pair<uint8_t, int>>; // value, how many

std::vector<uint8_t> Expand(const Runs& runs) {
    std::vector<uint8_t> out;
    for (const auto& [value, count] : runs) out.insert(out.end(), size_t(count), value);
    return out;
}

// Positions 1..count take the values over and over.
template <size_t N>
void Repeat(std::array<uint8_t, N>& seq, const std::vector<uint8_t>& values, int count) {
    for (int i = 1; i <= count; ++i) seq[size_t(i)] = values[size_t(i - 1) % values.size()];
}

std::unique_ptr<DraftState> NewDraft(LoomSystem system, int shafts, int treadles, int ends,
                                     int picks) {
    auto d = std::make_unique<DraftState>();
    SetLoomSystem(*d, system);
    d->Shed = false;
    d->Shafts = uint16_t(shafts);
    d->Treadles = uint16_t(system == LoomSystem::Liftplan ? shafts : treadles);
    d->Ends = uint16_t(ends);
    d->Picks = uint16_t(picks);
    d->Zoom = 9;
    d->MetricUnits = false;
    d->EndsPerUnit = 24;
    d->PicksPerUnit = 24;
    return d;
}

void Colours(DraftState& d, const std::vector<uint8_t>& warp, const std::vector<uint8_t>& weft) {
    Repeat(d.WarpColors, warp, d.Ends);
    Repeat(d.WeftColors, weft, d.Picks);
    d.RepeatWarpColors = int(warp.size());
    d.RepeatWeftColors = int(weft.size());
}

// Rising-shed rows: bit s-1 = shaft s lifted.
LiftplanRow Lift(std::initializer_list<int> shafts) {
    LiftplanRow row = 0;
    for (int s : shafts) row = LiftplanRow(row | (1u << (s - 1)));
    return row;
}

// The same cloth tied for a sinking shed: a marked tie-up cell now lowers
// its shaft, so every cell of the used tie-up is turned over.
void TieForSinkingShed(DraftState& d) {
    d.Shed = true;
    for (int s = 1; s <= d.Shafts; ++s)
        for (int t = 1; t <= d.Treadles; ++t) d.TieUpAt(s, t) = d.TieUpAt(s, t) ? 0 : 1;
}

std::unique_ptr<DraftState> Twill22() {
    auto d = NewDraft(LoomSystem::SingleTreadling, 4, 4, 96, 96);
    FillThreadingOrder(*d, FillOrder::Straight);
    ApplyWeave(*d, TwillRows({true, true, false, false}, false));
    FillTreadlingOrder(*d, FillOrder::Straight);
    Colours(*d, {Navy}, {Gold});
    return d;
}

std::unique_ptr<DraftState> GooseEye() {
    auto d = NewDraft(LoomSystem::SingleTreadling, 8, 8, 140, 140);
    FillThreadingOrder(*d, FillOrder::Pointed);
    ApplyWeave(*d, TwillRows({true, true, true, false, true, false, false, false}, false));
    FillTreadlingOrder(*d, FillOrder::Pointed);
    Colours(*d, {DarkRed}, {Gold});
    return d;
}

std::unique_ptr<DraftState> RosepathSinking() {
    auto d = NewDraft(LoomSystem::SingleTreadling, 4, 4, 120, 120);
    FillThreadingOrder(*d, FillOrder::Rosepath);
    ApplyWeave(*d, TwillRows({true, true, false, false}, false));
    FillTreadlingOrder(*d, FillOrder::Rosepath);
    TieForSinkingShed(*d);
    Colours(*d, {White}, Expand({{Red, 8}, {White, 8}}));
    return d;
}

std::unique_ptr<DraftState> Satin8() {
    auto d = NewDraft(LoomSystem::Liftplan, 8, 8, 96, 96);
    FillThreadingOrder(*d, FillOrder::Straight);
    ApplyWeave(*d, SatinRows(8, 3));
    Colours(*d, {Gold}, {DarkNavy});
    return d;
}

// Four twill blocks, each a pair of neighbouring shafts; ends alternate odd
// and even shafts throughout, so the two tabby treadles weave plain weave
// under the pattern.
std::unique_ptr<DraftState> Overshot() {
    const int block[4][2] = {{1, 2}, {3, 2}, {3, 4}, {1, 4}};
    Runs profile;
    for (int i = 0; i < 3; ++i)
        profile.insert(profile.end(), {{0, 6}, {1, 4}, {2, 4}, {3, 8}, {2, 4}, {1, 4}});
    profile.push_back({0, 6});
    std::vector<uint8_t> threading;
    for (const auto& [b, n] : profile)
        for (int i = 0; i < n; ++i) threading.push_back(uint8_t(block[b][i % 2]));
    // Rising shed: a pattern pick lifts the two shafts outside its block, so
    // the weft floats over the block's ends.
    const LiftplanRow tieUp[6] = {Lift({3, 4}), Lift({1, 4}), Lift({1, 2}),
                                  Lift({2, 3}), Lift({1, 3}), Lift({2, 4})};
    const int ends = int(threading.size());
    std::vector<uint8_t> treadling, weft;
    int tabby = 5;
    for (const auto& [b, n] : profile)
        for (int i = 0; i < n; ++i) {
            treadling.insert(treadling.end(), {uint8_t(b + 1), uint8_t(tabby)});
            weft.insert(weft.end(), {Navy, White});
            tabby = tabby == 5 ? 6 : 5;
        }
    auto d = NewDraft(LoomSystem::SingleTreadling, 4, 6, ends, int(treadling.size()));
    Repeat(d->Threading, threading, ends);
    Repeat(d->Treadling, treadling, d->Picks);
    for (int t = 1; t <= 6; ++t)
        for (int s = 1; s <= 4; ++s) d->TieUpAt(s, t) = (tieUp[t - 1] >> (s - 1)) & 1u;
    Colours(*d, {White}, weft);
    // The tabby picks pack in between the pattern picks: twice as many picks
    // as ends to the inch keep the blocks square.
    d->PicksPerUnit = 48;
    return d;
}

// A direct tie-up, one shaft per treadle; two treadles at a time give twill,
// the odd and the even pair give plain weave.
std::unique_ptr<DraftState> SkeletonTieUp() {
    auto d = NewDraft(LoomSystem::MultipleTreadling, 4, 4, 96, 112);
    FillThreadingOrder(*d, FillOrder::Straight);
    for (int s = 1; s <= 4; ++s) d->TieUpAt(s, s) = 1;
    std::vector<LiftplanRow> rows;
    for (int i = 0; i < 4; ++i) rows.insert(rows.end(), {Lift({1, 3}), Lift({2, 4})});
    for (int i = 0; i < 6; ++i)
        rows.insert(rows.end(), {Lift({1, 2}), Lift({2, 3}), Lift({3, 4}), Lift({4, 1})});
    for (int i = 0; i < 6; ++i)
        rows.insert(rows.end(), {Lift({4, 1}), Lift({3, 4}), Lift({2, 3}), Lift({1, 2})});
    for (int p = 1; p <= d->Picks; ++p) d->Liftplan[p] = rows[size_t(p - 1) % rows.size()];
    Colours(*d, {Teal}, Expand({{White, 8}, {Gold, 48}, {Orange, 48}, {White, 8}}));
    return d;
}

// The cloth of an 8-shaft diamond twill drawn cell by cell into the design
// grid; the threading, tie-up and treadling are left for Draft mode to find.
std::unique_ptr<DraftState> DesignMode() {
    auto d = NewDraft(LoomSystem::SingleTreadling, 8, 8, DesignSize, DesignSize);
    FillThreadingOrder(*d, FillOrder::Pointed);
    ApplyWeave(*d, TwillRows({true, true, false, false, true, false, false, false}, false));
    FillTreadlingOrder(*d, FillOrder::Pointed);
    for (int p = 1; p <= DesignSize; ++p)
        for (int e = 1; e <= DesignSize; ++e) DesignPut(*d, p, e, !WeftOnTop(*d, p, e));
    ClearThreadingFrom(*d, 1);
    ClearTreadlingFrom(*d, 1);
    ClearTieUp(*d);
    d->DesignMode = true;
    Colours(*d, {DarkGreen}, {White});
    UpdateUsed(*d);
    return d;
}

// Pattern lines curving over 16 shafts and 16 treadles, networked on a
// 4-end straight initial and woven on a 3/1/1/3 twill tie-up: every end and
// pick stays within four shafts (treadles) of its line, so no float is longer
// than the twill's own.
std::unique_ptr<DraftState> NetworkCurve() {
    auto d = NewDraft(LoomSystem::SingleTreadling, 16, 16, 192, 192);
    const double pi = std::acos(-1.0);
    auto line = [pi](int i, double period) {
        return uint8_t(std::lround(8.5 + 7.49 * std::sin(2 * pi * (i - 1) / period)));
    };
    for (int i = 1; i <= 192; ++i) {
        d->Threading[size_t(i)] = line(i, 96.0);
        d->Treadling[size_t(i)] = line(i, 64.0);
    }
    std::vector<bool> twill;
    for (int i = 0; i < 2; ++i)
        twill.insert(twill.end(), {true, true, true, false, true, false, false, false});
    ApplyWeave(*d, TwillRows(twill, false));
    const Sequence initial = Repeated(NetworkInitials()[1].Values);
    NetworkRequest request;
    request.ThreadingInitial = &initial;
    request.TreadlingInitial = &initial;
    request.Target = NetworkTarget::Both;
    if (!RunNetwork(*d, request)) return nullptr;
    Colours(*d, Expand({{Navy, 48}, {Teal, 48}}), {Gold});
    return d;
}

// A profile of two blocks expanded by a blocks file of two 4-end straight
// units: where a block of picks meets its own block of ends the cloth is
// 3/1 twill, elsewhere 1/3.
std::unique_ptr<DraftState> BlockSubstitution() {
    const std::vector<uint8_t> profile = {1, 1, 2, 1, 2, 2, 2, 1, 2, 1, 1};
    const int units = int(profile.size()) * 2;
    auto d = NewDraft(LoomSystem::SingleTreadling, 2, 2, units, units);
    Repeat(d->Threading, profile, units);
    Repeat(d->Treadling, profile, units);
    Colours(*d, {Black}, {Gold});
    auto blocks = std::make_unique<DraftState>();
    Repeat(blocks->InsertThreading, {1, 2, 3, 4}, 8);
    Repeat(blocks->InsertWarpColors, Expand({{Red, 4}, {White, 4}}), 8);
    const std::vector<LiftplanRow> warpFaced = TwillRows({true, true, true, false}, false);
    const std::vector<LiftplanRow> weftFaced = TwillRows({true, false, false, false}, false);
    for (int t = 1; t <= 8; ++t) {
        const bool first = t <= 4;
        const LiftplanRow a = (first ? warpFaced : weftFaced)[size_t((t - 1) % 4)];
        const LiftplanRow b = (first ? weftFaced : warpFaced)[size_t((t - 1) % 4)];
        for (int s = 1; s <= 4; ++s) {
            blocks->InsertTieUp[size_t(s - 1)][size_t(t - 1)] = (a >> (s - 1)) & 1u;
            blocks->InsertTieUp[size_t(s + 3)][size_t(t - 1)] = (b >> (s - 1)) & 1u;
        }
    }
    SubstituteBlocks(*d, *blocks, true);
    return d;
}

std::unique_ptr<DraftState> LogCabin() {
    auto d = NewDraft(LoomSystem::SingleTreadling, 4, 2, 128, 128);
    FillThreadingOrder(*d, FillOrder::Straight);
    FillPlainWeave(*d);
    FillTreadlingOrder(*d, FillOrder::Straight);
    FillWarpColorOrder(*d, ColorOrder::AB);
    FillWeftColorOrder(*d, ColorOrder::AB);
    // Every other block of 8 starts with the other colour.
    for (uint8_t* c : {d->WarpColors.data(), d->WeftColors.data()})
        for (int k = 1; k <= 128; ++k)
            if ((k - 1) / 8 % 2 == 1) c[k] = c[k % 2 == 1 ? 2 : 1];
    d->RepeatWarpColors = d->RepeatWeftColors = 16;
    return d;
}

std::unique_ptr<DraftState> Houndstooth() {
    auto d = NewDraft(LoomSystem::SingleTreadling, 4, 4, 96, 96);
    FillThreadingOrder(*d, FillOrder::Straight);
    ApplyWeave(*d, TwillRows({true, true, false, false}, false));
    FillTreadlingOrder(*d, FillOrder::Straight);
    TieForSinkingShed(*d);
    const std::vector<uint8_t> order = Expand({{Black, 4}, {White, 4}});
    Colours(*d, order, order);
    return d;
}

std::unique_ptr<DraftState> Plaid() {
    auto d = NewDraft(LoomSystem::SingleTreadling, 4, 4, 192, 192);
    FillThreadingOrder(*d, FillOrder::Straight);
    ApplyWeave(*d, TwillRows({true, true, false, false}, false));
    FillTreadlingOrder(*d, FillOrder::Straight);
    // One half of the sett, then the same mirrored.
    const Runs half = {{Navy, 24}, {DarkGreen, 4},  {Navy, 4}, {DarkGreen, 24},
                       {Red, 4},   {DarkGreen, 24}, {Gold, 2}, {DarkGreen, 10}};
    std::vector<uint8_t> sett = Expand(half);
    sett.insert(sett.end(), sett.rbegin(), sett.rend());
    Colours(*d, sett, sett);
    return d;
}

struct Sample {
    const char* File;
    std::function<std::unique_ptr<DraftState>()> Build;
};

const std::vector<Sample>& Samples() {
    static const std::vector<Sample> samples = {
        {"twill-2-2.hdw", Twill22},
        {"goose-eye-twill.hdw", GooseEye},
        {"rosepath-sinking-shed.hdw", RosepathSinking},
        {"satin-8-liftplan.hdw", Satin8},
        {"overshot.hdw", Overshot},
        {"skeleton-tie-up.hdw", SkeletonTieUp},
        {"design-mode-diamond.hdw", DesignMode},
        {"network-curve.hdw", NetworkCurve},
        {"block-substitution.hdw", BlockSubstitution},
        {"log-cabin.hdw", LogCabin},
        {"houndstooth.hdw", Houndstooth},
        {"plaid.hdw", Plaid},
    };
    return samples;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\t') {
            fields.emplace_back();
        } else if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == 'n') {
            fields.back() += "\r\n";
            ++i;
        } else {
            fields.back() += line[i];
        }
    }
    return fields;
}

// The note of each sample: the four languages one after the other, each
// headed by its own name.
std::map<std::string, std::string> ReadNotes(const std::string& path) {
    static const char* const headings[] = {"English", "Deutsch", "Svenska", "Suomi"};
    std::map<std::string, std::string> notes;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> f = SplitTabs(line);
        if (f.size() != 5) continue;
        std::string text;
        for (size_t i = 1; i < 5; ++i)
            text += (i > 1 ? "\r\n\r\n" : "") + std::string(headings[i - 1]) + ":\r\n" + f[i];
        notes[f[0]] = text;
    }
    return notes;
}

} // namespace
} // namespace hw

int main(int argc, char** argv) {
    using namespace hw;
    if (argc != 3) {
        std::fprintf(stderr, "usage: heddlewise_make_samples NOTES.tsv OUTDIR\n");
        return 2;
    }
    const std::map<std::string, std::string> notes = ReadNotes(argv[1]);
    const std::string folder = argv[2];
    for (const Sample& s : Samples()) {
        const auto note = notes.find(s.File);
        if (note == notes.end()) {
            std::fprintf(stderr, "%s: no notes for %s\n", argv[1], s.File);
            return 1;
        }
        std::unique_ptr<DraftState> d = s.Build();
        if (!d) {
            std::fprintf(stderr, "%s could not be built\n", s.File);
            return 1;
        }
        d->Notes = note->second;
        UpdateUsed(*d);
        // Layout stays the weaver's own: the samples store none.
        SaveOptions options;
        options.SaveLayout = false;
        if (!SavePattern(*d, folder + "/" + s.File, options)) {
            std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), s.File);
            return 1;
        }
    }
    return 0;
}
