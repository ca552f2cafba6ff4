#include "help/external_programs.h"

#include "text/messages.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace hw {

bool StartThreadbook(Prompter& prompter, const QString& program) {
    if (!program.isEmpty() && QProcess::startDetached(program, {})) return true;
    ShowMessageText(prompter, "Unable to start Threadbook");
    return false;
}

bool OpenHomePage() {
    return QDesktopServices::openUrl(QUrl(QString::fromLatin1(HomePageUrl)));
}

} // namespace hw
