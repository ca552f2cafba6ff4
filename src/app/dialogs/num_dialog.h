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

// The two-number dialog: a caption and two labelled number fields of up to
// four digits. The texts and ranges come from the caller.
class TDlgNum2 : public QDialog {
    Q_OBJECT
public:
    explicit TDlgNum2(QWidget* parent = nullptr);

    // Opens modally with the first field focused; true and both values on
    // OK, false (values untouched) on Cancel.
    static bool Ask(QWidget* parent, const QString& caption, const QString& label1,
                    const QString& label2, int min1, int max1, int min2, int max2, int& value1,
                    int& value2);

    QSpinBox* SpinEdit1() const { return spin_[0]; }
    QSpinBox* SpinEdit2() const { return spin_[1]; }

private:
    QLabel* label_[2] = {};
    QSpinBox* spin_[2] = {};
};

} // namespace hw
