#include "commands/file_commands.h"

#include "dialogs/blend_dialog.h"
#include "dialogs/components_dialog.h"
#include "dialogs/new_dialog.h"
#include "document/editor_document.h"
#include "edit/unsaved_changes.h"
#include "files/message_text.h"
#include "files/pattern_file.h"
#include "files/wif_reader.h"
#include "help/context_help.h"
#include "mainwindow/action_table.h"
#include "platform/install_paths.h"
#include "platform/lang_binder.h"
#include "platform/settings_session.h"
#include "settings/command_line.h"
#include "text/help_topics.h"
#include "text/lang.h"
#include "text/messages.h"
#include "transform/repeat.h"
#include "view/draft_view.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

namespace hw {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
std::string S(const QString& s) {
    return s.toStdString();
}

// Files without an extension are patterns too: "Any files" shows them.
QStringList PatternFilters() { return FileTypeFilters("@ftpatterns", "*.hdw"); }

} // namespace

QString DefaultPatternFolder() {
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                           "/Heddlewise");
}

QString OpenFolder(const std::string& stored) {
    const QString folder = Q(stored);
    if (!folder.isEmpty() && QDir(folder).exists()) return folder;
    if (QDir(SamplesFolder()).exists()) return SamplesFolder();
    return SaveFolder(stored);
}

QString SaveFolder(const std::string& stored) {
    QString folder = Q(stored);
    if (folder.isEmpty() || IsSamplesFolder(folder)) folder = DefaultPatternFolder();
    return QDir(folder).exists() ? folder : QDir::homePath();
}

QString FileCommands::PatternFolder() const {
    return SaveFolder(ctx_.Session->Prefs().NufilPath);
}

bool FileCommands::ConfirmDiscard() {
    const DraftState& d = ctx_.Doc->Draft();
    return ConfirmDiscardChanges(ctx_.Prompt(), ctx_.Doc->Modified(), d.FileName, [this] {
        FileSave();
        return !ctx_.Doc->Modified();
    });
}

bool FileCommands::OpenPattern(const QString& path) {
    DraftState& d = ctx_.Doc->Draft();
    LoadRequest request;
    const LoadResult r = LoadPattern(d, S(path), request);
    if (r.Error) ctx_.Prompt().ShowError(MessageText(*r.Error));
    for (const Message& w : r.Warnings) ctx_.Prompt().ShowError(MessageText(w));
    if (!r.Ok) return false;
    d.FileName = S(path);
    UpdateRememberedRepeats(d);
    if (ctx_.Session->Prefs().Recent.Add(S(path))) FillRecentMenu();
    ctx_.Doc->Reset();
    ctx_.Refresh();
    return true;
}

bool FileCommands::OpenNamedFile(const QString& path) {
    return IsWifToImport(S(path)) ? ImportWif(path) : OpenPattern(path);
}

bool FileCommands::RestoreRecovered(const QString& copy, const QString& original) {
    DraftState& d = ctx_.Doc->Draft();
    const LoadResult r = LoadPattern(d, S(copy), LoadRequest{});
    if (r.Error) ctx_.Prompt().ShowError(MessageText(*r.Error));
    if (!r.Ok) return false;
    d.FileName = S(original);
    UpdateRememberedRepeats(d);
    ctx_.Doc->Reset(false);
    ctx_.Refresh();
    return true;
}

bool FileCommands::SavePatternAs(const QString& path) {
    SaveOptions options;
    options.SaveLayout = ctx_.Session->Prefs().Lagrpos;
    if (const Status saved = SavePattern(ctx_.Doc->Draft(), S(path), options); !saved) {
        ctx_.Prompt().ShowError(MessageText(*saved.Error));
        return false;
    }
    ctx_.Doc->MarkSaved();
    if (ctx_.Session->Prefs().Recent.Add(S(path))) FillRecentMenu();
    ctx_.Refresh();
    return true;
}

QString FileCommands::FileToRead(const QString& caption, const QString& folder,
                                 const QStringList& filters, int helpContext, const char* name,
                                 const char* suffix) {
    if (ctx_.ChooseOpenPath) return ctx_.ChooseOpenPath(caption);
    QFileDialog dialog(ctx_.Window, caption, folder);
    dialog.setObjectName(name);
    SetHelpContext(&dialog, helpContext);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    if (suffix) dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

void FileCommands::FileOpen() {
    if (!ConfirmDiscard()) return;
    const QString path = FileToRead(QString(), OpenFolder(ctx_.Session->Prefs().NufilPath),
                                    PatternFilters(), help::Open, "OpenDialog", "hdw");
    if (path.isEmpty()) return;
    // Pictures and WIF files are not patterns.
    if (IsBmpFile(S(path)) || IsWifFile(S(path))) return;
    if (!OpenPattern(path)) return;
    ctx_.Doc->Draft().MetricUnits = false;
    ctx_.Session->Prefs().NufilPath = S(QFileInfo(path).absolutePath());
}

void FileCommands::OpenSelected1Click() {
    const QString path =
        FileToRead(Q(GetText("TWform", "@idopencomp")), OpenFolder(ctx_.Session->Prefs().NufilPath),
                   PatternFilters(), help::LoadComponents, "OpenComponentsDialog");
    if (path.isEmpty()) return;
    ComponentsDialog components(ctx_.Window);
    BlendDialog blend(ctx_.Window);
    DialogComponentChooser chooser(components, blend);
    LoadResult r;
    ctx_.Doc->Edit([&](DraftState& d) { r = LoadComponents(d, S(path), chooser); });
    if (r.Error) ctx_.Prompt().ShowError(MessageText(*r.Error));
}

void FileCommands::ImportWif1Click() {
    if (!ConfirmDiscard()) return;
    const QString caption = ctx_.Actions->Action("ImportWif1")->text().remove('&').remove("...");
    const QString path = FileToRead(caption, PatternFolder(), FileTypeFilters("@ftwif", "*.wif"),
                                    help::WifImport, "ImportWifDialog");
    if (!path.isEmpty()) ImportWif(path);
}

bool FileCommands::ImportWif(const QString& path) {
    DraftState& d = ctx_.Doc->Draft();
    const WifReadResult r = ReadWifFile(d, S(path));
    if (r.Error) ctx_.Prompt().ShowError(MessageText(*r.Error));
    if (!r.Ok) return false;
    UpdateRememberedRepeats(d);
    // Saving asks for a pattern name: the WIF file itself is not one.
    ctx_.Doc->Reset(false);
    ctx_.Refresh();
    for (const Message& w : r.Warnings) ctx_.Prompt().ShowInfo(MessageText(w));
    return true;
}

void FileCommands::FileSave() {
    const std::string& name = ctx_.Doc->Draft().FileName;
    // The samples stay as they came: a changed one is saved under a new name.
    if (name.empty() || InSamplesFolder(Q(name)))
        FileSaveAs();
    else
        SavePatternAs(Q(name));
}

void FileCommands::FileSaveAs() {
    QString path;
    if (ctx_.ChooseSavePath) {
        path = ctx_.ChooseSavePath();
    } else {
        QFileDialog dialog(ctx_.Window);
        dialog.setObjectName("SaveDialog");
        SetHelpContext(&dialog, help::Save);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(PatternFilters());
        dialog.setDefaultSuffix("hdw");
        dialog.setDirectory(PatternFolder());
        const QString name = Q(ctx_.Doc->Draft().FileName);
        if (InSamplesFolder(name))
            dialog.selectFile(QFileInfo(name).fileName());
        else if (!name.isEmpty())
            dialog.selectFile(name);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            path = dialog.selectedFiles().front();
    }
    if (path.isEmpty()) return;
    if (SavePatternAs(path)) ctx_.Session->Prefs().NufilPath = S(QFileInfo(path).absolutePath());
}

void FileCommands::SaveOldVersion(int version) {
    QString path = ctx_.ChooseSavePath
                       ? ctx_.ChooseSavePath()
                       : QFileDialog::getSaveFileName(ctx_.Window, QString(), PatternFolder(),
                                                      PatternFilters().join(";;"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += ".hdw";
    SaveOptions options;
    options.SaveLayout = ctx_.Session->Prefs().Lagrpos;
    // An export: the document keeps its own name and modified state.
    if (const Status saved =
            hw::SaveOldVersion(ctx_.Doc->Draft(), S(path), OldVersion(version), options);
        !saved)
        ctx_.Prompt().ShowError(MessageText(*saved.Error));
}

void FileCommands::ReverttoSaved1Click() {
    const std::string name = ctx_.Doc->Draft().FileName;
    if (name.empty()) return;
    if (ctx_.Doc->Modified() && !ConfirmQuestion(ctx_.Prompt(), GetText("TWform", "@revertask")))
        return;
    OpenPattern(Q(name));
}

void FileCommands::New1Click() {
    if (!ConfirmDiscard()) return;
    DraftState& d = ctx_.Doc->Draft();
    ViewWindow unused;
    if (!ShowNewPattern(ctx_.Window, d, unused, ctx_.Session->Prefs())) return;
    d.FileName.clear();
    ctx_.View->Settings().ShowThreading = true;
    ctx_.View->SetSelectionMode(false);
    ctx_.Doc->Reset();
    ctx_.Refresh();
}

void FileCommands::FillRecentMenu() {
    const RecentFiles& recent = ctx_.Session->Prefs().Recent;
    for (int i = 0; i < RecentFiles::Count; ++i) {
        QAction* a = ctx_.Actions->Action(QString("menyfil%1").arg(i + 1));
        const std::string caption = recent.Caption(i);
        a->setText(Q(caption));
        a->setVisible(!caption.empty());
        a->setStatusTip(Q(recent.Entry(i)));
    }
    ctx_.Actions->Action("menyfilskille")->setVisible(recent.SeparatorVisible());
}

void FileCommands::OpenRecent(int index) {
    const RecentChoice choice = ctx_.Session->Prefs().Recent.Choose(
        index, [](const std::string& p) { return RegularFileExists(p); });
    if (choice.Missing) ReportNotFound(ctx_.Prompt(), *choice.Missing);
    if (!choice.Path) {
        FillRecentMenu();
        return;
    }
    if (!ConfirmDiscard()) return;
    OpenPattern(Q(*choice.Path));
}

void FileCommands::FileExit() {
    ctx_.Window->close();
}

} // namespace hw
