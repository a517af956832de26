#include "tools/art/art_items.h"
namespace kv::art {
ArtFile PaintMenuFile(Lettering&) {
  return {"graphic1.dat", {}};
}
ArtFile PaintPortraitFile(Lettering&) {
  return {"graphic2.dat", {}};
}
ArtFile PaintIntroFile() {
  return {"intro.dat", {}};
}
ArtFile PaintHeroFile() {
  return {"hero.dat", {}};
}
ArtFile PaintAddFile() {
  return {"add.dat", {}};
}
ArtFile PaintObjectsFile() {
  return {"objects.dat", {}};
}
}  // namespace kv::art
