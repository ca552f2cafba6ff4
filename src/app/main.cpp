#include "help/context_help.h"
#include "help/help_window.h"
#include "mainwindow/tw_form.h"
#include "platform/lang_binder.h"
#include "platform/language_setting.h"
#include "platform/qt_settings_store.h"
#include "text/lang.h"
#include "text/start_language.h"

#include "version.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Answered before any window system is asked for, so they work anywhere.
bool PrintInfo(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s %s\n", hw::ProductName, hw::ProductVersion);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("usage: heddlewise [--language en|de|sv|fi] [--config FILE] [PATTERN]\n"
                        "       heddlewise --help | --version\n\n"
                        "Opens the Heddlewise weaving draft editor, with PATTERN (a .hdw file)\n"
                        "when one is named.\n\n"
                        "  --language L   start in English, German, Swedish or Finnish; the\n"
                        "                 choice is remembered for later starts\n"
                        "  --config FILE  keep the settings in FILE instead of\n"
                        "                 ~/.config/heddlewise/heddlewise.ini\n");
            return true;
        }
    }
    return false;
}

QIcon BundledIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QString(":/icons/%1x%1/apps/heddlewise.png").arg(size));
    return icon;
}

} // namespace

int main(int argc, char** argv) {
    if (PrintInfo(argc, argv)) return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(hw::ProductName);
    QApplication::setApplicationVersion(hw::ProductVersion);
    // The desktop entry of the same name gives the window its menu name and icon.
    QGuiApplication::setDesktopFileName("heddlewise");
    QApplication::setWindowIcon(QIcon::fromTheme("heddlewise", BundledIcon()));
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
    hw::SetHelpLanguage(startLanguage);
    hw::InstallF1Help();

    // FormCreate reads the settings; closing the window writes them.
    hw::TWform window;
    window.SetStartLanguage(startLanguage);
    window.SetLocale(locale);
    QStringList rest;
    for (const std::string& a : language.Rest) rest << QString::fromStdString(a);
    window.SetCommandLine(rest);
    window.show();
    return app.exec();
}
