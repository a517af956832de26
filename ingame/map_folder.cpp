#include "ingame/map_folder.h"

#include "platform/folders.h"

namespace kv {

namespace fs = std::filesystem;

fs::path ChooseMapFolder(const MapFolders& folders) {
  if (CanMakeFilesIn(folders.beside_data) || folders.personal.empty()) return folders.beside_data;
  return MakePrivateFolders(folders.personal) ? folders.personal : folders.beside_data;
}

}  // namespace kv
