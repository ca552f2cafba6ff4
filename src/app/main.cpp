#include "mainwindow/tw_form.h"
#include "platform/qt_settings_store.h"
#include "platform/settings_session.h"

#include "version.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(hw::ProductName);
    QApplication::setApplicationVersion(hw::ProductVersion);
    QStringList args = QApplication::arguments();
    hw::SetSettingsFileOverride(hw::TakeConfigOption(args));
    hw::TWform window;
    // Settings are read once at start and written once at exit.
    hw::SettingsSession settings;
    settings.Start(window.Draft(), &window);
    window.show();
    const int result = app.exec();
    settings.Close(window.Draft(), &window);
    return result;
}
