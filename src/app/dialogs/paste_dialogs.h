#pragma once

#include "edit/paste_special.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QSpinBox;

namespace hw {

// "Paste Special": how many copies of the clipboard block, and how each is
// turned, flipped, inverted or advanced. Only the choices of the area
// pasted into are shown.
class TPasteDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPasteDlg(QWidget* parent = nullptr);

    // Shows the controls of the area with the given choices; count is the
    // shaft (threading) or treadle (treadling) count that bounds Advance.
    void Prepare(SelArea area, int count, const PasteOptions& options);
    // The choices; shownOnly leaves out what the area does not show.
    PasteOptions Options(bool shownOnly = true) const;
    // Runs modally; Preview calls preview with the choices as they are. True
    // for OK. Either way options then hold every choice, for the next time.
    bool Execute(SelArea area, int count, PasteOptions& options,
                 const std::function<void(const PasteOptions&)>& preview);

private:
    void ShowCaption();

    SelArea area_ = SelArea::Threading;
    QSpinBox* repSpin_ = nullptr;
    QCheckBox* totalBox_ = nullptr;
    QCheckBox* insertBox_ = nullptr;
    QCheckBox* negativeBox_ = nullptr;
    QCheckBox* rotateBox_ = nullptr;
    QCheckBox* flipHBox_ = nullptr;
    QCheckBox* flipVBox_ = nullptr;
    QLabel* shiftLabel_ = nullptr;
    QSpinBox* shiftSpin_ = nullptr;
    std::function<void(const PasteOptions&)> preview_;
};

// What Select and Copy takes: the area (0 threading, 1 treadling or
// liftplan, 2 warp colours, 3 weft colours) and the first and last end or
// pick. It is remembered from one use to the next.
struct SelectChoice {
    int Item = 0;
    int From = 1;
    int To = 100;
};

// "Select and Copy": a range of ends or picks copied by number.
class TSelectDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSelectDlg(QWidget* parent = nullptr);

    // ends and picks bound the fields; liftplan names the second item.
    void Prepare(const SelectChoice& choice, int ends, int picks, bool liftplan);
    SelectChoice Choice() const;
    // True for "Copy to Clipboard", with From <= To.
    bool Execute(SelectChoice& choice, int ends, int picks, bool liftplan);

private:
    void ItemChosen(int item);

    QButtonGroup* items_ = nullptr;
    QGroupBox* group_ = nullptr;
    QSpinBox* from_ = nullptr;
    QSpinBox* to_ = nullptr;
    int ends_ = 2;
    int picks_ = 2;
    bool liftplan_ = false;
};

} // namespace hw
