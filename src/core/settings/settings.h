#pragma once

#include "model/draft_state.h"
#include "settings/key_value_store.h"
#include "settings/recent_files.h"

#include <optional>
#include <string>

namespace hw {

// Where the settings live: the options and the recent files.
inline constexpr const char* OptionsGroup = "Options6";
inline constexpr const char* FilesGroup = "Files";

// The defaults for new patterns, copied from the draft at start, after
// Options OK while "Save Settings on Exit" is ticked, and by "Save
// Settings". The New Pattern dialog starts from it; the "defaults" values
// are written from it.
struct DefaultsSnapshot {
    uint16_t Shafts = 8;
    uint16_t Treadles = 8;
    bool LayoutTopBot = true;
    bool BottomStart = true;
    bool RightStart = true;
    bool CkoLeftStart = false;
    bool Atopstart = true;
    bool TreadleMode = true;
    bool MultipleTr = false;
    bool Shed = true;
    bool MetricUnits = false;
    bool MarkingOn = false;
    bool FullMarking = false;
    uint16_t MarkEndsInterval = 8;
    uint16_t MarkPicksInterval = 8;
    uint8_t EndsPerUnit = 25;
    uint8_t PicksPerUnit = 25;
    bool DesignMode = false;

    friend bool operator==(const DefaultsSnapshot&, const DefaultsSnapshot&) = default;
};

// Width, height and left edge of the notes window. A negative left edge
// means "centred on the screen", the window's place before it was moved.
struct NotesPlacement {
    int Width = 420;
    int Height = 260;
    int Left = -1;

    friend bool operator==(const NotesPlacement&, const NotesPlacement&) = default;
};
inline constexpr NotesPlacement NotesDesignPlacement{};

// The page margins of the graphic print, in thousandths of an inch.
struct PageMargins {
    int Left = 1000;
    int Top = 1000;
    int Right = 1000;
    int Bottom = 1000;

    friend bool operator==(const PageMargins&, const PageMargins&) = default;
};
// Larger margins than ten inches leave no page to print on.
inline constexpr int MaxPageMargin = 10000;
inline constexpr int NotesMinWidth = 300;
inline constexpr int NotesMinHeight = 150;

// Every persisted value that does not live in the draft, with its start
// value. The draft's own persisted values ("Zoom", "ViewZoom", "Style" and,
// through the snapshot, the new-pattern defaults) are read into and written
// from the DraftState, so there is one place that holds each of them.
struct Settings {
    // Written at every exit.
    bool LineOn = true; // line tool rather than pen at start
    bool Firstshaft = true;
    bool ColorBeep = false;
    int Wposfull = 0;         // 1: the main window was maximized at exit
    int Wbredde = 0;          // main window width at exit; 0: none stored
    int Whoyde = 0;           // main window height at exit
    bool SaveSettings = true; // "Save Settings on Exit"
    bool Lagrpos = true;      // "Save Layout Options in hdw-files"
    std::string NufilPath;    // folder the file dialogs open in; "" = default
    NotesPlacement Memo;
    ColorRef BackgroundColor = 0xFFFFFF; // of the draft view
    bool PaletteWindow = false;          // the tool windows were open at exit
    bool FabricWindow = false;
    PageMargins Margins; // set by Page Setup

    // Written at exit only while SaveSettings is on, and by "Save Settings".
    bool ExpertMode = false; // "Show all Warning Messages" off
    bool Yarnsim = true;
    bool Warpempty = true;
    bool BlackPrintLines = false;
    DefaultsSnapshot Snapshot;

    // Read only.
    bool TipOfDay = false;

    RecentFiles Recent;

    // Not persisted: whether the store held any options value at start,
    // and the New Pattern dialog's last "Use default Color Palette".
    bool Found = false;
    bool NewUsesDefaultPalette = false;

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The main window's start values of the draft, before anything is read:
// threading at the bottom, treadle 1 at the right, shaft 1 at the top,
// inches, sinking shed, zoom 15, 8 shafts and treadles, style 2, treadles.
void SetStartValues(DraftState& d, Settings& s);

// SetStartValues, then every options value the store holds (each bounded,
// a value of the wrong type ignored), then the recent files, then the
// snapshot. Sets s.Found when any options value was there.
void ReadSettings(const KeyValueStore& store, DraftState& d, Settings& s);

// The whole start of the settings side of the main window: ReadSettings,
// the default palette, the colour rows for the shed, and fabric densities
// of 10 when nothing was stored. The snapshot is taken last.
void StartSettings(const KeyValueStore& store, DraftState& d, Settings& s);

// At exit: the "always" values, the "defaults" while SaveSettings is on,
// then the recent files. False when the store could not be written.
bool WriteSettings(KeyValueStore& store, const DraftState& d, const Settings& s);
// The "defaults" values alone ("Save Settings").
bool WriteDefaults(KeyValueStore& store, const DraftState& d, const Settings& s);
// The interface language, 0 English, 1 German, 2 Swedish, 3 Finnish.
bool WriteLanguage(KeyValueStore& store, int language);
// The stored language, when there is a valid one.
std::optional<int> ReadLanguage(const KeyValueStore& store);

// Copies the draft into the snapshot: loom system, marking lines, shed,
// units and densities always; shafts, treadles and the layout flags unless
// sizes is false while in Design mode; Design mode itself only with design.
void TakeSnapshot(const DraftState& d, DefaultsSnapshot& snap, bool design, bool sizes);

// Bounds of values read from the store.
inline constexpr int MinStartZoom = 12;
inline constexpr int MaxZoom = 20;
inline constexpr int MinDensity = 1;
inline constexpr int MaxDensity = 255;
// Pattern files keep a marking interval in one byte, as interval - 1.
inline constexpr int MaxMarkInterval = 256;

} // namespace hw
