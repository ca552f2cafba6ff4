#pragma once

// One fuzz input: a control byte, the pattern's length, the pattern, and a
// companion file (served for every ".hdb" and ".bmp" the loader asks for,
// and also the second file of a liftplan overlay). Shared by the libFuzzer
// target and the regression test that replays what it found.
//
//   byte 0     bits 0-2 load mode, bit 3 Open Components, bit 4 blend
//   byte 1     the ticked components, one bit each
//   bytes 2-3  pattern length, high byte first
//   then       the pattern, then the companion

#include "files/design_companion.h"
#include "files/pattern_file.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

namespace hw::fuzz {

class ByteChooser : public ComponentChooser {
public:
    ByteChooser(uint8_t control, uint8_t ticks) : control_(control), ticks_(ticks) {}
    ComponentChoice Choose(const ComponentEnabling&) override {
        ComponentChoice c;
        if (control_ & 0x10) {
            c.Result = ComponentChoice::Blend;
            c.BlendMode = ModeAppend + (ticks_ & 3);
            return c;
        }
        c.Result = ComponentChoice::Load;
        LoadFlags& f = c.Flags;
        f.Threading = ticks_ & 0x01, f.Liftplan = ticks_ & 0x02, f.Treadling = ticks_ & 0x04;
        f.TieUp = ticks_ & 0x08, f.Palette = ticks_ & 0x10, f.WarpColors = ticks_ & 0x20;
        f.WeftColors = ticks_ & 0x40, f.TransUnits = ticks_ & 0x80, f.Notes = control_ & 0x20;
        return c;
    }

private:
    uint8_t control_, ticks_;
};

// The first bound a loaded document breaks, or nothing: what no file may
// ever do to the document.
inline const char* BrokenBound(const DraftState& d) {
    if (d.Shafts < 2 || d.Shafts > 16 || d.Treadles < 2 || d.Treadles > 16) return "counts";
    if (!d.TreadleMode && (d.Treadles != d.Shafts || d.MultipleTr)) return "liftplan loom";
    if (d.Ends < 2 || d.Ends > 9600 || d.Picks < 2 || d.Picks > 9600) return "sizes";
    if (d.EndsUsed > d.Ends || d.PicksUsed > d.Picks) return "used extent";
    if (d.Zoom < 1 || d.Zoom > 20 || d.ViewZoom < 1 || d.ViewZoom > 20) return "zoom";
    if (d.MarkEndsInterval < 1 || d.MarkPicksInterval < 1) return "marking interval";
    if (d.Notes.size() > 3 * 3000) return "notes";
    for (int v : d.TransUnitSize)
        if (v < 1 || v > 16) return "unit size";
    if (d.TransUnitSize[0] == 1 && d.TransUnitSize[1] == 1) return "unit size";
    for (int e = 1; e <= 9600; ++e)
        if (d.Threading[e] > d.Shafts) return "threading";
    for (const auto& row : d.TieUp)
        for (uint8_t c : row)
            if (c > 1) return "tie-up";
    for (int p = 1; p <= 50; ++p)
        for (int i = 6; i < 300; ++i)
            if (d.DesignGrid[p][i] & (i == 6 ? 0xFC : 0xFF)) return "design beyond 50 ends";
    return nullptr;
}

inline void CheckInvariants(const DraftState& d) {
    if (BrokenBound(d)) std::abort();
}

inline void RunOne(std::span<const uint8_t> data) {
    if (data.size() < 4) return;
    const uint8_t control = data[0];
    const uint8_t ticks = data[1];
    const size_t length = std::min<size_t>(size_t(data[2]) << 8 | data[3], data.size() - 4);
    const auto pattern = data.subspan(4, length);
    const auto companion = data.subspan(4 + length);

    auto d = std::make_unique<DraftState>();
    ByteChooser chooser(control, ticks);
    LoadRequest request;
    request.Mode = control & 7;
    request.Components = control & 0x08;
    request.Chooser = &chooser;
    request.FromPick = ticks;
    request.Interval = ticks >> 4;
    const CompanionReader reader = [companion](const std::string&, std::vector<uint8_t>& out) {
        if (companion.empty()) return ReadStatus::NotFound;
        out.assign(companion.begin(), companion.end());
        return ReadStatus::Ok;
    };
    LoadPatternBytes(*d, pattern, "/fuzz/pattern.hdw", request, reader);
    CheckInvariants(*d);
    LiftplanOverlayBytes(*d, pattern, companion);
    CheckInvariants(*d);
    DecodeDesignFile(companion, *d);
    DecodeDesignBitmap(companion, *d);
}

} // namespace hw::fuzz
