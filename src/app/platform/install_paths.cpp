#include "platform/install_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace hw {

QString SamplesFolder() {
    const QString installed =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + HW_SAMPLES_FROM_BIN);
    if (QFileInfo(installed).isDir()) return installed;
    const QString source = QStringLiteral(HW_SOURCE_SAMPLES);
    return QFileInfo(source).isDir() ? source : installed;
}

bool IsSamplesFolder(const QString& folder) {
    const QString canonical = folder.isEmpty() ? QString() : QFileInfo(folder).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(SamplesFolder()).canonicalFilePath();
}

bool InSamplesFolder(const QString& file) {
    return !file.isEmpty() && IsSamplesFolder(QFileInfo(file).absolutePath());
}

} // namespace hw
