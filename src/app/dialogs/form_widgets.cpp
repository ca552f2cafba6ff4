#include "dialogs/form_widgets.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
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

} // namespace hw
