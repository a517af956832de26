#pragma once

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kv::fuzz {

// A directory of the harness's own for the files its inputs make the program write, removed
// with the object. In memory where the system offers that: a harness writes files on every run,
// and the game makes sure each one reaches the disk.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name) {
    std::error_code ec;
    const std::filesystem::path shm("/dev/shm");
    const std::filesystem::path base =
        std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
    path_ = base / ("kervana-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(path_, ec);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// For a harness that changes the working directory (the game finds its data relative to it):
// the fuzzer's own paths, its corpus directories and where it puts the inputs that fail, are
// made absolute before the fuzzer reads them, so that they keep naming the same places.
// `defaults` go first, so that flags given on the command line win over them.
inline void MakeFuzzerPathsAbsolute(int* argc, char*** argv,
                                    const std::vector<std::string>& defaults = {}) {
  static std::vector<std::string> args;
  static std::vector<char*> pointers;
  const std::string here = std::filesystem::current_path().string() + "/";
  const auto absolute = [&](std::string_view path) {
    return path.starts_with('/') ? std::string(path) : here + std::string(path);
  };
  bool has_prefix = false;
  for (int i = 0; i < *argc; ++i) {
    std::string_view arg = (*argv)[i];
    if (i == 1) args.insert(args.end(), defaults.begin(), defaults.end());
    if (i > 0 && !arg.starts_with('-')) {
      args.push_back(absolute(arg));
      continue;
    }
    bool changed = false;
    for (std::string_view flag : {"-artifact_prefix=", "-exact_artifact_path=", "-dict="}) {
      if (arg.starts_with(flag)) {
        args.push_back(std::string(flag) + absolute(arg.substr(flag.size())));
        has_prefix = has_prefix || flag == "-artifact_prefix=";
        changed = true;
      }
    }
    if (!changed) args.emplace_back(arg);
  }
  if (*argc <= 1) args.insert(args.end(), defaults.begin(), defaults.end());
  if (!has_prefix) args.push_back("-artifact_prefix=" + here);
  for (std::string& arg : args) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  *argc = static_cast<int>(args.size());
  *argv = pointers.data();
}

}  // namespace kv::fuzz
