#include "commands/colour_commands.h"

#include "colours/col_edit_dlg.h"
#include "colours/color_combo.h"
#include "colours/pal_win.h"
#include "document/editor_document.h"
#include "model/palette.h"
#include "model/primitives.h"
#include "platform/settings_session.h"
#include "view/draft_view.h"

#include <QColorDialog>
#include <QObject>

#include <cstring>

namespace hw {

std::optional<ColorRef> ChooseColor(QWidget* parent, ColorRef initial) {
    QColorDialog dialog(QColor(ColorRed(initial), ColorGreen(initial), ColorBlue(initial)), parent);
    dialog.setObjectName("ColorDialog");
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QColor c = dialog.selectedColor();
    return MakeColorRef(uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue()));
}

void ColourCommands::EditColor(int index) {
    if (index < 0 || index >= PaletteSize) return;
    const std::optional<ColorRef> c =
        ChooseColor(ctx_.Window, ctx_.Doc->Draft().ColorTable[size_t(index)]);
    if (!c) return;
    ctx_.Doc->Edit([&](DraftState& d) {
        SetPaletteColor(d.Palette, index, *c);
        RebuildColorTable(d);
    });
}

void ColourCommands::ColorDialogItemClick() {
    EditColor(ctx_.View->CurrentColor());
}

void ColourCommands::EditColors1Click() {
    EditorDocument& doc = *ctx_.Doc;
    DraftState& d = doc.Draft();
    const Snapshot before = doc.Core().Capture();
    TColEditDlg dialog(d.Palette, d.PaletteDisplay, lastEdited_, ctx_.Window);
    // Each change shows at once; the history gets one step on OK.
    Snapshot live = before;
    std::vector<uint8_t>& bytes = live.Parts[size_t(Component::Palette)];
    dialog.OnChange = [&](const PaletteEntries& p) {
        std::memcpy(bytes.data(), p.data(), std::min(bytes.size(), sizeof p));
        doc.Restore(live);
    };
    dialog.ChooseColor = [&dialog](ColorRef c) { return ChooseColor(&dialog, c); };
    const bool ok = dialog.exec() == QDialog::Accepted;
    lastEdited_ = dialog.Selected();
    d.PaletteDisplay = dialog.Display();
    if (ok)
        doc.Record(before, {Component::Palette});
    else
        doc.Restore(before);
    ShowPalette();
}

TPalWin* ColourCommands::PaletteWindow() {
    if (palWin_) return palWin_;
    palWin_ = new TPalWin(ctx_.Window);
    DraftView* view = ctx_.View;
    QObject::connect(palWin_, &TPalWin::ColorChosen, view, &DraftView::SetCurrentColor);
    QObject::connect(palWin_, &TPalWin::EditRequested, palWin_, [this](int i) { EditColor(i); });
    QObject::connect(palWin_, &TPalWin::NextSizeRequested, palWin_, [this] {
        DraftState& d = ctx_.Doc->Draft();
        d.PaletteDisplay = NextPaletteDisplay(d.PaletteDisplay);
        ShowPalette();
    });
    QObject::connect(palWin_, &TPalWin::Closed, palWin_, [this] {
        ctx_.Session->Prefs().PaletteWindow = false;
        ctx_.Refresh();
    });
    QObject::connect(view, &DraftView::CurrentColorChanged, palWin_, &TPalWin::Select);
    QObject::connect(ctx_.Doc, &EditorDocument::Changed, palWin_, [this](const Change& c) {
        if (c.Has(Component::Palette)) ShowPalette();
    });
    QObject::connect(ctx_.Doc, &EditorDocument::Replaced, palWin_, [this] { ShowPalette(); });
    ShowPalette();
    return palWin_;
}

void ColourCommands::ShowPalette() {
    const DraftState& d = ctx_.Doc->Draft();
    if (palWin_) {
        palWin_->ShowPalette(d.ColorTable, d.PaletteDisplay);
        palWin_->Select(ctx_.View->CurrentColor());
    }
    if (box_) box_->SetPalette(d.ColorTable);
}

void ColourCommands::ColorWindow1Click() {
    bool& shown = ctx_.Session->Prefs().PaletteWindow;
    shown = !shown;
    if (shown) {
        PaletteWindow()->show();
        palWin_->raise();
    } else if (palWin_) {
        palWin_->close();
    }
    ctx_.Refresh();
}

void ColourCommands::RestorePaletteWindow() {
    if (ctx_.Session->Prefs().PaletteWindow) PaletteWindow()->show();
}

void ColourCommands::BindColorBox(ColorComboBox* box) {
    box_ = box;
    DraftView* view = ctx_.View;
    QObject::connect(box, &QComboBox::activated, view, &DraftView::SetCurrentColor);
    QObject::connect(view, &DraftView::CurrentColorChanged, box, &QComboBox::setCurrentIndex);
    QObject::connect(ctx_.Doc, &EditorDocument::Changed, box, [this](const Change& c) {
        if (c.Has(Component::Palette)) ShowPalette();
    });
    QObject::connect(ctx_.Doc, &EditorDocument::Replaced, box, [this] { ShowPalette(); });
    box->setCurrentIndex(view->CurrentColor());
    ShowPalette();
}

} // namespace hw
