#include "view/status_text.h"

#include "text/lang.h"

#include <algorithm>

namespace hw {

static std::string Range(const std::string& label, int offset, int visible) {
    const int last = offset + std::max(visible, 0);
    const int first = visible > 0 ? offset + 1 : last;
    return label + ": " + std::to_string(first) + "-" + std::to_string(last);
}

std::string WarpRangeText(const ViewWindow& w) {
    return Range(GetText("TWform", "@idwarp"), w.ScrollEnds, w.VisibleEnds);
}

std::string WeftRangeText(const ViewWindow& w) {
    return Range(GetText("TWform", "@idweft"), w.ScrollPicks, w.VisiblePicks);
}

static std::string Labelled(const std::string& label, int n) {
    return label + ": " + std::to_string(n);
}

PositionTexts PointerPositionTexts(const DraftState& d, const ViewWindow& w, const ViewHit& hit) {
    const int end = hit.Column + w.ScrollEnds;
    const int pick = hit.Row + w.ScrollPicks;
    const std::string endLabel = GetText("TWform", "@idend");
    const std::string pickLabel = GetText("TWform", "@idpick");
    const std::string shaftLabel = GetText("TWform", "@idshaft");
    const std::string treadleLabel = GetText("TWform", "@idtreadle");
    const std::string colorLabel = GetText("TWform", "@idcolor");
    switch (hit.Area) {
    case ViewArea::Threading:
        return {Labelled(endLabel, end), Labelled(shaftLabel, hit.Row)};
    case ViewArea::Treadling:
        return {Labelled(pickLabel, pick),
                Labelled(d.TreadleMode ? treadleLabel : shaftLabel, hit.Column)};
    case ViewArea::Drawdown:
        return {Labelled(endLabel, end), Labelled(pickLabel, pick)};
    case ViewArea::WarpColors: {
        const int color = (end >= 1 && end <= MaxEnds) ? d.WarpColors[end] : 0;
        return {Labelled(endLabel, end), Labelled(colorLabel, color)};
    }
    case ViewArea::WeftColors: {
        const int color = (pick >= 1 && pick <= MaxPicks) ? d.WeftColors[pick] : 0;
        return {Labelled(pickLabel, pick), Labelled(colorLabel, color)};
    }
    case ViewArea::TieUp:
        return {Labelled(shaftLabel, hit.Row), Labelled(treadleLabel, hit.Column)};
    case ViewArea::None:
        break;
    }
    return {};
}

std::string ShedText(const DraftState& d) {
    return d.Shed ? GetText("TWform", "@idsinking") : GetText("TWform", "@idrising");
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WindowCaption(const std::string& product, const std::string& path, int windowWidth) {
    if (path.empty()) return product;
    constexpr size_t Longest = 99;
    std::string shown = path;
    if (windowWidth < 1000) {
        shown = FileNameOf(path);
    } else if (shown.size() > Longest) {
        const std::string folder = "Documents and Settings";
        const size_t at = shown.find(folder);
        if (at != std::string::npos) shown.replace(at, folder.size(), "Doc...");
        if (shown.size() > Longest) shown = FileNameOf(path);
    }
    return product + " - " + shown;
}

std::string ApplicationTitle(const std::string& product, const std::string& path) {
    std::string name = FileNameOf(path);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    if (name.empty()) return product;
    return name + " - " + product;
}

} // namespace hw
