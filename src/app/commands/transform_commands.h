#pragma once

#include "commands/command_context.h"
#include "model/message.h"
#include "transform/row_transforms.h"

#include <functional>

namespace hw {

class PreviewDialog;
class TInsLiftDlg;
class TInsThrDlg;
class TNetworkDlg;
class TBlocksDlg;

// The transformations with a dialog (Transform > Translate .. Delete in
// Liftplan, Utilities > Tromp as Writ and Wrap Liftplan). Each dialog's
// Preview and OK start from the draft as it was when the dialog opened;
// OK makes one step, Cancel leaves none. A side file that cannot be read is
// reported and changes nothing.
class TransformCommands {
public:
    explicit TransformCommands(CommandContext& ctx);

    void Translate1Click();
    void Overlay1Click();
    void Network1Click();
    void BlockSubstitution1Click();
    void InsertThreading1Click();
    void InsertTreadling1Click();
    void InsertinLiftplan1Click();
    void DeleteinLiftplan1Click();
    void Trompaswrit1Click();
    void WrapLiftplan1Click();

private:
    // Runs a dialog whose Apply previews `op`; true when OK kept it.
    bool Run(PreviewDialog& dialog, const std::function<Status(DraftState&)>& op);
    void TranslateDialog(bool overlay);
    void InsertSequence(bool treadling);
    // The parts of another pattern in a scratch draft's insert buffers.
    Status LoadSide(const QString& path, DraftState& side);
    void Report(const Message& m);
    QString ChoosePattern();

    CommandContext& ctx_;
    int library_ = -1; // the library entry last chosen, for the run
    // Made once, so they keep their settings for the run.
    TNetworkDlg* network_ = nullptr;
    TBlocksDlg* blocks_ = nullptr;
    TInsThrDlg* insertThreading_ = nullptr;
    TInsThrDlg* insertTreadling_ = nullptr;
    TInsLiftDlg* insertLiftplan_ = nullptr;
    bool fileError_ = false; // the last failure was a file that could not be read
};

} // namespace hw
