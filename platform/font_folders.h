#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Where the stand-in faces (Liberation Sans and Serif, regular and bold) are looked for, in
// order: the data folder's fonts/, which a Windows or web build ships with the game, then on
// Linux the system's folder of those faces, which the Debian package depends on. A program for
// another system names no folder of the machine it was built on. Without a data folder (empty),
// only the system's.
std::vector<std::string> FontSearchFolders(std::string_view data_folder);

}  // namespace kv
