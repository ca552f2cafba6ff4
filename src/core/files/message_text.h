#pragma once

#include "model/message.h"

#include <string>

namespace hw {

// The message in the current language with its arguments filled in.
std::string MessageText(const Message& m);

} // namespace hw
