#include "platform/qt_settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace hw {

static QString Key(const std::string& group, const std::string& name) {
    return QString::fromStdString(group) + "/" + QString::fromStdString(name);
}

QtSettingsStore::QtSettingsStore(const QString& path) : path_(path) {
    const QFileInfo info(path);
    // A folder, or a file we may not read, is left alone entirely.
    const bool usable = !info.exists() || (info.isFile() && info.isReadable());
    if (!usable) return;
    settings_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
    readable_ = settings_->status() == QSettings::NoError;
    if (!readable_) settings_.reset();
}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<std::string> QtSettingsStore::Text(const std::string& group,
                                                 const std::string& name) const {
    if (!settings_) return std::nullopt;
    const QVariant v = settings_->value(Key(group, name));
    if (!v.isValid()) return std::nullopt;
    // An unquoted value with commas in a hand-edited file reads as a list.
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(",").toStdString();
    if (!v.canConvert<QString>()) return std::nullopt;
    return v.toString().toStdString();
}

std::optional<long long> QtSettingsStore::GetInt(const std::string& group,
                                                 const std::string& name) const {
    const auto t = Text(group, name);
    return t ? ParseStoredInt(*t) : std::nullopt;
}

std::optional<bool> QtSettingsStore::GetBool(const std::string& group,
                                             const std::string& name) const {
    const auto t = Text(group, name);
    return t ? ParseStoredBool(*t) : std::nullopt;
}

std::optional<std::string> QtSettingsStore::GetString(const std::string& group,
                                                      const std::string& name) const {
    return Text(group, name);
}

void QtSettingsStore::SetInt(const std::string& group, const std::string& name, long long value) {
    if (settings_) settings_->setValue(Key(group, name), QString::number(value));
}

void QtSettingsStore::SetBool(const std::string& group, const std::string& name, bool value) {
    SetInt(group, name, value ? 1 : 0);
}

void QtSettingsStore::SetString(const std::string& group, const std::string& name,
                                const std::string& value) {
    if (settings_) settings_->setValue(Key(group, name), QString::fromStdString(value));
}

bool QtSettingsStore::Flush() {
    if (!settings_) return false;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

static QString& Override() {
    static QString path;
    return path;
}

void SetSettingsFileOverride(const QString& path) {
    Override() = path;
}

QString SettingsFilePath() {
    if (!Override().isEmpty()) return Override();
    const QString env = qEnvironmentVariable("HEDDLEWISE_CONFIG");
    if (!env.isEmpty()) return env;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/heddlewise/heddlewise.ini";
}

QString TakeConfigOption(QStringList& args) {
    QString path;
    for (int i = 1; i < args.size();) {
        if (args[i] == "--config") {
            if (i + 1 < args.size()) path = args[i + 1];
            args.remove(i, std::min<qsizetype>(2, args.size() - i));
        } else if (args[i].startsWith("--config=")) {
            path = args[i].mid(int(qstrlen("--config=")));
            args.remove(i);
        } else {
            ++i;
        }
    }
    return path;
}

} // namespace hw
