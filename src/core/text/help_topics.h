#pragma once

#include <span>
#include <string>

namespace hw {

// One page of the help shipped with the program. Every window, dialog and
// menu carries a help context number; F1 and the dialogs' Help buttons open
// the page of that number. Pages are "<lang>/<Page>" under the help root, one
// folder per language ("en", "de", "sv", "fi").
struct HelpTopic {
    int Context;
    const char* Page;  // file name inside a language folder
    const char* Title; // English title, the same as the English page's <title>
};

// Context numbers. Dialogs keep the numbers the pattern files and older
// versions of the program use (140, 200, 210, 230, 250, 390, 400, 606, 650,
// 670); the rest are grouped beside them: 100-109 the main window and its
// menus, 1xx-2xx files, 3xx-4xx views and colours, 5xx editing, 6xx
// transformations, 7xx printing.
namespace help {
inline constexpr int Contents = 100; // the main window; also the contents page
inline constexpr int FileMenu = 101;
inline constexpr int EditMenu = 102;
inline constexpr int ViewMenu = 103;
inline constexpr int UtilitiesMenu = 104;
inline constexpr int TransformMenu = 105;
inline constexpr int FillMenu = 106;
inline constexpr int AnalyzeMenu = 107;
inline constexpr int OptionsMenu = 108;
inline constexpr int HelpMenu = 109;
inline constexpr int WifSave = 140;
inline constexpr int WifImport = 145;
inline constexpr int PngExport = 150;
inline constexpr int Open = 200;
inline constexpr int LoadComponents = 210;
inline constexpr int BlendLiftplan = 215;
inline constexpr int Save = 230;
inline constexpr int NewPattern = 250;
inline constexpr int FabricWindow = 300;
inline constexpr int PaletteWindow = 390;
inline constexpr int EditColors = 400;
inline constexpr int InsertDelete = 500;
inline constexpr int SwitchShaftsTreadles = 510;
inline constexpr int PasteSpecial = 520;
inline constexpr int SelectAndCopy = 525;
inline constexpr int KeyboardInput = 530;
inline constexpr int NumericInput = 535;
inline constexpr int Zoom = 540;
inline constexpr int TwillGenerator = 600;
inline constexpr int Satin = 606;
inline constexpr int TieUpSpecial = 610;
inline constexpr int Translate = 620;
inline constexpr int LiftplanOverlay = 625;
inline constexpr int Network = 630;
inline constexpr int BlockSubstitution = 635;
inline constexpr int InsertThreading = 640;
inline constexpr int InsertTreadling = 641;
inline constexpr int InsertInLiftplan = 645;
inline constexpr int DeleteInLiftplan = 646;
inline constexpr int TrompAsWrit = 647;
inline constexpr int WrapLiftplan = 648;
inline constexpr int Options = 650;
inline constexpr int AnalysisReports = 660;
inline constexpr int Notes = 670;
inline constexpr int TipOfTheDay = 680;
inline constexpr int PrintDraft = 700;
inline constexpr int PrintNumeric = 710;
} // namespace help

// Every topic, contents first.
std::span<const HelpTopic> HelpTopics();

// The topic of a context number; nullptr for a number without a page.
const HelpTopic* FindHelpTopic(int context);

// The topic a request for a context number shows: its own, or the contents
// page when the number has none (a request never ends on a blank window).
const HelpTopic& ResolveHelpTopic(int context);

// The topic whose page has this file name (for following links); nullptr when
// none has.
const HelpTopic* FindHelpTopicByPage(const std::string& page);

// The folder of a language's pages: 0 "en", 1 "de", 2 "sv", 3 "fi"; any other
// value gives "en".
const char* HelpLanguageFolder(int language);

} // namespace hw
