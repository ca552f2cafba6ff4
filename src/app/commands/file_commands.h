#pragma once

#include "commands/command_context.h"

#include <QString>

#include <string>

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
    // A file named from outside: on the command line or by the desktop's
    // file manager. A WIF file is imported.
    bool OpenNamedFile(const QString& path);
    // The copy a run left when it ended without saving: its pattern again,
    // still unsaved, belonging to the original file (none for a new one).
    bool RestoreRecovered(const QString& copy, const QString& original);
    // Saves under the given path; false when it failed.
    bool SavePatternAs(const QString& path);
    // Before dropping the draft: asks whether to save unsaved changes.
    // False when the command must stop.
    bool ConfirmDiscard();
    // The recent-file items of the File menu from the stored list.
    void FillRecentMenu();

private:
    QString PatternFolder() const;
    // A file to read, from the tests' chooser or a file dialog that starts
    // in folder; empty when none was chosen.
    QString FileToRead(const QString& caption, const QString& folder, const QStringList& filters,
                       int helpContext, const char* name, const char* suffix = nullptr);

    CommandContext& ctx_;
};

// The folder the save dialogs start in when none was stored.
QString DefaultPatternFolder();
// Where File > Open starts: the stored folder of the last pattern opened or
// saved, and the samples folder until there is one.
QString OpenFolder(const std::string& stored);
// Where the save dialogs start: never the samples folder.
QString SaveFolder(const std::string& stored);

} // namespace hw
