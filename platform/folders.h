#pragma once

#include <filesystem>

namespace kv {

// Whether this process may make files in `folder`: asked with the effective ids, as the open
// that makes a file will be.
bool CanMakeFilesIn(const std::filesystem::path& folder);

// Makes `folder` and whatever folders above it are missing, each new one for its owner alone;
// whether the folder exists afterwards.
bool MakePrivateFolders(const std::filesystem::path& folder);

}  // namespace kv
