#include "dialogs/new_dialog.h"

#include "model/limits.h"

#include "dialogs/form_widgets.h"
#include "help/context_help.h"
#include "platform/lang_binder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hw {

TNewDlg::TNewDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("TNewDlg");
    setWindowTitle("New Pattern");

    auto* size = new QGroupBox("Pattern Size", this);
    size->setObjectName("SizeGroup");
    spinends_ = Spin(size, "spinends", MinEnds, MaxEnds);
    spinpicks_ = Spin(size, "spinpicks", MinPicks, MaxPicks);
    auto* sizeLayout = new QGridLayout(size);
    sizeLayout->addWidget(Label(size, "LabelEnds", "Ends:", spinends_), 0, 0);
    sizeLayout->addWidget(spinends_, 0, 1);
    sizeLayout->addWidget(Label(size, "LabelPicks", "Picks:", spinpicks_), 1, 0);
    sizeLayout->addWidget(spinpicks_, 1, 1);

    SpinShaft_ = Spin(this, "SpinShaft", MinShafts, MaxShafts);
    SpinTr_ = Spin(this, "SpinTr", MinTreadles, MaxTreadles);
    labelShafts_ = Label(this, "LabelShafts", "Shafts:", SpinShaft_);
    labelTreadles_ = Label(this, "LabelTreadles", "Treadles:", SpinTr_);
    auto* counts = new QGridLayout;
    counts->addWidget(labelShafts_, 0, 0);
    counts->addWidget(SpinShaft_, 0, 1);
    counts->addWidget(labelTreadles_, 1, 0);
    counts->addWidget(SpinTr_, 1, 1);

    auto* shed = RadioGroup(this, "ShedGroup", "Shed", {"Rising", "Sinking"}, ShedGroup_);

    Palbox_ = Check(this, "Palbox", "Use default Color Palette");

    const auto [ok, cancel] = MakeOkCancel(this);
    QPushButton* help = MakeHelpButton(this, HelpContext, "&Help");

    auto* left = new QVBoxLayout;
    left->addWidget(size);
    left->addLayout(counts);
    left->addWidget(Palbox_);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(shed);
    right->addStretch();
    right->addWidget(ok);
    right->addWidget(cancel);
    right->addWidget(help);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);
    // The dialog follows its texts, which differ in length between languages.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    SetValues(NewPatternValues{}, true, true);
    new LangBinder(this, "TNewDlg");
}

void TNewDlg::SetValues(const NewPatternValues& v, bool showTreadles, bool sizesEnabled) {
    spinends_->setValue(v.Ends);
    spinpicks_->setValue(v.Picks);
    SpinShaft_->setValue(v.Shafts);
    SpinTr_->setValue(v.Treadles);
    ShedGroup_->button(v.Shed ? 1 : 0)->setChecked(true);
    Palbox_->setChecked(v.UseDefaultPalette);
    labelTreadles_->setVisible(showTreadles);
    SpinTr_->setVisible(showTreadles);
    labelShafts_->setEnabled(sizesEnabled);
    SpinShaft_->setEnabled(sizesEnabled);
    labelTreadles_->setEnabled(sizesEnabled);
    SpinTr_->setEnabled(sizesEnabled);
}

NewPatternValues TNewDlg::Values() const {
    NewPatternValues v;
    v.Ends = spinends_->value();
    v.Picks = spinpicks_->value();
    v.Shafts = SpinShaft_->value();
    v.Treadles = SpinTr_->value();
    v.Shed = ShedGroup_->checkedId() == 1;
    v.UseDefaultPalette = Palbox_->isChecked();
    return v;
}

bool ShowNewPattern(QWidget* parent, DraftState& d, ViewWindow& v, Settings& s,
                    NewPatternResult* result) {
    TNewDlg dlg(parent);
    dlg.SetValues(InitialNewPatternValues(s), NewPatternShowsTreadles(s),
                  NewPatternSizesEnabled(d, s));
    if (dlg.exec() != QDialog::Accepted) return false;
    const NewPatternResult r = ApplyNewPattern(d, v, s, dlg.Values());
    if (result) *result = r;
    return true;
}

} // namespace hw
