#include "dialogs/range_dialogs.h"

#include "dialogs/form_widgets.h"
#include "help/context_help.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"
#include "text/lang.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hw {

namespace {

QString Text(const std::string& form, const std::string& key, const std::string& suffix = {}) {
    return QString::fromStdString(GetText(form, key) + suffix);
}

QString Caption(const RangeTexts& t) {
    if (t.Caption2.empty()) return Text(t.Form, t.Caption);
    return Text(t.Form, t.Caption, t.Joiner) + Text(t.Form, t.Caption2);
}

} // namespace

TwoNumberDialog::TwoNumberDialog(QWidget* parent, const RangeTexts& texts, const char* name)
    : QDialog(parent), texts_(texts) {
    setObjectName(name);
    // Four digits fit the fields.
    const TwoFields f = MakeTwoFields(this, 1, 9999);
    label1_ = f.Label1, spin1_ = f.Spin1, label2_ = f.Label2, spin2_ = f.Spin2;
    rows_ = new QVBoxLayout(this);
    rows_->addLayout(f.Grid);
    rows_->setSizeConstraint(QLayout::SetFixedSize);
}

void TwoNumberDialog::SetTexts(const RangeTexts& texts) {
    texts_ = texts;
    ShowTexts();
}

void TwoNumberDialog::ShowTexts() {
    if (texts_.Form.empty()) return;
    setWindowTitle(Caption(texts_));
    label1_->setText(Text(texts_.Form, texts_.First, texts_.Suffix));
    label2_->setText(Text(texts_.Form, texts_.Second, texts_.Suffix));
}

TDlgNum2::TDlgNum2(QWidget* parent, const RangeTexts& texts)
    : TwoNumberDialog(parent, texts, "TDlgNum2") {
    SetHelpContext(this, texts.Help ? texts.Help : help::InsertDelete);
    QHBoxLayout* buttons = OkCancelRow(this);
    Rows()->addLayout(buttons);
    new LangBinder(this, "TDlgNum2", [this] { ShowTexts(); });
}

bool TDlgNum2::Ask(QWidget* parent, const RangeTexts& texts, int min1, int max1, int min2, int max2,
                   int& first, int& second) {
    TDlgNum2 dialog(parent, texts);
    dialog.spin1_->setRange(min1, std::max(min1, max1));
    dialog.spin2_->setRange(min2, std::max(min2, max2));
    dialog.spin1_->setValue(first);
    dialog.spin2_->setValue(second);
    dialog.spin1_->selectAll();
    dialog.spin1_->setFocus();
    if (dialog.exec() != QDialog::Accepted) return false;
    first = dialog.spin1_->value();
    second = dialog.spin2_->value();
    return true;
}

TDlgFlo2::TDlgFlo2(QWidget* parent, const RangeTexts& texts)
    : TwoNumberDialog(parent, texts, "TDlgFlo2") {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    SetHelpContext(this, help::SwitchShaftsTreadles);
    switch_ = new QPushButton("Switch", this);
    switch_->setObjectName("SwitchBtn");
    switch_->setDefault(true);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("CloseBtn");
    connect(switch_, &QPushButton::clicked, this, [this] {
        if (doSwitch_) doSwitch_(spin1_->value(), spin2_->value());
        spin2_->setFocus();
        spin2_->selectAll();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(switch_);
    buttons->addWidget(close);
    Rows()->addLayout(buttons);
    new LangBinder(this, "TDlgFlo2", [this] { ShowTexts(); });
}

void TDlgFlo2::Execute(const RangeTexts& texts, int maximum, int first, int second, bool nearTop,
                       const std::function<void(int, int)>& doSwitch) {
    SetTexts(texts);
    spin1_->setRange(1, maximum);
    spin2_->setRange(1, maximum);
    spin1_->setValue(first);
    spin2_->setValue(second);
    doSwitch_ = doSwitch;
    // Clear of the threading and tie-up, so the switches can be watched.
    adjustSize();
    if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen()) {
        const QRect area = screen->availableGeometry();
        const int x = area.x() + (area.width() - frameGeometry().width()) / 2;
        const int fifth = area.height() / 5;
        move(x, nearTop ? area.y() + fifth
                        : area.y() + area.height() - fifth - frameGeometry().height());
    }
    spin1_->setFocus();
    spin1_->selectAll();
    exec();
    doSwitch_ = nullptr;
}

} // namespace hw
