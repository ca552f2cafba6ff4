#include "commands/export_commands.h"

#include "dialogs/range_dialogs.h"
#include "dialogs/wif_dialog.h"
#include "document/editor_document.h"
#include "export/fabric_png.h"
#include "export/wif_export.h"
#include "files/message_text.h"
#include "platform/lang_binder.h"
#include "platform/settings_session.h"
#include "text/lang.h"
#include "text/messages.h"
#include "view/fabric.h"
#include "view/status_text.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace hw {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The pattern's name without folder and extension ("" for a new one).
QString PatternName(const DraftState& d) {
    return QFileInfo(Q(d.FileName)).completeBaseName();
}

} // namespace

QString ExportCommands::ChoosePath(const QStringList& filters, const char* suffix,
                                   const QString& proposed) {
    if (ctx_.ChooseSavePath) return ctx_.ChooseSavePath();
    QFileDialog dialog(ctx_.Window);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffix);
    const std::string& name = ctx_.Doc->Draft().FileName;
    if (!name.empty()) dialog.setDirectory(QFileInfo(Q(name)).absolutePath());
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

void ExportCommands::PNG1Click() {
    const DraftState& d = ctx_.Doc->Draft();
    const ClothExtent cloth = FabricExtent(d);
    if (cloth.Ends == 0 || cloth.Picks == 0) {
        ReportNoPattern(ctx_.Prompt());
        return;
    }
    int ends = cloth.Ends, picks = cloth.Picks;
    // The caption is the menu item's.
    if (!TDlgNum2::Ask(ctx_.Window, {GeneralForm, "@pngsize", "@idends", "@idpicks", ":"},
                       std::min(16, cloth.Ends), cloth.Ends, std::min(16, cloth.Picks), cloth.Picks,
                       ends, picks))
        return;
    const QString path = ChoosePath(FileTypeFilters("@ftpng", "*.png"), "png",
                                    PatternName(d).isEmpty() ? QString() : PatternName(d) + ".png");
    if (path.isEmpty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Status written = ExportFabricPng(d, path.toStdString(), ends, picks);
    QApplication::restoreOverrideCursor();
    if (!written) ctx_.Prompt().ShowError(MessageText(*written.Error));
}

void ExportCommands::WIF1Click() {
    const DraftState& d = ctx_.Doc->Draft();
    const auto draft = DraftForWif(d, ctx_.Session->Prefs().Warpempty);
    const WifSize full = WifFullSize(*draft), repeat = WifRepeatSize(*draft);
    if (full.Ends == 0 || full.Picks == 0) {
        ReportNoPattern(ctx_.Prompt());
        return;
    }
    TWifdlg dialog(repeat.Ends, repeat.Picks, full.Ends, full.Picks, ctx_.Window);
    dialog.SetValues({full.Ends, full.Picks, false});
    if (dialog.exec() != QDialog::Accepted) return;
    const TWifdlg::Values v = dialog.GetValues();
    const QString path = ChoosePath(FileTypeFilters("@ftwif", "*.wif", false), "wif",
                                    PatternName(d).isEmpty() ? QString() : PatternName(d) + ".wif");
    if (path.isEmpty()) return;
    WifOptions o;
    o.Ends = v.Ends, o.Picks = v.Picks, o.Both = v.Both;
    if (const Status written = SaveWif(*draft, path.toStdString(), o); !written)
        ctx_.Prompt().ShowError(MessageText(*written.Error));
}

} // namespace hw
