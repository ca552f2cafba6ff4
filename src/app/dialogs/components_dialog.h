#pragma once

#include "files/pattern_file.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace hw {

// "Load components": which parts of another pattern Open Components takes.
// The boxes keep their state for the whole run; a disabled box counts as
// unchecked.
class ComponentsDialog : public QDialog {
    Q_OBJECT
public:
    // Results of Execute().
    enum { CancelResult = 0, OkResult = 1, BlendResult = 2 };

    explicit ComponentsDialog(QWidget* parent = nullptr);

    // Enables the boxes for the draft and shows the dialog modally.
    int Execute(const ComponentEnabling& enabled);
    // The enabling without showing (Execute does this first).
    void Prepare(const ComponentEnabling& enabled);
    // The load flags of the ticked, enabled boxes; the general flag is off.
    LoadFlags CheckedFlags() const;

private slots:
    void BlendBtnClick();

private:
    QCheckBox* AddBox(const char* name, const char* text);

    QCheckBox* threading_;
    QCheckBox* liftplan_;
    QCheckBox* treadling_;
    QCheckBox* tieUp_;
    QCheckBox* palette_;
    QCheckBox* warpColors_;
    QCheckBox* weftColors_;
    QCheckBox* transUnits_;
    QCheckBox* note_;
    QPushButton* blend_;
};

// The Open Components question the loader asks mid-way, answered by the two
// dialogs: the components, or (after "Blend Liftplan...") a blend mode.
class DialogComponentChooser : public ComponentChooser {
public:
    DialogComponentChooser(ComponentsDialog& components, class BlendDialog& blend)
        : components_(components), blend_(blend) {}
    ComponentChoice Choose(const ComponentEnabling& enabled) override;

private:
    ComponentsDialog& components_;
    BlendDialog& blend_;
};

} // namespace hw
