#pragma once

#include <string>

namespace kv {

// The running program's own folder, links resolved; empty when the system does not say.
std::string ExecutableFolder();

}  // namespace kv
