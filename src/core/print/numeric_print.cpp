#include "print/numeric_print.h"

#include "model/primitives.h"
#include "print/print_text.h"
#include "text/lang.h"
#include "transform/repeat.h"
#include "view/geometry.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>

namespace hw {

namespace {

std::string Text(const char* key) {
    return GetText(GeneralForm, key);
}

char Digit(int n) {
    return char('0' + n % 10);
}

std::string Latin1(int code) {
    if (code < 0x80) return std::string(1, char(code));
    return {char(0xC0 | (code >> 6)), char(0x80 | (code & 0x3F))};
}

int Proposal(int used, int limit, RepeatResult repeat) {
    if (used <= limit) return used;
    return std::min(repeat.Found ? repeat.Length : 2400, used);
}

bool SingleTreadling(const DraftState& d) {
    return d.TreadleMode && !d.MultipleTr;
}

} // namespace

std::string ColorChar(int index) {
    if (index >= 0 && index <= 9) return std::string(1, Digit(index));
    const int code = index + 55;
    return index < 0 || code > 255 ? "?" : Latin1(code);
}

int LastPrintableEnd(const DraftState& d) {
    return LastThreadedEnd(d, std::min<int>(d.Ends, MaxEnds));
}

int LastPrintablePick(const DraftState& d) {
    return LastUsedPickView(d, std::min<int>(d.Picks, MaxPicks));
}

int ProposedLastEnd(const DraftState& d, bool landscape) {
    const int used = LastPrintableEnd(d);
    if (used <= BlockWidth(landscape)) return used;
    return Proposal(used, BlockWidth(landscape), FindRepeat(&d.Threading[1], d.Ends, used));
}

int ProposedLastPick(const DraftState& d, bool landscape) {
    const int used = LastPrintablePick(d);
    const int limit = landscape ? 40 : 50;
    if (used <= limit) return used;
    const RepeatResult r = SingleTreadling(d)
                               ? FindRepeat(&d.Treadling[1], d.Picks, used)
                               : FindLiftplanRepeat(&d.Liftplan[1], d.Picks, used, d.Shafts);
    return Proposal(used, limit, r);
}

NumericRange ClampNumericRange(int first, int last, int lastUsed) {
    const int top = std::max(lastUsed, 1);
    NumericRange r{std::clamp(first, 1, top), std::clamp(last, 1, top)};
    if (r.First > r.Last) std::swap(r.First, r.Last);
    return r;
}

std::vector<std::string> ThreadingPrintLines(const DraftState& d, int first, int last,
                                             bool landscape, const std::string& name) {
    const int used = LastPrintableEnd(d);
    if (used == 0) return {};
    const NumericRange range = ClampNumericRange(first, last, used);
    const int width = BlockWidth(landscape);
    const int shafts = std::clamp<int>(d.Shafts, 1, MaxShafts);
    std::vector<std::string> lines;
    for (int b = range.First; b <= range.Last; b += width) {
        const int be = std::min(b + width - 1, range.Last);
        if (b != range.First) lines.push_back(FormFeed);
        lines.push_back("");
        lines.push_back("  " + name + "     " + std::to_string(shafts) + " " + Text("@idshafts") +
                        "     " + Text("@idends") + " " + std::to_string(b) + "-" +
                        std::to_string(be));
        lines.push_back("");
        lines.push_back("");
        // Every line lists the block's ends in screen order.
        std::vector<int> ends;
        for (int e = b; e <= be; ++e) ends.push_back(e);
        if (d.RightStart) std::reverse(ends.begin(), ends.end());
        auto line = [&](auto cell) {
            std::string s = " ";
            for (int e : ends) s += cell(e);
            return s;
        };
        auto ruler = [&](int above, int unit) {
            return line([&](int e) { return e % 10 == 0 && e > above ? Digit(e / unit) : ' '; });
        };
        if (be > 999) lines.push_back(ruler(999, 1000));
        lines.push_back(ruler(99, 100));
        lines.push_back(ruler(9, 10));
        lines.push_back(line([](int e) { return Digit(e); }));
        lines.push_back("");
        lines.push_back(line([&](int e) { return ColorChar(d.WarpColors[size_t(e)]); }));
        lines.push_back("");
        for (int k = 1; k <= shafts; ++k) {
            const int s = d.Atopstart ? k : shafts - k + 1;
            lines.push_back(
                line([&](int e) { return d.Threading[size_t(e)] == s ? Digit(s) : '-'; }));
        }
    }
    return lines;
}

std::vector<std::string> LiftplanPrintLines(const DraftState& d, int first, int last,
                                            const std::string& name) {
    const int used = LastPrintablePick(d);
    if (used == 0) return {};
    const NumericRange range = ClampNumericRange(first, last, used);
    const bool tieUpMode = d.TreadleMode;
    // The columns in the order the treadling (liftplan) area shows them.
    const ViewGeometry g = ComputeGeometryForCell(d, ViewSettings{}, 2, 0, 0, 0, 0);
    const int columns = g.Treadles;
    std::vector<std::string> lines = {
        "", "  " + name,
        "    " + std::to_string(columns) + " " + Text(tieUpMode ? "@idtreadlespr" : "@idshaftspr") +
            "    " + Text("@idpickspr") + " " + std::to_string(range.First) + "-" +
            std::to_string(range.Last),
        "", ""};
    for (int p = range.First; p <= range.Last; ++p) {
        std::array<char, 16> number{};
        std::snprintf(number.data(), number.size(), " %4d#  ", p);
        std::string s = number.data();
        for (int k = 1; k <= columns; ++k) {
            const int c = g.Treadling.Columns.Forward ? k : columns - k + 1;
            const bool on = SingleTreadling(d) ? d.Treadling[size_t(p)] == c
                                               : ((d.Liftplan[size_t(p)] >> (c - 1)) & 1u) != 0;
            if (columns < 33) s += ' ';
            s += on ? Digit(c) : '-';
        }
        lines.push_back(s + "   " + ColorChar(d.WeftColors[size_t(p)]));
    }
    return lines;
}

std::vector<std::string> WarpColorPrintLines(const DraftState& d, int first, int last,
                                             bool landscape, const std::string& name) {
    const int used = LastPrintableEnd(d);
    if (used == 0) return {};
    const NumericRange range = ClampNumericRange(first, last, used);
    const size_t width = size_t(BlockWidth(landscape));
    std::vector<std::string> lines = {"",
                                      "     " + name,
                                      "",
                                      "",
                                      "     " + Text("@warpcolyarns") + ", " + Text("@idendspr") +
                                          " " + std::to_string(range.First) + " - " +
                                          std::to_string(range.Last),
                                      "     " + Text("@pnumstart")};
    // One chart line per colour of the range, in index order.
    std::map<int, std::string> chart;
    for (int e = range.First; e <= range.Last; ++e) chart[d.WarpColors[size_t(e)]];
    auto start = [&] {
        for (auto& [index, line] : chart) {
            std::array<char, 24> prefix{};
            std::snprintf(prefix.data(), prefix.size(), "%8d  ", index);
            line = prefix.data();
        }
    };
    auto flush = [&] {
        lines.insert(lines.end(), {"", "     Index", ""});
        for (const auto& [index, line] : chart) lines.push_back(line);
    };
    start();
    for (int e = range.First; e <= range.Last;) {
        const int color = d.WarpColors[size_t(e)];
        int f = e;
        while (f < range.Last && d.WarpColors[size_t(f + 1)] == color) ++f;
        if (chart[color].size() > width) {
            flush();
            start();
        }
        const std::string length = std::to_string(f - e + 1);
        for (auto& [index, line] : chart)
            line += index == color ? length : std::string(length.size(), '-');
        e = f + 1;
    }
    flush();
    return lines;
}

std::vector<std::string> ReportPrintLines(const std::string& text) {
    std::vector<std::string> lines = {"", "", ""};
    for (const std::string& line : TextLines(text)) lines.push_back(std::string(16, ' ') + line);
    return lines;
}

} // namespace hw
