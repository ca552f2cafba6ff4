// heddlewise-cli dump FILE: the whole document after an Open, as JSON.
#include "commands.h"
#include "pattern_open.h"

#include "model/limits.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <memory>

namespace hw::cli {

namespace {

using Json = nlohmann::ordered_json;

template <typename Array> Json Positions(const Array& values) {
    Json a = Json::array();
    for (size_t i = 1; i < values.size(); ++i) a.push_back(values[i]);
    return a;
}

template <typename Grid> Json Strings(const Grid& rows, int count, int width, auto cell) {
    Json a = Json::array();
    for (int r = 0; r < count; ++r) {
        std::string s(size_t(width), '0');
        for (int c = 0; c < width; ++c)
            if (cell(rows, r, c)) s[size_t(c)] = '1';
        a.push_back(s);
    }
    return a;
}

Json DocumentJson(const DraftState& d) {
    Json j;
    j["Ends"] = d.Ends;
    j["Picks"] = d.Picks;
    j["Shafts"] = d.Shafts;
    j["Treadles"] = d.Treadles;
    j["EndsUsed"] = d.EndsUsed;
    j["PicksUsed"] = d.PicksUsed;
    j["TreadleMode"] = d.TreadleMode;
    j["MultipleTr"] = d.MultipleTr;
    j["Shed"] = d.Shed;
    j["DesignMode"] = d.DesignMode;
    j["Zoom"] = d.Zoom;
    j["ViewZoom"] = d.ViewZoom;
    j["Style"] = d.Style;
    j["LayoutTopBot"] = d.LayoutTopBot;
    j["BottomStart"] = d.BottomStart;
    j["RightStart"] = d.RightStart;
    j["CkoLeftStart"] = d.CkoLeftStart;
    j["Atopstart"] = d.Atopstart;
    j["Compressed"] = d.Compressed;
    j["EndsPerUnit"] = d.EndsPerUnit;
    j["PicksPerUnit"] = d.PicksPerUnit;
    j["MetricUnits"] = d.MetricUnits;
    j["MarkingOn"] = d.MarkingOn;
    j["FullMarking"] = d.FullMarking;
    j["MarkEndsInterval"] = d.MarkEndsInterval;
    j["MarkPicksInterval"] = d.MarkPicksInterval;
    j["PaletteDisplay"] = d.PaletteDisplay;
    j["RepeatThreading"] = d.RepeatThreading;
    j["RepeatTreadling"] = d.RepeatTreadling;
    j["RepeatWarpColors"] = d.RepeatWarpColors;
    j["RepeatWeftColors"] = d.RepeatWeftColors;
    j["Threading"] = Positions(d.Threading);
    j["Treadling"] = Positions(d.Treadling);
    j["WarpColors"] = Positions(d.WarpColors);
    j["WeftColors"] = Positions(d.WeftColors);
    j["Liftplan"] = Positions(d.Liftplan);
    j["TieUp"] = Strings(d.TieUp, MaxShafts, MaxTreadles, [](const auto& t, int s, int tr) {
        return t[size_t(s)][size_t(tr)] != 0;
    });
    j["DesignGrid"] = Strings(d, DesignSize, DesignSize, [](const DraftState& doc, int p, int e) {
        return DesignGet(doc, p + 1, e + 1);
    });
    Json palette = Json::array();
    for (const PaletteEntry& e : d.Palette) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "#%02X%02X%02X", e.Red, e.Green, e.Blue);
        palette.push_back(hex);
    }
    j["Palette"] = palette;
    j["TransUnitSize"] = {d.TransUnitSize[0], d.TransUnitSize[1]};
    auto unitCell = [](const auto& u, int r, int c) { return u[size_t(r)][size_t(c)]; };
    j["TransUnit1"] = Strings(d.TransUnit1, 16, 16, unitCell);
    j["TransUnit2"] = Strings(d.TransUnit2, 16, 16, unitCell);
    j["Notes"] = d.Notes;
    return j;
}

} // namespace

static int RunDump(const Args& args);

Command DumpCommand() {
    return {"dump", "FILE",
            "Loads a pattern (or imports a WIF file) as the editor does and prints the whole "
            "document as JSON.",
            RunDump};
}

static int RunDump(const Args& args) {
    const Command self = DumpCommand();
    if (args.size() != 1) return UsageError(self, "expected one pattern file");
    auto d = std::make_unique<DraftState>();
    if (!OpenPatternAsEditorDoes(*d, args[0])) return ExitFileError;
    const std::string text =
        DocumentJson(*d).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? ExitOk : ExitFileError;
}

} // namespace hw::cli
