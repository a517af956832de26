#pragma once

#include <ostream>
#include <string>

namespace kv::tool {

// Looks at a data folder as the game's start-up would: every collection file loaded (and every
// picture decoded) with the game's own loaders, and every fault of texts.txt. Writes one problem
// a line to `problems` (UTF-8), or "ok" to `out` when there is none. Returns the exit status:
// 0 when the folder is sound, 1 otherwise.
int CheckDataDirectory(const std::string& dir, std::ostream& out, std::ostream& problems);

}  // namespace kv::tool
