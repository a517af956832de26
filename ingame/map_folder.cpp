#include "ingame/map_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace kv {
namespace {

namespace fs = std::filesystem;

// Asked with the effective ids, as the open that makes the file will be.
bool CanMakeFilesIn(const fs::path& folder) {
  std::error_code error;
  return fs::is_directory(folder, error) &&
         ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool MakeFolders(const fs::path& folder) {
  fs::path made;
  for (const fs::path& part : folder) {
    made /= part;
    if (::mkdir(made.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  std::error_code error;
  return fs::is_directory(folder, error);
}

}  // namespace

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
  return MakeFolders(folders.personal) ? folders.personal : folders.beside_data;
}

}  // namespace kv
