#include "support/game_data.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include "media/picture.h"
#include "platform/cp1250.h"
#include "support/test_support.h"
#include "tools/writer/picture_writer.h"
#include "tools/writer/stream_writer.h"
#include "tools/writer/wave_writer.h"

namespace kv::test {
namespace {

using writer::PictureItemEntry;

RgbImage Flat(int width, int height, Color color) {
  RgbImage image;
  image.width = width;
  image.height = height;
  image.rgb.resize(static_cast<size_t>(width) * height * 3);
  for (size_t i = 0; i < image.rgb.size(); i += 3) {
    image.rgb[i] = RedOf(color);
    image.rgb[i + 1] = GreenOf(color);
    image.rgb[i + 2] = BlueOf(color);
  }
  return image;
}

// Set by WriteGameData for the files it is writing.
struct Sizes {
  int max_side = 0;
  int Fit(int side) const { return max_side > 0 ? std::min(side, max_side) : side; }
};

PictureItemEntry Item(const Sizes& sizes, const std::string& name, int width, int height,
                      Color color, bool transparent = false) {
  width = sizes.Fit(width);
  height = sizes.Fit(height);
  PictureItemEntry item;
  item.name = cp1250::FromUtf8(name);
  writer::DibOptions options;
  options.bits = 24;
  item.picture_data = writer::DibPictureData(Flat(width, height, color), options);
  item.transparent = transparent;
  return item;
}

void Write(const std::string& path, const std::vector<PictureItemEntry>& items) {
  writer::WriteFile(path, writer::WriteImageCollection(items));
}

// A deterministic, clearly distinct colour for a name.
Color Hash(const std::string& name) {
  uint32_t h = 2166136261u;
  for (unsigned char c : name) h = (h ^ c) * 16777619u;
  // Keep every channel well away from black so no picture is keyed by accident.
  return Rgb(static_cast<uint8_t>(64 + (h & 0x7F)), static_cast<uint8_t>(64 + ((h >> 8) & 0x7F)),
             static_cast<uint8_t>(64 + ((h >> 16) & 0x7F)));
}

}  // namespace

Color ItemColor(const std::string& name) {
  return Hash(name);
}
Color TileColor(int index) {
  return Hash("tile" + std::to_string(index));
}

void WriteGameData(const std::string& dir, int max_side) {
  const Sizes sizes{max_side};
  const std::string data = dir + "/data";
  std::filesystem::create_directories(data + "/maps");
#ifdef _WIN32
  // A Windows game finds its stand-in faces only in its data folder, as the zip lays them out.
  std::filesystem::create_directories(data + "/fonts");
  for (const auto& face : std::filesystem::directory_iterator(StandInFaceFolder())) {
    if (face.path().filename().string().starts_with("Liberation")) {
      std::filesystem::copy_file(face.path(),
                                 std::filesystem::path(data) / "fonts" / face.path().filename());
    }
  }
#endif

  Write(data + "/graphic1.dat", {Item(sizes, "Menu", 800, 600, ItemColor("Menu")),
                                 Item(sizes, "Exit", 221, 346, ItemColor("Exit")),
                                 Item(sizes, "Load", 291, 196, ItemColor("Load")),
                                 Item(sizes, "New", 291, 101, ItemColor("New")),
                                 Item(sizes, "Opt", 326, 251, ItemColor("Opt")),
                                 Item(sizes, "Cred", 122, 180, ItemColor("Cred")),
                                 Item(sizes, "Info", 80, 60, ItemColor("Info")),
                                 Item(sizes, "Tavorind", 31, 34, ItemColor("Tavorind")),
                                 Item(sizes, "Scroll", 80, 60, ItemColor("Scroll")),
                                 Item(sizes, "Button", 20, 10, ItemColor("Button")),
                                 Item(sizes, "NGText", 54, 8, ItemColor("NGText")),
                                 Item(sizes, "Braz", 40, 10, ItemColor("Braz"))});

  std::vector<PictureItemEntry> other = {Item(sizes, "Logo", 100, 100, ItemColor("Logo"))};
  for (int i = 1; i <= 25; ++i) {
    other.push_back(Item(sizes, "Portrait" + std::to_string(i), 80, 80,
                         ItemColor("Portrait" + std::to_string(i))));
  }
  Write(data + "/graphic2.dat", other);

  std::vector<PictureItemEntry> intro;
  for (int i = 0; i < 10; ++i) {
    intro.push_back(
        Item(sizes, "Intro" + std::to_string(i), 50, 60, ItemColor("Intro" + std::to_string(i))));
  }
  Write(data + "/intro.dat", intro);

  std::vector<PictureItemEntry> ingame;
  for (const char* name :
       {"Down", "LeftRight", "Save", "Load", "Options", "Exit", "QSave", "QLoad", "Map", "Tmap"}) {
    ingame.push_back(Item(sizes, name, 10, 10, ItemColor(name)));
  }
  for (const char* name :
       {"Cursor", "SCur", "JCur", "ZCur", "VCur", "SZCur", "SVCur", "JZCur", "JVCur"}) {
    ingame.push_back(Item(sizes, name, 4, 4, ItemColor(name), true));
  }
  Write(data + "/graphic3.dat", ingame);

  std::vector<PictureItemEntry> base;
  for (int i = 0; i < 160; ++i) base.push_back(Item(sizes, "", 100, 100, TileColor(i), i == 159));
  Write(data + "/base.dat", base);

  Write(data + "/add.dat", {Item(sizes, "Add", 8, 8, ItemColor("Add"))});
  Write(data + "/objects.dat", {Item(sizes, "Object", 8, 8, ItemColor("Object"))});

  std::vector<PictureItemEntry> hero;
  for (int i = 0; i < 8; ++i) {
    hero.push_back(Item(sizes, "Hero" + std::to_string(i), 100, 130,
                        ItemColor("Hero" + std::to_string(i)), true));
  }
  Write(data + "/hero.dat", hero);

  // Item 0 is the options slider's test sound: 0.1 s at 22050 Hz.
  std::vector<int16_t> beep(2205);
  for (size_t i = 0; i < beep.size(); ++i)
    beep[i] = static_cast<int16_t>((i % 50) < 25 ? 8000 : -8000);
  std::vector<int16_t> click(220, 12000);
  std::vector<writer::WaveItemEntry> waves(2);
  waves[0].name = "Test";
  waves[0].wave = writer::EncodeWav(beep, 1, 22050);
  waves[1].name = "Button";
  waves[1].wave = writer::EncodeWav(click, 1, 22050);
  writer::WriteFile(data + "/sound.dat", writer::WriteWaveCollection(waves));
}

}  // namespace kv::test
