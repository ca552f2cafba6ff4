#include "commands/fill_commands.h"

#include "dialogs/fill_dialogs.h"
#include "document/editor_document.h"

namespace hw {

FillCommands::FillCommands(CommandContext& ctx) : ctx_(ctx), random_(std::random_device{}()) {}

void FillCommands::Threading(FillOrder order) {
    ctx_.Doc->Edit([&](DraftState& d) { FillThreadingOrder(d, order); });
}

void FillCommands::Treadling(FillOrder order) {
    ctx_.Doc->Edit([&](DraftState& d) { FillTreadlingOrder(d, order); });
}

void FillCommands::RandomTwill1Click() {
    EditorDocument& doc = *ctx_.Doc;
    if (!twill_) twill_ = new TTwillDlg(ctx_.Window);
    const Snapshot start = doc.Core().Capture();
    const int shafts = doc.Draft().Shafts;
    twill_->SetShafts(shafts);
    bool shown = false;
    twill_->OnTwill = [&] {
        const std::vector<bool> base =
            TwillBaseRow(shafts, twill_->MaxFloat(), twill_->Balanced(), random_);
        doc.Preview(start,
                    [&](DraftState& d) { ApplyWeave(d, TwillRows(base, twill_->DirectionB())); });
        shown = true;
    };
    const bool ok = twill_->exec() == QDialog::Accepted;
    // OK before any Twill press still fills the tie-up with one.
    if (ok && !shown) twill_->OnTwill();
    twill_->OnTwill = nullptr;
    if (ok)
        doc.Record(start);
    else
        doc.Restore(start);
}

void FillCommands::Satin1Click() {
    EditorDocument& doc = *ctx_.Doc;
    const int shafts = doc.Draft().Shafts;
    TSatinDlg dialog(shafts, ctx_.Window);
    const Snapshot start = doc.Core().Capture();
    auto apply = [&] {
        doc.Preview(start, [&](DraftState& d) { ApplyWeave(d, SatinRows(shafts, dialog.Move())); });
    };
    dialog.OnPreview = apply;
    if (dialog.exec() != QDialog::Accepted) {
        doc.Restore(start);
        return;
    }
    apply();
    doc.Record(start);
}

void FillCommands::Plain1Click() {
    ctx_.Doc->Edit([](DraftState& d) { FillPlainWeave(d); });
}

void FillCommands::WarpColors(ColorOrder order) {
    ctx_.Doc->Edit([&](DraftState& d) { FillWarpColorOrder(d, order); });
}

void FillCommands::WeftColors(ColorOrder order) {
    ctx_.Doc->Edit([&](DraftState& d) { FillWeftColorOrder(d, order); });
}

void FillCommands::TieUpSpecial1Click() {
    EditorDocument& doc = *ctx_.Doc;
    TTieUpSpecialDlg dialog(special_, ctx_.Window);
    const Snapshot start = doc.Core().Capture();
    auto apply = [&] {
        const TieUpEffects e = dialog.Effects();
        doc.Preview(start, [&](DraftState& d) { ApplyTieUpEffects(d, e); });
    };
    dialog.OnPreview = apply;
    if (dialog.exec() != QDialog::Accepted) {
        doc.Restore(start);
        return;
    }
    special_ = dialog.Effects();
    apply();
    doc.Record(start);
}

} // namespace hw
