#pragma once

#include "settings/key_value_store.h"

#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace hw {

// The settings as an INI file through QSettings, groups "Options6" and
// "Files". A file that cannot be read gives no values and is never
// written over, so a damaged or foreign file is not lost.
class QtSettingsStore : public KeyValueStore {
public:
    explicit QtSettingsStore(const QString& path);
    ~QtSettingsStore() override;

    const QString& Path() const { return path_; }
    bool Readable() const { return readable_; }

    std::optional<long long> GetInt(const std::string& group,
                                    const std::string& name) const override;
    std::optional<bool> GetBool(const std::string& group, const std::string& name) const override;
    std::optional<std::string> GetString(const std::string& group,
                                         const std::string& name) const override;
    void SetInt(const std::string& group, const std::string& name, long long value) override;
    void SetBool(const std::string& group, const std::string& name, bool value) override;
    void SetString(const std::string& group, const std::string& name,
                   const std::string& value) override;
    bool Flush() override;

private:
    std::optional<std::string> Text(const std::string& group, const std::string& name) const;

    QString path_;
    bool readable_ = false;
    std::unique_ptr<QSettings> settings_;
};

// The settings file of this run: the one given with --config, else the one
// in HEDDLEWISE_CONFIG, else "heddlewise/heddlewise.ini" in the user's
// configuration folder.
QString SettingsFilePath();
// Sets (or, with an empty path, clears) the --config choice.
void SetSettingsFileOverride(const QString& path);
// Takes "--config FILE" or "--config=FILE" out of the arguments and returns
// FILE ("" when the option is not there).
QString TakeConfigOption(QStringList& args);

} // namespace hw
