#include "mainwindow/action_table.h"

#include "commands/command_groups.h"
#include "files/pattern_file.h"
#include "help/context_help.h"
#include "text/help_topics.h"
#include "text/lang.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace hw {

namespace {

using K = ActionKind;
using S = EnableState;
using G = CommandGroups;

// The rules of the menus, named by the letters the menu table uses.
constexpr ActionRule NotD = [](const S& s) { return !s.Design; };
constexpr ActionRule T = [](const S& s) { return s.TreadleLoom; };
constexpr ActionRule NotT = [](const S& s) { return !s.TreadleLoom; };
constexpr ActionRule NotDNotM = [](const S& s) { return !s.Design && !s.Multiple; };
constexpr ActionRule NotF = [](const S& s) { return !s.Fabric; };
constexpr ActionRule NotDNotF = [](const S& s) { return !s.Design && !s.Fabric; };
constexpr ActionRule NotDNotFNotM = [](const S& s) {
    return !s.Design && !s.Fabric && !s.Multiple;
};
constexpr ActionRule HasSel = [](const S& s) { return s.HasSelection; };
// Pasting needs the draft on screen.
constexpr ActionRule CanPaste = [](const S& s) { return s.CanPaste && !s.Fabric; };
constexpr ActionRule LangIs0 = [](const S& s) { return s.Language == LangEnglish; };
constexpr ActionRule LangIs1 = [](const S& s) { return s.Language == LangGerman; };
constexpr ActionRule LangIs2 = [](const S& s) { return s.Language == LangSwedish; };
constexpr ActionRule LangIs3 = [](const S& s) { return s.Language == LangFinnish; };

constexpr ActionEntry Entries[] = {
    // File
    {K::Menu, "File1", "", "&File", "", help::FileMenu},
    {K::Item, "FileOpenItem", "File1", "&Open...", "Ctrl+O", help::Open,
     [](G& g) { g.File.FileOpen(); }},
    {K::Item, "OpenSelected1", "File1", "Open &Components...", "", help::LoadComponents,
     [](G& g) { g.File.OpenSelected1Click(); }, NotF},
    {K::Item, "ImportWif1", "File1", "&Import WIF...", "Ctrl+I", help::WifImport,
     [](G& g) { g.File.ImportWif1Click(); }},
    {K::Item, "FileSaveItem", "File1", "&Save", "Ctrl+S", help::Save,
     [](G& g) { g.File.FileSave(); }},
    {K::Item, "FileSaveAsItem", "File1", "Save &As...", "", help::Save,
     [](G& g) { g.File.FileSaveAs(); }},
    {K::Item, "ReverttoSaved1", "File1", "&Revert to Saved", "", help::Open,
     [](G& g) { g.File.ReverttoSaved1Click(); }, [](const S& s) { return s.PathKnown; }},
    {K::Item, "New1", "File1", "&New...", "Ctrl+N", help::NewPattern,
     [](G& g) { g.File.New1Click(); }},
    {K::Separator, "", "File1", ""},
    {K::Menu, "Export1", "File1", "&Export", "", help::FileMenu},
    {K::Item, "WIF1", "Export1", "Save to WIF-file", "", help::WifSave,
     [](G& g) { g.Export.WIF1Click(); }},
    {K::Item, "PNG1", "Export1", "Save Fabric as PNG-image...", "", help::PngExport,
     [](G& g) { g.Export.PNG1Click(); }},
    {K::Item, "SaveVersion41", "Export1", "Save to Heddlewise 4", "", help::Save,
     [](G& g) { g.File.SaveOldVersion(int(OldVersion::V4)); }},
    {K::Item, "SaveVersion31", "Export1", "Save to Heddlewise 3", "", help::Save,
     [](G& g) { g.File.SaveOldVersion(int(OldVersion::V3)); }},
    {K::Item, "SaveVersion121", "Export1", "Save to Heddlewise 1-2", "", help::Save,
     [](G& g) { g.File.SaveOldVersion(int(OldVersion::V12)); }},
    {K::Separator, "", "File1", ""},
    {K::Item, "PageSetup1", "File1", "Page Se&tup...", "", help::PrintDraft,
     [](G& g) { g.Print.PageSetup1Click(); }},
    {K::Item, "FilePrintItem", "File1", "&Print", "", help::PrintDraft,
     [](G& g) { g.Print.FilePrintItemClick(); }},
    {K::Menu, "PrintNumeric1", "File1", "Print Nu&meric", "", help::PrintNumeric},
    {K::Item, "PrNumThreading", "PrintNumeric1", "&Threading...", "", help::PrintNumeric,
     [](G& g) { g.Print.PrNumThreadingClick(); }},
    {K::Item, "PrNumLiftplan", "PrintNumeric1", "&Liftplan...", "", help::PrintNumeric,
     [](G& g) { g.Print.PrNumLiftplanClick(); }},
    {K::Item, "WarpColors1", "PrintNumeric1", "&Warp Colors...", "", help::PrintNumeric,
     [](G& g) { g.Print.WarpColors1Click(); }},
    {K::Item, "FilePrintSetupItem", "File1", "Printer Set&up...", "", help::PrintDraft,
     [](G& g) { g.Print.FilePrintSetup(); }},
    {K::Separator, "menyfiltop", "File1", ""},
    {K::Item, "menyfil1", "File1", "&1 ", "", help::Open, [](G& g) { g.File.OpenRecent(0); }},
    {K::Item, "menyfil2", "File1", "&2 ", "", help::Open, [](G& g) { g.File.OpenRecent(1); }},
    {K::Item, "menyfil3", "File1", "&3 ", "", help::Open, [](G& g) { g.File.OpenRecent(2); }},
    {K::Item, "menyfil4", "File1", "&4 ", "", help::Open, [](G& g) { g.File.OpenRecent(3); }},
    {K::Item, "menyfil5", "File1", "&5 ", "", help::Open, [](G& g) { g.File.OpenRecent(4); }},
    {K::Item, "menyfil6", "File1", "&6 ", "", help::Open, [](G& g) { g.File.OpenRecent(5); }},
    {K::Item, "menyfil7", "File1", "&7 ", "", help::Open, [](G& g) { g.File.OpenRecent(6); }},
    {K::Separator, "menyfilskille", "File1", ""},
    {K::Item, "FileExitItem", "File1", "E&xit", "", help::FileMenu,
     [](G& g) { g.File.FileExit(); }},

    // Edit
    {K::Menu, "Edit1", "", "&Edit", "", help::EditMenu},
    {K::Item, "EditUndoItem", "Edit1", "&Undo", "Ctrl+Z", help::EditMenu,
     [](G& g) { g.Edit.EditUndo(); }, [](const S& s) { return s.CanUndo; }},
    {K::Item, "EditRedoItem", "Edit1", "&Redo", "Ctrl+Y;Ctrl+Shift+Z", help::EditMenu,
     [](G& g) { g.Edit.EditRedo(); }, [](const S& s) { return s.CanRedo; }},
    {K::Item, "Rep1", "Edit1", "&Repeat...", "Ctrl+R", help::EditMenu,
     [](G& g) { g.Input.Rep1Click(); }, NotF},
    {K::Separator, "", "Edit1", ""},
    {K::Item, "EditCutItem", "Edit1", "Cu&t", "Ctrl+X", help::EditMenu,
     [](G& g) { g.Clipboard.EditCut(); }, HasSel},
    {K::Item, "EditCopyItem", "Edit1", "&Copy", "Ctrl+C", help::EditMenu,
     [](G& g) { g.Clipboard.EditCopy(); }, HasSel},
    {K::Item, "EditPasteItem", "Edit1", "&Paste", "Ctrl+V", help::EditMenu,
     [](G& g) { g.Clipboard.EditPaste(); }, CanPaste},
    {K::Item, "EditPasteSpecial1", "Edit1", "Paste &Special...", "Ctrl+W", help::PasteSpecial,
     [](G& g) { g.Clipboard.EditPasteSpecial1Click(); }, CanPaste},
    {K::Item, "EditDeleteItem", "Edit1", "Delete", "", help::EditMenu,
     [](G& g) { g.Clipboard.EditDeleteItemClick(); }, HasSel},
    {K::Item, "SelectCopy1", "Edit1", "Select &and Copy...", "", help::SelectAndCopy,
     [](G& g) { g.Clipboard.SelectCopy1Click(); }, NotDNotF},
    {K::Separator, "", "Edit1", ""},
    {K::Check, "UnlinkColors1", "Edit1", "Unlink Colors", "Ctrl+L", help::PaletteWindow,
     [](G& g) { g.Edit.UnlinkColors1Click(); }, nullptr, nullptr,
     [](const S& s) { return s.ColorsUnlinked; }},
    {K::Item, "CopyImage1", "Edit1", "Copy &Image", "", help::EditMenu,
     [](G& g) { g.Clipboard.CopyImage1Click(); }},
    {K::Menu, "Clear1", "Edit1", "Cl&ear", "", help::EditMenu, nullptr, NotF},
    {K::Item, "All1", "Clear1", "&All", "", help::EditMenu, [](G& g) { g.Edit.All1Click(); }},
    {K::Item, "Threading1", "Clear1", "&Threading", "", help::EditMenu,
     [](G& g) { g.Edit.Threading1Click(); }, NotD},
    {K::Item, "Liftplan1", "Clear1", "&Liftplan", "", help::EditMenu,
     [](G& g) { g.Edit.Liftplan1Click(); }, NotD, NotT},
    {K::Item, "Tieup1", "Clear1", "Tie-&up", "", help::EditMenu, [](G& g) { g.Edit.Tieup1Click(); },
     NotD, T},
    {K::Item, "Treadling1", "Clear1", "T&readling", "", help::EditMenu,
     [](G& g) { g.Edit.Treadling1Click(); }, NotD, T},
    {K::Item, "Colors1", "Clear1", "&Colors", "", help::EditMenu,
     [](G& g) { g.Edit.Colors1Click(); }},
    {K::Separator, "", "Edit1", ""},
    {K::Item, "NumericInput1", "Edit1", "Numeric Input...", "", help::NumericInput,
     [](G& g) { g.Input.NumericInput1Click(); }, NotDNotF},
    // The keyboard-input shortcuts work while the menu is closed, so each
    // item carries its menu's rule as well as its own.
    {K::Menu, "KeyboardInput1", "Edit1", "Keyboard Input", "", help::KeyboardInput, nullptr,
     NotDNotF},
    {K::Item, "KeyThreading", "KeyboardInput1", "Threading", "F2", help::KeyboardInput,
     [](G& g) { g.Input.KeyThreadingClick(); },
     [](const S& s) { return s.ShowThreading && !s.Design && !s.Fabric; }},
    {K::Item, "KeyTreadling", "KeyboardInput1", "Treadling", "F3", help::KeyboardInput,
     [](G& g) { g.Input.KeyTreadlingClick(); }, NotDNotF},
    {K::Item, "KeyTieup", "KeyboardInput1", "Tie-up", "F4", help::KeyboardInput,
     [](G& g) { g.Input.KeyTieupClick(); },
     [](const S& s) { return s.ShowThreading && !s.Design && !s.Fabric; }, T},

    // View: the view modes are one exclusive group.
    {K::Menu, "View1", "", "&View", "", help::ViewMenu},
    {K::Radio, "Draft1", "View1", "&Draft", "", help::ViewMenu, [](G& g) { g.View.Draft1Click(); },
     nullptr, nullptr, [](const S& s) { return !s.Design && !s.Fabric; }},
    {K::Radio, "Design1", "View1", "D&esign", "", help::ViewMenu,
     [](G& g) { g.View.Design1Click(); }, [](const S& s) { return !(s.TreadleLoom && s.Multiple); },
     nullptr, [](const S& s) { return s.Design && !s.Fabric; }},
    {K::Radio, "Fabric1", "View1", "&Fabric", "", help::FabricWindow,
     [](G& g) { g.View.Fabric1Click(); }, nullptr, nullptr,
     [](const S& s) { return s.FabricView == 1; }},
    {K::Radio, "FabricYarnView1", "View1", "Fabric - Yarn View", "", help::FabricWindow,
     [](G& g) { g.View.FabricYarnView1Click(); }, nullptr, nullptr,
     [](const S& s) { return s.FabricView == 2; }},
    {K::Radio, "Drapery1", "View1", "D&rapery", "", help::FabricWindow,
     [](G& g) { g.View.Drapery1Click(); }, nullptr, nullptr,
     [](const S& s) { return s.FabricView == 3; }},
    {K::Radio, "Interlacement1", "View1", "&Interlacement", "", help::FabricWindow,
     [](G& g) { g.View.Interlacement1Click(); }, nullptr, nullptr,
     [](const S& s) { return s.FabricView == 4; }},
    {K::Separator, "", "View1", ""},
    {K::Check, "ShowThreading1", "View1", "&Show Threading", "", help::ViewMenu,
     [](G& g) { g.View.ShowThreading1Click(); }, NotDNotF, nullptr,
     [](const S& s) { return s.ShowThreading; }},
    {K::Check, "FabricWindow1", "View1", "Fabric &Window", "", help::FabricWindow,
     [](G& g) { g.View.FabricWindow1Click(); }, nullptr, nullptr,
     [](const S& s) { return s.FabricWindow; }},

    // Utilities
    {K::Menu, "Utilities1", "", "&Utilities", "", help::UtilitiesMenu},
    {K::Item, "EditColors1", "Utilities1", "&Edit Colors...", "", help::EditColors,
     [](G& g) { g.Colours.EditColors1Click(); }},
    {K::Separator, "", "Utilities1", ""},
    {K::Item, "Trompaswrit1", "Utilities1", "&Tromp as Writ...", "", help::TrompAsWrit,
     [](G& g) { g.Transform.Trompaswrit1Click(); }, NotF},
    {K::Item, "WrapLiftplan1", "Utilities1", "&Wrap Liftplan...", "", help::WrapLiftplan,
     [](G& g) { g.Transform.WrapLiftplan1Click(); }, NotDNotF,
     [](const S& s) { return !(s.TreadleLoom && !s.Multiple); }},
    {K::Separator, "", "Utilities1", ""},
    {K::Menu, "Mirror1", "Utilities1", "&Mirror", "", help::UtilitiesMenu, nullptr, NotDNotF},
    {K::Item, "Warp1", "Mirror1", "W&arp", "", help::UtilitiesMenu,
     [](G& g) { g.Structure.Warp1Click(); }, NotDNotF},
    {K::Item, "Weft1", "Mirror1", "W&eft", "", help::UtilitiesMenu,
     [](G& g) { g.Structure.Weft1Click(); }, NotDNotF},
    {K::Menu, "Insert1", "Utilities1", "&Insert", "", help::InsertDelete, nullptr, NotF},
    {K::Item, "InsEnds1", "Insert1", "&Ends...", "", help::InsertDelete,
     [](G& g) { g.Structure.InsEnds1Click(); }},
    {K::Item, "InsPicks1", "Insert1", "&Picks...", "", help::InsertDelete,
     [](G& g) { g.Structure.InsPicks1Click(); }},
    {K::Item, "InsShafts1", "Insert1", "&Shafts...", "", help::InsertDelete,
     [](G& g) { g.Structure.InsShafts1Click(); }, NotD},
    {K::Item, "InsTreadles1", "Insert1", "&Treadles...", "", help::InsertDelete,
     [](G& g) { g.Structure.InsTreadles1Click(); }, NotD, T},
    {K::Menu, "Delete1", "Utilities1", "&Delete", "", help::InsertDelete, nullptr, NotF},
    {K::Item, "DelEnds1", "Delete1", "&Ends...", "", help::InsertDelete,
     [](G& g) { g.Structure.DelEnds1Click(); }},
    {K::Item, "DelPicks1", "Delete1", "&Picks...", "", help::InsertDelete,
     [](G& g) { g.Structure.DelPicks1Click(); }},
    {K::Item, "DelShafts1", "Delete1", "&Shafts...", "", help::InsertDelete,
     [](G& g) { g.Structure.DelShafts1Click(); }, NotD},
    {K::Item, "DelTreadles1", "Delete1", "&Treadles...", "", help::InsertDelete,
     [](G& g) { g.Structure.DelTreadles1Click(); }, NotD, T},
    {K::Item, "SwitchShafts1", "Utilities1", "&Switch Shafts...", "", help::SwitchShaftsTreadles,
     [](G& g) { g.Structure.SwitchShafts1Click(); }, NotDNotF},
    {K::Item, "SwitchTreadles1", "Utilities1", "Switch Tr&eadles...", "",
     help::SwitchShaftsTreadles, [](G& g) { g.Structure.SwitchTreadles1Click(); }, NotDNotF, T},
    {K::Item, "ReverseWarpOrder1", "Utilities1", "Reverse Warp Order", "", help::UtilitiesMenu,
     [](G& g) { g.Structure.ReverseWarpOrder1Click(); }, NotDNotF},
    {K::Item, "ReverseOrder1", "Utilities1", "Reverse Weft &Order", "", help::UtilitiesMenu,
     [](G& g) { g.Structure.ReverseOrder1Click(); }, NotDNotF},
    {K::Item, "Reverse1", "Utilities1", "&Reverse", "", help::UtilitiesMenu,
     [](G& g) { g.Structure.Reverse1Click(); }, NotDNotM},
    {K::Item, "Reducetoonerepeat1", "Utilities1", "Reduce to one re&peat", "", help::UtilitiesMenu,
     [](G& g) { g.Structure.Reducetoonerepeat1Click(); }, NotDNotF},
    {K::Separator, "", "Utilities1", ""},
    {K::Item, "TieUpSpecial1", "Utilities1", "Tie-&up Special...", "", help::TieUpSpecial,
     [](G& g) { g.Fill.TieUpSpecial1Click(); }, NotDNotF, T},

    // Transform
    {K::Menu, "Transform1", "", "T&ransform", "", help::TransformMenu},
    {K::Item, "BlockSubstitution1", "Transform1", "Block Substitution...", "",
     help::BlockSubstitution, [](G& g) { g.Transform.BlockSubstitution1Click(); }, NotDNotF},
    {K::Item, "Translate1", "Transform1", "&Translate...", "", help::Translate,
     [](G& g) { g.Transform.Translate1Click(); },
     [](const S& s) { return !s.Multiple && !s.Fabric; }},
    {K::Item, "Overlay1", "Transform1", "&Overlay...", "", help::LiftplanOverlay,
     [](G& g) { g.Transform.Overlay1Click(); },
     [](const S& s) { return (s.Design || !s.TreadleLoom) && !s.Fabric; }},
    {K::Item, "Network1", "Transform1", "&Network...", "", help::Network,
     [](G& g) { g.Transform.Network1Click(); }, NotDNotF},
    {K::Separator, "", "Transform1", ""},
    {K::Item, "InsertThreading1", "Transform1", "&Insert Threading...", "", help::InsertThreading,
     [](G& g) { g.Transform.InsertThreading1Click(); }, NotDNotF},
    {K::Item, "InsertTreadling1", "Transform1", "Insert Tr&eadling...", "", help::InsertTreadling,
     [](G& g) { g.Transform.InsertTreadling1Click(); }, NotDNotF,
     [](const S& s) { return s.TreadleLoom && !s.Multiple; }},
    {K::Item, "InsertinLiftplan1", "Transform1", "Insert in &Liftplan...", "",
     help::InsertInLiftplan, [](G& g) { g.Transform.InsertinLiftplan1Click(); }, NotDNotF, NotT},
    {K::Item, "DeleteinLiftplan1", "Transform1", "&Delete in Liftplan...", "",
     help::DeleteInLiftplan, [](G& g) { g.Transform.DeleteinLiftplan1Click(); }, NotDNotF, NotT},
    {K::Separator, "", "Transform1", ""},
    {K::Item, "Reanalyze1", "Transform1", "&Reanalyze Threading", "", help::TransformMenu,
     [](G& g) { g.Analyze.Reanalyze1Click(); }, NotDNotFNotM},
    {K::Item, "ReanalyzeTreadling1", "Transform1", "Reanalyze Treadling", "", help::TransformMenu,
     [](G& g) { g.Analyze.ReanalyzeTreadling1Click(); }, NotDNotFNotM, T},
    {K::Item, "StraightThreading1", "Transform1", "&Straight Threading", "", help::TransformMenu,
     [](G& g) { g.Analyze.StraightThreading1Click(); }, NotDNotFNotM},
    {K::Item, "Rotate1", "Transform1", "Turn Draft", "", help::TransformMenu,
     [](G& g) { g.Structure.Rotate1Click(); }, NotDNotFNotM},

    // Fill
    {K::Menu, "Fill1", "", "F&ill", "", help::FillMenu},
    {K::Menu, "FillThreading1", "Fill1", "&Threading", "", help::FillMenu, nullptr, NotD},
    {K::Item, "Straight1", "FillThreading1", "&Straight", "", help::FillMenu,
     [](G& g) { g.Fill.Threading(FillOrder::Straight); }, NotD},
    {K::Item, "Pointed1", "FillThreading1", "&Pointed", "", help::FillMenu,
     [](G& g) { g.Fill.Threading(FillOrder::Pointed); }, NotD},
    {K::Item, "Rosepath1", "FillThreading1", "&Rosepath", "", help::FillMenu,
     [](G& g) { g.Fill.Threading(FillOrder::Rosepath); }, NotD},
    {K::Menu, "FillTreadling1", "Fill1", "T&readling", "", help::FillMenu, nullptr, NotDNotM, T},
    {K::Item, "Straight2", "FillTreadling1", "&Straight", "", help::FillMenu,
     [](G& g) { g.Fill.Treadling(FillOrder::Straight); }, NotDNotM, T},
    {K::Item, "Pointed2", "FillTreadling1", "&Pointed", "", help::FillMenu,
     [](G& g) { g.Fill.Treadling(FillOrder::Pointed); }, NotDNotM, T},
    {K::Item, "Rosepath2", "FillTreadling1", "&Rosepath", "", help::FillMenu,
     [](G& g) { g.Fill.Treadling(FillOrder::Rosepath); }, NotDNotM, T},
    {K::Menu, "FillTieup1", "Fill1", "Tie-&up", "", help::FillMenu, nullptr, NotDNotM},
    {K::Item, "RandomTwill1", "FillTieup1", "&Twill Variations...", "", help::TwillGenerator,
     [](G& g) { g.Fill.RandomTwill1Click(); }, NotDNotM},
    {K::Item, "Satin1", "FillTieup1", "&Satin...", "", help::Satin,
     [](G& g) { g.Fill.Satin1Click(); }, NotDNotM},
    {K::Item, "Plain1", "FillTieup1", "&Plain Weave", "", help::FillMenu,
     [](G& g) { g.Fill.Plain1Click(); }, NotDNotM},
    {K::Menu, "FillWarpColors1", "Fill1", "W&arp Colors", "", help::FillMenu},
    {K::Item, "A1", "FillWarpColors1", "A", "", help::FillMenu,
     [](G& g) { g.Fill.WarpColors(ColorOrder::Single); }},
    {K::Item, "AB1", "FillWarpColors1", "AB", "", help::FillMenu,
     [](G& g) { g.Fill.WarpColors(ColorOrder::AB); }},
    {K::Item, "CD1", "FillWarpColors1", "ab", "", help::FillMenu,
     [](G& g) { g.Fill.WarpColors(ColorOrder::ab); }},
    {K::Item, "AABB1", "FillWarpColors1", "AABB", "", help::FillMenu,
     [](G& g) { g.Fill.WarpColors(ColorOrder::AABB); }},
    {K::Item, "CCDD1", "FillWarpColors1", "aabb", "", help::FillMenu,
     [](G& g) { g.Fill.WarpColors(ColorOrder::aabb); }},
    {K::Item, "ABA1", "FillWarpColors1", "ABA", "", help::FillMenu,
     [](G& g) { g.Fill.WarpColors(ColorOrder::ABA); }},
    {K::Item, "aba3", "FillWarpColors1", "aba", "", help::FillMenu,
     [](G& g) { g.Fill.WarpColors(ColorOrder::aba); }},
    {K::Menu, "FillWeftColors1", "Fill1", "W&eft Colors", "", help::FillMenu},
    {K::Item, "B1", "FillWeftColors1", "B", "", help::FillMenu,
     [](G& g) { g.Fill.WeftColors(ColorOrder::Single); }},
    {K::Item, "AB2", "FillWeftColors1", "AB", "", help::FillMenu,
     [](G& g) { g.Fill.WeftColors(ColorOrder::AB); }},
    {K::Item, "CD2", "FillWeftColors1", "ab", "", help::FillMenu,
     [](G& g) { g.Fill.WeftColors(ColorOrder::ab); }},
    {K::Item, "AABB2", "FillWeftColors1", "AABB", "", help::FillMenu,
     [](G& g) { g.Fill.WeftColors(ColorOrder::AABB); }},
    {K::Item, "CCDD2", "FillWeftColors1", "aabb", "", help::FillMenu,
     [](G& g) { g.Fill.WeftColors(ColorOrder::aabb); }},
    {K::Item, "ABA2", "FillWeftColors1", "ABA", "", help::FillMenu,
     [](G& g) { g.Fill.WeftColors(ColorOrder::ABA); }},
    {K::Item, "aba4", "FillWeftColors1", "aba", "", help::FillMenu,
     [](G& g) { g.Fill.WeftColors(ColorOrder::aba); }},

    // Analyze
    {K::Menu, "Analyze1", "", "&Analyze", "", help::AnalyzeMenu},
    {K::Item, "Repeats1", "Analyze1", "&Repeats", "", help::AnalysisReports,
     [](G& g) { g.Analyze.Repeats1Click(); }},
    {K::Item, "Floats1", "Analyze1", "&Floats", "", help::AnalysisReports,
     [](G& g) { g.Analyze.Floats1Click(); }, NotD},
    {K::Item, "Colors2", "Analyze1", "&Colors", "", help::AnalysisReports,
     [](G& g) { g.Analyze.Colors2Click(); }, NotD},
    {K::Item, "Heddles1", "Analyze1", "&Heddles", "", help::AnalysisReports,
     [](G& g) { g.Analyze.Heddles1Click(); }, NotD},

    // Options
    {K::Menu, "Options1", "", "&Options", "", help::OptionsMenu},
    {K::Item, "Options2", "Options1", "&Options...", "", help::Options,
     [](G& g) { g.Options.Options2Click(); }},
    {K::Item, "SaveSettings1", "Options1", "&Save Settings", "", help::Options,
     [](G& g) { g.Options.SaveSettings1Click(); }},
    {K::Menu, "Language1", "Options1", "&Language", "", help::OptionsMenu},
    {K::Radio, "English1", "Language1", "&English", "", help::OptionsMenu,
     [](G& g) { g.Options.SwitchLanguage(LangEnglish); }, nullptr, nullptr, LangIs0},
    {K::Radio, "Deutsch1", "Language1", "&Deutsch", "", help::OptionsMenu,
     [](G& g) { g.Options.SwitchLanguage(LangGerman); }, nullptr, nullptr, LangIs1},
    {K::Radio, "Svensk1", "Language1", "&Svensk", "", help::OptionsMenu,
     [](G& g) { g.Options.SwitchLanguage(LangSwedish); }, nullptr, nullptr, LangIs2},
    {K::Radio, "Suomi1", "Language1", "S&uomi", "", help::OptionsMenu,
     [](G& g) { g.Options.SwitchLanguage(LangFinnish); }, nullptr, nullptr, LangIs3},
    {K::Separator, "", "Options1", ""},
    {K::Check, "ColorWindow1", "Options1", "&Color Palette", "", help::PaletteWindow,
     [](G& g) { g.Colours.ColorWindow1Click(); }, nullptr, nullptr,
     [](const S& s) { return s.PaletteWindow; }},
    {K::Item, "ColorDialogItem", "Options1", "&Color Dialog", "", help::PaletteWindow,
     [](G& g) { g.Colours.ColorDialogItemClick(); }},
    {K::Item, "Zoom1", "Options1", "&Zoom...", "", help::Zoom, [](G& g) { g.View.Zoom1Click(); }},
    {K::Item, "Note1", "Options1", "&Note...", "", help::Notes,
     [](G& g) { g.Options.Note1Click(); }},
    {K::Item, "Threadbook1", "Options1", "Threadbook", "", help::OptionsMenu,
     [](G& g) { g.Options.Threadbook1Click(); }},

    // Help
    {K::Menu, "Help1", "", "&Help", "", help::HelpMenu},
    {K::Item, "HelpContentsItem", "Help1", "&Help Topics", "", help::Contents,
     [](G& g) { g.Help.HelpContents(); }},
    {K::Item, "HelpAboutItem", "Help1", "&About Heddlewise...", "", help::HelpMenu,
     [](G& g) { g.Help.HelpAbout(); }},
    {K::Item, "TipofDayItem", "Help1", "&Tip of the Day", "", help::TipOfTheDay,
     [](G& g) { g.Help.TipofDayItemClick(); }},
    {K::Menu, "OntheWeb1", "Help1", "On the &Web", "", help::HelpMenu},
    {K::Item, "HeddlewiseHomePage1", "OntheWeb1", "Heddlewise Home Page", "", help::HelpMenu,
     [](G& g) { g.Help.HeddlewiseHomePage1Click(); }},

    // The toolbar's buttons; the zoom slider and the colour box are widgets
    // of their own.
    {K::Item, "OpenSpeedButton", "ToolBar1", "Open", "", help::Open,
     [](G& g) { g.File.FileOpen(); }},
    {K::Item, "SaveSpeedButton", "ToolBar1", "Save", "", help::Save,
     [](G& g) { g.File.FileSave(); }},
    {K::Radio, "PenSpeedButton", "ToolBar1", "Pen", "", help::Contents,
     [](G& g) { g.Edit.PenSpeedButtonClick(); }, nullptr, nullptr,
     [](const S& s) { return !s.SelectionMode && s.Tool == StrokeTool::Pen; }},
    {K::Radio, "LineSpeedButton", "ToolBar1", "Line", "", help::Contents,
     [](G& g) { g.Edit.LineSpeedButtonClick(); }, nullptr, nullptr,
     [](const S& s) { return !s.SelectionMode && s.Tool == StrokeTool::Line; }},
    {K::Radio, "SelectSpeedButton", "ToolBar1", "Selection", "", help::Contents,
     [](G& g) { g.Edit.SelectSpeedButtonClick(); }, nullptr, nullptr,
     [](const S& s) { return s.SelectionMode; }},
    {K::Item, "RepSpeedButton", "ToolBar1", "Repeat", "", help::EditMenu,
     [](G& g) { g.Input.Rep1Click(); }},
    {K::Item, "OptionSpeedButton", "ToolBar1", "Options", "", help::Options,
     [](G& g) { g.Options.Options2Click(); }},
    {K::Item, "PalSpeedButton", "ToolBar1", "Color Palette", "", help::PaletteWindow,
     [](G& g) { g.Colours.ColorWindow1Click(); }},
};

} // namespace

std::span<const ActionEntry> ActionEntries() {
    return Entries;
}

ActionTable::ActionTable(QMainWindow* window, CommandGroups& groups)
    : QObject(window), groups_(groups) {
    QMenuBar* bar = window->menuBar();
    for (const ActionEntry& entry : Entries) {
        const QString name = QString::fromLatin1(entry.Name);
        const QString parent = QString::fromLatin1(entry.Parent);
        QMenu* into = menus_.value(parent);
        if (entry.Kind == ActionKind::Menu) {
            QMenu* m = into ? into->addMenu(entry.Caption) : bar->addMenu(entry.Caption);
            m->setObjectName(name);
            m->menuAction()->setObjectName(name);
            SetHelpContext(m, entry.Help);
            menus_.insert(name, m);
            entries_.insert(name, &entry);
            continue;
        }
        QAction* a = nullptr;
        if (entry.Kind == ActionKind::Separator) {
            a = into->addSeparator();
            if (!name.isEmpty()) {
                a->setObjectName(name);
                actions_.insert(name, a);
            }
            continue;
        }
        a = new QAction(QString::fromUtf8(entry.Caption), window);
        a->setObjectName(name);
        if (into) into->addAction(a);
        SetHelpContext(a, entry.Help);
        if (entry.Kind != ActionKind::Item) a->setCheckable(true);
        if (entry.Kind == ActionKind::Radio) {
            QActionGroup*& group = radioGroups_[parent];
            if (!group) group = new QActionGroup(this);
            group->addAction(a);
        }
        if (*entry.Shortcuts) {
            QList<QKeySequence> keys;
            for (const QString& k : QString::fromLatin1(entry.Shortcuts).split(';'))
                keys << QKeySequence(k, QKeySequence::PortableText);
            a->setShortcuts(keys);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        // The window holds every action, so shortcuts outlive a hidden menu
        // or toolbar.
        window->addAction(a);
        if (entry.Run)
            connect(a, &QAction::triggered, this, [this, &entry] { Run(entry); });
        else
            a->setEnabled(false);
        actions_.insert(name, a);
        entries_.insert(name, &entry);
    }
}

void ActionTable::Run(const ActionEntry& entry) {
    // The rule is checked again: a shortcut may fire before the menus were
    // brought up to date.
    if (entry.Enabled && !entry.Enabled(state_)) return;
    if (entry.Visible && !entry.Visible(state_)) return;
    entry.Run(groups_);
}

void ActionTable::Update(const EnableState& s) {
    state_ = s;
    for (const ActionEntry& entry : Entries) {
        const QString name = QString::fromLatin1(entry.Name);
        QAction* a =
            entry.Kind == ActionKind::Menu ? menus_.value(name)->menuAction() : actions_.value(name);
        if (!a || entry.Kind == ActionKind::Separator) continue;
        const bool visible = !entry.Visible || entry.Visible(s);
        const bool enabled = !entry.Enabled || entry.Enabled(s);
        // Recent files and language items decide their own visibility.
        if (entry.Visible) a->setVisible(visible);
        a->setEnabled(enabled && (entry.Kind == ActionKind::Menu || entry.Run));
        if (entry.Checked) a->setChecked(entry.Checked(s));
    }
}

} // namespace hw
