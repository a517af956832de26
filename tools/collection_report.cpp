#include "tools/collection_report.h"

#include <cstddef>
#include <vector>

#include "media/picture_collection.h"
#include "media/wave_collection.h"
#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/json_text.h"
#include "platform/replace_file.h"
#include "tools/json_text.h"
#include "tools/sha256.h"

namespace kv::tool {
namespace {

const char* Bool(bool value) {
  return value ? "true" : "false";
}

std::string Name(const std::string& cp1250_name) {
  return JsonQuote(cp1250::ToUtf8(cp1250_name));
}

// A name the code page cannot hold names no item.
template <typename Collection>
void Find(const std::string& path, const std::string& utf8_name, const char* not_found,
          std::ostream& out) {
  Collection collection;
  collection.LoadCollectionFile(path);
  std::string name;
  const bool representable = cp1250::FromUtf8(utf8_name, name);
  const int index = representable ? collection.IndexOfName(name) : -1;
  if (index < 0) {
    throw Error(Format(not_found, cp1250::FromUtf8(utf8_name).c_str()));
  }
  out << index << "\n";
}

}  // namespace

void ReportImages(const std::string& path, std::ostream& out) {
  TPictureCollection images;
  images.LoadCollectionFile(path);
  out << "{\"count\": " << images.Count() << ",\n \"items\": [";
  for (int i = 0; i < images.Count(); ++i) {
    TPictureCollectionItem& item = images.Items(i);
    const Picture& picture = item.picture();
    out << (i ? ",\n  " : "\n  ") << "{\"index\":" << i << ", \"name\":" << Name(item.Name)
        << ", \"picture\":" << JsonQuote(picture.ClassName()) << ", \"width\":" << picture.width()
        << ", \"height\":" << picture.height() << ", \"bits\":" << picture.bits_per_pixel()
        << ", \"patterns\":" << item.PatternRects().size()
        << ", \"pattern_width\":" << item.PatternWidth
        << ", \"pattern_height\":" << item.PatternHeight << ", \"skip_width\":" << item.SkipWidth
        << ", \"skip_height\":" << item.SkipHeight << ", \"transparent\":" << Bool(item.Transparent)
        << ", \"transparent_color\":" << item.TransparentColor
        << ", \"system_memory\":" << Bool(item.SystemMemory) << "}";
  }
  out << "],\n \"color_table\": \"" << Hex(images.ColorTable) << "\",\n";
  images.BuildColorTable();
  out << " \"built_color_table\": \"" << Hex(images.ColorTable) << "\"}\n";
}

void ReportWaves(const std::string& path, std::ostream& out) {
  TWaveCollection waves;
  waves.LoadCollectionFile(path);
  out << "{\"count\": " << waves.Count() << ",\n \"items\": [";
  for (int i = 0; i < waves.Count(); ++i) {
    const TWaveCollectionItem& item = waves.Items(i);
    out << (i ? ",\n  " : "\n  ") << "{\"index\":" << i << ", \"name\":" << Name(item.Name)
        << ", \"looped\":" << Bool(item.Looped())
        << ", \"max_playing_count\":" << item.MaxPlayingCount() << ", \"format\":\""
        << Hex(item.Wave.format) << "\", \"samples\":" << item.Wave.samples->size()
        << ", \"samples_sha256\":\"" << Sha256Hex(*item.Wave.samples) << "\"}";
  }
  out << "]}\n";
}

void FindImage(const std::string& path, const std::string& utf8_name, std::ostream& out) {
  Find<TPictureCollection>(path, utf8_name, "Image '%s' not found", out);
}

void FindWave(const std::string& path, const std::string& utf8_name, std::ostream& out) {
  Find<TWaveCollection>(path, utf8_name, "Wave '%s' not found", out);
}

void ExportPicture(const std::string& path, int index, const std::string& ppm_path) {
  TPictureCollection images;
  images.LoadCollectionFile(path);
  const RgbImage& pixels = images.Items(index).picture().Pixels();
  const size_t size = static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height) * 3;
  if (size > pixels.rgb.size()) throw Error(Format("Cannot write file %s", ppm_path.c_str()));
  const std::string header = Format("P6\n%d %d\n255\n", pixels.width, pixels.height);
  std::vector<uint8_t> ppm(header.begin(), header.end());
  ppm.insert(ppm.end(), pixels.rgb.begin(), pixels.rgb.begin() + static_cast<ptrdiff_t>(size));
  switch (WriteOutputFile(ppm_path, ppm)) {
    case WriteResult::kWritten:
      return;
    case WriteResult::kCannotCreate:
      throw Error(Format("Cannot create file %s", ppm_path.c_str()));
    case WriteResult::kWriteFailed:
      throw Error(Format("Cannot write file %s", ppm_path.c_str()));
  }
}

}  // namespace kv::tool
