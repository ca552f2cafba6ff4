#include "colours/pal_win.h"

#include "colours/color_box.h"
#include "dialogs/options_dialog.h"
#include "help/context_help.h"
#include "model/palette.h"
#include "platform/lang_binder.h"
#include "text/help_topics.h"
#include "text/lang.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include <memory>

namespace hw {

namespace {

QColor Q(ColorRef c) {
    return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c));
}

// Cell sizes of the three layouts.
int CellSize(int display) {
    return display == 0 ? 24 : display == 2 ? 16 : 20;
}

} // namespace

TPalWin::TPalWin(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(FormName);
    setWindowTitle(QStringLiteral("Colors"));
    SetHelpContext(this, help::PaletteWindow);
    grid_ = new TColorBox(this);
    grid_->setObjectName("ColorBox1");
    grid_->SetSpacing(1);
    grid_->SetShowFocus(true);
    panel_ = new ColorPanel(this);
    panel_->setObjectName("ColPanel");
    connect(grid_, &TColorBox::clicked, this, [this] {
        Select(grid_->Selection());
        named_ = true;
        ShowCaption();
        emit ColorChosen(selected_);
    });
    connect(grid_, &TColorBox::doubleClicked, this,
            [this] { emit EditRequested(grid_->Selection()); });
    connect(panel_, &ColorPanel::clicked, this, &TPalWin::NextSizeRequested);
    ShowPalette(std::make_unique<DraftState>()->ColorTable, display_); // until it is given one
    new LangBinder(this, FormName, [this] { ShowCaption(); });
}

void TPalWin::ShowCaption() {
    if (named_)
        setWindowTitle(QString::fromStdString(GetText(FormName, "@idcolor")) + " " +
                       QString::number(selected_));
}

void TPalWin::ShowPalette(const std::array<ColorRef, PaletteSize>& colors, int display) {
    colors_ = colors;
    display_ = display;
    const int columns = PaletteColumns(display), cell = CellSize(display);
    QList<QColor> shown;
    for (int i = 0; i < PaletteShown(display); ++i) shown << Q(colors[size_t(i)]);
    grid_->SetColors(shown);
    grid_->SetGrid(columns, columns);
    grid_->setGeometry(0, 0, columns * cell, columns * cell);
    panel_->setGeometry(0, columns * cell + 2, columns * cell, cell - 4);
    setFixedSize(columns * cell, columns * cell + 2 + cell - 4);
    Select(selected_);
}

void TPalWin::Select(int index) {
    selected_ = std::clamp(index, 0, PaletteSize - 1);
    if (selected_ < PaletteShown(display_)) grid_->SetSelection(selected_);
    panel_->SetColor(colors_[size_t(selected_)]);
    ShowCaption();
}

void TPalWin::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // Centred on the screen when it first appears.
    if (placed_) return;
    placed_ = true;
    if (QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }
}

void TPalWin::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    emit Closed();
}

} // namespace hw
