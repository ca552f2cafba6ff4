#include "platform/settings_session.h"

#include "dialogs/memo_form.h"
#include "settings/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace hw {

SettingsSession::SettingsSession(const QString& path) : store_(path) {}

void SettingsSession::Start(DraftState& d, QWidget* window) {
    StartSettings(store_, d, settings_);
    if (window) PlaceWindow(window, settings_);
}

bool SettingsSession::Close(const DraftState& d, const QWidget* window) {
    if (window) RecordWindow(window, settings_);
    return WriteSettings(store_, d, settings_);
}

void PlaceWindow(QWidget* window, const Settings& s) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    const QRect now = window->geometry();
    const WindowPlacement p =
        StartWindowPlacement(s, {avail.x(), avail.y(), avail.width(), avail.height()},
                             {now.x(), now.y(), now.width(), now.height()});
    window->setGeometry(p.Geometry.X, p.Geometry.Y, p.Geometry.Width, p.Geometry.Height);
    if (p.Maximized)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    else
        window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
}

void RecordWindow(const QWidget* window, Settings& s) {
    const bool maximized = window->isMaximized();
    // While maximized the restored size is the one to come back to.
    const QSize size = maximized ? window->normalGeometry().size() : window->size();
    RecordWindowPlacement(s, maximized, size.width(), size.height());
}

namespace {

// Copies the notes window's placement into the session's settings. The
// window may outlive the session (it goes with the main window's
// children), hence the lifetime check.
class NotesPlacementRecorder : public QObject {
public:
    NotesPlacementRecorder(QWidget* memo, SettingsSession& session)
        : QObject(memo), session_(session), alive_(session.Lifetime()) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type == QEvent::Move || type == QEvent::Resize || type == QEvent::Hide) &&
            !alive_.expired()) {
            const auto* w = static_cast<QWidget*>(watched);
            session_.Prefs().Memo = {w->width(), w->height(), w->x()};
        }
        return false;
    }

private:
    SettingsSession& session_;
    std::weak_ptr<const void> alive_;
};

} // namespace

void BindNotesPlacement(Tmemoform& memo, SettingsSession& session) {
    QScreen* screen = memo.screen() ? memo.screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect avail = screen->availableGeometry();
        const ScreenRect r = ReadNotesWindowPlacement(
            session.Prefs(), {avail.x(), avail.y(), avail.width(), avail.height()});
        memo.resize(r.Width, r.Height);
        memo.move(r.X, r.Y);
    }
    memo.installEventFilter(new NotesPlacementRecorder(&memo, session));
}

} // namespace hw
