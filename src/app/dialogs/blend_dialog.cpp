#include "dialogs/blend_dialog.h"

#include "platform/lang_binder.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace hw {

BlendDialog::BlendDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("TBlendDlg");
    setWindowTitle("Blend Liftplan");
    setModal(true);

    auto* group = new QGroupBox("Blend", this);
    group->setObjectName("BlendGroup");
    auto* column = new QVBoxLayout(group);
    items_ = new QButtonGroup(this);
    int id = 1;
    for (const char* text : {"Append", "Add", "Invert", "Subtract"}) {
        auto* radio = new QRadioButton(text, group);
        radio->setObjectName(QString("BlendItem%1").arg(id));
        items_->addButton(radio, id++);
        column->addWidget(radio);
    }

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelBtn");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    Reset();
    new LangBinder(this, "TBlendDlg");
}

void BlendDialog::Reset() {
    items_->button(1)->setChecked(true);
}

int BlendDialog::ChosenItem() const {
    return std::max(items_->checkedId(), 1);
}

int BlendDialog::Execute() {
    Reset();
    return exec() == QDialog::Accepted ? ChosenItem() : 0;
}

} // namespace hw
