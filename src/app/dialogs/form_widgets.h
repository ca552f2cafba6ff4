#pragma once

#include <QString>
#include <QStringList>
#include <Qt>

class QButtonGroup;
class QCheckBox;
class QDialog;
class QPushButton;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QSpinBox;
class QWidget;

namespace hw {

// Dialog controls named as the translation tables name them.

// A titled group of radio buttons; the group box carries the name the
// translation table uses, the buttons (named name0, name1, ...) follow in
// item order with their index as id, one below the other or side by side.
QGroupBox* RadioGroup(QWidget* parent, const char* name, const QString& title,
                      const QStringList& items, QButtonGroup*& group,
                      Qt::Orientation orientation = Qt::Vertical);
QSpinBox* Spin(QWidget* parent, const char* name, int lo, int hi);
// A label for buddy, so its accelerator focuses the buddy.
QLabel* Label(QWidget* parent, const char* name, const QString& text, QWidget* buddy);
QCheckBox* Check(QWidget* parent, const char* name, const QString& text);
// A button that Enter does not press.
QPushButton* Button(QWidget* parent, const char* name, const QString& text);
// Checks button index of a group (nothing when there is none).
void Select(QButtonGroup* group, int index);
// Unchecks every button of an exclusive group.
void SelectNone(QButtonGroup* group);

// Two labelled number fields on two rows ("Label1" and "SpinEdit1" above
// "Label2" and "SpinEdit2"), their labels set later from a table.
struct TwoFields {
    QLabel* Label1;
    QSpinBox* Spin1;
    QLabel* Label2;
    QSpinBox* Spin2;
    QGridLayout* Grid;
};
TwoFields MakeTwoFields(QWidget* parent, int lo, int hi);

// The default "OK" button (accepts) and "Cancel" (rejects).
struct OkCancel {
    QPushButton* Ok;
    QPushButton* Cancel;
};
OkCancel MakeOkCancel(QDialog* dialog);
// The same two at the right of a row.
QHBoxLayout* OkCancelRow(QDialog* dialog);

} // namespace hw
