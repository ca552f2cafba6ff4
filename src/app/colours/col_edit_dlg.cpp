#include "colours/col_edit_dlg.h"

#include "colours/color_box.h"
#include "dialogs/form_widgets.h"
#include "dialogs/options_dialog.h"
#include "help/context_help.h"
#include "model/palette.h"
#include "model/primitives.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"
#include "text/lang.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace hw {

namespace {

constexpr int GridSide = 256;

QColor Q(const PaletteEntry& e) {
    return QColor(e.Red, e.Green, e.Blue);
}

QString Text(const char* key) {
    return QString::fromStdString(GetText(TColEditDlg::FormName, key));
}

} // namespace

TColEditDlg::TColEditDlg(const Entries& palette, int display, int selected, QWidget* parent)
    : QDialog(parent), original_(palette), palette_(palette) {
    setObjectName(FormName);
    setWindowTitle(QStringLiteral("Edit Colors"));
    SetHelpContext(this, help::EditColors);

    // The grid, with the row buttons to its left beside its rows 1..7.
    gridArea_ = new QWidget(this);
    grid_ = new TColorBox(gridArea_);
    grid_->setObjectName("EdColorBox");
    grid_->SetShowFocus(true);
    grid_->SetSpacing(2);
    for (int k = 0; k < 7; ++k) {
        rows_[k] = new QToolButton(gridArea_);
        rows_[k]->setObjectName(QString("SpeedButton%1").arg(k + 1));
        rows_[k]->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
        rows_[k]->setFocusPolicy(Qt::NoFocus);
        rowButtonWidth_ = std::max(rowButtonWidth_, rows_[k]->sizeHint().width());
        connect(rows_[k], &QToolButton::clicked, this, [this, k] {
            if (ExchangePaletteRows(palette_, k + 1, PaletteColumns(display_))) Apply(true);
        });
    }
    gridArea_->setFixedSize(rowButtonWidth_ + 4 + GridSide, GridSide);
    grid_->setGeometry(rowButtonWidth_ + 4, 0, GridSide, GridSide);

    size_ = new QComboBox(this);
    size_->setObjectName("SizeCombo");
    size_->addItems({"16 Colors", "64 Colors", "256 Colors"});
    colPanel_ = new ColorPanel(this);
    colPanel_->setObjectName("ColPanel");
    colPanel_->setFixedSize(64, 40);
    auto* slotGrid = new QGridLayout;
    for (int k = 0; k < 2; ++k) {
        slotPanels_[k] = new ColorPanel(this);
        slotPanels_[k]->setObjectName(QString("Panel%1").arg(k + 1));
        slotPanels_[k]->setFixedSize(40, 24);
        slotLabels_[k] = new QLabel(this);
        slotLabels_[k]->setObjectName(QString("SlotLabel%1").arg(k + 1));
        slotLabels_[k]->setMinimumWidth(fontMetrics().horizontalAdvance("888") + 4);
        slotGrid->addWidget(slotPanels_[k], k, 0);
        slotGrid->addWidget(slotLabels_[k], k, 1);
        connect(slotPanels_[k], &ColorPanel::clicked, this, [this, k] {
            slots_[k] = selected_;
            ShowAll();
        });
    }
    auto button = [this](const char* name, const char* text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* switchBtn = button("SwitchBtn", "Switch");
    QPushButton* copyBtn = button("CopyBtn", "Copy");
    QPushButton* blendBtn = button("BlendBtn", "Blend");
    QPushButton* revertBtn = button("RevertBtn", "Revert");
    const OkCancel okCancel = MakeOkCancel(this);
    QPushButton* help = MakeHelpButton(this, help::EditColors, "&Help");

    auto* status = new QStatusBar(this);
    status->setObjectName("StatusBar1");
    status->setSizeGripEnabled(false);
    index_ = new QLabel(this);
    index_->setObjectName("IndexPanel");
    rgb_ = new QLabel(this);
    rgb_->setObjectName("RgbPanel");
    status->addWidget(index_, 1);
    status->addWidget(rgb_, 2);

    auto* side = new QVBoxLayout;
    side->addWidget(size_);
    side->addWidget(colPanel_);
    side->addLayout(slotGrid);
    for (QPushButton* b : {switchBtn, copyBtn, blendBtn, revertBtn}) side->addWidget(b);
    side->addStretch(1);
    for (QPushButton* b : {okCancel.Ok, okCancel.Cancel, help}) side->addWidget(b);
    auto* body = new QHBoxLayout;
    body->addWidget(gridArea_, 0, Qt::AlignTop);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(status);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(grid_, &TColorBox::clicked, this, [this] { Select(grid_->Selection()); });
    connect(grid_, &TColorBox::doubleClicked, this, &TColEditDlg::EditSelected);
    connect(colPanel_, &ColorPanel::clicked, this, &TColEditDlg::EditSelected);
    connect(size_, &QComboBox::currentIndexChanged, this, &TColEditDlg::SetDisplay);
    connect(switchBtn, &QPushButton::clicked, this, [this] {
        if (SwitchPaletteEntries(palette_, slots_[0], slots_[1])) Apply(true);
    });
    connect(copyBtn, &QPushButton::clicked, this, [this] {
        if (CopyPaletteEntry(palette_, slots_[0], slots_[1])) Apply(true);
    });
    connect(blendBtn, &QPushButton::clicked, this, [this] {
        if (BlendPalette(palette_, slots_[0], slots_[1])) Apply(true);
    });
    connect(revertBtn, &QPushButton::clicked, this, [this] {
        if (!changed_) return;
        palette_ = original_;
        Apply(false);
    });
    connect(this, &QDialog::rejected, this, [this] {
        if (!changed_) return;
        palette_ = original_;
        Apply(false);
    });

    display_ = std::clamp(display, 0, 2);
    selected_ = FitToDisplay(selected, display_);
    {
        const QSignalBlocker block(size_);
        size_->setCurrentIndex(display_);
    }
    SetDisplay(display_);
    new LangBinder(this, FormName, [this] { ShowAll(); });
}

void TColEditDlg::SetDisplay(int display) {
    display_ = std::clamp(display, 0, 2);
    const int columns = PaletteColumns(display_);
    grid_->SetGrid(columns, columns);
    for (int& s : slots_) s = FitToDisplay(s, display_);
    selected_ = FitToDisplay(selected_, display_);
    // Beside grid rows 1..7, for 64 and 256 colours only.
    const int row = GridSide / columns;
    for (int k = 0; k < 7; ++k) {
        rows_[k]->setGeometry(0, (k + 1) * row, rowButtonWidth_, row);
        rows_[k]->setVisible(display_ > 0);
    }
    ShowAll();
}

void TColEditDlg::Select(int index) {
    selected_ = index;
    ShowAll();
}

void TColEditDlg::EditSelected() {
    if (!ChooseColor) return;
    const PaletteEntry& e = palette_[size_t(selected_)];
    const std::optional<ColorRef> c = ChooseColor(MakeColorRef(e.Red, e.Green, e.Blue));
    if (c && SetPaletteColor(palette_, selected_, *c)) Apply(true);
}

// After a change (or Revert): everything shows it, and the draft too.
void TColEditDlg::Apply(bool changed) {
    changed_ = changed;
    ShowAll();
    if (OnChange) OnChange(palette_);
}

void TColEditDlg::ShowAll() {
    QList<QColor> colors;
    for (int i = 0; i < PaletteShown(display_); ++i) colors << Q(palette_[size_t(i)]);
    grid_->SetColors(colors);
    grid_->SetSelection(selected_);
    const PaletteEntry& e = palette_[size_t(selected_)];
    colPanel_->SetColor(MakeColorRef(e.Red, e.Green, e.Blue));
    index_->setText(Text("@index") + QString::number(selected_));
    rgb_->setText(QString("R:%1, G:%2, B:%3").arg(e.Red).arg(e.Green).arg(e.Blue));
    for (int k = 0; k < 2; ++k) {
        const PaletteEntry& s = palette_[size_t(slots_[k])];
        slotPanels_[k]->SetColor(MakeColorRef(s.Red, s.Green, s.Blue));
        slotLabels_[k]->setText(QString::number(slots_[k]));
    }
}

} // namespace hw
