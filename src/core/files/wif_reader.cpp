// Reading WIF files as other weaving programs write them.
#include "files/wif_reader.h"

#include "files/file_io.h"
#include "files/pattern_file.h"
#include "files/windows1252.h"
#include "model/palette.h"
#include "model/primitives.h"
#include "version.h"

#include <algorithm>
#include <array>
#include <bit>
#include <memory>
#include <optional>
#include <string_view>

namespace hw {

namespace {

using Text = std::string_view;

constexpr const char* MessageForm = "TWform";
// Numbers saturate here: a count that large is refused by the limits anyway.
constexpr int64_t Huge = 999999999;
// Colour table entries above this are never looked at.
constexpr int MaxColorKey = 65535;
// More note lines than this could never fit the notes.
constexpr size_t MaxNoteLines = MaxNotes + 1;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\f' || c == '\v';
}

Text Trim(Text s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// Case-insensitive comparison with an upper-case name.
bool Is(Text s, Text upper) {
    if (s.size() != upper.size()) return false;
    for (size_t i = 0; i < s.size(); ++i)
        if (Upper(s[i]) != upper[i]) return false;
    return true;
}

// The name in a "[NAME]" line.
Text SectionName(Text line) {
    return Trim(line.substr(1, line.find(']') - 1));
}

// Real files put ";" comments after values too.
Text Uncommented(Text s) {
    return Trim(s.substr(0, s.find(';')));
}

// A whole number; nullopt when the text holds anything else. Empty text is
// 0: nothing there.
std::optional<int64_t> Number(Text s) {
    s = Trim(s);
    int64_t v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = std::min<int64_t>(v * 10 + (c - '0'), Huge);
    }
    return v;
}

// Each comma-separated number of a value, 0 for an empty place; false when
// one is not a number.
template <typename F> bool EachNumber(Text s, F&& f) {
    s = Uncommented(s);
    for (;;) {
        const size_t comma = s.find(',');
        const std::optional<int64_t> n = Number(s.substr(0, comma));
        if (!n) return false;
        f(*n);
        if (comma == Text::npos) return true;
        s.remove_prefix(comma + 1);
    }
}

// A list of shafts or treadles, 0s left out.
struct List {
    bool Bad = false;
    int Count = 0;     // different elements named
    int64_t First = 0; // the first one named
    int64_t Max = 0;
    uint16_t Bits = 0; // the elements 1..16
};

List ParseList(Text s) {
    List l;
    l.Bad = !EachNumber(s, [&](int64_t n) {
        if (n == 0) return;
        if (l.First == 0) l.First = n;
        l.Max = std::max(l.Max, n);
        if (n > MaxShafts) {
            ++l.Count;
        } else if (!(l.Bits & (1u << (n - 1)))) {
            l.Bits = uint16_t(l.Bits | (1u << (n - 1)));
            ++l.Count;
        }
    });
    return l;
}

std::optional<bool> Boolean(Text s) {
    s = Uncommented(s);
    for (Text yes : {"TRUE", "YES", "ON", "1"})
        if (Is(s, yes)) return true;
    for (Text no : {"FALSE", "NO", "OFF", "0"})
        if (Is(s, no)) return false;
    return std::nullopt;
}

bool ValidUtf8(std::span<const uint8_t> b) {
    for (size_t i = 0; i < b.size();) {
        const uint8_t lead = b[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const size_t len = lead >= 0xF0 && lead <= 0xF4   ? 4
                           : lead >= 0xE0 && lead <= 0xEF ? 3
                           : lead >= 0xC2 && lead <= 0xDF ? 2
                                                          : 0;
        if (len == 0 || i + len > b.size()) return false;
        for (size_t k = 1; k < len; ++k)
            if ((b[i + k] & 0xC0) != 0x80) return false;
        // Overlong forms, surrogates and code points beyond U+10FFFF.
        const uint8_t second = b[i + 1];
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
            (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
            return false;
        i += len;
    }
    return true;
}

// The first n characters of UTF-8 text.
std::string FirstChars(std::string s, size_t n) {
    size_t chars = 0;
    for (size_t i = 0; i < s.size(); ++i)
        if ((uint8_t(s[i]) & 0xC0) != 0x80 && chars++ == n) {
            s.resize(i);
            break;
        }
    return s;
}

enum class Section {
    Ignored,
    Wif,
    Weaving,
    Warp,
    Weft,
    ColorPalette,
    ColorTable,
    Threading,
    TieUp,
    Treadling,
    Liftplan,
    WarpColors,
    WeftColors,
    Notes,
    Text,
};

Section SectionNamed(Text name) {
    static constexpr std::pair<Text, Section> names[] = {
        {"WIF", Section::Wif},
        {"WEAVING", Section::Weaving},
        {"WARP", Section::Warp},
        {"WEFT", Section::Weft},
        {"COLOR PALETTE", Section::ColorPalette},
        {"COLOR TABLE", Section::ColorTable},
        {"THREADING", Section::Threading},
        {"TIEUP", Section::TieUp},
        {"TREADLING", Section::Treadling},
        {"LIFTPLAN", Section::Liftplan},
        {"WARP COLORS", Section::WarpColors},
        {"WEFT COLORS", Section::WeftColors},
        {"NOTES", Section::Notes},
        {"TEXT", Section::Text},
    };
    for (const auto& [n, s] : names)
        if (Is(name, n)) return s;
    return Section::Ignored;
}

// Sections whose entries are numbered: an entry that is not "number=value"
// is skipped and counted.
bool Numbered(Section s) {
    return s >= Section::ColorTable && s <= Section::WeftColors;
}

// A grid section as read: present at all, and with marks in it.
struct Presence {
    bool Present = false;
    bool Data = false;
    int64_t LastKey = 0; // of the entries with data
};

// What a file says, bounded: positions beyond the limits are only counted,
// so that a refusal can say what the file holds.
struct WifContent {
    bool Started = false;
    bool Utf8 = true;
    int Skipped = 0;
    int64_t Shafts = 0, Treadles = 0;
    bool Rising = true;
    int64_t WarpThreads = 0, WeftThreads = 0;
    int64_t WarpColor = 0, WeftColor = 0;
    int64_t RangeMin = 0, RangeMax = 255;
    Text SourceProgram, SourceVersion, Title;

    Presence ThreadingSeen, TieUpSeen, TreadlingSeen, LiftplanSeen, WarpColorsSeen, WeftColorsSeen;
    int64_t ThreadingShafts = 0, TieUpShafts = 0, LiftplanShafts = 0, TreadlingTreadles = 0;
    bool SeveralTreadles = false;

    std::vector<uint8_t> Threading = std::vector<uint8_t>(MaxEnds + 1);
    std::array<uint16_t, MaxTreadles + 1> TieUp{};
    std::vector<uint16_t> Treadling = std::vector<uint16_t>(MaxPicks + 1);
    std::vector<uint16_t> Liftplan = std::vector<uint16_t>(MaxPicks + 1);
    std::vector<int32_t> WarpColors = std::vector<int32_t>(MaxEnds + 1);
    std::vector<int32_t> WeftColors = std::vector<int32_t>(MaxPicks + 1);
    struct Rgb {
        bool Set = false;
        int64_t R = 0, G = 0, B = 0;
    };
    std::vector<Rgb> Table; // by colour number, grown as entries come
    std::vector<std::pair<int64_t, Text>> NoteLines;

    void Line(Section s, Text key, Text value, bool spacedKey);
    void Grid(Section s, int64_t key, Text value);
};

void WifContent::Line(Section s, Text key, Text value, bool spacedKey) {
    auto count = [&](std::optional<int64_t> n, int64_t& into) {
        if (n)
            into = *n;
        else
            ++Skipped;
    };
    switch (s) {
    case Section::Wif:
        if (Is(key, "SOURCE PROGRAM")) SourceProgram = Trim(value);
        if (Is(key, "SOURCE VERSION")) SourceVersion = Trim(value);
        return;
    case Section::Text:
        if (Is(key, "TITLE")) Title = Trim(value);
        return;
    case Section::Weaving:
        if (Is(key, "SHAFTS")) count(Number(Uncommented(value)), Shafts);
        if (Is(key, "TREADLES")) count(Number(Uncommented(value)), Treadles);
        if (Is(key, "RISING SHED")) {
            if (const std::optional<bool> b = Boolean(value))
                Rising = *b;
            else
                ++Skipped;
        }
        return;
    case Section::Warp:
    case Section::Weft: {
        const bool warp = s == Section::Warp;
        if (Is(key, "THREADS")) count(Number(Uncommented(value)), warp ? WarpThreads : WeftThreads);
        if (Is(key, "COLOR")) count(Number(Uncommented(value)), warp ? WarpColor : WeftColor);
        return;
    }
    case Section::ColorPalette:
        if (Is(key, "RANGE")) {
            int64_t v[3] = {};
            int n = 0;
            const bool ok = EachNumber(value, [&](int64_t x) {
                if (n < 3) v[n] = x;
                ++n;
            });
            if (ok && n == 2 && v[1] > v[0]) {
                RangeMin = v[0], RangeMax = v[1];
            } else if (ok && n == 1 && v[0] > 0) {
                RangeMin = 0, RangeMax = v[0];
            } else {
                ++Skipped;
            }
        }
        return;
    case Section::Notes: {
        const std::optional<int64_t> n = Number(key);
        if (!n || *n == 0) {
            ++Skipped;
            return;
        }
        // "1 = text" means the text after the space.
        if (spacedKey && !value.empty() && value.front() == ' ') value.remove_prefix(1);
        if (NoteLines.size() < MaxNoteLines) NoteLines.emplace_back(*n, value);
        return;
    }
    default:
        break;
    }
    if (!Numbered(s)) return;
    const std::optional<int64_t> n = Number(key);
    if (!n || *n == 0) {
        ++Skipped;
        return;
    }
    Grid(s, *n, value);
}

void WifContent::Grid(Section s, int64_t key, Text value) {
    auto mark = [key](Presence& p) {
        p.Data = true;
        p.LastKey = std::max(p.LastKey, key);
    };
    switch (s) {
    case Section::ColorTable: {
        int64_t v[3] = {};
        int n = 0;
        const bool ok = EachNumber(value, [&](int64_t x) {
            if (n < 3) v[n] = x;
            ++n;
        });
        if (!ok || (n != 3 && !(n == 1 && v[0] == 0 && Uncommented(value).empty()))) {
            ++Skipped;
        } else if (n == 3 && key <= MaxColorKey) {
            if (Table.size() <= size_t(key)) Table.resize(size_t(key) + 1);
            Table[size_t(key)] = {true, v[0], v[1], v[2]};
        }
        return;
    }
    case Section::WarpColors:
    case Section::WeftColors: {
        const bool warp = s == Section::WarpColors;
        const std::optional<int64_t> c = Number(Uncommented(value));
        if (!c) {
            ++Skipped;
            return;
        }
        if (*c > 0) mark(warp ? WarpColorsSeen : WeftColorsSeen);
        if (key <= (warp ? MaxEnds : MaxPicks))
            (warp ? WarpColors : WeftColors)[size_t(key)] = int32_t(*c);
        return;
    }
    default:
        break;
    }
    const List l = ParseList(value);
    if (l.Bad) {
        ++Skipped;
        return;
    }
    switch (s) {
    case Section::Threading:
        if (l.Count > 0) mark(ThreadingSeen), ThreadingShafts = std::max(ThreadingShafts, l.Max);
        // An end drawn through several shafts keeps the first.
        if (l.Count > 1) ++Skipped;
        if (key <= MaxEnds) Threading[size_t(key)] = uint8_t(l.First <= MaxShafts ? l.First : 0);
        break;
    case Section::TieUp:
        if (l.Count > 0) mark(TieUpSeen), TieUpShafts = std::max(TieUpShafts, l.Max);
        if (key <= MaxTreadles) TieUp[size_t(key)] = l.Bits;
        break;
    case Section::Treadling:
        if (l.Count > 0) mark(TreadlingSeen);
        TreadlingTreadles = std::max(TreadlingTreadles, l.Max);
        SeveralTreadles = SeveralTreadles || l.Count > 1;
        if (key <= MaxPicks) Treadling[size_t(key)] = l.Bits;
        break;
    case Section::Liftplan:
        if (l.Count > 0) mark(LiftplanSeen), LiftplanShafts = std::max(LiftplanShafts, l.Max);
        if (key <= MaxPicks) Liftplan[size_t(key)] = l.Bits;
        break;
    default:
        break;
    }
}

// Splits the bytes into lines and hands each entry to its section. Nothing
// before [WIF] counts.
void Parse(std::span<const uint8_t> bytes, WifContent& c) {
    const char* text = reinterpret_cast<const char*>(bytes.data());
    const size_t size = bytes.size();
    size_t at = size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
    Section section = Section::Ignored;
    Presence* presence = nullptr;
    while (at < size) {
        size_t end = at;
        while (end < size && text[end] != '\n' && text[end] != '\r') ++end;
        const Text raw(text + at, end - at);
        at = end + (end + 1 < size && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
        const Text line = Trim(raw);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const Text name = SectionName(line);
            section = SectionNamed(name);
            if (section == Section::Wif) c.Started = true;
            if (!c.Started) section = Section::Ignored;
            presence = section == Section::Threading    ? &c.ThreadingSeen
                       : section == Section::TieUp      ? &c.TieUpSeen
                       : section == Section::Treadling  ? &c.TreadlingSeen
                       : section == Section::Liftplan   ? &c.LiftplanSeen
                       : section == Section::WarpColors ? &c.WarpColorsSeen
                       : section == Section::WeftColors ? &c.WeftColorsSeen
                                                        : nullptr;
            if (presence) presence->Present = true;
            continue;
        }
        if (section == Section::Ignored) continue;
        const size_t eq = raw.find('=');
        if (eq == Text::npos) {
            if (Numbered(section)) ++c.Skipped;
            continue;
        }
        const Text key = raw.substr(0, eq);
        c.Line(section, Trim(key), raw.substr(eq + 1), !key.empty() && IsSpace(key.back()));
    }
}

Message Refusal(const char* key, int64_t holds, int limit) {
    return Message{MessageForm, key, {std::to_string(holds), std::to_string(limit)}};
}

// The program's name in upper case, as Is compares.
const std::string& OwnProgram() {
    static const std::string name = [] {
        std::string u(ProductName);
        std::transform(u.begin(), u.end(), u.begin(), Upper);
        return u;
    }();
    return name;
}

std::string Decoded(Text s, bool utf8) {
    if (utf8) return std::string(s);
    return DecodeWindows1252({reinterpret_cast<const uint8_t*>(s.data()), s.size()});
}

// The notes: where the file came from, then its [NOTES] lines in order.
std::string NotesOf(WifContent& c) {
    std::string head;
    auto add = [&](const char* label, const std::string& value) {
        if (value.empty()) return;
        head += (head.empty() ? "" : "\r\n") + std::string(label) + value;
    };
    // A file of this program's own says nothing new.
    if (!Is(c.SourceProgram, OwnProgram())) {
        std::string program = Decoded(c.SourceProgram, c.Utf8);
        if (!c.SourceVersion.empty()) program += " " + Decoded(c.SourceVersion, c.Utf8);
        add("Source Program: ", program);
    }
    add("Title: ", Decoded(c.Title, c.Utf8));
    std::stable_sort(c.NoteLines.begin(), c.NoteLines.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string body;
    for (size_t i = 0; i < c.NoteLines.size() && body.size() <= 4 * MaxNotes; ++i)
        body += (i > 0 ? "\r\n" : "") + Decoded(c.NoteLines[i].second, c.Utf8);
    if (!head.empty() && !c.NoteLines.empty()) head += "\r\n\r\n";
    return FirstChars(head + body, MaxNotes);
}

// 0..255 from the file's range, rounded half to even.
uint8_t Scaled(int64_t v, const WifContent& c) {
    const int64_t span = c.RangeMax - c.RangeMin;
    const int64_t clamped = std::clamp(v, c.RangeMin, c.RangeMax);
    return uint8_t(DivRoundHalfEven((clamped - c.RangeMin) * 255, span));
}

// The draft the content makes, or why it cannot be one.
std::optional<Message> Build(WifContent& c, DraftState& s) {
    if (!c.Started) return Message{MessageForm, "@wifnotwif", {}};

    // Tie-up and treadling win over a liftplan beside them; a treadling
    // without a tie-up means nothing where a liftplan is there instead.
    const bool treadles =
        (c.TreadlingSeen.Data && (c.TieUpSeen.Data || !c.LiftplanSeen.Data)) ||
        (!c.LiftplanSeen.Data &&
         (c.TreadlingSeen.Present || c.TieUpSeen.Present || !c.LiftplanSeen.Present));
    const Presence& weaving = treadles ? c.TreadlingSeen : c.LiftplanSeen;

    const int64_t shafts =
        std::max({c.ThreadingShafts, treadles ? c.TieUpShafts : c.LiftplanShafts});
    if (shafts > MaxShafts) return Refusal("@wifshafts", shafts, MaxShafts);
    const int64_t treadleCount =
        treadles ? std::max(c.TreadlingTreadles, c.TieUpSeen.LastKey) : shafts;
    if (treadleCount > MaxTreadles) return Refusal("@wiftreadles", treadleCount, MaxTreadles);
    const int64_t ends =
        std::max({c.WarpThreads, c.ThreadingSeen.LastKey, c.WarpColorsSeen.LastKey});
    if (ends > MaxEnds) return Refusal("@wifends", ends, MaxEnds);
    const int64_t picks = std::max({c.WeftThreads, weaving.LastKey, c.WeftColorsSeen.LastKey});
    if (picks > MaxPicks) return Refusal("@wifpicks", picks, MaxPicks);

    // The shed first: clearing gives the colours beyond the file's ends and
    // picks the defaults of the new shed.
    s.Shed = !c.Rising;
    ClearDraft(s);
    s.DesignMode = false;
    for (auto& row : s.DesignGrid) row.fill(0);
    SetLoomSystem(s, !treadles           ? LoomSystem::Liftplan
                     : c.SeveralTreadles ? LoomSystem::MultipleTreadling
                                         : LoomSystem::SingleTreadling);
    s.Shafts = uint16_t(std::clamp<int64_t>(std::max(c.Shafts, shafts), MinShafts, MaxShafts));
    s.Treadles = treadles ? uint16_t(std::clamp<int64_t>(std::max(c.Treadles, treadleCount),
                                                         MinTreadles, MaxTreadles))
                          : s.Shafts;
    s.Ends = uint16_t(std::max<int64_t>(ends, MinEnds));
    s.Picks = uint16_t(std::max<int64_t>(picks, MinPicks));

    std::copy(c.Threading.begin(), c.Threading.end(), s.Threading.begin());
    if (!treadles) {
        std::copy(c.Liftplan.begin(), c.Liftplan.end(), s.Liftplan.begin());
    } else {
        for (int t = 1; t <= MaxTreadles; ++t)
            for (int sh = 1; sh <= MaxShafts; ++sh)
                s.TieUpAt(sh, t) = (c.TieUp[t] >> (sh - 1)) & 1u;
        for (int p = 1; p <= MaxPicks; ++p) {
            if (c.SeveralTreadles)
                s.Liftplan[p] = c.Treadling[p];
            else
                s.Treadling[p] = uint8_t(c.Treadling[p] ? std::countr_zero(c.Treadling[p]) + 1 : 0);
        }
    }

    // Colours: the file's numbers where they fit the palette, else the
    // colours in use, in order, as the first palette entries. Ends and picks
    // without a colour take the loom's default one.
    constexpr int64_t WarpDefault = -2, WeftDefault = -1;
    std::vector<int64_t> references;
    references.reserve(size_t(s.Ends + s.Picks));
    auto reference = [](int64_t own, int64_t fallback, int64_t none) {
        return own > 0 ? own : fallback > 0 ? fallback : none;
    };
    for (int e = 1; e <= s.Ends; ++e)
        references.push_back(reference(c.WarpColors[e], c.WarpColor, WarpDefault));
    for (int p = 1; p <= s.Picks; ++p)
        references.push_back(reference(c.WeftColors[p], c.WeftColor, WeftDefault));
    // The colours of the file's own ends and picks count; the empty end or
    // pick a draft of fewer than two gets takes a colour in use when the
    // palette is full.
    auto filler = [&](size_t i) {
        return i < s.Ends ? int64_t(i) >= ends : int64_t(i - s.Ends) >= picks;
    };
    std::vector<int64_t> used;
    for (size_t i = 0; i < references.size(); ++i)
        if (!filler(i)) used.push_back(references[i]);
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    if (used.size() > size_t(PaletteSize))
        return Refusal("@wifcolors", int64_t(used.size()), PaletteSize);
    for (size_t i = 0; i < references.size(); ++i) {
        const auto at = std::lower_bound(used.begin(), used.end(), references[i]);
        if (!filler(i) || (at != used.end() && *at == references[i])) continue;
        if (used.size() < size_t(PaletteSize))
            used.insert(at, references[i]);
        else
            references[i] = used.front();
    }
    const bool moved = !used.empty() && used.back() > PaletteSize;

    LoadDefaultPalette(s);
    const std::array<uint8_t, 2> defaults = {DefaultWarpColor(s), DefaultWeftColor(s)};
    auto colourOf = [&](int64_t ref) -> PaletteEntry {
        if (ref < 0) return s.Palette[defaults[size_t(ref - WarpDefault)]];
        if (size_t(ref) < c.Table.size() && c.Table[size_t(ref)].Set) {
            const auto& t = c.Table[size_t(ref)];
            return {Scaled(t.R, c), Scaled(t.G, c), Scaled(t.B, c)};
        }
        return s.Palette[size_t(std::min<int64_t>(ref - 1, PaletteSize - 1))];
    };
    std::array<PaletteEntry, PaletteSize> palette = s.Palette;
    if (moved) {
        for (size_t i = 0; i < used.size(); ++i) palette[i] = colourOf(used[i]);
    } else {
        for (size_t k = 1; k < c.Table.size() && k <= size_t(PaletteSize); ++k)
            if (c.Table[k].Set) palette[k - 1] = colourOf(int64_t(k));
    }
    auto slot = [&](int64_t ref) -> uint8_t {
        if (moved) return uint8_t(std::lower_bound(used.begin(), used.end(), ref) - used.begin());
        return ref < 0 ? defaults[size_t(ref - WarpDefault)] : uint8_t(ref - 1);
    };
    for (int e = 1; e <= s.Ends; ++e) s.WarpColors[e] = slot(references[size_t(e - 1)]);
    for (int p = 1; p <= s.Picks; ++p) s.WeftColors[p] = slot(references[size_t(s.Ends + p - 1)]);
    s.Palette = palette;
    RebuildColorTable(s);

    s.Notes = NotesOf(c);
    s.FileName.clear();
    UpdateUsed(s);
    return std::nullopt;
}

} // namespace

bool LooksLikeWif(std::span<const uint8_t> bytes) {
    const Text text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    size_t at = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (at < text.size()) {
        size_t end = text.find_first_of("\r\n", at);
        if (end == Text::npos) end = text.size();
        const Text line = Trim(text.substr(at, end - at));
        at = end + 1;
        if (line.empty() || line.front() == ';') continue;
        return line.front() == '[' && Is(SectionName(line), "WIF");
    }
    return false;
}

bool IsWifToImport(const std::string& path) {
    std::vector<uint8_t> head;
    return IsWifFile(path) ||
           (ReadFileBytes(path, 4096, head) == ReadStatus::Ok && LooksLikeWif(head));
}

WifReadResult ReadWifBytes(DraftState& d, std::span<const uint8_t> bytes) {
    WifReadResult result;
    auto content = std::make_unique<WifContent>();
    content->Utf8 = ValidUtf8(bytes);
    Parse(bytes, *content);
    auto scratch = std::make_unique<DraftState>(d);
    if (std::optional<Message> refused = Build(*content, *scratch)) {
        result.Error = std::move(refused);
        return result;
    }
    d = std::move(*scratch);
    result.Ok = true;
    result.Skipped = content->Skipped;
    if (result.Skipped > 0)
        result.Warnings.push_back({MessageForm, "@wifskipped", {std::to_string(result.Skipped)}});
    return result;
}

WifReadResult ReadWifFile(DraftState& d, const std::string& path) {
    WifReadResult refused;
    std::vector<uint8_t> bytes;
    switch (ReadFileBytes(path, MaxWifBytes + 1, bytes)) {
    case ReadStatus::NotFound:
        refused.Error = Message{{}, "Cannot find %1", {path}};
        return refused;
    case ReadStatus::Failed:
        refused.Error = Message{{}, "File Read Error", {}};
        return refused;
    case ReadStatus::Ok:
        break;
    }
    if (bytes.size() > MaxWifBytes) {
        refused.Error = Message{MessageForm, "@wiftoobig", {std::to_string(MaxWifBytes >> 20)}};
        return refused;
    }
    return ReadWifBytes(d, bytes);
}

} // namespace hw
