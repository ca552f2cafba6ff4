#pragma once

#include "transform/fills.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QSpinBox;

namespace hw {

// The dialogs of the fill library. Each takes its values in and gives them
// out; the command that opens one does the filling, and a preview button
// calls back into the command.

// "Twill Generator": one for the whole run, so it keeps its settings.
class TTwillDlg : public QDialog {
    Q_OBJECT
public:
    explicit TTwillDlg(QWidget* parent = nullptr);

    // Maximum Float runs 2..shafts-1; a larger value is lowered.
    void SetShafts(int shafts);
    int MaxFloat() const;
    bool Balanced() const;
    bool DirectionB() const;

    std::function<void()> OnTwill; // every press of Twill

private:
    QSpinBox* float_ = nullptr;
    QCheckBox* balanced_ = nullptr;
    QButtonGroup* direction_ = nullptr;
};

// "Satin - n Shafts": the moves that give a regular satin, and the move.
class TSatinDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSatinDlg(int shafts, QWidget* parent = nullptr);

    int Move() const;
    std::function<void()> OnPreview;

private:
    void ShowTexts();

    int shafts_;
    QLabel* moves_ = nullptr;
    QSpinBox* move_ = nullptr;
};

// "Tie-up Special Effects": five effects on the tie-up as it was when the
// dialog opened.
class TTieUpSpecialDlg : public QDialog {
    Q_OBJECT
public:
    explicit TTieUpSpecialDlg(const TieUpEffects& start, QWidget* parent = nullptr);

    TieUpEffects Effects() const;
    std::function<void()> OnPreview;

private:
    QCheckBox* boxes_[5] = {};
};

} // namespace hw
