#pragma once

#include "model/view_window.h"
#include "settings/new_pattern.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QSpinBox;

namespace hw {

// The New Pattern dialog: size, shafts, treadles, shed and whether the
// default palette comes back. It takes values in and gives values out;
// ShowNewPattern applies them.
class TNewDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 250;

    explicit TNewDlg(QWidget* parent = nullptr);

    // showTreadles: the stored default loom has treadles; sizesEnabled:
    // shafts and treadles may be chosen.
    void SetValues(const NewPatternValues& v, bool showTreadles, bool sizesEnabled);
    NewPatternValues Values() const;

private:
    QSpinBox* spinends_ = nullptr;
    QSpinBox* spinpicks_ = nullptr;
    QLabel* labelShafts_ = nullptr;
    QSpinBox* SpinShaft_ = nullptr;
    QLabel* labelTreadles_ = nullptr;
    QSpinBox* SpinTr_ = nullptr;
    QButtonGroup* ShedGroup_ = nullptr;
    QCheckBox* Palbox_ = nullptr;
};

// Runs the New Pattern dialog; on OK the draft becomes a new, empty
// pattern (see ApplyNewPattern for what the caller still does). True when
// OK was pressed.
bool ShowNewPattern(QWidget* parent, DraftState& d, ViewWindow& v, Settings& s,
                    NewPatternResult* result = nullptr);

} // namespace hw
