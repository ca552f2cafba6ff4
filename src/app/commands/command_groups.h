#pragma once

#include "commands/analyze_commands.h"
#include "commands/clipboard_commands.h"
#include "commands/colour_commands.h"
#include "commands/edit_commands.h"
#include "commands/export_commands.h"
#include "commands/file_commands.h"
#include "commands/fill_commands.h"
#include "commands/input_commands.h"
#include "commands/options_commands.h"
#include "commands/print_commands.h"
#include "commands/structure_commands.h"
#include "commands/transform_commands.h"
#include "commands/view_commands.h"

namespace hw {

// The commands of the main window, one group per menu; the action table's
// handlers call into these.
struct CommandGroups {
    explicit CommandGroups(CommandContext& ctx)
        : File(ctx), Edit(ctx), View(ctx), Options(ctx), Help(ctx), Fill(ctx), Analyze(ctx),
          Clipboard(ctx), Structure(ctx), Transform(ctx), Input(ctx), Colours(ctx), Export(ctx),
          Print(ctx) {}

    FileCommands File;
    EditCommands Edit;
    ViewCommands View;
    OptionsCommands Options;
    HelpCommands Help;
    FillCommands Fill;
    AnalyzeCommands Analyze;
    ClipboardCommands Clipboard; // the Edit menu's selection commands
    StructureCommands Structure; // Utilities and Transform: insert, delete, switch, reorder
    TransformCommands Transform; // the transformations with a dialog
    InputCommands Input;         // Repeat, Keyboard Input and Numeric Input
    ColourCommands Colours;      // across the menus
    ExportCommands Export;       // File > Export
    PrintCommands Print;         // File > Page Setup, Print, Print Numeric, Printer Setup
};

} // namespace hw
