#include <cstdlib>

#include "platform/user_folders.h"
#include "platform/xdg_folders.h"

namespace kv {

std::filesystem::path PlayerMapFolder() {
  return PersonalMapFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::filesystem::path PlayerScreenshotFolder() {
  return ScreenshotFolder(std::getenv("HOME"), std::getenv("XDG_CONFIG_HOME"));
}

}  // namespace kv
