#include "dialogs/wif_dialog.h"

#include "dialogs/form_widgets.h"
#include "help/context_help.h"
#include "model/limits.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hw {

TWifdlg::TWifdlg(int repeatEnds, int repeatPicks, int fullEnds, int fullPicks, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TWifdlg");
    setWindowTitle(QStringLiteral("WIF Save"));
    SetHelpContext(this, help::WifSave);
    ends_ = Spin(this, "Endspin", 1, MaxEnds);
    picks_ = Spin(this, "Pickspin", 1, MaxPicks);
    auto* repeat = new QPushButton(QStringLiteral("Repeat"), this);
    repeat->setObjectName("Repbtn");
    repeat->setAutoDefault(false);
    auto* full = new QPushButton(QStringLiteral("Full Length"), this);
    full->setObjectName("Fullbtn");
    full->setAutoDefault(false);
    both_ = Check(this, "Bothbox", QStringLiteral("Save both in Tie-up and Dobby format"));
    connect(repeat, &QPushButton::clicked, this, [=, this] {
        ends_->setValue(repeatEnds);
        picks_->setValue(repeatPicks);
    });
    connect(full, &QPushButton::clicked, this, [=, this] {
        ends_->setValue(fullEnds);
        picks_->setValue(fullPicks);
    });
    QHBoxLayout* row = OkCancelRow(this);

    auto* grid = new QGridLayout;
    grid->addWidget(Label(this, "Label1", QStringLiteral("Ends:"), ends_), 0, 0);
    grid->addWidget(ends_, 0, 1);
    grid->addWidget(repeat, 0, 2);
    grid->addWidget(Label(this, "Label2", QStringLiteral("Picks:"), picks_), 1, 0);
    grid->addWidget(picks_, 1, 1);
    grid->addWidget(full, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(both_);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ends_->setFocus();
    new LangBinder(this, "TWifdlg");
}

void TWifdlg::SetValues(const Values& v) {
    ends_->setValue(v.Ends);
    picks_->setValue(v.Picks);
    both_->setChecked(v.Both);
    ends_->selectAll();
}

TWifdlg::Values TWifdlg::GetValues() const {
    return {ends_->value(), picks_->value(), both_->isChecked()};
}

} // namespace hw
