#include "dialogs/fill_dialogs.h"

#include "dialogs/form_widgets.h"
#include "help/context_help.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"
#include "text/lang.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hw {

namespace {

QPushButton* Button(QDialog* dialog, const char* name, const QString& text,
                    const std::function<void()>& onClick) {
    QPushButton* b = hw::Button(dialog, name, text);
    QObject::connect(b, &QPushButton::clicked, dialog, onClick);
    return b;
}

// The controls at the left, the buttons one below the other at the right.
void Arrange(QDialog* dialog, QLayout* controls, const QList<QPushButton*>& buttons) {
    auto* right = new QVBoxLayout;
    for (QPushButton* b : buttons) right->addWidget(b);
    right->addStretch();
    auto* layout = new QHBoxLayout(dialog);
    layout->addLayout(controls);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace

TTwillDlg::TTwillDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("TTwillDlg");
    setWindowTitle("Twill Generator");
    SetHelpContext(this, help::TwillGenerator);
    float_ = Spin(this, "SpinFloat", 2, 15);
    float_->setValue(5);
    balanced_ = Check(this, "BalancedBox", "&Balanced");
    balanced_->setChecked(true);
    QGroupBox* direction = RadioGroup(this, "DirectionGroup", "Twill Direction", {"A", "B"},
                                      direction_, Qt::Horizontal);
    Select(direction_, 0);

    auto* controls = new QGridLayout;
    controls->addWidget(Label(this, "LabelFloat", "Maximum &Float:", float_), 0, 0);
    controls->addWidget(float_, 0, 1);
    controls->addWidget(balanced_, 1, 0, 1, 2);
    controls->addWidget(direction, 2, 0, 1, 2);
    const auto [ok, cancel] = MakeOkCancel(this);
    Arrange(this, controls,
            {ok,
             Button(this, "TwillBtn", "&Twill",
                    [this] {
                        if (OnTwill) OnTwill();
                    }),
             cancel});
    new LangBinder(this, "TTwillDlg");
}

void TTwillDlg::SetShafts(int shafts) {
    float_->setMaximum(std::max(2, shafts - 1));
}

int TTwillDlg::MaxFloat() const {
    return float_->value();
}

bool TTwillDlg::Balanced() const {
    return balanced_->isChecked();
}

bool TTwillDlg::DirectionB() const {
    return direction_->checkedId() == 1;
}

TSatinDlg::TSatinDlg(int shafts, QWidget* parent) : QDialog(parent), shafts_(shafts) {
    setObjectName("TSatinDlg");
    moves_ = new QLabel(this);
    moves_->setObjectName("MovesText");
    move_ = Spin(this, "SpinMove", 1, std::max(1, shafts - 1));
    move_->setValue(1);

    auto* controls = new QGridLayout;
    controls->addWidget(Label(this, "LabelPossible", "Possible satin move numbers:", nullptr), 0, 0,
                        1, 2);
    controls->addWidget(moves_, 1, 0, 1, 2);
    controls->addWidget(Label(this, "LabelMove", "&Move:", move_), 2, 0);
    controls->addWidget(move_, 2, 1);
    const auto [ok, cancel] = MakeOkCancel(this);
    Arrange(this, controls,
            {Button(this, "PreviewBtn", "&Preview",
                    [this] {
                        if (OnPreview) OnPreview();
                    }),
             ok, cancel, MakeHelpButton(this, help::Satin, "&Help")});
    new LangBinder(this, "TSatinDlg", [this] { ShowTexts(); });
}

void TSatinDlg::ShowTexts() {
    setWindowTitle(QString("%1 - %2 %3")
                       .arg(QString::fromStdString(GetText("TSatinDlg", "@satin")))
                       .arg(shafts_)
                       .arg(QString::fromStdString(GetText(GeneralForm, "@idshafts"))));
    const std::string moves = SatinMoves(shafts_);
    moves_->setText(QString::fromStdString(moves.empty() ? GetText("TSatinDlg", "@none") : moves));
}

int TSatinDlg::Move() const {
    return move_->value();
}

TTieUpSpecialDlg::TTieUpSpecialDlg(const TieUpEffects& start, QWidget* parent) : QDialog(parent) {
    setObjectName("TTieUpSpecialDlg");
    setWindowTitle("Tie-up Special Effects");
    SetHelpContext(this, help::TieUpSpecial);
    const char* names[5] = {"TwillBox1", "TwillBox2", "FlipHBox", "FlipVBox", "RotateBox"};
    const char* texts[5] = {"Make Twill from &Shaft 1", "Make Twill from Shaft 1 &and Treadle 1",
                            "Flip &Horizontal", "Flip &Vertical", "&Rotate 90°"};
    const bool on[5] = {start.TwillFromShaft1, start.TwillFromShaft1AndTreadle1,
                        start.FlipHorizontal, start.FlipVertical, start.Rotate90};
    auto* controls = new QVBoxLayout;
    for (int i = 0; i < 5; ++i) {
        boxes_[i] = Check(this, names[i], QString::fromUtf8(texts[i]));
        boxes_[i]->setChecked(on[i] && !(i == 1 && on[0]));
        controls->addWidget(boxes_[i]);
    }
    // The two twills exclude each other.
    for (int i = 0; i < 2; ++i)
        connect(boxes_[i], &QCheckBox::toggled, this, [this, i](bool checked) {
            if (checked) boxes_[1 - i]->setChecked(false);
        });
    const auto [ok, cancel] = MakeOkCancel(this);
    Arrange(this, controls,
            {Button(this, "PreviewBtn", "&Preview",
                    [this] {
                        if (OnPreview) OnPreview();
                    }),
             ok, cancel});
    new LangBinder(this, "TTieUpSpecialDlg");
}

TieUpEffects TTieUpSpecialDlg::Effects() const {
    return {boxes_[0]->isChecked(), boxes_[1]->isChecked(), boxes_[2]->isChecked(),
            boxes_[3]->isChecked(), boxes_[4]->isChecked()};
}

} // namespace hw
