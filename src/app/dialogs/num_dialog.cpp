#include "dialogs/num_dialog.h"

#include "dialogs/form_widgets.h"
#include "help/context_help.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"
#include "text/lang.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace hw {

TDlgNum1::TDlgNum1(QWidget* parent, const RangeTexts& texts) : QDialog(parent), texts_(texts) {
    setObjectName("TDlgNum1");
    SetHelpContext(this, help::Zoom);
    spin_ = Spin(this, "SpinEdit1", 1, 9999);
    label_ = Label(this, "Label1", "", spin_);
    auto* row = new QHBoxLayout;
    row->addWidget(label_);
    row->addWidget(spin_);
    QHBoxLayout* buttons = OkCancelRow(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    new LangBinder(this, "TDlgNum1", [this] { ShowTexts(); });
}

void TDlgNum1::ShowTexts() {
    if (texts_.Form.empty()) return;
    setWindowTitle(QString::fromStdString(GetText(texts_.Form, texts_.Caption)));
    label_->setText(QString::fromStdString(GetText(texts_.Form, texts_.First) + texts_.Suffix));
}

bool TDlgNum1::Ask(QWidget* parent, const RangeTexts& texts, int minimum, int maximum, int& value) {
    TDlgNum1 dialog(parent, texts);
    dialog.spin_->setRange(minimum, std::max(minimum, maximum));
    dialog.spin_->setValue(value);
    dialog.spin_->selectAll();
    dialog.spin_->setFocus();
    if (dialog.exec() != QDialog::Accepted) return false;
    value = dialog.spin_->value();
    return true;
}

} // namespace hw
