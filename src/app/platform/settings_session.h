#pragma once

#include "model/draft_state.h"
#include "platform/qt_settings_store.h"
#include "settings/settings.h"

#include <memory>

class QWidget;

namespace hw {

class Tmemoform;

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

    // Expires with the session; windows bound to it stop recording then.
    std::weak_ptr<const void> Lifetime() const { return alive_; }

private:
    QtSettingsStore store_;
    Settings settings_;
    std::shared_ptr<const int> alive_ = std::make_shared<const int>(0);
};

// Places a top-level window as the stored values say, on its screen.
void PlaceWindow(QWidget* window, const Settings& s);
// Records whether the window is maximized and its restored size.
void RecordWindow(const QWidget* window, Settings& s);

// Gives the notes window its stored size and left edge now, fitted to its
// screen, and from then on keeps the session's notes placement equal to
// the window's width, height and left edge whenever it is moved, resized
// or hidden, so that the settings written at exit hold them.
void BindNotesPlacement(Tmemoform& memo, SettingsSession& session);

} // namespace hw
