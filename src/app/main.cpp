#include "mainwindow/tw_form.h"
#include "platform/lang_binder.h"
#include "platform/language_setting.h"
#include "platform/qt_settings_store.h"
#include "platform/settings_session.h"
#include "text/lang.h"
#include "text/start_language.h"

#include "version.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(hw::ProductName);
    QApplication::setApplicationVersion(hw::ProductVersion);
    QStringList arguments = QApplication::arguments();
    hw::SetSettingsFileOverride(hw::TakeConfigOption(arguments));

    std::vector<std::string> args;
    for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());
    const hw::LanguageOption language = hw::ParseLanguageOption(args);
    if (!language.Error.empty()) {
        std::fprintf(stderr, "heddlewise: %s\n", language.Error.c_str());
        return 2;
    }

    // The language is chosen before any window exists, so every form starts in it.
    const QString locale = QLocale::system().uiLanguages().value(0, QLocale::system().name());
    const int startLanguage =
        hw::ChooseStartLanguage(locale.toStdString(), hw::ReadStoredLanguage(), language.Language);
    if (language.Language) hw::WriteStoredLanguage(*language.Language);
    hw::ApplyAppLanguage(startLanguage);

    hw::TWform window;
    // Settings are read once at start and written once at exit.
    hw::SettingsSession settings;
    settings.Start(window.Draft(), &window);
    window.show();
    const int result = app.exec();
    settings.Close(window.Draft(), &window);

    // A language switched to during the run is the one the next run starts in.
    if (hw::CurrentLanguage() != startLanguage) hw::WriteStoredLanguage(hw::CurrentLanguage());
    return result;
}
