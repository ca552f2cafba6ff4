#include "dialogs/num_dialog.h"

#include "dialogs/form_widgets.h"
#include "platform/lang_binder.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hw {

TDlgNum1::TDlgNum1(QWidget* parent) : QDialog(parent) {
    setObjectName("TDlgNum1");
    label_ = new QLabel(this);
    label_->setObjectName("Label1");
    spin_ = new QSpinBox(this);
    spin_->setObjectName("SpinEdit1");
    label_->setBuddy(spin_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(label_);
    row->addWidget(spin_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TDlgNum1::Ask(QWidget* parent, const QString& caption, const QString& label, int minimum,
                   int maximum, int& value) {
    TDlgNum1 dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.label_->setText(label);
    dialog.spin_->setRange(minimum, maximum);
    dialog.spin_->setValue(value);
    dialog.spin_->selectAll();
    dialog.spin_->setFocus();
    if (dialog.exec() != QDialog::Accepted) return false;
    value = dialog.spin_->value();
    return true;
}

} // namespace hw

namespace hw {

TDlgNum2::TDlgNum2(QWidget* parent) : QDialog(parent) {
    setObjectName("TDlgNum2");
    auto* form = new QFormLayout;
    for (int k = 0; k < 2; ++k) {
        spin_[k] = Spin(this, k ? "SpinEdit2" : "SpinEdit1", 0, 9999);
        label_[k] = Label(this, k ? "Label2" : "Label1", QString(), spin_[k]);
        form->addRow(label_[k], spin_[k]);
    }
    const OkCancel buttons = MakeOkCancel(this);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(buttons.Ok);
    row->addWidget(buttons.Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    new LangBinder(this, "TDlgNum2");
}

bool TDlgNum2::Ask(QWidget* parent, const QString& caption, const QString& label1,
                   const QString& label2, int min1, int max1, int min2, int max2, int& value1,
                   int& value2) {
    TDlgNum2 dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.label_[0]->setText(label1);
    dialog.label_[1]->setText(label2);
    dialog.spin_[0]->setRange(std::max(min1, 0), std::min(max1, 9999));
    dialog.spin_[1]->setRange(std::max(min2, 0), std::min(max2, 9999));
    dialog.spin_[0]->setValue(value1);
    dialog.spin_[1]->setValue(value2);
    dialog.spin_[0]->selectAll();
    dialog.spin_[0]->setFocus();
    if (dialog.exec() != QDialog::Accepted) return false;
    value1 = dialog.spin_[0]->value();
    value2 = dialog.spin_[1]->value();
    return true;
}

} // namespace hw
