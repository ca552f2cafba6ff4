#include "commands/options_commands.h"

#include "commands/print_commands.h"
#include "dialogs/memo_form.h"
#include "dialogs/options_dialog.h"
#include "document/editor_document.h"
#include "help/about_box.h"
#include "help/external_programs.h"
#include "help/help_window.h"
#include "help/tip_of_the_day.h"
#include "platform/lang_binder.h"
#include "platform/settings_session.h"
#include "settings/settings.h"
#include "view/draft_view.h"

#include <QPlainTextEdit>
#include <QTimer>

namespace hw {

namespace {

// Typing in the notes window makes one step until something else happens.
constexpr uint32_t NotesMergeKey = 1;

} // namespace

void OptionsCommands::Options2Click() {
    DraftView& view = *ctx_.View;
    ctx_.Doc->Edit([&](DraftState& d) {
        OptionsContext oc{d,
                          ctx_.Session->Prefs(),
                          ctx_.Session->Store(),
                          ctx_.Prompt(),
                          view.Settings().BackgroundColor,
                          [&view] { view.LayoutStep(); }};
        ShowOptions(ctx_.Window, oc);
    });
    // Preferences such as the background colour are not part of the draft.
    view.LayoutStep();
    view.FullRepaint();
    ctx_.Refresh();
}

void OptionsCommands::SaveSettings1Click() {
    Settings& prefs = ctx_.Session->Prefs();
    TakeSnapshot(ctx_.Doc->Draft(), prefs.Snapshot, false, false);
    if (!WriteDefaults(ctx_.Session->Store(), ctx_.Doc->Draft(), prefs) ||
        !ctx_.Session->Store().Flush())
        ctx_.Prompt().ShowError("File Write Error");
}

void OptionsCommands::SwitchLanguage(int language) {
    if (!ApplyAppLanguage(language)) return;
    SetHelpLanguage(language);
    ctx_.Refresh();
}

Tmemoform* OptionsCommands::NotesWindow() {
    if (memo_) return memo_;
    memo_ = new Tmemoform(ctx_.Window);
    BindNotesPlacement(*memo_, *ctx_.Session);
    memo_->SetNotes(ctx_.Doc->Draft().Notes);
    EditorDocument* doc = ctx_.Doc;
    QObject::connect(memo_->Memo(), &QPlainTextEdit::textChanged, memo_, [this, doc] {
        const std::string notes = memo_->Notes();
        if (notes != doc->Draft().Notes)
            doc->Edit([&](DraftState& d) { d.Notes = notes; }, NotesMergeKey);
    });
    // Undo, redo and a new draft bring their notes into the window.
    auto follow = [this, doc] {
        if (memo_->Notes() != doc->Draft().Notes) memo_->SetNotes(doc->Draft().Notes);
    };
    QObject::connect(doc, &EditorDocument::Changed, memo_, [follow](const Change& c) {
        if (c.Has(Component::Notes)) follow();
    });
    QObject::connect(doc, &EditorDocument::Replaced, memo_, follow);
    // File > Print prints the note as it stands in the window.
    memo_->PrintAction()->setEnabled(true);
    QObject::connect(memo_->PrintAction(), &QAction::triggered, memo_,
                     [this] { PrintNotes(ctx_, memo_->Notes()); });
    return memo_;
}

void OptionsCommands::Note1Click() {
    Tmemoform* memo = NotesWindow();
    memo->show();
    memo->raise();
    memo->activateWindow();
}

void OptionsCommands::Threadbook1Click() {
    StartThreadbook(ctx_.Prompt());
}

void HelpCommands::HelpContents() {
    ShowHelpContents();
}

void HelpCommands::HelpAbout() {
    TAboutBox about(ctx_.Window);
    about.exec();
}

void HelpCommands::TipofDayItemClick() {
    // Deferred, so the menu has closed before the tip window appears.
    QTimer::singleShot(0, ctx_.Window, [this] {
        TTipOfTheDay tip(ctx_.Window);
        tip.SetShowAtStartup(ctx_.Session->Prefs().TipOfDay);
        tip.exec();
        ctx_.Session->Prefs().TipOfDay = tip.ShowAtStartup();
    });
}

void HelpCommands::HeddlewiseHomePage1Click() {
    OpenHomePage();
}

} // namespace hw
