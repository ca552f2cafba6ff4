#include "dialogs/num_dialog.h"

#include <QDialogButtonBox>
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
