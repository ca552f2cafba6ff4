#include "commands/transform_commands.h"

#include "commands/file_commands.h"
#include "dialogs/transform_dialogs.h"
#include "dialogs/translate_dialog.h"
#include "document/editor_document.h"
#include "files/message_text.h"
#include "files/pattern_file.h"
#include "model/primitives.h"
#include "platform/lang_binder.h"
#include "platform/settings_session.h"
#include "text/help_topics.h"
#include "text/lang.h"
#include "text/messages.h"
#include "transform/translate.h"
#include "view/draft_view.h"

#include <QDir>
#include <QFileDialog>

#include <memory>

namespace hw {

namespace {

Status NoFile() {
    return {Message{"TBlocksDlg", "@nofile", {}}};
}

} // namespace

TransformCommands::TransformCommands(CommandContext& ctx) : ctx_(ctx) {}

QString TransformCommands::ChoosePattern() {
    if (ctx_.ChooseOpenPath) return ctx_.ChooseOpenPath(QString());
    return QFileDialog::getOpenFileName(
        ctx_.Window, QString(), OpenFolder(ctx_.Session->Prefs().NufilPath),
        FileTypeFilters("@ftpatterns", "*.hdw").join(";;"));
}

void TransformCommands::Report(const Message& m) {
    if (fileError_)
        ctx_.Prompt().ShowError(MessageText(m));
    else
        ShowMessageText(ctx_.Prompt(), MessageText(m));
}

Status TransformCommands::LoadSide(const QString& path, DraftState& side) {
    if (path.isEmpty()) return NoFile();
    const LoadResult r = LoadInsertParts(side, path.toStdString());
    if (!r.Error) return {};
    fileError_ = true;
    return {r.Error};
}

bool TransformCommands::Run(PreviewDialog& dialog, const std::function<Status(DraftState&)>& op) {
    EditorDocument& doc = *ctx_.Doc;
    const Snapshot start = doc.Core().Capture();
    dialog.Apply = [&] {
        Status s;
        fileError_ = false;
        doc.Preview(start, [&](DraftState& d) { s = op(d); });
        if (s.Error) Report(*s.Error);
        return bool(s);
    };
    const bool ok = dialog.exec() == QDialog::Accepted;
    dialog.Apply = nullptr;
    if (ok)
        doc.Record(start);
    else
        doc.Restore(start);
    return ok;
}

void TransformCommands::Translate1Click() {
    EditorDocument& doc = *ctx_.Doc;
    const DraftState& d = doc.Draft();
    const bool hasDraft = LastThreadedEnd(d, MaxEnds) > 0 && LastUsedPick(d, MaxPicks) > 0;
    if (!d.DesignMode && !ctx_.Session->Prefs().ExpertMode && doc.Modified() && hasDraft) {
        const int answer = ctx_.Prompt().WarnYesNoCancel(GetText("TWform", "@mestran"));
        if (answer == IdCancel) return;
        if (answer == IdYes) {
            FileCommands(ctx_).FileSaveAs();
            if (doc.Modified()) return; // not saved: the draft is not safe yet
        }
    }
    TranslateDialog(false);
}

void TransformCommands::Overlay1Click() {
    TranslateDialog(true);
}

void TransformCommands::TranslateDialog(bool overlay) {
    EditorDocument& doc = *ctx_.Doc;
    const DraftState& d = doc.Draft();
    const bool design = d.DesignMode;
    // The remembered library entry only while the draft still has its units
    // (a pattern opened since, or an undo, may have brought others).
    const UnitPair units = UnitsOf(d);
    if (library_ >= 0 && !(UnitLibrary()[size_t(library_)].Units == units)) library_ = -1;
    TTranslateDlg dialog(overlay ? TTranslateDlg::Kind::Overlay : TTranslateDlg::Kind::Translate,
                         design, d.Shed, units, library_, ctx_.Window);
    const bool warpEmpty = ctx_.Session->Prefs().Warpempty;
    const Snapshot start = doc.Core().Capture();
    bool filesDone = false;
    dialog.OnMessage = [this](const Message& m) {
        fileError_ = false;
        Report(m);
    };
    dialog.OnLoadUnits = [&]() -> std::optional<UnitPair> {
        const QString path = ChoosePattern();
        if (path.isEmpty()) return std::nullopt;
        auto side = std::make_unique<DraftState>();
        const LoadResult r = LoadTransUnits(*side, path.toStdString());
        if (r.Error) {
            ctx_.Prompt().ShowError(MessageText(*r.Error));
            return std::nullopt;
        }
        return UnitsOf(*side);
    };
    dialog.OnFilesChecked = [&] {
        TOverlayFilesDlg files([this] { return ChoosePattern(); }, &dialog);
        files.Apply = [&] {
            if (files.PathA().isEmpty() || files.PathB().isEmpty()) {
                fileError_ = false;
                Report(*NoFile().Error);
                return false;
            }
            Status s;
            doc.Preview(start, [&](DraftState& d) {
                s = LoadLiftplanOverlay(d, files.PathA().toStdString(),
                                        files.PathB().toStdString());
            });
            if (s.Error) ctx_.Prompt().ShowError(MessageText(*s.Error));
            return bool(s);
        };
        filesDone = files.exec() == QDialog::Accepted;
        if (!filesDone) doc.Restore(start);
        return filesDone;
    };
    dialog.OnFilesUnchecked = [&] {
        filesDone = false;
        doc.Restore(start);
    };
    dialog.Apply = [&] {
        if (dialog.FromFiles()) return filesDone; // the files' overlay stands
        const UnitPair units = dialog.Units();
        Status s;
        doc.Preview(start, [&](DraftState& d) {
            StoreUnits(d, units);
            if (overlay)
                OverlayUnits(d);
            else if (d.DesignMode)
                TranslateDesign(d);
            else
                s = TranslateDraft(d, warpEmpty);
        });
        fileError_ = false;
        if (s.Error) Report(*s.Error);
        return bool(s);
    };
    const bool ok = dialog.exec() == QDialog::Accepted;
    dialog.Apply = nullptr;
    if (!ok) {
        doc.Restore(start);
        return;
    }
    library_ = dialog.LibrarySelection();
    doc.Record(start);
}

void TransformCommands::Network1Click() {
    const DraftState& d = ctx_.Doc->Draft();
    if (!network_) network_ = new TNetworkDlg([this] { return ChoosePattern(); }, ctx_.Window);
    network_->Prepare(d.TreadleMode && !d.MultipleTr);
    TNetworkDlg& dlg = *network_;
    Run(dlg, [&](DraftState& d) -> Status {
        if (!dlg.FromFile() && dlg.Initial() < 0) return {Message{GeneralForm, "@noinitial", {}}};
        auto side = std::make_unique<DraftState>();
        if (dlg.FromFile()) {
            if (Status s = LoadSide(dlg.Path(), *side); !s) return s;
        } else {
            side->InsertThreading = Repeated(NetworkInitials()[size_t(dlg.Initial())].Values);
            side->InsertTreadling = side->InsertThreading;
        }
        return RunNetwork(
            d, {&side->InsertThreading, &side->InsertTreadling, dlg.Target(), dlg.RibbonWidth()});
    });
}

void TransformCommands::BlockSubstitution1Click() {
    if (!blocks_) blocks_ = new TBlocksDlg([this] { return ChoosePattern(); }, ctx_.Window);
    TBlocksDlg& dlg = *blocks_;
    Run(dlg, [&](DraftState& d) -> Status {
        auto side = std::make_unique<DraftState>();
        if (Status s = LoadSide(dlg.Path(), *side); !s) return s;
        SubstituteBlocks(d, *side, dlg.Relative());
        return {};
    });
}

void TransformCommands::InsertThreading1Click() {
    InsertSequence(false);
}

void TransformCommands::InsertTreadling1Click() {
    InsertSequence(true);
}

void TransformCommands::InsertSequence(bool treadling) {
    TInsThrDlg*& made = treadling ? insertTreadling_ : insertThreading_;
    if (!made)
        made = new TInsThrDlg(
            treadling, [this] { return ChoosePattern(); }, ctx_.Window);
    TInsThrDlg& dlg = *made;
    Run(dlg, [&](DraftState& d) -> Status {
        if (!dlg.FromFile() && dlg.Sequence() < 0) return Failed("No Insert Selected.");
        auto side = std::make_unique<DraftState>();
        if (dlg.FromFile()) {
            if (Status s = LoadSide(dlg.Path(), *side); !s) return s;
        } else {
            side->InsertThreading = Repeated(InsertSequences()[size_t(dlg.Sequence())].Values);
            side->InsertTreadling = side->InsertThreading;
        }
        return treadling ? InsertTreadlingSequence(d, side->InsertTreadling, dlg.Interval(),
                                                   dlg.AfterInterval())
                         : InsertThreadingSequence(d, side->InsertThreading, dlg.Interval(),
                                                   dlg.AfterInterval());
    });
}

void TransformCommands::InsertinLiftplan1Click() {
    if (!insertLiftplan_)
        insertLiftplan_ = new TInsLiftDlg([this] { return ChoosePattern(); }, ctx_.Window);
    TInsLiftDlg& dlg = *insertLiftplan_;
    Run(dlg, [&](DraftState& d) -> Status {
        if (!dlg.FromFile()) {
            InsertLiftplanPicks(d, dlg.FromPick(), dlg.Interval());
            return {};
        }
        if (dlg.Path().isEmpty()) return NoFile();
        // The file's rows one after another, to fill the blank picks with.
        auto side = std::make_unique<DraftState>();
        side->Picks = MaxPicks;
        const LoadResult r = LoadLiftplanAtInterval(*side, dlg.Path().toStdString(), 1, 1);
        if (r.Error) {
            fileError_ = true;
            return {r.Error};
        }
        InsertLiftplanPicks(d, dlg.FromPick(), dlg.Interval(), &side->Liftplan);
        return {};
    });
}

void TransformCommands::DeleteinLiftplan1Click() {
    const int picks = ctx_.Doc->Draft().Picks;
    TNumPairDlg dlg({"TInsLiftDlg", "@delpicks", "@startpick", "@interval"}, true,
                    help::DeleteInLiftplan, ctx_.Window);
    dlg.SetRanges(1, picks, 1, 1, picks, 1);
    Run(dlg, [&](DraftState& d) {
        DeleteLiftplanPicks(d, dlg.First(), dlg.Second());
        return Status{};
    });
}

void TransformCommands::Trompaswrit1Click() {
    TTrompDlg dlg(ctx_.Doc->Draft(), ctx_.Window);
    Run(dlg, [&](DraftState& d) {
        TrompAsWrit(d, dlg.Choice());
        return Status{};
    });
}

void TransformCommands::WrapLiftplan1Click() {
    // A selection in the liftplan keeps the wrap inside it.
    std::optional<LiftplanBlock> block;
    if (const CellBlock b = ctx_.View->SelectedBlock(); b.Area == SelArea::Liftplan)
        block = LiftplanBlock{b.FirstRow, b.LastRow, b.FirstColumn, b.LastColumn};
    const int columns = ctx_.Doc->Draft().Treadles;
    TWrapDlg dlg(block ? block->LastShaft - block->FirstShaft : columns - 1, ctx_.Window);
    Run(dlg, [&](DraftState& d) {
        WrapLiftplan(d, dlg.Steps(), block ? &*block : nullptr);
        return Status{};
    });
}

} // namespace hw
