#include "tools/data_check.h"

#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "media/picture_collection.h"
#include "media/wave_collection.h"
#include "newgame/texts_file.h"
#include "platform/cp1250.h"
#include "platform/error.h"

namespace kv::tool {
namespace {

constexpr const char* kImageFiles[] = {"graphic1.dat", "graphic2.dat", "intro.dat",
                                       "graphic3.dat", "base.dat",     "add.dat",
                                       "objects.dat",  "hero.dat"};

// The info box draws its picture at (100, 200), left of the text that begins at x = 400, on a
// scroll whose lower rim begins near y = 520.
constexpr int kInfoPictureWidth = 300;
constexpr int kInfoPictureHeight = 320;

class Checker {
 public:
  explicit Checker(std::ostream& problems) : problems_(problems) {}

  void Problem(const std::string& path, const std::string& message) {
    problems_ << path << ": " << cp1250::ToUtf8(message) << "\n";
    ++count_;
  }
  int count() const { return count_; }

  void Images(const std::string& path) {
    TPictureCollection images;
    try {
      images.LoadCollectionFile(path);
    } catch (const std::exception& e) {
      Problem(path, e.what());
      return;
    }
    // A JPEG shows its faults only when decoded, which the game does as the display opens.
    for (int i = 0; i < images.Count(); ++i) {
      TPictureCollectionItem& item = images.Items(i);
      try {
        item.picture().Pixels();
        item.picture().ReleasePixels();
      } catch (const std::exception& e) {
        Problem(path, Format("item %d (%s): %s", i, item.Name.c_str(), e.what()));
      }
    }
    if (std::filesystem::path(path).filename() == "graphic2.dat") InfoPictures(path, images);
  }

  void InfoPictures(const std::string& path, TPictureCollection& images) {
    for (int entry = 0; entry < kInfoEntryCount; ++entry) {
      const std::string name = "Info" + std::to_string(entry);
      const int index = images.IndexOfName(name);
      if (index < 0) continue;
      const Picture& picture = images.Items(index).picture();
      if (picture.width() > kInfoPictureWidth || picture.height() > kInfoPictureHeight) {
        Problem(path,
                Format("%s is %d x %d pixels; the info box has room for %d x %d", name.c_str(),
                       picture.width(), picture.height(), kInfoPictureWidth, kInfoPictureHeight));
      }
    }
  }

  void Waves(const std::string& path) {
    TWaveCollection waves;
    try {
      waves.LoadCollectionFile(path);
    } catch (const std::exception& e) {
      Problem(path, e.what());
    }
  }

  void Texts(const std::string& path) {
    std::vector<TextsProblem> found;
    ReadGameTexts(path, found);
    for (const TextsProblem& p : found) {
      Problem(p.line > 0 ? path + ":" + std::to_string(p.line) : path, p.reason);
    }
  }

 private:
  std::ostream& problems_;
  int count_ = 0;
};

}  // namespace

int CheckDataDirectory(const std::string& dir, std::ostream& out, std::ostream& problems) {
  Checker check(problems);
  const auto in_dir = [&](const char* name) {
    return (std::filesystem::path(dir) / name).string();
  };
  for (const char* name : kImageFiles) check.Images(in_dir(name));
  check.Waves(in_dir("sound.dat"));
  check.Texts(in_dir("texts.txt"));
  if (check.count() > 0) return 1;
  out << "ok\n";
  return 0;
}

}  // namespace kv::tool
