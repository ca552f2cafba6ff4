#pragma once

#include "commands/command_context.h"

#include <QStringList>

namespace hw {

// File > Export: the fabric as a PNG picture and the draft as a WIF file,
// through the same core code heddlewise-cli uses.
class ExportCommands {
public:
    explicit ExportCommands(CommandContext& ctx) : ctx_(ctx) {}

    void PNG1Click();
    void WIF1Click();

private:
    // The path chosen in a save dialog with these filters, or "".
    QString ChoosePath(const QStringList& filters, const char* suffix, const QString& proposed);

    CommandContext& ctx_;
};

} // namespace hw
