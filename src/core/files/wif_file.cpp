#include "files/wif_file.h"

#include "files/file_io.h"
#include "files/windows1252.h"
#include "model/primitives.h"
#include "version.h"

#include <algorithm>
#include <ctime>

namespace hw {

namespace {

std::string Today() {
    static const char* const months[] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return std::string(months[t.tm_mon]) + " " + std::to_string(t.tm_mday) + ", " +
           std::to_string(t.tm_year + 1900);
}

// Elements 1..count of a bit row, as "1,3,4".
std::string List(uint32_t bits, int count) {
    std::string s;
    for (int k = 1; k <= count; ++k)
        if ((bits >> (k - 1)) & 1u) s += (s.empty() ? "" : ",") + std::to_string(k);
    return s;
}

class Writer {
public:
    void Section(const char* name) { text_ += std::string("[") + name + "]\r\n"; }
    void Line(const std::string& key, const std::string& value) {
        text_ += key + "=" + value + "\r\n";
    }
    void Line(int key, const std::string& value) { Line(std::to_string(key), value); }
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

} // namespace

std::string WifText(const DraftState& d, const WifOptions& o) {
    const int ends = std::clamp(o.Ends > 0 ? o.Ends : LastThreadedEnd(d, d.Ends), 0, MaxEnds);
    const int picks = std::clamp(o.Picks > 0 ? o.Picks : LastUsedPick(d, d.Picks), 0, MaxPicks);
    const int shafts = std::clamp<int>(d.Shafts, 1, MaxShafts);
    const LoomSystem loom = GetLoomSystem(d);
    const bool treadles = loom != LoomSystem::Liftplan || o.Both;
    const bool liftplan = loom == LoomSystem::Liftplan || o.Both;
    const int treadleCount =
        loom == LoomSystem::Liftplan ? shafts : std::clamp<int>(d.Treadles, 1, MaxTreadles);
    const bool notes = !d.Notes.empty();

    // What each pick presses and lifts.
    auto pressed = [&](int p) -> uint32_t {
        if (loom == LoomSystem::SingleTreadling) {
            const int t = SafeShaft(d.Treadling[size_t(p)]);
            return t > 0 && t <= treadleCount ? 1u << (t - 1) : 0u;
        }
        return d.Liftplan[size_t(p)] & ((1u << treadleCount) - 1u);
    };
    auto tied = [&](int t) -> uint32_t {
        if (loom == LoomSystem::Liftplan) return 1u << (t - 1); // direct tie-up
        uint32_t bits = 0;
        for (int s = 1; s <= shafts; ++s)
            if (d.TieUpAt(s, t) == 1) bits |= 1u << (s - 1);
        return bits;
    };
    auto lifted = [&](int p) -> uint32_t {
        uint32_t bits = 0;
        const uint32_t press = pressed(p);
        for (int t = 1; t <= treadleCount; ++t)
            if ((press >> (t - 1)) & 1u) bits |= tied(t);
        return bits;
    };

    Writer w;
    w.Section("WIF");
    w.Line("Version", "1.1");
    w.Line("Date", o.Date.empty() ? Today() : o.Date);
    w.Line("Developers", "wif@mhsoft.com");
    w.Line("Source Program", ProductName);
    w.Line("Source Version", ProductVersion);

    w.Section("CONTENTS");
    w.Line("COLOR PALETTE", "true");
    w.Line("WEAVING", "true");
    w.Line("WARP", "true");
    w.Line("WEFT", "true");
    w.Line("COLOR TABLE", "true");
    w.Line("THREADING", "true");
    if (treadles) {
        w.Line("TIEUP", "true");
        w.Line("TREADLING", "true");
    }
    if (liftplan) w.Line("LIFTPLAN", "true");
    w.Line("WARP COLORS", "true");
    w.Line("WEFT COLORS", "true");
    if (notes) w.Line("NOTES", "true");

    w.Section("WEAVING");
    w.Line("Shafts", std::to_string(shafts));
    w.Line("Treadles", std::to_string(treadleCount));
    w.Line("Rising Shed", d.Shed ? "false" : "true");

    w.Section("WARP");
    w.Line("Threads", std::to_string(ends));
    w.Line("Color", std::to_string(d.WarpColors[1] + 1));
    w.Section("WEFT");
    w.Line("Threads", std::to_string(picks));
    w.Line("Color", std::to_string(d.WeftColors[1] + 1));

    w.Section("COLOR PALETTE");
    w.Line("Entries", std::to_string(PaletteSize));
    w.Line("Range", "0,255");
    w.Section("COLOR TABLE");
    for (int i = 0; i < PaletteSize; ++i) {
        const PaletteEntry& c = d.Palette[size_t(i)];
        w.Line(i + 1, std::to_string(c.Red) + "," + std::to_string(c.Green) + "," +
                          std::to_string(c.Blue));
    }

    w.Section("THREADING");
    for (int e = 1; e <= ends; ++e)
        if (const int s = SafeShaft(d.Threading[size_t(e)]); s > 0 && s <= shafts)
            w.Line(e, std::to_string(s));
    if (treadles) {
        w.Section("TIEUP");
        for (int t = 1; t <= treadleCount; ++t)
            if (const uint32_t bits = tied(t)) w.Line(t, List(bits, shafts));
        w.Section("TREADLING");
        for (int p = 1; p <= picks; ++p)
            if (const uint32_t bits = pressed(p)) w.Line(p, List(bits, treadleCount));
    }
    if (liftplan) {
        w.Section("LIFTPLAN");
        for (int p = 1; p <= picks; ++p)
            if (const uint32_t bits = lifted(p)) w.Line(p, List(bits, shafts));
    }
    w.Section("WARP COLORS");
    for (int e = 1; e <= ends; ++e) w.Line(e, std::to_string(d.WarpColors[size_t(e)] + 1));
    w.Section("WEFT COLORS");
    for (int p = 1; p <= picks; ++p) w.Line(p, std::to_string(d.WeftColors[size_t(p)] + 1));

    if (notes) {
        w.Section("NOTES");
        const std::vector<uint8_t> bytes = EncodeWindows1252(d.Notes, MaxNotes);
        std::string line;
        int n = 0;
        auto flush = [&] {
            w.Line(++n, line);
            line.clear();
        };
        for (size_t i = 0; i < bytes.size(); ++i) {
            const char c = char(bytes[i]);
            if (c == '\r' || c == '\n') {
                flush();
                if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            } else {
                line += c;
            }
        }
        // A last line break is a last, empty line.
        if (!line.empty() || (!bytes.empty() && (bytes.back() == '\r' || bytes.back() == '\n')))
            flush();
    }
    return w.Take();
}

Status SaveWif(const DraftState& d, const std::string& path, const WifOptions& o) {
    const std::string text = WifText(d, o);
    if (!WriteFileAtomically(path, std::vector<uint8_t>(text.begin(), text.end())))
        return Failed("File Write Error");
    return {};
}

} // namespace hw
