#include "tools/art/art_items.h"
namespace kv::art {
ArtFile PaintIntroFile() {
  return {"intro.dat", {}};
}
ArtFile PaintAddFile() {
  return {"add.dat", {}};
}
ArtFile PaintObjectsFile() {
  return {"objects.dat", {}};
}
}  // namespace kv::art
