#pragma once

#include <functional>
#include <string>
#include <vector>

namespace hw {

// The pattern named on the editor's command line (the arguments after the
// program's own options): the first argument when it is at least 4
// characters long and names a file; otherwise all arguments joined by
// spaces, so that an unquoted path with spaces still opens. Empty when
// there is none.
std::string PatternFromCommandLine(const std::vector<std::string>& args,
                                   const std::function<bool(const std::string&)>& exists);

} // namespace hw
