#include "document/recovery_copy.h"

#include "document/editor_document.h"
#include "files/file_io.h"
#include "files/pattern_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace hw {

namespace {

// Often enough to lose little, seldom enough to cost nothing: a full
// pattern is written in about a millisecond.
constexpr int IntervalMs = 15000;

const char* const Extensions[] = {".hdw", ".hdb", ".name"};

void RemoveFiles(const QString& base) {
    for (const char* ext : Extensions) QFile::remove(base + ext);
}

} // namespace

RecoveryCopy::RecoveryCopy(EditorDocument& doc, const QString& folder, QObject* parent)
    : QObject(parent), doc_(doc), folder_(folder) {
    // Several windows of one program each have a copy of their own.
    static int windows = 0;
    QDir().mkpath(folder);
    base_ = folder + QString("/%1-%2").arg(QCoreApplication::applicationPid()).arg(windows++);
    lock_ = std::make_unique<QLockFile>(base_ + ".lock");
    lock_->setStaleLockTime(0);
    // Without the lock another run could take the copy for a lost one, so
    // none is kept then.
    if (!lock_->tryLock(0)) lock_.reset();

    auto changed = [this] { changed_ = true; };
    connect(&doc_, &EditorDocument::Changed, this, changed);
    connect(&doc_, &EditorDocument::Replaced, this, changed);
    connect(&doc_, &EditorDocument::StateChanged, this, changed);
    connect(&timer_, &QTimer::timeout, this, &RecoveryCopy::Update);
    timer_.start(IntervalMs);
}

RecoveryCopy::~RecoveryCopy() {
    Discard();
}

void RecoveryCopy::Update() {
    if (!lock_ || !changed_) return;
    if (!doc_.Modified()) {
        RemoveFiles(base_);
        changed_ = false;
        return;
    }
    // A copy of the draft, so the document keeps its own file name; each
    // file is written whole or not at all.
    DraftState copy = doc_.Draft();
    const std::string& original = doc_.Draft().FileName;
    if (!WriteFileAtomically((base_ + ".name").toStdString(), {original.begin(), original.end()}) ||
        !SavePattern(copy, (base_ + ".hdw").toStdString(), SaveOptions{}))
        return; // tried again at the next tick
    if (!copy.DesignMode) QFile::remove(base_ + ".hdb");
    changed_ = false;
}

void RecoveryCopy::Discard() {
    if (lock_) RemoveFiles(base_);
}

std::vector<RecoveryCopy::Left> RecoveryCopy::Find(const QString& folder) {
    std::vector<Left> found;
    const QFileInfoList copies =
        QDir(folder).entryInfoList({"*.hdw"}, QDir::Files, QDir::Time);
    for (const QFileInfo& copy : copies) {
        const QString base = folder + "/" + copy.completeBaseName();
        // A lock that can be taken belongs to nobody any more.
        QLockFile lock(base + ".lock");
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0)) continue;
        QFile name(base + ".name");
        const QString original =
            name.open(QIODevice::ReadOnly) ? QString::fromUtf8(name.readAll()) : QString();
        found.push_back({copy.absoluteFilePath(), original});
    }
    return found;
}

void RecoveryCopy::Remove(const Left& left) {
    const QFileInfo copy(left.Pattern);
    const QString base = copy.absolutePath() + "/" + copy.completeBaseName();
    RemoveFiles(base);
    QFile::remove(base + ".lock");
}

QString RecoveryCopy::FolderFor(const QString& settingsFile) {
    const QFileInfo settings(settingsFile);
    return settings.absolutePath() + "/" + settings.completeBaseName() + "-recovery";
}

} // namespace hw
