#include <exception>
#include <functional>
#include <thread>

#include "tools/art/art_items.h"

namespace kv::art {

std::vector<ArtFile> PaintAllFiles(Lettering& lettering) {
  std::vector<std::function<ArtFile()>> painters = {
      [&] { return PaintMenuFile(lettering); }, [&] { return PaintPortraitFile(lettering); },
      [] { return PaintIntroFile(); },          [&] { return PaintInterfaceFile(lettering); },
      [] { return PaintTileFile(); },           [] { return PaintAddFile(); },
      [] { return PaintObjectsFile(); },        [] { return PaintHeroFile(); },
  };
  // The painters share nothing but the lettering (which locks), so two threads halve the time
  // of the build without touching its output.
  std::vector<ArtFile> files(painters.size());
  std::exception_ptr helper_failure;
  std::thread helper([&] {
    try {
      for (size_t i = 1; i < painters.size(); i += 2) files[i] = painters[i]();
    } catch (...) {
      helper_failure = std::current_exception();
    }
  });
  try {
    for (size_t i = 0; i < painters.size(); i += 2) files[i] = painters[i]();
  } catch (...) {
    helper.join();
    throw;
  }
  helper.join();
  if (helper_failure) std::rethrow_exception(helper_failure);
  return files;
}

}  // namespace kv::art
