#pragma once

#include "model/draft_state.h"

#include <QDialog>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace hw {

class ColorPanel;
class TColorBox;

// Utilities > "Edit Colors...": the whole palette as a grid of 16, 64 or 256
// colours, two slots, and Switch, Copy, Blend, the row exchanges and
// Revert. It works on its own copy of the palette and reports every change
// through OnChange, so the draft can show it at once; Cancel and Revert
// bring back the palette it was given.
class TColEditDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* FormName = "TColEditDlg";
    using Entries = std::array<PaletteEntry, PaletteSize>;

    TColEditDlg(const Entries& palette, int display, int selected, QWidget* parent = nullptr);

    // After every change of the palette, with the palette as it now is.
    std::function<void(const Entries&)> OnChange;
    // Asks for one colour (the system colour dialog); nothing on Cancel.
    std::function<std::optional<ColorRef>(ColorRef current)> ChooseColor;

    const Entries& Palette() const { return palette_; }
    int Display() const { return display_; }
    int Selected() const { return selected_; }
    bool Changed() const { return changed_; }
    int Slot(int k) const { return slots_[k]; }

    TColorBox* Grid() const { return grid_; }
    QToolButton* RowButton(int row) const { return rows_[row - 1]; }

private:
    void SetDisplay(int display);
    void Select(int index);
    void Apply(bool changed);
    void EditSelected();
    void ShowAll();

    Entries original_, palette_;
    int display_ = 1;
    int selected_ = 0;
    int slots_[2] = {0, 0};
    bool changed_ = false;

    TColorBox* grid_ = nullptr;
    QComboBox* size_ = nullptr;
    ColorPanel* colPanel_ = nullptr;
    ColorPanel* slotPanels_[2] = {};
    QLabel* slotLabels_[2] = {};
    QLabel* index_ = nullptr;
    QLabel* rgb_ = nullptr;
    QToolButton* rows_[7] = {};
    int rowButtonWidth_ = 24;
    QWidget* gridArea_ = nullptr;
};

} // namespace hw
