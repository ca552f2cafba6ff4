#pragma once

#include "dialogs/range_dialogs.h"

#include <QDialog>

class QLabel;
class QSpinBox;

namespace hw {

// The one-value dialog: a caption, a label and one number field. The
// caption and the label are keys of a table (First is the label), so they
// follow a language switch while the dialog is open.
class TDlgNum1 : public QDialog {
    Q_OBJECT
public:
    explicit TDlgNum1(QWidget* parent = nullptr, const RangeTexts& texts = {});

    // Opens modally with the given texts, range and value; true and the new
    // value on OK, false (value untouched) on Cancel.
    static bool Ask(QWidget* parent, const RangeTexts& texts, int minimum, int maximum, int& value);

    QSpinBox* SpinEdit1() const { return spin_; }

private:
    void ShowTexts();

    RangeTexts texts_;
    QLabel* label_ = nullptr;
    QSpinBox* spin_ = nullptr;
};

} // namespace hw
