#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

namespace hw {

// The keys of a dialog's caption and two labels in a translation table, so
// that they follow a language switch while the dialog is open.
struct RangeTexts {
    std::string Form;
    std::string Caption;
    std::string First;  // the first field's label
    std::string Second; // the second one's
    std::string Suffix; // after each label (":" where the key has none)
    // A caption of two texts: Caption, Joiner, then Caption2's text.
    std::string Joiner = {};
    std::string Caption2 = {};
    int Help = 0; // the dialog's help context, when not the insert and delete page
};

// What the two-number dialogs share: two labelled fields under a caption,
// all following a language switch.
class TwoNumberDialog : public QDialog {
    Q_OBJECT
public:
    void SetTexts(const RangeTexts& texts);
    QSpinBox* SpinEdit1() const { return spin1_; }
    QSpinBox* SpinEdit2() const { return spin2_; }

protected:
    // The fields come first in `Rows()`; the dialog adds its buttons.
    TwoNumberDialog(QWidget* parent, const RangeTexts& texts, const char* name);
    QVBoxLayout* Rows() const { return rows_; }
    void ShowTexts();

    RangeTexts texts_;
    QSpinBox* spin1_ = nullptr;
    QSpinBox* spin2_ = nullptr;

private:
    QVBoxLayout* rows_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
};

// The two-number dialog: a caption, two labelled fields, OK and Cancel.
class TDlgNum2 : public TwoNumberDialog {
    Q_OBJECT
public:
    explicit TDlgNum2(QWidget* parent = nullptr, const RangeTexts& texts = {});

    // Opens modally with the values; OK writes the fields back and gives
    // true, Cancel changes nothing.
    static bool Ask(QWidget* parent, const RangeTexts& texts, int min1, int max1, int min2,
                    int max2, int& first, int& second);
};

// The switch dialog: two shaft (treadle) numbers and "Switch", which
// exchanges them at once and leaves the dialog open for the next pair;
// "Close" ends it.
class TDlgFlo2 : public TwoNumberDialog {
    Q_OBJECT
public:
    explicit TDlgFlo2(QWidget* parent = nullptr, const RangeTexts& texts = {});

    // Runs modally until Close; every Switch calls doSwitch with the two
    // numbers. Both fields range 1..maximum. nearTop places the dialog in
    // the upper part of the screen (the threading is at the bottom), else
    // in the lower part.
    void Execute(const RangeTexts& texts, int maximum, int first, int second, bool nearTop,
                 const std::function<void(int, int)>& doSwitch);

private:
    QPushButton* switch_ = nullptr;
    std::function<void(int, int)> doSwitch_;
};

} // namespace hw
