#include "commands/analyze_commands.h"

#include "commands/print_commands.h"
#include "dialogs/report_window.h"
#include "document/editor_document.h"
#include "files/message_text.h"
#include "model/primitives.h"
#include "platform/settings_session.h"
#include "text/lang.h"
#include "text/messages.h"
#include "transform/reanalyze.h"
#include "view/draft_view.h"

#include <memory>

namespace hw {

void AnalyzeCommands::Reanalyze(bool (*operation)(DraftState&, bool)) {
    if (!ConfirmOk(ctx_.Prompt(), GetText("TWform", "@mesreana"))) return;
    const bool warpEmpty = ctx_.Session->Prefs().Warpempty;
    bool done = false;
    ctx_.Doc->Edit([&](DraftState& d) { done = operation(d, warpEmpty); });
    if (done) ctx_.View->ScrollTo(0, 0);
}

void AnalyzeCommands::Reanalyze1Click() {
    Reanalyze(ReanalyzeThreading);
}

void AnalyzeCommands::ReanalyzeTreadling1Click() {
    Reanalyze(ReanalyzeTreadling);
}

void AnalyzeCommands::StraightThreading1Click() {
    const DraftState& d = ctx_.Doc->Draft();
    if (d.DesignMode) return;
    if (LastThreadedEnd(d, MaxEnds) == 0 || LastUsedPick(d, MaxPicks) == 0) {
        ReportNoPattern(ctx_.Prompt());
        return;
    }
    if (!ConfirmOk(ctx_.Prompt(), GetText("TInsThrDlg", "@idTransConv"))) return;
    Status s;
    ctx_.Doc->Edit([&](DraftState& d) { s = StraightThreading(d); });
    if (s.Error) ShowMessageText(ctx_.Prompt(), MessageText(*s.Error));
}

void AnalyzeCommands::ShowReport(std::function<TextReport(const DraftState&)> report) {
    // The window writes its report again at each language switch, always of
    // the draft as it was when it opened.
    auto draft = std::make_shared<const DraftState>(ctx_.Doc->Draft());
    auto* window = new TRtxtDlg(ctx_.Window, [draft, report] { return report(*draft); });
    window->SetPrint([this](const std::string& text) { PrintReport(ctx_, text); });
    window->show();
}

void AnalyzeCommands::Repeats1Click() {
    const RepeatsReportResult r = RepeatsReport(ctx_.Doc->Draft());
    if (r.Error) {
        ShowMessageText(ctx_.Prompt(), MessageText(*r.Error));
        return;
    }
    ShowReport([](const DraftState& d) { return RepeatsReport(d).Report; });
}

void AnalyzeCommands::Floats1Click() {
    ShowReport(FloatsReport);
}

void AnalyzeCommands::Colors2Click() {
    ShowReport(ColorsReport);
}

void AnalyzeCommands::Heddles1Click() {
    ShowReport(HeddlesReport);
}

} // namespace hw
