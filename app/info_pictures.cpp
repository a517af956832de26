#include "app/info_pictures.h"

#include <string>

#include "media/picture_collection.h"

namespace kv {
namespace {

// A picture an image collection holds, lent to the info table, which wants pictures of its own.
class LentPicture final : public Picture {
 public:
  explicit LentPicture(Picture& picture) : picture_(picture) {}

  PictureKind kind() const override { return picture_.kind(); }
  const char* ClassName() const override { return picture_.ClassName(); }
  int width() const override { return picture_.width(); }
  int height() const override { return picture_.height(); }
  int bits_per_pixel() const override { return picture_.bits_per_pixel(); }
  const RgbImage& Pixels() override { return picture_.Pixels(); }
  void ReleasePixels() override { picture_.ReleasePixels(); }
  Image565 Pixels565() override { return picture_.Pixels565(); }
  bool DecodingMayFail() const override { return picture_.DecodingMayFail(); }
  std::vector<Bgr0> OfferedColors() const override { return picture_.OfferedColors(); }

 private:
  Picture& picture_;
};

}  // namespace

std::string InfoPictureName(int entry) {
  return "Info" + std::to_string(entry);
}

void UseInfoPictures(TPictureCollection& collection,
                     std::vector<std::unique_ptr<Picture>>& pictures) {
  for (size_t entry = 0; entry < pictures.size(); ++entry) {
    const int index = collection.IndexOfName(InfoPictureName(static_cast<int>(entry)));
    if (index < 0) continue;
    pictures[entry] = std::make_unique<LentPicture>(collection.Items(index).picture());
  }
}

}  // namespace kv
