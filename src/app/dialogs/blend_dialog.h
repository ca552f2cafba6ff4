#pragma once

#include <QDialog>

class QButtonGroup;

namespace hw {

// "Blend Liftplan": how a loaded liftplan is combined with the current one.
class BlendDialog : public QDialog {
    Q_OBJECT
public:
    explicit BlendDialog(QWidget* parent = nullptr);

    // Shows the dialog with "Append" chosen; 0 for Cancel, else the chosen
    // item's index + 1 (1 Append, 2 Add, 3 Invert, 4 Subtract).
    int Execute();
    // The chosen item's index + 1.
    int ChosenItem() const;
    // Chooses the first item again (Execute does this first).
    void Reset();

private:
    QButtonGroup* items_;
};

} // namespace hw
