#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

namespace hw {

class EditorDocument;

// A copy of the open pattern while it holds changes that are not saved,
// kept in a folder beside the settings file, so that a crash or a killed
// session does not take those changes with it. Each run owns its copy by a
// lock; the copies of runs that ended without closing are offered back at
// the next start.
class RecoveryCopy : public QObject {
    Q_OBJECT
public:
    RecoveryCopy(EditorDocument& doc, const QString& folder, QObject* parent = nullptr);
    // A run that closes normally leaves nothing behind.
    ~RecoveryCopy() override;

    // Writes the copy when the pattern changed since the last one, and
    // removes it when there is nothing unsaved. The timer calls this.
    void Update();
    void Discard();
    const QString& Folder() const { return folder_; }

    // A copy left by a run that has ended.
    struct Left {
        QString Pattern;  // the copy, a pattern file (with its design file)
        QString Original; // the file the changes belong to; empty for a new pattern
    };
    // The copies in the folder that no running program owns, newest first.
    static std::vector<Left> Find(const QString& folder);
    static void Remove(const Left& left);

    // The folder beside a settings file.
    static QString FolderFor(const QString& settingsFile);

private:
    EditorDocument& doc_;
    QString folder_;
    QString base_; // folder/pid-n, without extension
    std::unique_ptr<QLockFile> lock_;
    QTimer timer_;
    bool changed_ = false;
};

} // namespace hw
