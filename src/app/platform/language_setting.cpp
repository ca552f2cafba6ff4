#include "platform/language_setting.h"

#include <QSettings>
#include <QStandardPaths>

namespace hw {

QString SettingsFilePath() {
    const QString overridden = qEnvironmentVariable("HEDDLEWISE_CONFIG");
    if (!overridden.isEmpty()) return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Heddlewise/heddlewise.ini");
}

std::optional<int> ReadStoredLanguage() {
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    const QVariant value = settings.value(QStringLiteral("Options6/Language"));
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const int language = value.toInt(&ok);
    return ok ? std::optional<int>(language) : std::nullopt;
}

void WriteStoredLanguage(int language) {
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Options6/Language"), language);
}

} // namespace hw
