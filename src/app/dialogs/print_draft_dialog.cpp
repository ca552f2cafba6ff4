#include "dialogs/print_draft_dialog.h"

#include "dialogs/form_widgets.h"
#include "help/context_help.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"
#include "text/lang.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace hw {

TPrintDraftDlg::TPrintDraftDlg(const DraftState& d, QWidget* parent) : QDialog(parent), d_(d) {
    setObjectName("TPrintDraftDlg");
    setWindowTitle(QStringLiteral("Print Draft"));
    SetHelpContext(this, help::PrintDraft);
    const int ends = std::clamp<int>(d.Ends, 2, MaxEnds),
              picks = std::clamp<int>(d.Picks, 2, MaxPicks);
    fromEnd_ = Spin(this, "FromEndEdit", 1, std::max(1, ends - 2));
    numEnds_ = Spin(this, "NumEndsEdit", 0, ends);
    fromPick_ = Spin(this, "FromPickEdit", 1, std::max(1, picks - 2));
    numPicks_ = Spin(this, "NumPicksEdit", 1, picks);
    toEnd_ = new QLabel(this);
    toEnd_->setObjectName("ToEndLabel");
    toPick_ = new QLabel(this);
    toPick_->setObjectName("ToPickLabel");
    notes_ = Check(this, "NoteCheck", QStringLiteral("Print Note below the image"));
    notes_->setChecked(true);
    for (QSpinBox* spin : {fromEnd_, numEnds_, fromPick_, numPicks_})
        connect(spin, &QSpinBox::valueChanged, this, &TPrintDraftDlg::ShowLast);

    auto* grid = new QGridLayout;
    grid->addWidget(Label(this, "Label1", QStringLiteral("From End:"), fromEnd_), 0, 0);
    grid->addWidget(fromEnd_, 0, 1);
    grid->addWidget(Label(this, "Label2", QStringLiteral("No. of Ends:"), numEnds_), 1, 0);
    grid->addWidget(numEnds_, 1, 1);
    grid->addWidget(toEnd_, 2, 0, 1, 2);
    grid->addWidget(Label(this, "Label3", QStringLiteral("From Pick:"), fromPick_), 0, 2);
    grid->addWidget(fromPick_, 0, 3);
    grid->addWidget(Label(this, "Label4", QStringLiteral("No. of Picks:"), numPicks_), 1, 2);
    grid->addWidget(numPicks_, 1, 3);
    grid->addWidget(toPick_, 2, 2, 1, 2);
    grid->setColumnMinimumWidth(1, 0);
    grid->setHorizontalSpacing(12);
    QHBoxLayout* row = OkCancelRow(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(notes_);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    fromEnd_->setFocus();
    new LangBinder(this, "TPrintDraftDlg", [this] { ShowLast(); });
}

void TPrintDraftDlg::SetValues(const PrintRange& range, bool notes) {
    fromEnd_->setValue(range.FirstEnd);
    numEnds_->setValue(range.Ends);
    fromPick_->setValue(range.FirstPick);
    numPicks_->setValue(range.Picks);
    notes_->setChecked(notes);
    fromEnd_->selectAll();
    ShowLast();
}

PrintRange TPrintDraftDlg::Range() const {
    return ClampPrintRange(
        d_, {fromEnd_->value(), numEnds_->value(), fromPick_->value(), numPicks_->value()});
}

bool TPrintDraftDlg::PrintNotes() const {
    return notes_->isChecked();
}

// The last end and pick the print will show, within the draft.
void TPrintDraftDlg::ShowLast() {
    const PrintRange r = Range();
    toEnd_->setText(QString::fromStdString(GetText("TPrintDraftDlg", "@toend")) + " " +
                    QString::number(r.FirstEnd + r.Ends - 1));
    toPick_->setText(QString::fromStdString(GetText("TPrintDraftDlg", "@topick")) + " " +
                     QString::number(r.FirstPick + r.Picks - 1));
}

} // namespace hw
