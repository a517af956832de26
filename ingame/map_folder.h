#pragma once

#include <filesystem>

#include "platform/xdg_folders.h"

namespace kv {

// Where the map files may go: the data folder's maps/ (a game played from its own folder, as
// always), or the player's own folder (an installed game, whose data folder is the system's).
struct MapFolders {
  std::filesystem::path beside_data;  // DATA/maps
  std::filesystem::path personal;     // PlayerMapFolder(); empty when there is none
};

// The folder maps are written to and read back from: the data folder's while this process may
// make files in it, otherwise the player's own, made (owner-only, as the XDG rules ask) with
// whatever folders above it are missing. When that cannot be had either, the data folder's: the
// save there is skipped as any save that cannot make its file is.
std::filesystem::path ChooseMapFolder(const MapFolders& folders);

}  // namespace kv
