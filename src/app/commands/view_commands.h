#pragma once

#include "commands/command_context.h"
#include "view/fabric.h"

namespace hw {

class TFabwindow;

// The View menu and zoom: Draft and Design mode, showing the threading,
// and the zoom steps (the Zoom dialog, the slider, the cursor keys).
class ViewCommands {
public:
    explicit ViewCommands(CommandContext& ctx) : ctx_(ctx) {}

    // Design mode is one scope of the history: leaving it without drawing
    // in the design grid gives back the draft exactly as it was, and leaving
    // it after drawing is one step that undoes to the draft before it.
    void Design1Click();
    void Draft1Click();
    void ToggleDesign();
    void ShowThreading1Click();
    // The fabric views; each needs a draft with a threaded end and a woven
    // pick (any design will do in Design mode).
    void Fabric1Click() { ShowFabric(FabricView::Flat); }
    void FabricYarnView1Click() { ShowFabric(FabricView::Yarn); }
    void Drapery1Click() { ShowFabric(FabricView::Drapery); }
    void Interlacement1Click() { ShowFabric(FabricView::Interlacement); }
    void ShowFabric(FabricView view);
    void FabricWindow1Click();
    // The fabric window, made on first use; at the first show, as it was left.
    TFabwindow* FabricWindow();
    void RestoreFabricWindow();
    void Zoom1Click();
    // Sets the draft zoom (lowered to what fits); the slider follows.
    void SetZoom(int step);

private:
    CommandContext& ctx_;
    TFabwindow* fabWin_ = nullptr;
};

} // namespace hw
