#include "platform/xdg_folders.h"

#include <algorithm>
#include <string>

#include "platform/regular_file.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

// The user-dirs file is a few lines; anything longer is no such file.
constexpr size_t kUserDirsLimit = 64 * 1024;
constexpr std::string_view kPicturesKey = "XDG_PICTURES_DIR=";

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

// The text between double quotes, its backslash escapes undone; nullopt when unquoted.
std::optional<std::string> Unquote(std::string_view value) {
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::nullopt;
  value = value.substr(1, value.size() - 2);
  std::string text;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) ++i;
    text += value[i];
  }
  return text;
}

}  // namespace

std::optional<fs::path> PicturesFolderFromUserDirs(std::string_view user_dirs,
                                                   const fs::path& home) {
  std::optional<fs::path> found;
  while (!user_dirs.empty()) {
    const size_t end = user_dirs.find('\n');
    const std::string_view line = TrimBlanks(user_dirs.substr(0, end));
    user_dirs = end == std::string_view::npos ? std::string_view{} : user_dirs.substr(end + 1);
    if (!line.starts_with(kPicturesKey)) continue;
    const std::optional<std::string> value = Unquote(line.substr(kPicturesKey.size()));
    if (!value) continue;
    fs::path folder;
    if (value->starts_with("$HOME/") || *value == "$HOME") {
      folder = home / value->substr(std::min<size_t>(value->size(), 6));
    } else if (value->starts_with("/")) {
      folder = *value;
    } else {
      continue;
    }
    // The last line that names the folder counts, as when the shell reads the file.
    found = folder.lexically_normal();
  }
  if (found && (*found == home.lexically_normal() || *found == (home / "").lexically_normal())) {
    return std::nullopt;
  }
  return found;
}

fs::path ScreenshotFolder(const char* home, const char* config_home) {
  // A relative home would put the pictures wherever the game happened to be started.
  if (home == nullptr || !fs::path(home).is_absolute()) return {};
  const fs::path home_path(home);
  const fs::path config = config_home != nullptr && config_home[0] == '/' ? fs::path(config_home)
                                                                          : home_path / ".config";
  std::optional<fs::path> pictures;
  if (const auto bytes = ReadRegularFile((config / "user-dirs.dirs").string(), kUserDirsLimit)) {
    pictures = PicturesFolderFromUserDirs(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), home_path);
  }
  return pictures.value_or(home_path / "Pictures") / "Kervana";
}

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

}  // namespace kv
