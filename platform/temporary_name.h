#pragma once

#include <string_view>

namespace kv {

// A replaced file's temporary is named "NAME.tmp1234" after the file NAME and the process that
// writes it, so that one left by a killed writer can be told apart and cleared away. The number
// in the directory entry `entry` for the file `name`, else 0.
long TemporaryPid(std::string_view entry, std::string_view name);

}  // namespace kv
