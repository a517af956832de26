#include "ingame/map_folder.h"

#include "platform/folders.h"

namespace kv {

namespace fs = std::filesystem;

fs::path PersonalMapFolder(const char* xdg_data_home, const char* home) {
  fs::path data_home;
  if (xdg_data_home != nullptr && fs::path(xdg_data_home).is_absolute()) {
    data_home = xdg_data_home;
  } else if (home != nullptr && fs::path(home).is_absolute()) {
    data_home = fs::path(home) / ".local/share";
  } else {
    return {};
  }
  return data_home / "kervana/maps";
}

fs::path ChooseMapFolder(const MapFolders& folders) {
  if (CanMakeFilesIn(folders.beside_data) || folders.personal.empty()) return folders.beside_data;
  return MakePrivateFolders(folders.personal) ? folders.personal : folders.beside_data;
}

}  // namespace kv
