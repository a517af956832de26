#include "support/hostile_files.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "tools/writer/little_endian.h"
#include "tools/writer/picture_writer.h"
#include "tools/writer/stream_writer.h"

namespace kv::test {
namespace {

using writer::Put16;
using writer::Put32;

std::vector<uint8_t> Collection(const std::vector<writer::PictureItemEntry>& items) {
  return writer::WriteImageCollection(items);
}

}  // namespace

std::vector<uint8_t> RawDib(int32_t width, int32_t height, int bits, uint32_t compression,
                            uint32_t colours, std::span<const uint8_t> pixels) {
  std::vector<uint8_t> dib;
  Put32(dib, 40);
  Put32(dib, static_cast<uint32_t>(width));
  Put32(dib, static_cast<uint32_t>(height));
  Put16(dib, 1);
  Put16(dib, static_cast<uint32_t>(bits));
  Put32(dib, compression);
  Put32(dib, compression == 1 || compression == 2 ? static_cast<uint32_t>(pixels.size()) : 0);
  Put32(dib, 0);
  Put32(dib, 0);
  Put32(dib, colours);
  Put32(dib, 0);
  for (uint32_t i = 0; i < colours; ++i) {
    const uint8_t v = colours > 1 ? static_cast<uint8_t>(i * 255 / (colours - 1)) : 0;
    dib.insert(dib.end(), {v, v, v, 0});
  }
  dib.insert(dib.end(), pixels.begin(), pixels.end());
  return dib;
}

std::vector<uint8_t> RunLengthPicture(int32_t width, int32_t height,
                                      std::span<const uint8_t> codes) {
  return writer::PictureData("TDIB", RawDib(width, height, 8, 1, 2, codes));
}

std::vector<uint8_t> ManyLargePictures(int items, int32_t width, int32_t height) {
  std::vector<writer::PictureItemEntry> entries;
  for (int i = 0; i < items; ++i) {
    writer::PictureItemEntry item;
    item.name = "Big" + std::to_string(i);
    item.picture_data = RunLengthPicture(width, height);
    entries.push_back(std::move(item));
  }
  return Collection(entries);
}

std::vector<uint8_t> OverlappingPatterns(int32_t width) {
  // A white run at the start of each of the first rows, so that there are runs to find.
  std::vector<uint8_t> codes;
  for (int row = 0; row < 8; ++row) codes.insert(codes.end(), {16, 1, 0, 0});
  codes.insert(codes.end(), {0, 1});
  writer::PictureItemEntry item;
  item.name = "Overlap";
  item.picture_data = RunLengthPicture(width, width, codes);
  item.pattern_width = item.pattern_height = width - 255;
  item.skip_width = item.skip_height = -(width - 256);
  return Collection({item});
}

std::vector<uint8_t> UncompressedPicture(int32_t width, int32_t height) {
  const size_t row = ((static_cast<size_t>(width) + 31) / 32) * 4;
  const std::vector<uint8_t> pixels(row * static_cast<size_t>(height), 0x55);
  writer::PictureItemEntry item;
  item.name = "Plain";
  item.picture_data = writer::PictureData("TDIB", RawDib(width, height, 1, 0, 2, pixels));
  return Collection({item});
}

std::vector<uint8_t> ManyEmptyItems(int count) {
  writer::StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  w.PropertyName("List");
  w.CollectionStart();
  for (int i = 0; i < count; ++i) {
    w.ItemStart();
    w.End();
  }
  w.End();
  writer::FinishRoot(w);
  return w.Take();
}

bool WriteZeroFile(const std::string& path, uint64_t size) {
  if (!std::ofstream(path, std::ios::binary | std::ios::trunc)) return false;
  std::error_code error;
  std::filesystem::resize_file(path, size, error);
  return !error;
}

}  // namespace kv::test
