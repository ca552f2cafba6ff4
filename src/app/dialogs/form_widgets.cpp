#include "dialogs/form_widgets.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace hw {

QGroupBox* RadioGroup(QWidget* parent, const char* name, const QString& title,
                      const QStringList& items, QButtonGroup*& group, Qt::Orientation orientation) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    auto* layout = new QBoxLayout(
        orientation == Qt::Vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, box);
    group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], box);
        b->setObjectName(QString(name) + QString::number(i));
        layout->addWidget(b);
        group->addButton(b, i);
    }
    return box;
}

QSpinBox* Spin(QWidget* parent, const char* name, int lo, int hi) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(lo, hi);
    return s;
}

QLabel* Label(QWidget* parent, const char* name, const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setBuddy(buddy);
    return l;
}

QCheckBox* Check(QWidget* parent, const char* name, const QString& text) {
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(name);
    return c;
}

void Select(QButtonGroup* group, int index) {
    if (QAbstractButton* b = group->button(index)) b->setChecked(true);
}

void SelectNone(QButtonGroup* group) {
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons()) b->setChecked(false);
    group->setExclusive(true);
}

OkCancel MakeOkCancel(QDialog* dialog) {
    auto* ok = new QPushButton("OK", dialog);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", dialog);
    cancel->setObjectName("CancelBtn");
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return {ok, cancel};
}

TwoFields MakeTwoFields(QWidget* parent, int lo, int hi) {
    TwoFields f;
    f.Spin1 = Spin(parent, "SpinEdit1", lo, hi);
    f.Spin2 = Spin(parent, "SpinEdit2", lo, hi);
    f.Label1 = Label(parent, "Label1", "", f.Spin1);
    f.Label2 = Label(parent, "Label2", "", f.Spin2);
    f.Grid = new QGridLayout;
    f.Grid->addWidget(f.Label1, 0, 0);
    f.Grid->addWidget(f.Spin1, 0, 1);
    f.Grid->addWidget(f.Label2, 1, 0);
    f.Grid->addWidget(f.Spin2, 1, 1);
    return f;
}

QHBoxLayout* OkCancelRow(QDialog* dialog) {
    const auto [ok, cancel] = MakeOkCancel(dialog);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace hw
