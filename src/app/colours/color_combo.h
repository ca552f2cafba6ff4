#pragma once

#include "model/draft_state.h"

#include <QComboBox>

namespace hw {

// The toolbar's current colour: a drop-down list of the 256 palette entries,
// each drawn as a swatch and its number on white, 16 shown at a time.
class ColorComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColorComboBox(QWidget* parent = nullptr);
    // The swatches follow the palette.
    void SetPalette(const std::array<ColorRef, PaletteSize>& colors);
    ColorRef ColorAt(int index) const { return colors_[size_t(index)]; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::array<ColorRef, PaletteSize> colors_{};
};

} // namespace hw
