#pragma once

#include "model/draft_state.h"

#include <QWidget>

namespace hw {

class ColorPanel;
class TColorBox;

// The floating colour palette (Options > "Color Palette"): the first 16, 64
// or 256 palette entries as a grid, and below it a panel in the current
// colour. A click on a colour makes it the current one, a double-click asks
// to edit it, a click on the panel asks for the next display size. The
// caller feeds it the palette, the size and the current colour.
class TPalWin : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* FormName = "TPalWin";
    explicit TPalWin(QWidget* parent = nullptr);

    // The palette's colours and the display size (0: 16, 1: 64, 2: 256).
    void ShowPalette(const std::array<ColorRef, PaletteSize>& colors, int display);
    // The current colour, selected in the grid and shown in the panel.
    void Select(int index);
    int Selected() const { return selected_; }
    TColorBox* Grid() const { return grid_; }
    ColorPanel* Panel() const { return panel_; }

signals:
    void ColorChosen(int index);
    void EditRequested(int index);
    void NextSizeRequested();
    void Closed();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void ShowCaption();

    TColorBox* grid_ = nullptr;
    ColorPanel* panel_ = nullptr;
    std::array<ColorRef, PaletteSize> colors_{};
    int display_ = 1;
    int selected_ = 0;
    bool named_ = false; // the caption names a colour
    bool placed_ = false;
};

} // namespace hw
