#include "app/data_folder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/utf8_path.h"

namespace kv {
namespace {

// Without the trailing slashes a user may type, so that "mine/" opens "mine/graphic1.dat".
std::string WithoutTrailingSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

std::vector<std::string> DataFolderCandidates(const DataFolderPlaces& places) {
  // The program's own folder has no links in it, so its ".." is the folder above it.
  const auto beside_program = [&](const std::string& relative) -> std::string {
    if (places.executable_folder.empty() || relative.empty()) return {};
    return WithoutTrailingSlashes(
        Utf8Name((Utf8Path(places.executable_folder) / Utf8Path(relative)).lexically_normal()));
  };
  std::vector<std::string> candidates;
  const auto add = [&](const std::string& folder) {
    if (!folder.empty() &&
        std::find(candidates.begin(), candidates.end(), folder) == candidates.end()) {
      candidates.push_back(folder);
    }
  };
  // An installed game reads its own data wherever it is started: a folder named data where the
  // player happens to stand is none of its business.
  add(beside_program(places.from_executable));
  add("data");
  // A program built but not installed, started from another folder.
  add(beside_program("data"));
  if (!places.installed.empty()) add(WithoutTrailingSlashes(places.installed));
  return candidates;
}

std::string FindDataFolder(const DataFolderPlaces& places,
                           const std::function<bool(const std::string&)>& is_folder) {
  if (!places.given.empty()) return WithoutTrailingSlashes(places.given);
  for (const std::string& folder : DataFolderCandidates(places)) {
    if (is_folder(folder)) return folder;
  }
  return "data";
}

std::string MissingDataHint(const DataFolderPlaces& places) {
  std::string looked;
  for (const std::string& folder : DataFolderCandidates(places)) {
    looked += (looked.empty() ? "" : ", ") + (folder == "data" ? std::string("./data") : folder);
  }
  return "No data folder was found (looked in " + looked + "); --data DIR chooses one.";
}

std::string DataFilePath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path += '/';
  return path + std::string(name);
}

}  // namespace kv
