#pragma once

#include "model/draft_state.h"
#include "platform/qt_settings_store.h"
#include "settings/settings.h"

class QWidget;

namespace hw {

// The settings of one run of the editor: read once when the main window is
// made, written when it closes (and by "Save Settings").
class SettingsSession {
public:
    explicit SettingsSession(const QString& path = SettingsFilePath());

    QtSettingsStore& Store() { return store_; }
    Settings& Prefs() { return settings_; }
    const Settings& Prefs() const { return settings_; }

    // Start-up: the start values, the stored settings, the default palette
    // and colour rows into the draft; then the window is placed (before it
    // is first shown).
    void Start(DraftState& d, QWidget* window);

    // Close: the window's state and size, then every setting.
    bool Close(const DraftState& d, const QWidget* window);

private:
    QtSettingsStore store_;
    Settings settings_;
};

// Places a top-level window as the stored values say, on its screen.
void PlaceWindow(QWidget* window, const Settings& s);
// Records whether the window is maximized and its restored size.
void RecordWindow(const QWidget* window, Settings& s);

} // namespace hw
