#include "app/data_folder.h"

#include <filesystem>
#include <system_error>

namespace kv {
namespace {

// Without the trailing slashes a user may type, so that "mine/" opens "mine/graphic1.dat".
std::string WithoutTrailingSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

std::string FindDataFolder(const DataFolderPlaces& places,
                           const std::function<bool(const std::string&)>& is_folder) {
  if (!places.given.empty()) return WithoutTrailingSlashes(places.given);
  // The program's own folder has no links in it, so its ".." is the folder above it.
  const auto beside_program = [&](const std::string& relative) -> std::string {
    if (places.executable_folder.empty() || relative.empty()) return {};
    return WithoutTrailingSlashes(
        (std::filesystem::path(places.executable_folder) / relative).lexically_normal().string());
  };
  // An installed game reads its own data wherever it is started: a folder named data where the
  // player happens to stand is none of its business.
  const std::string installation = beside_program(places.from_executable);
  if (!installation.empty() && is_folder(installation)) return installation;
  const std::string here = "data";
  if (is_folder(here)) return here;
  // A program built but not installed, started from another folder.
  const std::string built = beside_program("data");
  if (!built.empty() && is_folder(built)) return built;
  if (!places.installed.empty() && is_folder(places.installed)) {
    return WithoutTrailingSlashes(places.installed);
  }
  return here;
}

std::string ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !program.is_absolute()) return {};
  return program.parent_path().string();
}

std::string DataFilePath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path += '/';
  return path + std::string(name);
}

}  // namespace kv
