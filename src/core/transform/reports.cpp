#include "transform/reports.h"

#include "model/drawdown.h"
#include "model/primitives.h"
#include "text/lang.h"
#include "transform/analysis.h"
#include "transform/repeat.h"

#include <array>
#include <cstdio>
#include <memory>
#include <numeric>
#include <vector>

namespace hw {

namespace {

std::string T(const char* key) {
    return GetText(GeneralForm, key);
}

std::string Fixed2(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", v);
    return buffer;
}

// The title line, and the pattern's file name when it has one.
std::string Heading(const DraftState& d, const std::string& title) {
    std::string text = title + "\n";
    if (!d.FileName.empty()) {
        const size_t slash = d.FileName.find_last_of('/');
        text += T("@idpattern") + ": " +
                (slash == std::string::npos ? d.FileName : d.FileName.substr(slash + 1)) + "\n";
    }
    return text + "\n";
}

size_t Characters(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

// Where each word of a column header ends, counted in characters.
std::vector<size_t> WordEnds(const std::string& header) {
    std::vector<size_t> ends;
    size_t column = 0;
    bool inWord = false;
    for (size_t i = 0; i < header.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(header[i]);
        if ((c & 0xC0) == 0x80) continue;
        if (c == ' ' && inWord) ends.push_back(column);
        inWord = c != ' ';
        ++column;
    }
    if (inWord) ends.push_back(column);
    return ends;
}

// The cells right-aligned under the words of the header they belong to,
// whatever the language made of the header; at least one space apart.
std::string AlignedRow(const std::string& header, const std::vector<std::string>& cells) {
    const std::vector<size_t> ends = WordEnds(header);
    std::string line;
    size_t width = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        const size_t end = i < ends.size() ? ends[i] : width + 1 + 10;
        const size_t len = Characters(cells[i]);
        const size_t pad = end > width + len ? end - width - len : (i == 0 ? 0 : 1);
        line += std::string(pad, ' ') + cells[i];
        width += pad + len;
    }
    return line + "\n";
}

std::string RepeatLine(const char* key, RepeatResult r) {
    return "  " + T(key) +
           (r.Found ? " = " + std::to_string(r.Length)
                    : " > " + std::to_string(MaxRepeatSearched)) +
           "\n";
}

// The least common multiple of two repeats within the bound; an empty
// sequence (length 0) leaves the other one's length.
std::string TotalLine(RepeatResult a, RepeatResult b, int bound) {
    std::string value = T("@outofbounds");
    if (a.Found && b.Found) {
        const long long x = a.Length, y = b.Length;
        const long long total = x == 0 || y == 0 ? x + y : x / std::gcd(x, y) * y;
        if (total <= bound) value = std::to_string(total);
    }
    return "  " + T("@anatotrap") + " = " + value + "\n";
}

bool SingleTreadlingView(const DraftState& d) {
    return d.TreadleMode && !d.MultipleTr && !d.DesignMode;
}

} // namespace

RepeatsReportResult RepeatsReport(const DraftState& draft) {
    RepeatsReportResult result;
    const DraftState* d = &draft;
    std::unique_ptr<DraftState> derived;
    if (draft.DesignMode) {
        derived = std::make_unique<DraftState>(draft);
        if (DeriveThreading(*derived, DesignSize, DesignSize, true) > MaxShafts) {
            result.Error = Message{
                {}, "Pattern exceeds maximum number of shafts. Repeats cannot be found.", {}};
            return result;
        }
        DeriveThreadingAndLiftplan(*derived);
        d = derived.get();
    }
    const int lastEnd = LastThreadedEnd(*d, MaxEnds);
    const int lastPick = LastUsedPickView(*d, MaxPicks);
    const RepeatResult threading = FindRepeat(&d->Threading[1], d->Ends, lastEnd);
    const RepeatResult warpColors = FindColorRepeat(&d->WarpColors[1], d->Ends, lastEnd);
    const bool treadling = SingleTreadlingView(*d);
    const RepeatResult weaving =
        treadling ? FindRepeat(&d->Treadling[1], d->Picks, lastPick)
                  : FindLiftplanRepeat(&d->Liftplan[1], d->Picks, lastPick, d->Shafts);
    const RepeatResult weftColors = FindColorRepeat(&d->WeftColors[1], d->Picks, lastPick);

    TextReport& r = result.Report;
    r.Title = T("@anareps");
    r.Text = Heading(draft, r.Title) + T("@anawarp") + "\n" + RepeatLine("@idthr", threading) +
             RepeatLine("@idwarpcol", warpColors) + TotalLine(threading, warpColors, d->Ends) +
             "\n" + T("@anaweft") + "\n" + RepeatLine(treadling ? "@idtr" : "@idlift", weaving) +
             RepeatLine("@idweftcol", weftColors) + TotalLine(weaving, weftColors, d->Picks);
    return result;
}

TextReport HeddlesReport(const DraftState& d) {
    const int lastEnd = LastThreadedEnd(d, MaxEnds);
    std::array<int, MaxShafts + 1> heddles{};
    for (int e = 1; e <= lastEnd; ++e) ++heddles[size_t(SafeShaft(d.Threading[e]))];
    TextReport r{T("@hedcount"), {}};
    r.Text = Heading(d, r.Title) + std::to_string(lastEnd) + " " + T("@idends") + "\n\n" +
             T("@hedshaft") + "\n";
    for (int s = 1; s <= std::min<int>(d.Shafts, MaxShafts); ++s) {
        char line[32];
        std::snprintf(line, sizeof line, "%4d%7d\n", s, heddles[size_t(s)]);
        r.Text += line;
    }
    return r;
}

TextReport ColorsReport(const DraftState& d) {
    auto section = [](const std::string& header, const uint8_t* colors, int last) {
        std::array<int, PaletteSize> count{};
        for (int i = 1; i <= last; ++i) ++count[colors[i]];
        std::string text = header + "\n";
        for (int c = 0; c < PaletteSize; ++c)
            if (count[size_t(c)] > 0)
                text += AlignedRow(header, {std::to_string(c), std::to_string(count[size_t(c)]),
                                            Fixed2(100.0 * count[size_t(c)] / last)});
        return text;
    };
    TextReport r{T("@colcount"), {}};
    r.Text = Heading(d, r.Title) +
             section(T("@colends"), d.WarpColors.data(), LastThreadedEnd(d, MaxEnds)) + "\n" +
             section(T("@colpicks"), d.WeftColors.data(), LastUsedPickView(d, MaxPicks));
    return r;
}

FloatStats CountFloats(const DraftState& d) {
    const int ends = LastThreadedEnd(d, MaxEnds);
    const int picks = LastUsedPickView(d, MaxPicks);
    FloatStats s;
    // Runs of one value along a line of cells (1 = weft on top); a run ends
    // at the line's end.
    auto scan = [](const std::vector<uint8_t>& cells, int line, bool alongEnd, FloatKind& weftRuns,
                   FloatKind& warpRuns) {
        const int n = int(cells.size());
        for (int start = 0; start < n;) {
            int stop = start;
            while (stop < n && cells[size_t(stop)] == cells[size_t(start)]) ++stop;
            FloatKind& k = cells[size_t(start)] ? weftRuns : warpRuns;
            const int length = stop - start;
            ++k.Runs;
            k.TotalLength += length;
            if (length > k.Longest) {
                k.Longest = length;
                k.CountLongest = 0;
                k.FirstEnd = alongEnd ? line : start + 1;
                k.FirstPick = alongEnd ? start + 1 : line;
            }
            if (length == k.Longest) ++k.CountLongest;
            start = stop;
        }
    };
    std::vector<uint8_t> cells(static_cast<size_t>(picks));
    for (int e = 1; e <= ends && picks > 0; ++e) {
        DrawdownColumn(d, e, 1, picks, cells.data());
        scan(cells, e, true, s.WarpUnder, s.WarpOver);
    }
    cells.assign(size_t(ends), 0);
    for (int p = 1; p <= picks && ends > 0; ++p) {
        DrawdownRow(d, p, 1, ends, cells.data());
        scan(cells, p, false, s.WeftOver, s.WeftUnder);
    }
    return s;
}

TextReport FloatsReport(const DraftState& d) {
    const FloatStats s = CountFloats(d);
    auto kind = [](const FloatKind& k, const char* maximum, const char* average, bool warp) {
        std::string text = T(maximum) + std::to_string(k.Longest) + "\n" + T("@flono") +
                           std::to_string(k.CountLongest) + "\n";
        if (k.Runs > 0)
            text += warp ? T("@flofirstend") + std::to_string(k.FirstEnd) + T("@flopick") +
                               std::to_string(k.FirstPick) + "\n"
                         : T("@flofirstpick") + std::to_string(k.FirstPick) + T("@floend") +
                               std::to_string(k.FirstEnd) + "\n";
        const double mean = k.Runs > 0 ? double(k.TotalLength) / double(k.Runs) : 0.0;
        return text + T(average) + Fixed2(mean) + "\n";
    };
    TextReport r{T("@floats"), {}};
    r.Text = Heading(d, r.Title) + T("@flowarp") + "\n" +
             kind(s.WarpOver, "@flomaxwarpover", "@floaverwarpover", true) + "\n" +
             kind(s.WarpUnder, "@flomaxwarpunder", "@floaverwarpunder", true) + "\n" +
             T("@floweft") + "\n" + kind(s.WeftOver, "@flomaxweftover", "@floaverweftover", false) +
             "\n" + kind(s.WeftUnder, "@flomaxweftunder", "@floaverweftunder", false);
    return r;
}

} // namespace hw
