#include "tools/art/art_items.h"
#include "tools/art/menu_painters.h"

namespace kv::art {

namespace {

ArtPicture Picture(const std::string& name, Raster r, Encoding encoding, bool keyed = false) {
  ArtPicture p;
  p.name = name;
  p.raster = std::move(r);
  p.encoding = encoding;
  p.transparent = keyed;
  return p;
}

}  // namespace

ArtFile PaintMenuFile(Lettering& l) {
  ArtFile file{"graphic1.dat", {}};
  const Raster menu = PaintMenu(l);
  file.items.push_back(Picture("Menu", menu, Encoding::kJpeg));
  static const char* const kLitNames[5] = {"Exit", "Load", "New", "Opt", "Cred"};
  for (int i = 0; i < 5; ++i) {
    const PanelRect rect = MenuPanelRect(i);
    const Raster lit =
        PaintMenuWithLitPanel(l, i, menu)
            .Crop(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    file.items.push_back(Picture(kLitNames[i], lit, Encoding::kJpeg));
    file.items.back().jpeg_quality = 92;
  }
  file.items.push_back(Picture("Info", PaintCredits(l), Encoding::kJpeg));
  file.items.push_back(Picture("Tavorind", PaintLitGate(l), Encoding::kDib24));
  file.items.push_back(Picture("Scroll", PaintScroll(), Encoding::kJpeg));
  // The two palette pictures give the collection's colour table real colours.
  file.items.push_back(Picture("Button", PaintButton(), Encoding::kBitmap8));
  file.items.push_back(Picture("NGText", PaintTitleBanner(l), Encoding::kBitmap24, true));
  file.items.push_back(Picture("Braz", PaintFrame(), Encoding::kDib8));
  return file;
}

}  // namespace kv::art
