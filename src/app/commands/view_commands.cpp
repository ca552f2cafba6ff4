#include "commands/view_commands.h"

#include "commands/file_commands.h"
#include "dialogs/num_dialog.h"
#include "document/editor_document.h"
#include "files/message_text.h"
#include "model/primitives.h"
#include "platform/settings_session.h"
#include "text/lang.h"
#include "text/messages.h"
#include "transform/analysis.h"
#include "view/draft_view.h"
#include "view/fab_window.h"
#include "view/geometry.h"

namespace hw {

namespace {

// What Design mode may change that Draft mode does not show: leaving Design
// mode without drawing puts these back as they were.
constexpr ComponentSet DraftStructure = {
    Component::Threading, Component::TieUp, Component::Treadling, Component::Liftplan,
    Component::Design,    Component::Sizes, Component::Used,      Component::Loom};

} // namespace

void ViewCommands::Design1Click() {
    EditorDocument& doc = *ctx_.Doc;
    const DraftState& d = doc.Draft();
    // From a fabric view: back to the design, or on to it from the draft.
    if (ctx_.View->Fabric() != FabricView::None) {
        ctx_.View->SetFabric(FabricView::None);
        ctx_.Refresh();
        if (d.DesignMode) return;
    }
    if (d.DesignMode || (d.TreadleMode && d.MultipleTr)) return;
    const bool hasDraft = LastThreadedEnd(d, MaxEnds) > 0 && LastUsedPick(d, MaxPicks) > 0;
    if (!ctx_.Session->Prefs().ExpertMode && doc.Modified() && hasDraft) {
        const int answer = ctx_.Prompt().WarnYesNoCancel(GetText("TWform", "@mesdesign"));
        if (answer == IdCancel) return;
        if (answer == IdYes) {
            FileCommands(ctx_).FileSaveAs();
            // A cancelled or failed save stops the switch: the draft is not
            // safe on disk yet.
            if (doc.Modified()) return;
        }
    }
    ctx_.View->SetSelectionMode(false);
    doc.BeginScope([](DraftState& d) { DraftToDesign(d); });
    ctx_.Refresh();
}

void ViewCommands::Draft1Click() {
    EditorDocument& doc = *ctx_.Doc;
    if (ctx_.View->Fabric() != FabricView::None) {
        ctx_.View->SetFabric(FabricView::None);
        ctx_.Refresh();
    }
    if (!doc.Draft().DesignMode) return;
    ctx_.View->CancelStroke();
    // A pattern opened (or started) in Design mode has no draft from before
    // to go back to: its draft is derived from the design as one step.
    const bool opened = !doc.Core().InScope();
    if (!opened && !doc.Core().ScopeChanged({Component::Design})) {
        // Only colours (if anything) changed: the draft comes back whole.
        doc.EndScope(DraftStructure);
    } else {
        DesignToDraftResult r;
        const auto derive = [&](DraftState& d) {
            r = DesignToDraft(d, ctx_.Session->Prefs().Warpempty, [this] {
                return ConfirmOk(ctx_.Prompt(), GetText(GeneralForm, "@emaxshafts"));
            });
            return r.Done;
        };
        if (opened)
            doc.Edit([&](DraftState& d) { derive(d); });
        else
            doc.EndScope({}, derive);
        if (!r.Done) return; // more than 16 shafts, and the user stays
        for (const Message& w : r.Warnings) ShowMessageText(ctx_.Prompt(), MessageText(w));
    }
    ctx_.View->SetSelectionMode(false);
    ctx_.Refresh();
}

void ViewCommands::ToggleDesign() {
    if (ctx_.Doc->Draft().DesignMode)
        Draft1Click();
    else
        Design1Click();
}

void ViewCommands::ShowThreading1Click() {
    ViewSettings& s = ctx_.View->Settings();
    s.ShowThreading = !s.ShowThreading;
    ctx_.View->LayoutStep();
    ctx_.View->FullRepaint();
    ctx_.Refresh();
}

void ViewCommands::ShowFabric(FabricView view) {
    DraftView& v = *ctx_.View;
    const DraftState& d = ctx_.Doc->Draft();
    const ClothExtent cloth = FabricExtent(d);
    if (v.Fabric() != view && (cloth.Ends == 0 || cloth.Picks == 0)) {
        ReportNoPattern(ctx_.Prompt());
    } else {
        v.SetSelectionMode(false);
        v.SetFabric(view);
        // The choice between plain and yarn is kept with the settings.
        if (view == FabricView::Flat || view == FabricView::Yarn)
            ctx_.Session->Prefs().Yarnsim = view == FabricView::Yarn;
    }
    ctx_.Refresh(); // the view menu's marks, also after a refusal
}

TFabwindow* ViewCommands::FabricWindow() {
    if (fabWin_) return fabWin_;
    fabWin_ = new TFabwindow(*ctx_.Doc, *ctx_.View, ctx_.Window);
    QObject::connect(fabWin_, &TFabwindow::Closed, fabWin_, [this] {
        ctx_.Session->Prefs().FabricWindow = false;
        ctx_.Refresh();
    });
    return fabWin_;
}

void ViewCommands::FabricWindow1Click() {
    bool& shown = ctx_.Session->Prefs().FabricWindow;
    shown = !shown;
    if (shown) {
        FabricWindow()->show();
        fabWin_->raise();
    } else if (fabWin_) {
        fabWin_->close();
    }
    ctx_.Refresh();
}

void ViewCommands::RestoreFabricWindow() {
    if (ctx_.Session->Prefs().FabricWindow) FabricWindow()->show();
}

void ViewCommands::Zoom1Click() {
    int value = ctx_.View->ShownZoom();
    if (TDlgNum1::Ask(ctx_.Window, {"TWform", "@zoomtitle", "@zoomtxt", "", ":"}, MinZoomStep,
                      MaxZoomStep, value) &&
        value != ctx_.View->ShownZoom())
        SetZoom(value);
}

void ViewCommands::SetZoom(int step) {
    ctx_.View->RequestZoom(step);
    ctx_.Refresh();
}

} // namespace hw
