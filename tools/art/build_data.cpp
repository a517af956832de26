#include "tools/art/build_data.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/regular_file.h"
#include "tools/art/art_items.h"
#include "tools/art/game_texts.h"
#include "tools/art/lettering.h"
#include "tools/art/quantize.h"
#include "tools/art/sound_art.h"
#include "tools/writer/picture_writer.h"
#include "tools/writer/stream_writer.h"

namespace kv {

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> PictureData(const art::ArtPicture& pic) {
  const RgbImage image = pic.transparent ? pic.raster.ToKeyedImage() : pic.raster.ToImage();
  writer::DibOptions options;
  switch (pic.encoding) {
    case art::Encoding::kJpeg:
      return writer::JpegPictureData(image, pic.jpeg_quality, false);
    case art::Encoding::kJpegGrey:
      return writer::JpegPictureData(image, pic.jpeg_quality, true);
    case art::Encoding::kDib24:
      options.bits = 24;
      return writer::DibPictureData(image, options);
    case art::Encoding::kBitmap24:
      options.bits = 24;
      return writer::BitmapPictureData(image, options);
    case art::Encoding::kDib8:
    case art::Encoding::kDib4:
    case art::Encoding::kBitmap8: {
      options.bits = pic.encoding == art::Encoding::kDib4 ? 4 : 8;
      const art::Quantized q = art::Quantize(image, 1 << options.bits, pic.transparent);
      options.palette = q.palette;
      return pic.encoding == art::Encoding::kBitmap8 ? writer::BitmapPictureData(q.image, options)
                                                     : writer::DibPictureData(q.image, options);
    }
  }
  return {};
}

std::vector<uint8_t> CollectionBytes(const art::ArtFile& file) {
  std::vector<writer::PictureItemEntry> entries;
  entries.reserve(file.items.size());
  for (const art::ArtPicture& pic : file.items) {
    writer::PictureItemEntry entry;
    entry.name = cp1250::FromUtf8(pic.name);
    entry.picture_data = PictureData(pic);
    // Written out even where it equals the default, so the file says what each picture is.
    entry.transparent = pic.transparent;
    if (pic.pattern_width > 0) entry.pattern_width = pic.pattern_width;
    if (pic.pattern_height > 0) entry.pattern_height = pic.pattern_height;
    entries.push_back(std::move(entry));
  }
  return writer::WriteImageCollection(entries);
}

void Write(const fs::path& path, const std::vector<uint8_t>& bytes) {
  if (!writer::WriteFile(path.string(), bytes)) throw Error("Cannot write " + path.string());
}

// Copied through memory so that the copy replaces the old file in one go, as every file of the
// directory does. The sources are a font and its licence, a few megabytes at most.
void CopyInto(const std::string& from, const fs::path& to) {
  constexpr size_t kMaxCopyBytes = 64u << 20;
  const auto bytes = ReadRegularFile(from, kMaxCopyBytes + 1);
  if (!bytes || bytes->size() > kMaxCopyBytes) throw Error("Cannot read " + from);
  if (!writer::WriteFile(to.string(), *bytes)) {
    throw Error("Cannot copy " + from + " to " + to.string());
  }
}

}  // namespace

int BuildDataDirectory(const std::string& dir) {
  try {
    const fs::path root(dir);
    std::error_code ec;
    fs::create_directories(root / "maps", ec);
    if (ec) throw Error("Cannot create " + (root / "maps").string() + ": " + ec.message());

    const std::string font = art::ElixirFontSource();
    art::Lettering lettering(font);  // fails first, and clearly, when the font is missing
    CopyInto(font, root / "Elixir.ttf");
    CopyInto(art::ElixirLicenceSource(), root / "Elixir-LICENSE.txt");

    for (const art::ArtFile& file : art::PaintAllFiles(lettering))
      Write(root / file.file_name, CollectionBytes(file));
    Write(root / "sound.dat", writer::WriteWaveCollection(art::SynthesiseSounds()));
    const std::string texts = art::GameTextsFile();
    Write(root / "texts.txt", std::vector<uint8_t>(texts.begin(), texts.end()));
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kervana-data build: %s\n", e.what());
    return 1;
  }
}

}  // namespace kv
