#pragma once

#include <QString>

namespace hw {

// The sample patterns that come with the editor: share/heddlewise/samples
// beside an installed editor, the source tree's copies for one run from its
// build folder. When neither exists, the installed place all the same, so
// texts that name it stay right.
QString SamplesFolder();
// Whether a folder is the samples folder, and whether a file lies in it.
bool IsSamplesFolder(const QString& folder);
bool InSamplesFolder(const QString& file);

} // namespace hw
