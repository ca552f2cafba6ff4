#include "dialogs/components_dialog.h"

#include "dialogs/blend_dialog.h"
#include "platform/lang_binder.h"

#include "help/context_help.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace hw {

namespace {
constexpr int ComponentsHelpContext = 210;
}

ComponentsDialog::ComponentsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("Thentdlg");
    setWindowTitle("Load components");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);

    auto* boxes = new QVBoxLayout;
    auto add = [&](const char* name, const char* text) {
        QCheckBox* box = AddBox(name, text);
        boxes->addWidget(box);
        return box;
    };
    threading_ = add("ThreadingBox", "Threading");
    liftplan_ = add("LiftplanBox", "Liftplan");
    treadling_ = add("TreadlingBox", "Treadling");
    tieUp_ = add("TieUpBox", "Tie-up");
    palette_ = add("PaletteBox", "Color Palette");
    warpColors_ = add("WarpColorsBox", "Warp Colors");
    weftColors_ = add("WeftColorsBox", "Weft Colors");
    transUnits_ = add("TransUnitsBox", "Trans. Units");
    note_ = add("NoteBox", "Note");
    boxes->addStretch();

    auto button = [this](const char* name, const char* text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        return b;
    };
    QPushButton* ok = button("OKBtn", "OK");
    ok->setDefault(true);
    QPushButton* cancel = button("CancelBtn", "Cancel");
    QPushButton* help = MakeHelpButton(this, ComponentsHelpContext, "Help");
    blend_ = button("BlendBtn", "Blend Liftplan...");
    connect(ok, &QPushButton::clicked, this, [this] { done(OkResult); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(CancelResult); });
    connect(blend_, &QPushButton::clicked, this, &ComponentsDialog::BlendBtnClick);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {ok, cancel, help, blend_}) buttons->addWidget(b);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(boxes);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    new LangBinder(this, "Thentdlg");
}

QCheckBox* ComponentsDialog::AddBox(const char* name, const char* text) {
    auto* box = new QCheckBox(text, this);
    box->setObjectName(name);
    return box;
}

void ComponentsDialog::Prepare(const ComponentEnabling& enabled) {
    threading_->setEnabled(enabled.Threading);
    liftplan_->setEnabled(enabled.Liftplan);
    treadling_->setEnabled(enabled.Treadling);
    tieUp_->setEnabled(enabled.TieUp);
    palette_->setEnabled(enabled.Palette);
    warpColors_->setEnabled(enabled.WarpColors);
    weftColors_->setEnabled(enabled.WeftColors);
    transUnits_->setEnabled(enabled.TransUnits);
    note_->setEnabled(enabled.Notes);
    blend_->setVisible(enabled.BlendVisible());
}

int ComponentsDialog::Execute(const ComponentEnabling& enabled) {
    Prepare(enabled);
    return exec();
}

LoadFlags ComponentsDialog::CheckedFlags() const {
    auto ticked = [](const QCheckBox* b) { return b->isEnabled() && b->isChecked(); };
    LoadFlags f;
    f.Threading = ticked(threading_);
    f.Liftplan = ticked(liftplan_);
    f.Treadling = ticked(treadling_);
    f.TieUp = ticked(tieUp_);
    f.Palette = ticked(palette_);
    f.WarpColors = ticked(warpColors_);
    f.WeftColors = ticked(weftColors_);
    f.TransUnits = ticked(transUnits_);
    f.Notes = ticked(note_);
    return f;
}

void ComponentsDialog::BlendBtnClick() {
    done(BlendResult);
}

ComponentChoice DialogComponentChooser::Choose(const ComponentEnabling& enabled) {
    ComponentChoice choice;
    switch (components_.Execute(enabled)) {
    case ComponentsDialog::OkResult:
        choice.Result = ComponentChoice::Load;
        choice.Flags = components_.CheckedFlags();
        break;
    case ComponentsDialog::BlendResult:
        if (const int item = blend_.Execute(); item > 0) {
            choice.Result = ComponentChoice::Blend;
            choice.BlendMode = ModeAppend + item - 1;
        }
        break;
    default:
        break;
    }
    return choice;
}

} // namespace hw
