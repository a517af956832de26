#include "app/screenshot.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <system_error>

#include "platform/local_time.h"
#include "platform/platform.h"
#include "platform/regular_file.h"
#include "platform/replace_file.h"

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

std::string ScreenshotName(const std::tm& local, int millis) {
  char name[64];
  std::snprintf(name, sizeof name, "%04d-%02d-%02d_%02d-%02d-%02d.%03d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, millis);
  return std::string(name) + ".png";
}

std::optional<fs::path> SaveScreenshot(const Image565& picture, const fs::path& folder,
                                       const std::tm& local, int millis, std::string& problem) {
  if (folder.empty()) return problem = "no home folder to put screenshots in", std::nullopt;
  std::error_code error;
  fs::create_directories(folder, error);
  if (error)
    return problem = "cannot make " + folder.string() + ": " + error.message(), std::nullopt;
  const std::string name = ScreenshotName(local, millis);
  fs::path path = folder / name;
  // Two pictures within one millisecond (or a clock set back) must not overwrite each other.
  for (int n = 2; fs::exists(fs::symlink_status(path, error)); ++n) {
    path = folder / (name.substr(0, name.size() - 4) + "_" + std::to_string(n) + ".png");
  }
  errno = 0;
  if (!WritePng(path.string(), picture)) {
    const int reason = errno;
    problem = "cannot write " + path.string();
    if (reason != 0) problem += std::string(": ") + std::strerror(reason);
    return std::nullopt;
  }
  return path;
}

void TakeScreenshot(const Image565& picture, const fs::path& folder) {
  using namespace std::chrono;
  const system_clock::time_point now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const std::tm local = LocalTime(seconds);
  const int millis =
      static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  std::string problem;
  const auto path = SaveScreenshot(picture, folder, local, millis, problem);
  // A picture that could not be taken is no error of the game's: the player reads why on the
  // terminal, and play goes on.
  if (!path) {
    std::cerr << "kervana: no screenshot: " << problem << std::endl;
    return;
  }
  WriteStandardOutput(path->string() + "\n");
}

}  // namespace kv
