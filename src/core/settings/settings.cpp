#include "settings/settings.h"

#include "model/limits.h"
#include "model/primitives.h"

#include <algorithm>

namespace hw {

void SetStartValues(DraftState& d, Settings& s) {
    d.LayoutTopBot = true;
    d.CkoLeftStart = false;
    d.Atopstart = true;
    d.BottomStart = true;
    d.RightStart = true;
    d.MetricUnits = false;
    d.Shed = true;
    d.Zoom = 15;
    d.ViewZoom = 2;
    d.Shafts = 8;
    d.Treadles = 8;
    d.Style = 2;
    d.TreadleMode = true;
    d.MultipleTr = false;
    s = Settings{};
}

namespace {

// Reads options values that exist, bounding each one; a missing value or
// one of the wrong type leaves the current value alone.
struct OptionsReader {
    const KeyValueStore& Store;
    bool Found = false;

    void Bool(const char* name, bool& value) {
        if (const auto v = Store.GetBool(OptionsGroup, name)) {
            value = *v;
            Found = true;
        }
    }
    template <class T> void Int(const char* name, T& value, long long lo, long long hi) {
        if (const auto v = Store.GetInt(OptionsGroup, name)) {
            value = T(std::clamp(*v, lo, hi));
            Found = true;
        }
    }
    void String(const char* name, std::string& value) {
        if (const auto v = Store.GetString(OptionsGroup, name)) {
            value = *v;
            Found = true;
        }
    }
};

// Window sizes are fitted to the screen when they are used; here they only
// have to be sane numbers.
constexpr long long MaxStoredExtent = 100000;

} // namespace

void ReadSettings(const KeyValueStore& store, DraftState& d, Settings& s) {
    SetStartValues(d, s);
    OptionsReader r{store};
    r.Int("Zoom", d.Zoom, MinStartZoom, MaxZoom);
    r.Int("ViewZoom", d.ViewZoom, 1, MaxZoom);
    r.Bool("LineOn", s.LineOn);
    r.Bool("Firstshaft", s.Firstshaft);
    r.Bool("ColorBeep", s.ColorBeep);
    r.Int("Wposfull", s.Wposfull, 0, 1);
    r.Int("Wbredde", s.Wbredde, 0, MaxStoredExtent);
    r.Int("Whoyde", s.Whoyde, 0, MaxStoredExtent);
    r.Bool("SaveSettings", s.SaveSettings);
    r.Bool("Lagrpos", s.Lagrpos);
    r.String("NufilPath", s.NufilPath);
    r.Int("Memow", s.Memo.Width, 0, MaxStoredExtent);
    r.Int("Memoh", s.Memo.Height, 0, MaxStoredExtent);
    r.Int("Memoleft", s.Memo.Left, -1, MaxStoredExtent);
    r.Int("BackgroundColor", s.BackgroundColor, 0, 0xFFFFFF);
    r.Bool("PaletteWindow", s.PaletteWindow);
    r.Bool("FabricWindow", s.FabricWindow);
    r.Int("MarginLeft", s.Margins.Left, 0, MaxPageMargin);
    r.Int("MarginTop", s.Margins.Top, 0, MaxPageMargin);
    r.Int("MarginRight", s.Margins.Right, 0, MaxPageMargin);
    r.Int("MarginBottom", s.Margins.Bottom, 0, MaxPageMargin);
    r.Bool("Shed", d.Shed);
    r.Bool("MultipleTr", d.MultipleTr);
    r.Int("Shafts", d.Shafts, MinShafts, MaxShafts);
    r.Int("Treadles", d.Treadles, MinTreadles, MaxTreadles);
    r.Bool("ExpertMode", s.ExpertMode);
    r.Bool("Yarnsim", s.Yarnsim);
    r.Bool("Warpempty", s.Warpempty);
    r.Int("Style", d.Style, 1, 4);
    r.Bool("LayoutTopBot", d.LayoutTopBot);
    r.Bool("BottomStart", d.BottomStart);
    r.Bool("RightStart", d.RightStart);
    r.Bool("CkoLeftStart", d.CkoLeftStart);
    r.Bool("Atopstart", d.Atopstart);
    r.Bool("BlackPrintLines", s.BlackPrintLines);
    r.Bool("TreadleMode", d.TreadleMode);
    r.Int("EndsPerUnit", d.EndsPerUnit, MinDensity, MaxDensity);
    r.Int("PicksPerUnit", d.PicksPerUnit, MinDensity, MaxDensity);
    r.Bool("MarkingOn", d.MarkingOn);
    r.Bool("FullMarking", d.FullMarking);
    r.Int("MarkEndsInterval", d.MarkEndsInterval, 1, MaxMarkInterval);
    r.Int("MarkPicksInterval", d.MarkPicksInterval, 1, MaxMarkInterval);
    r.Bool("TipOfDay", s.TipOfDay);
    s.Found = r.Found;
    if (!d.TreadleMode) d.MultipleTr = false;

    for (int k = 0; k < RecentFiles::Count; ++k)
        if (const auto path = store.GetString(FilesGroup, "File_" + std::to_string(k + 1)))
            s.Recent.SetEntry(k, *path);

    TakeSnapshot(d, s.Snapshot, true, true);
}

void StartSettings(const KeyValueStore& store, DraftState& d, Settings& s) {
    ReadSettings(store, d, s);
    if (!d.TreadleMode) d.Treadles = d.Shafts;
    // The colour rows were filled for the draft's first shed; refill them
    // for the one read, before the palette picks the current colour.
    ResetWarpColorsFrom(d, 1);
    ResetWeftColorsFrom(d, 1);
    LoadDefaultPalette(d);
    if (!s.Found) {
        d.EndsPerUnit = 10;
        d.PicksPerUnit = 10;
    }
    TakeSnapshot(d, s.Snapshot, true, true);
}

static void WriteAlways(KeyValueStore& store, const DraftState& d, const Settings& s) {
    const std::string g = OptionsGroup;
    store.SetInt(g, "Zoom", d.Zoom);
    store.SetInt(g, "ViewZoom", d.ViewZoom);
    store.SetBool(g, "LineOn", s.LineOn);
    store.SetBool(g, "Firstshaft", s.Firstshaft);
    store.SetBool(g, "ColorBeep", s.ColorBeep);
    store.SetInt(g, "Wposfull", s.Wposfull);
    store.SetInt(g, "Wbredde", s.Wbredde);
    store.SetInt(g, "Whoyde", s.Whoyde);
    store.SetBool(g, "SaveSettings", s.SaveSettings);
    store.SetBool(g, "Lagrpos", s.Lagrpos);
    store.SetString(g, "NufilPath", s.NufilPath);
    store.SetInt(g, "Memow", s.Memo.Width);
    store.SetInt(g, "Memoh", s.Memo.Height);
    store.SetInt(g, "Memoleft", s.Memo.Left);
    store.SetInt(g, "BackgroundColor", s.BackgroundColor);
    store.SetBool(g, "PaletteWindow", s.PaletteWindow);
    store.SetBool(g, "FabricWindow", s.FabricWindow);
    store.SetInt(g, "MarginLeft", s.Margins.Left);
    store.SetInt(g, "MarginTop", s.Margins.Top);
    store.SetInt(g, "MarginRight", s.Margins.Right);
    store.SetInt(g, "MarginBottom", s.Margins.Bottom);
}

static void WriteDefaultValues(KeyValueStore& store, int style, const Settings& s) {
    const std::string g = OptionsGroup;
    const DefaultsSnapshot& n = s.Snapshot;
    store.SetBool(g, "Shed", n.Shed);
    store.SetBool(g, "MultipleTr", n.MultipleTr);
    store.SetInt(g, "Shafts", n.Shafts);
    store.SetInt(g, "Treadles", n.Treadles);
    store.SetBool(g, "ExpertMode", s.ExpertMode);
    store.SetBool(g, "Yarnsim", s.Yarnsim);
    store.SetBool(g, "Warpempty", s.Warpempty);
    store.SetInt(g, "Style", style);
    store.SetBool(g, "LayoutTopBot", n.LayoutTopBot);
    store.SetBool(g, "BottomStart", n.BottomStart);
    store.SetBool(g, "RightStart", n.RightStart);
    store.SetBool(g, "CkoLeftStart", n.CkoLeftStart);
    store.SetBool(g, "Atopstart", n.Atopstart);
    store.SetBool(g, "BlackPrintLines", s.BlackPrintLines);
    // Not among the original values: without them the loom system, the
    // densities and the marking lines for new patterns were lost at exit.
    store.SetBool(g, "TreadleMode", n.TreadleMode);
    store.SetInt(g, "EndsPerUnit", n.EndsPerUnit);
    store.SetInt(g, "PicksPerUnit", n.PicksPerUnit);
    store.SetBool(g, "MarkingOn", n.MarkingOn);
    store.SetBool(g, "FullMarking", n.FullMarking);
    store.SetInt(g, "MarkEndsInterval", n.MarkEndsInterval);
    store.SetInt(g, "MarkPicksInterval", n.MarkPicksInterval);
}

bool WriteSettings(KeyValueStore& store, const DraftState& d, const Settings& s) {
    WriteAlways(store, d, s);
    if (s.SaveSettings) WriteDefaultValues(store, d.Style, s);
    for (int k = 0; k < RecentFiles::Count; ++k)
        store.SetString(FilesGroup, "File_" + std::to_string(k + 1), s.Recent.Entry(k));
    return store.Flush();
}

bool WriteDefaults(KeyValueStore& store, const DraftState& d, const Settings& s) {
    WriteDefaultValues(store, d.Style, s);
    return store.Flush();
}

bool WriteLanguage(KeyValueStore& store, int language) {
    store.SetInt(OptionsGroup, "Language", language);
    return store.Flush();
}

std::optional<int> ReadLanguage(const KeyValueStore& store) {
    const auto v = store.GetInt(OptionsGroup, "Language");
    if (!v || *v < 0 || *v > 3) return std::nullopt;
    return int(*v);
}

void TakeSnapshot(const DraftState& d, DefaultsSnapshot& snap, bool design, bool sizes) {
    snap.TreadleMode = d.TreadleMode;
    snap.MultipleTr = d.MultipleTr;
    snap.MarkingOn = d.MarkingOn;
    snap.FullMarking = d.FullMarking;
    snap.MarkEndsInterval = d.MarkEndsInterval;
    snap.MarkPicksInterval = d.MarkPicksInterval;
    snap.Shed = d.Shed;
    snap.MetricUnits = d.MetricUnits;
    snap.EndsPerUnit = d.EndsPerUnit;
    snap.PicksPerUnit = d.PicksPerUnit;
    if (sizes || !d.DesignMode) {
        snap.Shafts = d.Shafts;
        snap.Treadles = d.Treadles;
        snap.LayoutTopBot = d.LayoutTopBot;
        snap.BottomStart = d.BottomStart;
        snap.RightStart = d.RightStart;
        snap.CkoLeftStart = d.CkoLeftStart;
        snap.Atopstart = d.Atopstart;
    }
    if (design) snap.DesignMode = d.DesignMode;
}

} // namespace hw
