#include "dialogs/paste_dialogs.h"

#include "dialogs/form_widgets.h"
#include "help/context_help.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"
#include "text/lang.h"

#include <QAbstractButton>
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

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

const char* AreaKey(SelArea a) {
    switch (a) {
    case SelArea::Threading:
        return "@idthr";
    case SelArea::Liftplan:
        return "@idlift";
    case SelArea::TieUp:
        return "@idtieup";
    case SelArea::Design:
        return "@idpattern";
    case SelArea::Treadling:
        return "@idtr";
    default:
        return "@idcolors";
    }
}

} // namespace

TPasteDlg::TPasteDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("TPasteDlg");
    SetHelpContext(this, help::PasteSpecial);

    auto* copies = new QGroupBox("Copies", this);
    copies->setObjectName("CopiesGroup");
    repSpin_ = Spin(copies, "RepSpin", 1, MaxPasteCopies);
    totalBox_ = Check(copies, "TotalBox", "Fill Remaining");
    auto* copiesLayout = new QGridLayout(copies);
    copiesLayout->addWidget(Label(copies, "RepLabel", "No. of Copies:", repSpin_), 0, 0);
    copiesLayout->addWidget(repSpin_, 0, 1);
    copiesLayout->addWidget(totalBox_, 1, 0, 1, 2);
    connect(totalBox_, &QCheckBox::toggled, repSpin_, &QWidget::setDisabled);

    insertBox_ = Check(this, "InsertBox", "Insert");
    negativeBox_ = Check(this, "NegativeBox", "Negative");
    rotateBox_ = Check(this, "Rotatebox", QString::fromUtf8("Rotate 90°"));
    flipHBox_ = Check(this, "FlipHbox", "Flip Horizontal");
    flipVBox_ = Check(this, "FlipVbox", "Flip Vertical");
    shiftSpin_ = Spin(this, "ShiftSpin", -16, 16);
    shiftLabel_ = Label(this, "ShiftLabel", "Advance:", shiftSpin_);
    auto* shift = new QHBoxLayout;
    shift->addWidget(shiftLabel_);
    shift->addWidget(shiftSpin_);
    shift->addStretch();

    auto* apply = new QPushButton("Preview", this);
    apply->setObjectName("ApplyBtn");
    connect(apply, &QPushButton::clicked, this, [this] {
        if (preview_) preview_(Options());
    });
    const auto [ok, cancel] = MakeOkCancel(this);
    QPushButton* help = MakeHelpButton(this, help::PasteSpecial, "&Help");

    auto* left = new QVBoxLayout;
    left->addWidget(copies);
    for (QWidget* w : std::initializer_list<QWidget*>{insertBox_, negativeBox_, rotateBox_,
                                                      flipHBox_, flipVBox_})
        left->addWidget(w);
    left->addLayout(shift);
    left->addStretch();
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {apply, ok, cancel, help}) buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Prepare(area_, MaxShafts, {});
    new LangBinder(this, "TPasteDlg", [this] { ShowCaption(); });
}

void TPasteDlg::ShowCaption() {
    setWindowTitle(
        Q(GetText("TPasteDlg", "@pspecial") + " - " + GetText(GeneralForm, AreaKey(area_))));
}

void TPasteDlg::Prepare(SelArea area, int count, const PasteOptions& o) {
    area_ = area;
    const bool values = area == SelArea::Threading || area == SelArea::Treadling;
    const bool colors = area == SelArea::WarpColors || area == SelArea::WeftColors;
    insertBox_->setVisible(values || colors);
    negativeBox_->setVisible(!values && !colors);
    rotateBox_->setVisible(!values && !colors);
    flipHBox_->setVisible(area != SelArea::WeftColors);
    flipVBox_->setVisible(area != SelArea::WarpColors);
    shiftLabel_->setVisible(values);
    shiftSpin_->setVisible(values);
    // Advance moves by less than a whole turn of the shafts (treadles).
    const int reach = std::clamp(count - 1, 0, 16);
    shiftSpin_->setRange(-reach, reach);
    shiftSpin_->setValue(std::abs(o.Advance) <= reach ? o.Advance : 0);
    repSpin_->setValue(o.Copies);
    totalBox_->setChecked(o.FillRemaining);
    if (area == SelArea::TieUp) {
        repSpin_->setValue(1);
        totalBox_->setChecked(false);
    }
    repSpin_->setEnabled(!totalBox_->isChecked());
    insertBox_->setChecked(o.Insert);
    negativeBox_->setChecked(o.Negative);
    rotateBox_->setChecked(o.Rotate);
    flipHBox_->setChecked(o.FlipHorizontal);
    flipVBox_->setChecked(o.FlipVertical);
    ShowCaption();
}

PasteOptions TPasteDlg::Options(bool shownOnly) const {
    auto chosen = [&](const QWidget* w, bool value) {
        return (!shownOnly || w->isVisibleTo(this)) && value;
    };
    PasteOptions o;
    o.Copies = repSpin_->value();
    o.FillRemaining = totalBox_->isChecked();
    o.Insert = chosen(insertBox_, insertBox_->isChecked());
    o.Negative = chosen(negativeBox_, negativeBox_->isChecked());
    o.Rotate = chosen(rotateBox_, rotateBox_->isChecked());
    o.FlipHorizontal = chosen(flipHBox_, flipHBox_->isChecked());
    o.FlipVertical = chosen(flipVBox_, flipVBox_->isChecked());
    o.Advance = !shownOnly || shiftSpin_->isVisibleTo(this) ? shiftSpin_->value() : 0;
    return o;
}

bool TPasteDlg::Execute(SelArea area, int count, PasteOptions& options,
                        const std::function<void(const PasteOptions&)>& preview) {
    Prepare(area, count, options);
    preview_ = preview;
    const bool ok = exec() == QDialog::Accepted;
    preview_ = nullptr;
    // Every choice is kept for next time, also those this area hides.
    options = Options(false);
    return ok;
}

TSelectDlg::TSelectDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("TSelectDlg");
    SetHelpContext(this, help::SelectAndCopy);
    group_ = RadioGroup(this, "SelectGroup", "Select In",
                        {"Threading", "Treadling", "Warp Colors", "Weft Colors"}, items_);
    from_ = Spin(this, "FromSpin", 1, MaxEnds);
    to_ = Spin(this, "ToSpin", 1, MaxEnds);
    auto* fields = new QGridLayout;
    fields->addWidget(Label(this, "FromLabel", "From:", from_), 0, 0);
    fields->addWidget(from_, 0, 1);
    fields->addWidget(Label(this, "ToLabel", "To:", to_), 1, 0);
    fields->addWidget(to_, 1, 1);
    connect(items_, &QButtonGroup::idClicked, this, &TSelectDlg::ItemChosen);
    connect(from_, &QSpinBox::valueChanged, this, [this](int v) {
        if (to_->value() < v) to_->setValue(v);
    });

    auto* copy = new QPushButton("Copy to Clipboard", this);
    copy->setObjectName("CopyBtn");
    copy->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelBtn");
    connect(copy, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(group_);
    left->addLayout(fields);
    left->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Prepare({}, MaxEnds, MaxPicks, false);
    // The second item names what the loom weaves from.
    new LangBinder(this, "TSelectDlg", [this] {
        items_->button(1)->setText(Q(GetText("TSelectDlg", liftplan_ ? "@lift" : "@tr")));
    });
}

void TSelectDlg::ItemChosen(int item) {
    const int maximum = item == 0 || item == 2 ? ends_ : picks_;
    from_->setMaximum(maximum);
    to_->setMaximum(maximum);
    if (to_->value() < from_->value()) to_->setValue(from_->value());
}

void TSelectDlg::Prepare(const SelectChoice& c, int ends, int picks, bool liftplan) {
    ends_ = std::max(ends, 1), picks_ = std::max(picks, 1), liftplan_ = liftplan;
    items_->button(1)->setText(Q(GetText("TSelectDlg", liftplan ? "@lift" : "@tr")));
    const int item = std::clamp(c.Item, 0, 3);
    Select(items_, item);
    from_->setMaximum(MaxEnds), to_->setMaximum(MaxEnds);
    from_->setValue(c.From);
    to_->setValue(c.To);
    ItemChosen(item);
}

SelectChoice TSelectDlg::Choice() const {
    return {std::max(items_->checkedId(), 0), from_->value(), to_->value()};
}

bool TSelectDlg::Execute(SelectChoice& choice, int ends, int picks, bool liftplan) {
    Prepare(choice, ends, picks, liftplan);
    from_->setFocus();
    if (exec() != QDialog::Accepted) return false;
    choice = Choice();
    if (choice.From > choice.To) std::swap(choice.From, choice.To);
    return true;
}

} // namespace hw
