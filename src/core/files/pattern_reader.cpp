// Reading pattern files of every version into the document.
#include "files/pattern_file.h"

#include "files/byte_io.h"
#include "files/design_companion.h"
#include "files/format_rules.h"
#include "files/windows1252.h"
#include "model/loom_system.h"
#include "model/primitives.h"

#include <algorithm>
#include <memory>

namespace hw {

LoadFlags LoadFlags::All() {
    return {true, true, true, true, true, true, true, true, true, true};
}

ComponentEnabling EnabledComponents(const DraftState& d) {
    ComponentEnabling e;
    const bool draftMode = !d.DesignMode;
    e.Threading = draftMode;
    e.Liftplan = draftMode && !d.TreadleMode;
    e.Treadling = draftMode && d.TreadleMode && !d.MultipleTr;
    e.TieUp = draftMode && d.TreadleMode;
    return e;
}

CompanionReader DiskCompanionReader() {
    return [](const std::string& path, std::vector<uint8_t>& out) {
        return ReadFileBytes(path, MaxCompanionBytes, out);
    };
}

namespace {

constexpr const char* IncompatibleText = "File Read Error: Incompatible file version";
constexpr const char* TooOldText = "File version is too old.";
constexpr const char* TooManyText = "Too many shafts or treadles in file";
constexpr const char* ReadBeyondEndText = "Read beyond end of file";
constexpr const char* FileReadErrorText = "File Read Error";
constexpr const char* SignatureText = "Incorrect file signature.";
constexpr const char* LiftplanFullText = "Liftplan is full, no room to append.";
constexpr const char* NotFoundText = "Cannot find %1";

constexpr int HeaderlessEnds = 600;
constexpr int HeaderlessPicks = 400;
constexpr int OldVersionMinCount = 500;
constexpr uint8_t DefaultDensity = 25; // the start value of both densities

// A file the reader will not take; the message says why.
struct Refused {
    const char* Message;
};

// Bytes needed for a set of `count` elements (a count of 0 still takes one).
int SetWidth(int count) {
    return (count - 1) / 8 + 1;
}

// Element k of a least-significant-bit-first set.
bool LsbBit(std::span<const uint8_t> bytes, int k) {
    const size_t i = size_t(k - 1) / 8;
    return i < bytes.size() && ((bytes[i] >> ((k - 1) % 8)) & 1u);
}

// Element k of a most-significant-bit-first set (headerless files).
bool MsbBit(std::span<const uint8_t> bytes, int k) {
    const size_t i = size_t(k - 1) / 8;
    return i < bytes.size() && ((bytes[i] >> (7 - (k - 1) % 8)) & 1u);
}

LiftplanRow ElementMask(int count) {
    return count >= 16 ? LiftplanRow(0xFFFF) : LiftplanRow((1u << std::max(count, 0)) - 1u);
}

LiftplanRow LsbRow(std::span<const uint8_t> bytes) {
    return LiftplanRowFromBytes(bytes[0], bytes.size() > 1 ? bytes[1] : 0);
}

LiftplanRow MsbRow(std::span<const uint8_t> bytes, int elements) {
    LiftplanRow row = 0;
    for (int k = 1; k <= std::min(elements, 16); ++k)
        if (MsbBit(bytes, k)) row = LiftplanRow(row | (1u << (k - 1)));
    return row;
}

// Notes: the text up to the first 0 byte, at most MaxNotes characters.
std::string NotesFrom(std::span<const uint8_t> bytes) {
    const auto zero = std::find(bytes.begin(), bytes.end(), uint8_t(0));
    const size_t n = std::min<size_t>(size_t(zero - bytes.begin()), MaxNotes);
    return DecodeWindows1252(bytes.first(n));
}

class Reader {
public:
    Reader(DraftState& s, ByteReader& r, const LoadFlags& flags, int mode, int version, char type,
           const LoadRequest& request, LoadResult& result)
        : s_(s), r_(r), f_(flags), mode_(mode), version_(version), type_(type), request_(request),
          result_(result) {}

    void ReadPattern();
    void ReadHeaderless();

    // Values the finishing steps of a full load need.
    bool DesignByte = false;
    bool TreadleModeAfterDesign = false;

private:
    int ReadSection(uint8_t* target, bool clearRest);
    void ReadTieUp(int shafts, int treadles, bool msbFirst, int width);
    int ReadLiftplan(int treadles);
    void BlendLiftplan(int n, int width, LiftplanRow mask);
    void ReadPalette(int last, bool oldLevels);
    void FoldInsertBuffers(int shafts, int treadles);

    DraftState& s_;
    ByteReader& r_;
    const LoadFlags f_;
    const int mode_;
    const int version_;
    const char type_;
    const LoadRequest& request_;
    LoadResult& result_;
};

// A section: a count n, then n bytes for positions 1..n. The first 9600 are
// kept, the rest of the array is cleared when asked, surplus bytes skipped.
int Reader::ReadSection(uint8_t* target, bool clearRest) {
    const int n = r_.Count();
    auto bytes = r_.Take(size_t(n));
    if (!target) return n;
    const int kept = std::min(n, MaxEnds);
    std::copy_n(bytes.begin(), kept, target + 1);
    if (clearRest) std::fill(target + kept + 1, target + MaxEnds + 1, uint8_t(0));
    return n;
}

void Reader::ReadTieUp(int shafts, int treadles, bool msbFirst, int width) {
    auto& tieUp = mode_ == ModeInsert ? s_.InsertTieUp : s_.TieUp;
    const bool store = mode_ == ModeInsert || f_.TieUp;
    if (store && mode_ != ModeInsert) ClearTieUp(s_);
    for (int t = 1; t <= treadles; ++t) {
        auto column = r_.Take(size_t(width));
        if (!store) continue;
        for (int sh = 1; sh <= shafts; ++sh)
            tieUp[sh - 1][t - 1] = (msbFirst ? MsbBit(column, sh) : LsbBit(column, sh)) ? 1 : 0;
    }
}

int Reader::ReadLiftplan(int treadles) {
    const int n = r_.Count();
    const int width = SetWidth(treadles);
    const LiftplanRow mask = ElementMask(treadles);
    if (mode_ >= ModeAtInterval) {
        BlendLiftplan(n, width, mask);
        return n;
    }
    if (!f_.Liftplan || mode_ == ModeInsert) {
        r_.Skip(size_t(n) * size_t(width));
        return n;
    }
    const int kept = std::min(n, MaxPicks);
    for (int p = 1; p <= n; ++p) {
        auto row = r_.Take(size_t(width));
        if (p <= kept) s_.Liftplan[p] = LiftplanRow(LsbRow(row) & mask);
    }
    ClearLiftplanFrom(s_, kept + 1);
    return n;
}

// Liftplan load modes 3..7: the file's rows go into the current liftplan.
void Reader::BlendLiftplan(int n, int width, LiftplanRow mask) {
    auto next = [&] { return LiftplanRow(LsbRow(r_.Take(size_t(width))) & mask); };
    switch (mode_) {
    case ModeAtInterval: {
        const int from = std::max(request_.FromPick, 1);
        const int interval = std::max(request_.Interval, 1);
        for (int k = 1; k <= n; ++k) {
            const int64_t pick = from + int64_t(k - 1) * interval;
            if (pick > s_.Picks) break;
            s_.Liftplan[size_t(pick)] = next();
        }
        break;
    }
    case ModeAppend: {
        const int last = LastLiftplanPick(s_, MaxPicks);
        s_.PicksUsed = uint16_t(last);
        if (last >= MaxPicks) throw Refused{LiftplanFullText};
        for (int k = 1; k <= n && last + k <= MaxPicks; ++k) s_.Liftplan[last + k] = next();
        s_.Picks = uint16_t(std::max(LastLiftplanPick(s_, MaxPicks), MinPicks));
        break;
    }
    default: {
        const int picks = std::min<int>(n, s_.Picks);
        for (int p = 1; p <= picks; ++p) {
            const LiftplanRow row = next();
            LiftplanRow& cur = s_.Liftplan[p];
            if (mode_ == ModeAdd)
                cur = LiftplanRow(cur | row);
            else if (mode_ == ModeInvert)
                cur = LiftplanRow(cur ^ row);
            else
                cur = LiftplanRow(cur & ~row);
        }
        break;
    }
    }
}

void Reader::ReadPalette(int last, bool oldLevels) {
    auto bytes = r_.Take(size_t(last + 1) * 3);
    if (!f_.Palette) return;
    for (int i = 0; i <= last; ++i)
        s_.Palette[i] = {bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]};
    if (oldLevels) {
        // An old 64-level palette of 15 colours; the 16th becomes white.
        for (int i = 0; i <= 14; ++i) {
            PaletteEntry& e = s_.Palette[i];
            e = {ScaleOldPaletteComponent(e.Red), ScaleOldPaletteComponent(e.Green),
                 ScaleOldPaletteComponent(e.Blue)};
        }
        s_.Palette[15] = {255, 255, 255};
    }
    RebuildColorTable(s_);
}

// Insert buffers get the same folding an opened pattern would get, so no
// value beyond the file's own counts reaches an insert.
void Reader::FoldInsertBuffers(int shafts, int treadles) {
    auto fold = [](auto& values, int count) {
        for (size_t i = 1; i < values.size(); ++i)
            if (values[i] > count) {
                const int r = values[i] % count;
                values[i] = uint8_t(r == 0 ? count : r);
            }
    };
    fold(s_.InsertThreading, std::clamp(shafts, MinShafts, MaxShafts));
    fold(s_.InsertTreadling, std::clamp(treadles, MinTreadles, MaxTreadles));
}

void Reader::ReadPattern() {
    const bool old = version_ < 5;
    const int zoom = r_.Byte();
    const int shafts = r_.Byte();
    const int treadles = r_.Byte();
    result_.FileShafts = shafts;
    result_.FileTreadles = treadles;
    if (shafts > MaxShafts || treadles > MaxTreadles) throw Refused{TooManyText};
    // The counts stored in the document are never below 2.
    const uint16_t docShafts = uint16_t(std::max(shafts, MinShafts));
    const uint16_t docTreadles = uint16_t(std::max(treadles, MinTreadles));

    // Partial loads only ever grow the counts.
    if (f_.Threading) {
        s_.Shafts = std::max(s_.Shafts, docShafts);
        if (!s_.TreadleMode) s_.Treadles = s_.Shafts;
    }
    if (f_.Treadling) s_.Treadles = std::max(s_.Treadles, docTreadles);

    DesignByte = r_.Byte() != 0;
    const uint8_t shed = r_.Byte();
    const uint8_t compression = r_.Byte();
    const uint8_t warpDensity = r_.Byte();
    const uint8_t weftDensity = r_.Byte();
    const uint8_t paletteDisplay = r_.Byte();
    const uint8_t layout = r_.Byte();
    if (f_.General) {
        s_.Zoom = uint8_t(std::clamp(zoom + (old ? 1 : 0), 1, 20));
        s_.Shafts = docShafts;
        s_.Treadles = type_ == 'd' ? docShafts : docTreadles;
        s_.TreadleMode = type_ != 'd';
        s_.MultipleTr = type_ == 'f';
        s_.Shed = shed != 0;
        s_.Compressed = compression == 0;
        if (old) {
            const auto [ends, picks] =
                DensitiesFromSizeCodes(warpDensity, weftDensity, s_.MetricUnits);
            s_.EndsPerUnit = ends;
            s_.PicksPerUnit = picks;
        } else {
            s_.EndsPerUnit = warpDensity ? warpDensity : DefaultDensity;
            s_.PicksPerUnit = weftDensity ? weftDensity : DefaultDensity;
        }
        // Files of this program's own version store 0 as 0 (16 colours, a
        // line after every end); older ones used 0 for "not set".
        const bool zeroIsValue = version_ >= 7;
        if (paletteDisplay <= 2 && (paletteDisplay > 0 || zeroIsValue))
            s_.PaletteDisplay = paletteDisplay;
        if (layout & 0x80) {
            s_.BottomStart = layout & 0x01;
            s_.RightStart = layout & 0x02;
            s_.CkoLeftStart = layout & 0x04;
            s_.Atopstart = layout & 0x08;
            s_.LayoutTopBot = layout & 0x10;
        }
        const int ends = r_.Count();
        const int picks = r_.Count();
        s_.EndsUsed = uint16_t(std::min(ends, MaxEnds));
        s_.PicksUsed = uint16_t(std::min(picks, MaxPicks));
        if (!old) {
            s_.Ends = uint16_t(std::clamp(ends, MinEnds, MaxEnds));
            s_.Picks = uint16_t(std::clamp(picks, MinPicks, MaxPicks));
        }
    } else {
        r_.Skip(4);
    }

    const uint8_t units = r_.Byte();
    const uint8_t viewZoom = r_.Byte();
    const uint8_t flags = r_.Byte();
    const uint8_t endsInterval = r_.Byte();
    const uint8_t picksInterval = r_.Byte();
    r_.Skip(2);
    if (f_.General) {
        if (!old) {
            s_.MetricUnits = units == 0;
            s_.ViewZoom = viewZoom;
        }
        TreadleModeAfterDesign = flags & 0x01;
        if (flags & 0x02) {
            s_.MarkingOn = flags & 0x04;
            s_.FullMarking = flags & 0x08;
        }
        if (endsInterval > 0 || version_ >= 7) s_.MarkEndsInterval = uint16_t(endsInterval + 1);
        if (picksInterval > 0 || version_ >= 7) s_.MarkPicksInterval = uint16_t(picksInterval + 1);
    }

    // Threading.
    const bool insert = mode_ == ModeInsert;
    const int endsInFile = ReadSection(insert         ? s_.InsertThreading.data()
                                       : f_.Threading ? s_.Threading.data()
                                                      : nullptr,
                                       true);
    if (old && f_.General) s_.Ends = uint16_t(std::clamp(endsInFile, OldVersionMinCount, MaxEnds));

    // Warp and weft colours: the defaults fill what the file does not cover.
    const int warpCount = ReadSection(insert          ? s_.InsertWarpColors.data()
                                      : f_.WarpColors ? s_.WarpColors.data()
                                                      : nullptr,
                                      false);
    if (!insert && f_.WarpColors && warpCount < MaxEnds) ResetWarpColorsFrom(s_, warpCount + 1);
    const int weftCount = ReadSection(insert          ? s_.InsertWeftColors.data()
                                      : f_.WeftColors ? s_.WeftColors.data()
                                                      : nullptr,
                                      false);
    if (!insert && f_.WeftColors && weftCount < MaxPicks) ResetWeftColorsFrom(s_, weftCount + 1);

    // The weave part.
    if (type_ != 'd') ReadTieUp(shafts, treadles, false, SetWidth(shafts));
    const int picksInFile = type_ == 'e' ? ReadSection(insert         ? s_.InsertTreadling.data()
                                                       : f_.Treadling ? s_.Treadling.data()
                                                                      : nullptr,
                                                       true)
                                         : ReadLiftplan(treadles);
    if (old && f_.General)
        s_.Picks = uint16_t(std::clamp(picksInFile, OldVersionMinCount, MaxPicks));
    if (insert) FoldInsertBuffers(shafts, treadles);
    // Nothing after the weave part is stored in these modes.
    if (mode_ == ModeInsert || mode_ >= ModeAtInterval) return;

    // Translation units: height in picks, then width in ends; rows of two
    // bytes, least significant bit first.
    const uint8_t unitPicks = r_.Byte();
    const uint8_t unitEnds = r_.Byte();
    auto unit1 = r_.Take(32);
    auto unit2 = r_.Take(32);
    if (f_.TransUnits || mode_ == ModeTransUnits) {
        s_.TransUnitSize = {unitEnds, unitPicks};
        for (int row = 0; row < 16; ++row)
            for (int col = 0; col < 16; ++col) {
                s_.TransUnit1[row][col] = LsbBit(unit1.subspan(size_t(row) * 2, 2), col + 1);
                s_.TransUnit2[row][col] = LsbBit(unit2.subspan(size_t(row) * 2, 2), col + 1);
            }
        result_.TransUnitsLoaded = true;
    }
    if (mode_ == ModeTransUnits) return;

    const int last = r_.Byte();
    ReadPalette(last, last == 14);

    if (f_.Notes) s_.Notes.clear();
    const int notes = r_.Count();
    if (notes > 0 && f_.Notes)
        s_.Notes = NotesFrom(r_.Take(size_t(std::min(notes + 1, MaxNotes + 1))));
}

void Reader::ReadHeaderless() {
    const int zoom = r_.Byte();
    const int shafts = r_.Byte();
    const int treadles = r_.Byte();
    const uint8_t loom = r_.Byte();
    result_.FileShafts = shafts;
    result_.FileTreadles = treadles;
    if (shafts > MaxShafts || treadles > MaxTreadles) throw Refused{TooManyText};
    const uint16_t docShafts = uint16_t(std::max(shafts, MinShafts));
    const uint16_t docTreadles = uint16_t(std::max(treadles, MinTreadles));
    // These files only ever grow the counts, a full open included.
    if (f_.Treadling) s_.Treadles = std::max(s_.Treadles, docTreadles);
    if (f_.Threading) {
        s_.Shafts = std::max(s_.Shafts, docShafts);
        if (!s_.TreadleMode) s_.Treadles = s_.Shafts;
    }

    DesignByte = r_.Byte() != 0;
    const uint8_t shed = r_.Byte();
    const uint8_t compression = r_.Byte();
    r_.Skip(2);
    const uint8_t warpSize = r_.Byte();
    const uint8_t weftSize = r_.Byte();
    if (f_.General) {
        s_.Zoom = uint8_t(std::clamp(zoom, 1, 20));
        s_.TreadleMode = loom == 1;
        s_.Shed = shed != 0;
        s_.Compressed = compression == 0;
        s_.MultipleTr = type_ == 'f';
        auto code = [](uint8_t b) { return b <= 10 ? 1 : b - 10; };
        const auto [ends, picks] =
            DensitiesFromSizeCodes(code(warpSize), code(weftSize), s_.MetricUnits);
        s_.EndsPerUnit = ends;
        s_.PicksPerUnit = picks;
    }

    auto threading = r_.Take(HeaderlessEnds);
    if (f_.Threading) {
        std::copy(threading.begin(), threading.end(), s_.Threading.begin() + 1);
        ClearThreadingFrom(s_, HeaderlessEnds + 1);
    }
    if (f_.General) s_.Ends = HeaderlessEnds;
    auto warp = r_.Take(HeaderlessEnds);
    if (f_.WarpColors) {
        std::copy(warp.begin(), warp.end(), s_.WarpColors.begin() + 1);
        ResetWarpColorsFrom(s_, HeaderlessEnds + 1);
    }
    auto weft = r_.Take(HeaderlessEnds);
    if (f_.WeftColors) {
        std::copy(weft.begin(), weft.end(), s_.WeftColors.begin() + 1);
        ResetWeftColorsFrom(s_, HeaderlessEnds + 1);
    }

    if (type_ != 'd') ReadTieUp(shafts, treadles, true, SetWidth(shafts));
    if (type_ == 'e') {
        auto treadling = r_.Take(HeaderlessPicks);
        if (f_.Treadling) {
            std::copy(treadling.begin(), treadling.end(), s_.Treadling.begin() + 1);
            ClearTreadlingFrom(s_, HeaderlessPicks + 1);
        }
    } else {
        const int width = SetWidth(treadles);
        for (int p = 1; p <= HeaderlessPicks; ++p) {
            auto row = r_.Take(size_t(width));
            if (f_.Liftplan) s_.Liftplan[p] = MsbRow(row, treadles);
        }
        // Rows after the file's 400 belong to no pattern in it.
        if (f_.Liftplan) ClearLiftplanFrom(s_, HeaderlessPicks + 1);
    }
    if (f_.General) s_.Picks = HeaderlessPicks;

    const uint8_t unitPicks = r_.Byte();
    const uint8_t unitEnds = r_.Byte();
    auto unit1 = r_.Take(12);
    auto unit2 = r_.Take(12);
    if (f_.TransUnits) {
        s_.TransUnitSize = {unitEnds, unitPicks};
        for (int row = 0; row < 12; ++row)
            for (int col = 0; col < 8; ++col) {
                s_.TransUnit1[row][col] = MsbBit(unit1.subspan(size_t(row), 1), col + 1);
                s_.TransUnit2[row][col] = MsbBit(unit2.subspan(size_t(row), 1), col + 1);
            }
        result_.TransUnitsLoaded = true;
    }

    r_.Skip(1);
    ReadPalette(14, true);

    if (f_.Notes) s_.Notes.clear();
    const int notes = r_.Byte();
    if (notes > 0 && f_.Notes) s_.Notes = NotesFrom(r_.Take(size_t(notes + 1)));
}

// Brings every value the file could set back within the model's bounds.
void Normalise(DraftState& s) {
    s.Shafts = uint16_t(std::clamp<int>(s.Shafts, MinShafts, MaxShafts));
    s.Treadles = uint16_t(std::clamp<int>(s.Treadles, MinTreadles, MaxTreadles));
    if (!s.TreadleMode) {
        s.MultipleTr = false;
        s.Treadles = s.Shafts;
    }
    s.Ends = uint16_t(std::clamp<int>(s.Ends, MinEnds, MaxEnds));
    s.Picks = uint16_t(std::clamp<int>(s.Picks, MinPicks, MaxPicks));
    s.Zoom = uint8_t(std::clamp<int>(s.Zoom, 1, 20));
    s.ViewZoom = s.ViewZoom == 0 ? 2 : uint8_t(std::min<int>(s.ViewZoom, 20));
    for (int& v : s.TransUnitSize) v = std::clamp(v, 1, 16);
    if (s.TransUnitSize[0] == 1 && s.TransUnitSize[1] == 1) s.TransUnitSize = {1, 2};
    s.MarkEndsInterval = uint16_t(std::max<int>(s.MarkEndsInterval, 1));
    s.MarkPicksInterval = uint16_t(std::max<int>(s.MarkPicksInterval, 1));
    s.PaletteDisplay = std::clamp(s.PaletteDisplay, 0, 2);
    UpdateUsed(s);
    FoldThreading(s);
    FoldTreadling(s);
}

// The design grid of a Design-mode pattern: computed from the draft, then
// replaced by the companion file where the version has one. A missing or
// damaged companion never fails the load; the damage is reported.
void ReadDesign(DraftState& s, const std::string& path, int version,
                const CompanionReader& companions, std::vector<Message>& warnings) {
    auto warn = [&](const char* text) { warnings.push_back({{}, text, {}}); };
    RecomputeWindow(s, DesignSize, DesignSize, true);
    if (version < 5) return;
    std::vector<uint8_t> bytes;
    if (version >= 6) {
        switch (companions(ReplaceExtension(path, ".hdb"), bytes)) {
        case ReadStatus::NotFound:
            break;
        case ReadStatus::Failed:
            warn(FileReadErrorText);
            break;
        case ReadStatus::Ok:
            switch (DecodeDesignFile(bytes, s)) {
            case CompanionStatus::Ok:
                break;
            case CompanionStatus::BadSignature:
                warn(SignatureText);
                break;
            case CompanionStatus::Damaged:
                warn(FileReadErrorText);
                break;
            }
            break;
        }
        ClearDesignBeyond(s, s.Ends + 1, s.Picks + 1);
        return;
    }
    // Version 5 kept the design as a picture; Windows did not care about the
    // case of its extension.
    ReadStatus st = companions(ReplaceExtension(path, ".bmp"), bytes);
    if (st == ReadStatus::NotFound) st = companions(ReplaceExtension(path, ".BMP"), bytes);
    if (st == ReadStatus::NotFound) return;
    if (st == ReadStatus::Failed || !DecodeDesignBitmap(bytes, s)) {
        warn(FileReadErrorText);
        return;
    }
    s.DesignMode = true;
}

} // namespace

LoadResult LoadPatternBytes(DraftState& d, std::span<const uint8_t> bytes, const std::string& path,
                            const LoadRequest& request, const CompanionReader& companions) {
    LoadResult result;
    int mode = request.Mode;
    if (mode < ModeNormal || mode > ModeSubtract) return result;
    try {
        ByteReader r(bytes);
        const uint8_t first = r.Byte();
        const bool headerless = first != '{';
        int version = 1;
        uint8_t type = first;
        if (!headerless) {
            version = r.Byte();
            type = r.Byte();
            if (version > 7) type = 0;
        }
        if (type == 'g') type = 'd';
        if (type != 'd' && type != 'e' && type != 'f') throw Refused{IncompatibleText};
        result.Version = version;
        result.Type = char(type);

        LoadFlags flags = LoadFlags::All();
        if (request.Components) {
            if (!request.Chooser) return result;
            const ComponentChoice choice = request.Chooser->Choose(EnabledComponents(d));
            if (choice.Result == ComponentChoice::Blend && choice.BlendMode >= ModeAppend &&
                choice.BlendMode <= ModeSubtract) {
                mode = choice.BlendMode;
            } else if (choice.Result == ComponentChoice::Load) {
                flags = choice.Flags;
                flags.General = false;
            } else {
                result.Cancelled = true;
                return result;
            }
        }
        if (mode > ModeNormal) {
            if (headerless) throw Refused{TooOldText};
            flags = LoadFlags{};
        }

        auto scratch = std::make_unique<DraftState>(d);
        Reader reader(*scratch, r, flags, mode, version, char(type), request, result);
        if (headerless)
            reader.ReadHeaderless();
        else
            reader.ReadPattern();

        if (flags.General) {
            scratch->DesignMode = reader.DesignByte;
            if (scratch->DesignMode) {
                // The design is computed over the draft as the file gives it.
                Normalise(*scratch);
                ReadDesign(*scratch, path, headerless ? 1 : version, companions, result.Warnings);
            }
            if (reader.TreadleModeAfterDesign) scratch->TreadleMode = true;
            scratch->FileName = path;
            result.Opened = true;
        }
        Normalise(*scratch);
        // A new pattern brings its own shed and colours for the colour box.
        if (flags.General) RebuildColorTable(*scratch);
        d = std::move(*scratch);
        result.Ok = true;
    } catch (const ReadBeyondEnd&) {
        result.Error = Message{{}, ReadBeyondEndText, {}};
    } catch (const Refused& refused) {
        result.Error = Message{{}, refused.Message, {}};
    }
    // A failed insert load must not leave an earlier file's parts to insert.
    if (!result.Ok && !result.Cancelled && mode == ModeInsert) ClearInsertBuffers(d);
    return result;
}

LoadResult LoadPattern(DraftState& d, const std::string& path, const LoadRequest& request) {
    std::vector<uint8_t> bytes;
    LoadResult refused;
    switch (ReadFileBytes(path, MaxPatternBytes, bytes)) {
    case ReadStatus::NotFound:
        refused.Error = Message{{}, NotFoundText, {path}};
        return refused;
    case ReadStatus::Failed:
        refused.Error = Message{{}, FileReadErrorText, {}};
        return refused;
    case ReadStatus::Ok:
        break;
    }
    return LoadPatternBytes(d, bytes, path, request, DiskCompanionReader());
}

} // namespace hw
