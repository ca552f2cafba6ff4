#include "commands/structure_commands.h"

#include "dialogs/range_dialogs.h"
#include "document/editor_document.h"
#include "edit/structure.h"
#include "files/message_text.h"
#include "model/primitives.h"
#include "text/lang.h"
#include "text/messages.h"
#include "transform/reduce_repeat.h"
#include "view/draft_view.h"

#include <utility>

namespace hw {

bool StructureCommands::AskRange(const RangeTexts& texts, int max1, int max2) {
    return TDlgNum2::Ask(ctx_.Window, texts, 1, max1, 1, max2, first_, second_);
}

void StructureCommands::InsertOrDelete(bool insert, bool ends) {
    const DraftState& d = ctx_.Doc->Draft();
    const int count = ends ? d.Ends : d.Picks;
    const RangeTexts texts = ends ? RangeTexts{GeneralForm, insert ? "@insends" : "@delends",
                                               "@fromend", insert ? "@numends" : "@toend", ""}
                                  : RangeTexts{GeneralForm, insert ? "@inspicks" : "@delpicks",
                                               "@frompick", insert ? "@numpicks" : "@topick", ""};
    if (!AskRange(texts, count, count)) return;
    const int from = first_, second = second_;
    int inserted = second;
    ctx_.Doc->Edit([&](DraftState& d) {
        const bool linked = d.ColorsLinked;
        if (insert)
            inserted = ends ? InsertEnds(d, from, second, true, linked)
                            : InsertPicks(d, from, second, true, linked);
        else if (ends)
            DeleteEnds(d, from, second, true, linked);
        else
            DeletePicks(d, from, second, true, linked);
        UpdateUsed(d);
    });
    // The design grid is 50 wide: the count it took is the one to offer next.
    if (insert && d.DesignMode) second_ = inserted;
}

void StructureCommands::InsEnds1Click() {
    InsertOrDelete(true, true);
}

void StructureCommands::InsPicks1Click() {
    InsertOrDelete(true, false);
}

void StructureCommands::DelEnds1Click() {
    InsertOrDelete(false, true);
}

void StructureCommands::DelPicks1Click() {
    InsertOrDelete(false, false);
}

void StructureCommands::InsShafts1Click() {
    const int shafts = ctx_.Doc->Draft().Shafts;
    if (!AskRange({GeneralForm, "@insshafts", "@fromshaft", "@numshafts", ""}, shafts + 1,
                  MaxShafts - shafts))
        return;
    ctx_.Doc->Edit([this](DraftState& d) { InsertShafts(d, first_, second_); });
}

void StructureCommands::InsTreadles1Click() {
    const int treadles = ctx_.Doc->Draft().Treadles;
    if (!AskRange({GeneralForm, "@instr", "@fromtr", "@numtr", ""}, treadles + 1,
                  MaxTreadles - treadles))
        return;
    ctx_.Doc->Edit([this](DraftState& d) { InsertTreadles(d, first_, second_); });
}

void StructureCommands::DelShafts1Click() {
    const int shafts = ctx_.Doc->Draft().Shafts;
    if (!AskRange({GeneralForm, "@delshafts", "@fromshaft", "@toshaft", ""}, shafts, shafts))
        return;
    if (first_ > second_) std::swap(first_, second_);
    ctx_.Doc->Edit([this](DraftState& d) { DeleteShafts(d, first_, second_); });
}

void StructureCommands::DelTreadles1Click() {
    const int treadles = ctx_.Doc->Draft().Treadles;
    if (!AskRange({GeneralForm, "@deltr", "@fromtr", "@totr", ""}, treadles, treadles)) return;
    if (first_ > second_) std::swap(first_, second_);
    ctx_.Doc->Edit([this](DraftState& d) { DeleteTreadles(d, first_, second_); });
}

void StructureCommands::Switch(bool shafts) {
    EditorDocument& doc = *ctx_.Doc;
    const DraftState& d = doc.Draft();
    const RangeTexts texts{GeneralForm, shafts ? "@swishafts" : "@switr",
                           shafts ? "@idshaft" : "@idtreadle", shafts ? "@idshaft" : "@idtreadle",
                           ":"};
    // Every switch shows at once; all of them are one step.
    const Snapshot before = doc.Core().Capture();
    Snapshot shown = before;
    TDlgFlo2 dialog(ctx_.Window);
    dialog.Execute(texts, shafts ? d.Shafts : d.Treadles, first_, second_, d.LayoutTopBot,
                   [&](int a, int b) {
                       doc.Preview(shown, [&](DraftState& d) {
                           if (shafts)
                               SwitchShafts(d, a, b);
                           else
                               SwitchTreadles(d, a, b);
                       });
                       shown = doc.Core().Capture();
                   });
    doc.Record(before);
}

void StructureCommands::SwitchShafts1Click() {
    Switch(true);
}

void StructureCommands::SwitchTreadles1Click() {
    Switch(false);
}

void StructureCommands::Warp1Click() {
    std::optional<Message> m;
    ctx_.Doc->Edit([&](DraftState& d) { m = MirrorWarp(d); });
    if (m) ShowMessageText(ctx_.Prompt(), MessageText(*m));
}

void StructureCommands::Weft1Click() {
    std::optional<Message> m;
    ctx_.Doc->Edit([&](DraftState& d) { m = MirrorWeft(d); });
    if (m) ShowMessageText(ctx_.Prompt(), MessageText(*m));
}

void StructureCommands::Reverse1Click() {
    ctx_.Doc->Edit([](DraftState& d) { ReverseFabric(d); });
}

void StructureCommands::ReverseWarpOrder1Click() {
    ctx_.Doc->Edit([](DraftState& d) { ReverseWarpOrder(d); });
}

void StructureCommands::ReverseOrder1Click() {
    ctx_.Doc->Edit([](DraftState& d) { ReverseWeftOrder(d); });
}

void StructureCommands::Reducetoonerepeat1Click() {
    const DraftState& d = ctx_.Doc->Draft();
    const ViewWindow& w = ctx_.View->Window();
    if (!ThreadingInView(d, w) && !WeftingInView(d, w)) {
        ReportNoPattern(ctx_.Prompt());
        return;
    }
    const int answer = ConfirmQuestion3(ctx_.Prompt(), GetText(GeneralForm, "@idreduce"));
    if (answer != 1 && answer != 2) return;
    std::vector<Message> notes;
    ctx_.Doc->Edit([&](DraftState& d) { notes = ReduceToOneRepeat(d, answer == 1); });
    for (const Message& m : notes) ShowMessageText(ctx_.Prompt(), MessageText(m));
}

void StructureCommands::Rotate1Click() {
    if (!ConfirmOk(ctx_.Prompt(), GetText(GeneralForm, "@mesrotate"))) return;
    std::optional<Message> m;
    ctx_.Doc->Edit([&](DraftState& d) { m = TurnDraft(d); });
    if (m) ShowMessageText(ctx_.Prompt(), MessageText(*m));
}

} // namespace hw
