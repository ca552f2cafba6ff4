#pragma once

#include "model/draft_state.h"
#include "print/graphic_print.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace hw {

// File > Print: which ends and picks to print, and whether the notes go
// below the picture. The "To" labels show the last end and pick that will
// print, following every change.
class TPrintDraftDlg : public QDialog {
    Q_OBJECT
public:
    // The fields' bounds come from the draft's ends and picks.
    TPrintDraftDlg(const DraftState& d, QWidget* parent = nullptr);

    void SetValues(const PrintRange& range, bool notes);
    PrintRange Range() const;
    bool PrintNotes() const;

    QSpinBox* FromEnd() const { return fromEnd_; }
    QSpinBox* NumEnds() const { return numEnds_; }
    QSpinBox* FromPick() const { return fromPick_; }
    QSpinBox* NumPicks() const { return numPicks_; }
    QLabel* ToEnd() const { return toEnd_; }
    QLabel* ToPick() const { return toPick_; }

private:
    void ShowLast();

    const DraftState& d_;
    QSpinBox* fromEnd_ = nullptr;
    QSpinBox* numEnds_ = nullptr;
    QSpinBox* fromPick_ = nullptr;
    QSpinBox* numPicks_ = nullptr;
    QLabel* toEnd_ = nullptr;
    QLabel* toPick_ = nullptr;
    QCheckBox* notes_ = nullptr;
};

} // namespace hw
