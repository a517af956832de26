#include "platform/font_folders.h"

namespace kv {

std::vector<std::string> FontSearchFolders(std::string_view data_folder) {
  std::vector<std::string> folders;
  if (!data_folder.empty()) {
    std::string folder(data_folder);
    if (folder.back() != '/' && folder.back() != '\\') folder += '/';
    folders.push_back(folder + "fonts");
  }
#ifdef KV_SYSTEM_FONT_FOLDER
  folders.push_back(KV_SYSTEM_FONT_FOLDER);
#endif
  return folders;
}

}  // namespace kv
