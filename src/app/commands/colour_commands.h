#pragma once

#include "commands/command_context.h"
#include "model/draft_state.h"

#include <optional>

namespace hw {

class ColorComboBox;
class TPalWin;

// The colours: the palette window (Options > "Color Palette" and its
// toolbar button), editing one colour (Options > "Color Dialog") or the
// whole palette (Utilities > "Edit Colors..."), and the toolbar's current
// colour box. The current colour itself lives in the draft view.
class ColourCommands {
public:
    explicit ColourCommands(CommandContext& ctx) : ctx_(ctx) {}

    void ColorWindow1Click();
    void ColorDialogItemClick();
    void EditColors1Click();
    // One palette entry through the colour dialog, as one step.
    void EditColor(int index);

    // The toolbar's box: follows the palette and the current colour, and
    // sets the current colour when an entry is chosen.
    void BindColorBox(ColorComboBox* box);
    // The palette window, made on first use.
    TPalWin* PaletteWindow();
    // At the first show: the palette window as it was left.
    void RestorePaletteWindow();

private:
    void ShowPalette();

    CommandContext& ctx_;
    TPalWin* palWin_ = nullptr;
    ColorComboBox* box_ = nullptr;
    int lastEdited_ = 0; // the Edit Colors dialog opens on it
};

// The system colour dialog on a colour; nothing when it is cancelled.
std::optional<ColorRef> ChooseColor(QWidget* parent, ColorRef initial);

} // namespace hw
