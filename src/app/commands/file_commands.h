#pragma once

#include "commands/command_context.h"

#include <QString>

namespace hw {

// The File menu: open, open components, import WIF, save, save as, revert,
// new, the older layouts, the recent files and exit.
class FileCommands {
public:
    explicit FileCommands(CommandContext& ctx) : ctx_(ctx) {}

    void FileOpen();
    void OpenSelected1Click();
    void ImportWif1Click();
    void FileSave();
    void FileSaveAs();
    void ReverttoSaved1Click();
    void New1Click();
    void SaveOldVersion(int version);
    void OpenRecent(int index);
    void FileExit();

    // Opens a pattern as File > Open does: the draft, the remembered repeats,
    // the recent files; the history starts again. False when the load failed.
    bool OpenPattern(const QString& path);
    // Reads a WIF file as File > Import WIF does: a new pattern without a
    // name, not saved yet, with a fresh history. False when it was refused.
    bool ImportWif(const QString& path);
    // Saves under the given path; false when it failed.
    bool SavePatternAs(const QString& path);
    // Before dropping the draft: asks whether to save unsaved changes.
    // False when the command must stop.
    bool ConfirmDiscard();
    // The recent-file items of the File menu from the stored list.
    void FillRecentMenu();

private:
    QString PatternFolder() const;

    CommandContext& ctx_;
};

// The folder File > Open starts in when none was stored.
QString DefaultPatternFolder();

} // namespace hw
