#include "app/screenshot.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <system_error>

#include "platform/local_time.h"
#include "platform/platform.h"
#include "platform/replace_file.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

}  // namespace

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
