// Writes starting inputs for the fuzz harnesses: small but complete collection files that
// reach every payload kind and every value tag.
//   kv_make_seeds OUT_DIR  ->  OUT_DIR/fuzz_image_collection/*, OUT_DIR/fuzz_wave_collection/*

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/seeds/picture_seeds.h"
#include "tools/writer/picture_writer.h"
#include "tools/writer/stream_writer.h"
#include "tools/writer/wave_writer.h"

namespace {

using kv::writer::DibOptions;
using kv::writer::PictureItemEntry;
using kv::writer::WaveItemEntry;

// A small picture of at most `colours` distinct colours, so the low depths can hold it.
kv::RgbImage Pattern(int w, int h, int colours) {
  kv::RgbImage image{w, h, std::vector<uint8_t>(static_cast<size_t>(w * h * 3))};
  for (int i = 0; i < w * h; ++i) {
    const int c = i % colours;
    uint8_t* p = &image.rgb[static_cast<size_t>(i * 3)];
    p[0] = static_cast<uint8_t>(c * 97);
    p[1] = static_cast<uint8_t>(c * 53);
    p[2] = static_cast<uint8_t>(255 - c * 31);
  }
  return image;
}

PictureItemEntry Item(const std::string& name, std::vector<uint8_t> data) {
  PictureItemEntry item;
  item.name = name;
  item.picture_data = std::move(data);
  return item;
}

std::vector<uint8_t> ImageSeed() {
  const kv::RgbImage image = Pattern(6, 4, 2);
  std::vector<PictureItemEntry> items;
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    DibOptions options;
    options.bits = bits;
    const kv::RgbImage picture = Pattern(6, 4, bits == 1 ? 2 : bits == 4 ? 16 : 24);
    items.push_back(
        Item("Dib" + std::to_string(bits), kv::writer::DibPictureData(picture, options)));
  }
  DibOptions rle;
  rle.bits = 8;
  rle.compression = 1;
  items.push_back(Item("Rle", kv::writer::DibPictureData(image, rle)));
  DibOptions core;
  core.bits = 4;
  core.core_header = true;
  items.push_back(Item("Core", kv::writer::BitmapPictureData(image, core)));
  items.push_back(Item("Jpeg", kv::writer::JpegPictureData(image, 75, false)));
  items.back().pattern_width = 3;
  items.back().skip_width = 1;
  items.back().transparent = false;
  items.back().transparent_color = 0x80000005;
  return kv::writer::WriteImageCollection(items);
}

// Every tag where it belongs, an identifier colour, a prefix byte and the colour table.
std::vector<uint8_t> TaggedSeed() {
  kv::writer::StreamWriter w;
  w.Header("TPICTURECOLLECTIONCOMPONENT");
  w.Signature();
  w.Prefix(2, 1);
  w.RootStart("TPictureCollectionComponent", "");
  kv::writer::WriteIntProperty(w, "Left", 100000);
  w.PropertyName("List");
  w.CollectionStart();
  w.ItemStart(0);
  w.PropertyName("Name");
  w.LongString("Long");
  w.PropertyName("Transparent");
  w.Ident("False");
  w.PropertyName("TransparentColor");
  w.Ident("clFuchsia");
  kv::writer::WriteIntProperty(w, "PatternHeight", -300);
  w.PropertyName("Picture");
  w.Nil();
  w.End();
  w.End();
  kv::writer::WriteBinaryProperty(w, "List.ColorTable", std::vector<uint8_t>(1024, 0x11));
  kv::writer::FinishRoot(w);
  return w.Take();
}

std::vector<uint8_t> WaveSeed() {
  std::vector<int16_t> tone(64);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = static_cast<int16_t>((i % 16) * 2000 - 16000);
  std::vector<uint8_t> bytes(32);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 8);
  const std::vector<uint8_t> info = {'I', 'N', 'F', 'O', 'x'};
  std::vector<WaveItemEntry> items = {
      {"Button", kv::writer::EncodeWav(tone, 1, 22050), false, 2},
      {"Loop", kv::writer::EncodeWav(bytes, 2, 11025, 8), true, std::nullopt},
      {"Listed",
       kv::writer::WavBuilder().Chunk("LIST", info).Format(1, 8000, 8).Data(bytes).Bytes(),
       std::nullopt, 0},
      {"Empty", {}, std::nullopt, std::nullopt},
  };
  return kv::writer::WriteWaveCollection(items);
}

bool Put(const std::filesystem::path& dir, const std::string& name,
         const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(dir);
  return kv::writer::WriteFile((dir / name).string(), bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kv_make_seeds OUT_DIR\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  const bool ok =
      Put(out / "fuzz_image_collection", "pictures.dat", ImageSeed()) &&
      Put(out / "fuzz_image_collection", "tagged.dat", TaggedSeed()) &&
      Put(out / "fuzz_image_collection", "empty.dat", kv::writer::WriteImageCollection({})) &&
      Put(out / "fuzz_wave_collection", "sounds.dat", WaveSeed());
  if (!ok) {
    std::fprintf(stderr, "kv_make_seeds: cannot write to %s\n", argv[1]);
    return 1;
  }
  kv::fuzz::MakePictureSeeds(out.string());
  return 0;
}
