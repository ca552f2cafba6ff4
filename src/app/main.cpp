#include "mainwindow/tw_form.h"

#include "version.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(hw::ProductName);
    QApplication::setApplicationVersion(hw::ProductVersion);
    hw::TWform window;
    window.show();
    return app.exec();
}
