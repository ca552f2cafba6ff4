// Writing the current and the older pattern layouts.
#include "files/pattern_file.h"

#include "files/byte_io.h"
#include "files/design_companion.h"
#include "files/format_rules.h"
#include "files/windows1252.h"
#include "model/primitives.h"

#include <algorithm>

namespace hw {

namespace {

constexpr const char* WriteErrorText = "File Write Error";
constexpr int HeaderlessEnds = 600;
constexpr int HeaderlessPicks = 400;
constexpr int HeaderlessNotes = 255;
constexpr int HeaderlessUnitRows = 12;

char PatternType(const DraftState& d) {
    if (!d.TreadleMode) return 'd';
    return d.MultipleTr ? 'f' : 'e';
}

// The counts as the file states them; the document keeps them in range, a
// writer must not trust that blindly.
struct Counts {
    int Shafts, Treadles, Ends, Picks;
};
Counts CountsOf(const DraftState& d) {
    Counts c;
    c.Shafts = std::clamp<int>(d.Shafts, MinShafts, MaxShafts);
    c.Treadles =
        PatternType(d) == 'd' ? c.Shafts : std::clamp<int>(d.Treadles, MinTreadles, MaxTreadles);
    c.Ends = std::clamp<int>(d.Ends, MinEnds, MaxEnds);
    c.Picks = std::clamp<int>(d.Picks, MinPicks, MaxPicks);
    return c;
}

int SetWidth(int count) {
    return (count - 1) / 8 + 1;
}

uint8_t LayoutByte(const DraftState& d, const SaveOptions& o) {
    if (!o.SaveLayout) return 0; // bit 7 clear: readers keep their own layout
    return uint8_t(0x80 | (d.BottomStart ? 0x01 : 0) | (d.RightStart ? 0x02 : 0) |
                   (d.CkoLeftStart ? 0x04 : 0) | (d.Atopstart ? 0x08 : 0) |
                   (d.LayoutTopBot ? 0x10 : 0));
}

// Bit 0: a Design-mode pattern comes back on tie-up and treadles; bit 1:
// bits 2 and 3 hold the marking-line settings.
uint8_t FlagsByte(const DraftState& d) {
    return uint8_t((d.DesignMode && d.TreadleMode ? 0x01 : 0) | 0x02 | (d.MarkingOn ? 0x04 : 0) |
                   (d.FullMarking ? 0x08 : 0));
}

// A marking interval is stored less one, in one byte.
uint8_t IntervalByte(int interval) {
    return uint8_t(std::clamp(interval - 1, 0, 255));
}

void WriteSection(ByteWriter& w, const uint8_t* values, int n) {
    w.Count(n);
    w.Bytes(values + 1, size_t(n));
}

// Tie-up columns 1..treadles, each the set of tied shafts.
void WriteTieUp(ByteWriter& w, const DraftState& d, const Counts& c, bool msbFirst) {
    const int width = SetWidth(c.Shafts);
    for (int t = 1; t <= c.Treadles; ++t)
        for (int k = 0; k < width; ++k) {
            uint8_t b = 0;
            for (int i = 0; i < 8; ++i) {
                const int s = 8 * k + i + 1;
                if (s <= c.Shafts && d.TieUpAt(s, t))
                    b = uint8_t(b | (msbFirst ? 0x80 >> i : 1 << i));
            }
            w.Byte(b);
        }
}

void WriteUnitRows(ByteWriter& w, const std::array<std::array<bool, 16>, 16>& unit) {
    for (const auto& row : unit) {
        uint8_t lo = 0, hi = 0;
        for (int c = 0; c < 8; ++c) {
            if (row[c]) lo = uint8_t(lo | (1 << c));
            if (row[c + 8]) hi = uint8_t(hi | (1 << c));
        }
        w.Byte(lo);
        w.Byte(hi);
    }
}

int UnitSide(int v) {
    return std::clamp(v, 1, 16);
}

// Versions 7, 4 and 3 share one field order.
std::vector<uint8_t> EncodeBraced(const DraftState& d, int version, const SaveOptions& o) {
    const bool old = version < 5;
    const Counts c = CountsOf(d);
    const char type = PatternType(d);
    ByteWriter w;
    w.Byte('{');
    w.Byte(version);
    w.Byte(type);
    const int zoom = std::clamp<int>(d.Zoom, 1, 20);
    w.Byte(old ? zoom - 1 : zoom);
    w.Byte(c.Shafts);
    w.Byte(c.Treadles);
    w.Byte(d.DesignMode ? 1 : 0);
    w.Byte(d.Shed ? 1 : 0);
    w.Byte(d.Compressed ? 0 : 1);
    if (old) {
        const auto [a, b] = SizeCodesForDensities(d.EndsPerUnit, d.PicksPerUnit, 255);
        w.Byte(a);
        w.Byte(b);
    } else {
        w.Byte(std::max<int>(d.EndsPerUnit, 1));
        w.Byte(std::max<int>(d.PicksPerUnit, 1));
    }
    w.Byte(std::clamp(d.PaletteDisplay, 0, 2));
    w.Byte(LayoutByte(d, o));
    if (old) {
        // The old readers take these as the used extents.
        w.Count(LastThreadedEnd(d, c.Ends));
        w.Count(LastUsedPick(d, c.Picks));
    } else {
        w.Count(c.Ends);
        w.Count(c.Picks);
    }
    w.Byte(d.MetricUnits ? 0 : 1);
    w.Byte(std::clamp<int>(d.ViewZoom, 1, 20));
    w.Byte(FlagsByte(d));
    w.Byte(IntervalByte(d.MarkEndsInterval));
    w.Byte(IntervalByte(d.MarkPicksInterval));
    w.Zeros(2);

    WriteSection(w, d.Threading.data(), c.Ends);
    WriteSection(w, d.WarpColors.data(), c.Ends);
    WriteSection(w, d.WeftColors.data(), c.Picks);
    if (type != 'd') WriteTieUp(w, d, c, false);
    if (type == 'e') {
        WriteSection(w, d.Treadling.data(), c.Picks);
    } else {
        const int width = SetWidth(c.Treadles);
        const LiftplanRow mask = LiftplanRow(c.Treadles >= 16 ? 0xFFFF : (1u << c.Treadles) - 1u);
        w.Count(c.Picks);
        for (int p = 1; p <= c.Picks; ++p) {
            const LiftplanRow row = LiftplanRow(d.Liftplan[p] & mask);
            for (int k = 0; k < width; ++k) w.Byte(LiftplanRowByte(row, k));
        }
    }

    w.Byte(UnitSide(d.TransUnitSize[1]));
    w.Byte(UnitSide(d.TransUnitSize[0]));
    WriteUnitRows(w, d.TransUnit1);
    WriteUnitRows(w, d.TransUnit2);

    w.Byte(PaletteSize - 1);
    for (const PaletteEntry& e : d.Palette) {
        w.Byte(e.Red);
        w.Byte(e.Green);
        w.Byte(e.Blue);
    }

    const std::vector<uint8_t> notes = EncodeWindows1252(d.Notes, MaxNotes);
    w.Count(int(notes.size()));
    w.Bytes(notes.data(), notes.size());
    w.Byte(0);
    return std::move(w.Data());
}

// The headerless layout: fixed 600 ends and 400 picks, 12 x 8 units, a
// 15-colour palette of 64 levels and 255 note characters.
std::vector<uint8_t> EncodeHeaderless(const DraftState& d) {
    const Counts c = CountsOf(d);
    const char type = PatternType(d);
    ByteWriter w;
    w.Byte(type);
    w.Byte(std::clamp<int>(d.Zoom, 1, 20));
    w.Byte(c.Shafts);
    w.Byte(c.Treadles);
    w.Byte(d.TreadleMode ? 1 : 0);
    w.Byte(d.DesignMode ? 1 : 0);
    w.Byte(d.Shed ? 1 : 0);
    w.Byte(d.Compressed ? 0 : 1);
    w.Zeros(2);
    // Size bytes of 10 or less all mean code 1, so codes are stored plus 10.
    const auto [a, b] = SizeCodesForDensities(d.EndsPerUnit, d.PicksPerUnit, 255 - 10);
    w.Byte(a + 10);
    w.Byte(b + 10);

    w.Bytes(d.Threading.data() + 1, HeaderlessEnds);
    w.Bytes(d.WarpColors.data() + 1, HeaderlessEnds);
    w.Bytes(d.WeftColors.data() + 1, HeaderlessEnds);
    if (type != 'd') WriteTieUp(w, d, c, true);
    if (type == 'e') {
        w.Bytes(d.Treadling.data() + 1, HeaderlessPicks);
    } else {
        const int width = SetWidth(c.Treadles);
        for (int p = 1; p <= HeaderlessPicks; ++p)
            for (int k = 0; k < width; ++k) {
                uint8_t byte = 0;
                for (int i = 0; i < 8; ++i) {
                    const int e = 8 * k + i + 1;
                    if (e <= c.Treadles && LiftplanGet(d, p, e)) byte = uint8_t(byte | (0x80 >> i));
                }
                w.Byte(byte);
            }
    }

    w.Byte(UnitSide(d.TransUnitSize[1]));
    w.Byte(UnitSide(d.TransUnitSize[0]));
    for (const auto* unit : {&d.TransUnit1, &d.TransUnit2})
        for (int row = 0; row < HeaderlessUnitRows; ++row) {
            uint8_t byte = 0;
            for (int col = 0; col < 8; ++col)
                if ((*unit)[row][col]) byte = uint8_t(byte | (0x80 >> col));
            w.Byte(byte);
        }

    w.Byte(0);
    for (int i = 0; i <= 14; ++i) {
        const PaletteEntry& e = d.Palette[i];
        w.Byte(OldPaletteLevel(e.Red));
        w.Byte(OldPaletteLevel(e.Green));
        w.Byte(OldPaletteLevel(e.Blue));
    }

    const std::vector<uint8_t> notes = EncodeWindows1252(d.Notes, HeaderlessNotes);
    w.Byte(int(notes.size()));
    if (!notes.empty()) {
        w.Bytes(notes.data(), notes.size());
        w.Byte(0);
    }
    return std::move(w.Data());
}

} // namespace

std::vector<uint8_t> EncodePattern(const DraftState& d, const SaveOptions& options) {
    return EncodeBraced(d, 7, options);
}

std::vector<uint8_t> EncodeOldVersion(const DraftState& d, OldVersion version,
                                      const SaveOptions& options) {
    switch (version) {
    case OldVersion::V4:
        return EncodeBraced(d, 4, options);
    case OldVersion::V3:
        return EncodeBraced(d, 3, options);
    case OldVersion::V12:
        break;
    }
    return EncodeHeaderless(d);
}

Status SavePattern(DraftState& d, const std::string& path, const SaveOptions& options) {
    const std::vector<uint8_t> pattern = EncodePattern(d, options);
    std::vector<std::string> paths;
    std::vector<const std::vector<uint8_t>*> contents;
    std::vector<uint8_t> design;
    if (d.DesignMode) {
        const std::string companion = ReplaceExtension(path, ".hdb");
        // A pattern named like its own companion would be overwritten by it.
        if (companion == path) return Failed(WriteErrorText);
        design = EncodeDesignFile(d);
        // The companion goes first: if anything fails, the pattern itself is
        // still the old one.
        paths.push_back(companion);
        contents.push_back(&design);
    }
    paths.push_back(path);
    contents.push_back(&pattern);
    if (!WriteFilesAtomically(paths, contents)) return Failed(WriteErrorText);
    d.FileName = path;
    return {};
}

Status SaveOldVersion(const DraftState& d, const std::string& path, OldVersion version,
                      const SaveOptions& options) {
    if (!WriteFileAtomically(path, EncodeOldVersion(d, version, options)))
        return Failed(WriteErrorText);
    return {};
}

bool IsBmpFile(const std::string& path) {
    return UpperExtension(path) == ".BMP";
}

bool IsWifFile(const std::string& path) {
    return UpperExtension(path) == ".WIF";
}

} // namespace hw
