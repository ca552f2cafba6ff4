#pragma once

#include <QDialog>

class QLabel;
class QSpinBox;

namespace hw {

// The one-value dialog: a caption, a label and one number field.
class TDlgNum1 : public QDialog {
    Q_OBJECT
public:
    explicit TDlgNum1(QWidget* parent = nullptr);

    // Opens modally with the given texts, range and value; true and the new
    // value on OK, false (value untouched) on Cancel.
    static bool Ask(QWidget* parent, const QString& caption, const QString& label, int minimum,
                    int maximum, int& value);

    QSpinBox* SpinEdit1() const { return spin_; }

private:
    QLabel* label_ = nullptr;
    QSpinBox* spin_ = nullptr;
};

} // namespace hw
