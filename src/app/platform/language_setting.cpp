#include "platform/language_setting.h"

#include "platform/qt_settings_store.h"
#include "settings/settings.h"

namespace hw {

std::optional<int> ReadStoredLanguage() {
    const QtSettingsStore store(SettingsFilePath());
    return ReadLanguage(store);
}

void WriteStoredLanguage(int language) {
    QtSettingsStore store(SettingsFilePath());
    WriteLanguage(store, language);
    store.Flush();
}

} // namespace hw
