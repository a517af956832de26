// Start-up costs: reading an image collection into display-ready copies, and the first decode
// of a JPEG picture. Each is paired with its floor (a plain memcpy of the same bytes, libjpeg
// called directly with the same settings), so the ratio shows what the game's own code adds.
#include <benchmark/benchmark.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "media/display_copies.h"
#include "media/dxdraw.h"
#include "media/image_list.h"
#include "media/picture.h"
#include "media/picture_collection.h"
#include "platform/platform.h"
#include "tools/writer/picture_writer.h"
#include "tools/writer/stream_writer.h"

namespace {

constexpr int kTile = 100;
constexpr int kCollectionItems = 200;
constexpr int kJpegWidth = 800;
constexpr int kJpegHeight = 600;
constexpr int kJpegQuality = 85;
// Bytes of the JPEG payload before the stream: class-name length, "TJPEGImage", 4-byte length.
constexpr size_t kJpegPayloadPrefix = 1 + 10 + 4;

// Deterministic noise, so every run encodes the same bytes.
struct Noise {
  uint32_t state;
  uint8_t Next(int amplitude) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<uint8_t>(state % static_cast<uint32_t>(amplitude));
  }
};

uint8_t Clamp(int v) {
  return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// A gradient with noise on it: smooth enough to look like a picture, busy enough that neither
// the JPEG coder nor the run builder gets an easy ride. Tiles get black corners, the key
// colour, as object tiles have where the ground shows through.
kv::RgbImage PaintPicture(int w, int h, uint32_t seed, bool keyed_corners) {
  kv::RgbImage image{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3)};
  Noise noise{seed * 2654435761u + 1};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &image.rgb[(static_cast<size_t>(y) * w + x) * 3];
      const bool corner = keyed_corners && (x + y < w / 5 || (w - x) + (h - y) < w / 5);
      if (corner) continue;
      p[0] = Clamp(40 + 180 * x / w + noise.Next(48) - 24);
      p[1] = Clamp(60 + 150 * y / h + noise.Next(48) - 24);
      p[2] =
          Clamp(30 + 120 * (x + y) / (w + h) + static_cast<int>(seed % 50) + noise.Next(32) - 16);
    }
  }
  return image;
}

kv::writer::IndexedImage PaintIndexedTile(uint32_t seed) {
  kv::writer::IndexedImage image{kTile, kTile, std::vector<uint8_t>(kTile * kTile)};
  Noise noise{seed * 40503u + 7};
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      const bool corner = x + y < kTile / 5;
      image.index[y * kTile + x] =
          corner ? 0 : static_cast<uint8_t>(1 + (x + 2 * y + noise.Next(24) + seed) % 255);
    }
  }
  return image;
}

std::vector<kv::Bgr0> TilePalette() {
  std::vector<kv::Bgr0> palette(256);
  palette[0] = {0, 0, 0, 0};
  for (int i = 1; i < 256; ++i) {
    palette[i] = {Clamp(i / 2 + 20), Clamp(255 - i / 2), Clamp(i), 0};
  }
  return palette;
}

// 200 tiles of 100 x 100, alternately 8-bit and 24-bit DIBs, in the game's file encoding.
const std::vector<uint8_t>& CollectionFile() {
  static const std::vector<uint8_t> file = [] {
    std::vector<kv::writer::PictureItemEntry> items;
    kv::writer::DibOptions indexed;
    indexed.bits = 8;
    indexed.palette = TilePalette();
    kv::writer::DibOptions rgb;
    rgb.bits = 24;
    for (int i = 0; i < kCollectionItems; ++i) {
      kv::writer::PictureItemEntry item;
      item.name = "Tile" + std::to_string(i);
      item.picture_data =
          i % 2 == 0
              ? kv::writer::DibPictureData(PaintIndexedTile(static_cast<uint32_t>(i)), indexed)
              : kv::writer::DibPictureData(PaintPicture(kTile, kTile, i, true), rgb);
      items.push_back(std::move(item));
    }
    return kv::writer::WriteImageCollection(items);
  }();
  return file;
}

const std::vector<uint8_t>& JpegPayload(bool grey) {
  static const std::vector<uint8_t> colour = kv::writer::JpegPictureData(
      PaintPicture(kJpegWidth, kJpegHeight, 3, false), kJpegQuality, false);
  static const std::vector<uint8_t> greyscale = kv::writer::JpegPictureData(
      PaintPicture(kJpegWidth, kJpegHeight, 3, false), kJpegQuality, true);
  return grey ? greyscale : colour;
}

std::span<const uint8_t> JpegStream(bool grey) {
  return std::span<const uint8_t>(JpegPayload(grey)).subspan(kJpegPayloadPrefix);
}

void BM_LoadCollection200(benchmark::State& state) {
  const std::vector<uint8_t>& file = CollectionFile();
  auto platform = kv::MakeHeadlessPlatform();
  kv::TDXDraw draw(*platform);
  draw.OpenDisplay();
  // Attached to an open display, the list builds every item's copies as the load ends.
  kv::TDXImageList list(&draw);
  list.Items.LoadCollectionStream(file);
  if (list.Items.Count() != kCollectionItems || !list.Items.Items(0).copies) {
    state.SkipWithError("the collection did not load whole");
    return;
  }
  list.Items.Clear();
  for (auto _ : state) {
    list.Items.LoadCollectionStream(file);
    benchmark::DoNotOptimize(list.Items.Items(kCollectionItems - 1).copies.get());
    // Freeing the last load's items is no part of a load.
    state.PauseTiming();
    list.Items.Clear();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(file.size()));
  state.counters["file_bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_LoadCollection200)->Unit(benchmark::kMillisecond);

// The floor of a load: every byte of the file and every 565 pixel built, touched once.
void BM_Memcpy_Collection(benchmark::State& state) {
  const std::vector<uint8_t>& file = CollectionFile();
  const size_t bytes = file.size() + size_t{kCollectionItems} * kTile * kTile * 2;
  std::vector<uint8_t> from(bytes, 1);
  std::vector<uint8_t> to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  }
  // Counted in file bytes, like the load, so the two rates compare directly.
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(file.size()));
  state.counters["copied_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Memcpy_Collection)->Unit(benchmark::kMillisecond);

void FirstDecode(benchmark::State& state, bool grey) {
  const std::vector<uint8_t>& payload = JpegPayload(grey);
  for (auto _ : state) {
    std::unique_ptr<kv::Picture> picture = kv::ReadPicturePayload(payload);
    benchmark::DoNotOptimize(picture->Pixels().rgb.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kJpegWidth * kJpegHeight);
}

void BM_JpegFirstDecode800x600(benchmark::State& state) {
  FirstDecode(state, false);
}
BENCHMARK(BM_JpegFirstDecode800x600)->Unit(benchmark::kMillisecond);

void BM_JpegFirstDecodeGrey800x600(benchmark::State& state) {
  FirstDecode(state, true);
}
BENCHMARK(BM_JpegFirstDecodeGrey800x600)->Unit(benchmark::kMillisecond);

struct JumpingErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void JumpBack(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JumpingErrors*>(cinfo->err)->jump, 1);
}

// libjpeg on its own, with the settings the game decodes with, into a buffer made once.
// False when libjpeg reported an error. Holds only C data, so the jump skips no destructor.
bool DecodeDirect(std::span<const uint8_t> stream, bool grey, bool quantise, uint8_t* out) {
  jpeg_decompress_struct cinfo{};
  JumpingErrors errors;
  cinfo.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = JumpBack;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, stream.data(), static_cast<unsigned long>(stream.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.dct_method = JDCT_ISLOW;
  cinfo.do_block_smoothing = TRUE;
  if (!grey) cinfo.out_color_space = JCS_RGB;
  if (quantise) {
    cinfo.quantize_colors = TRUE;
    cinfo.desired_number_of_colors = 236;
    cinfo.two_pass_quantize = TRUE;
    cinfo.dither_mode = JDITHER_FS;
  }
  jpeg_start_decompress(&cinfo);
  const size_t row_bytes = size_t{cinfo.output_width} * cinfo.output_components;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out + size_t{cinfo.output_scanline} * row_bytes;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

void DirectDecode(benchmark::State& state, bool grey, bool quantise) {
  const std::span<const uint8_t> stream = JpegStream(grey);
  std::vector<uint8_t> out(size_t{kJpegWidth} * kJpegHeight * 3);
  for (auto _ : state) {
    if (!DecodeDirect(stream, grey, quantise, out.data())) {
      state.SkipWithError("libjpeg failed");
      break;
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kJpegWidth * kJpegHeight);
}

void BM_Djpeg800x600(benchmark::State& state) {
  DirectDecode(state, false, false);
}
BENCHMARK(BM_Djpeg800x600)->Unit(benchmark::kMillisecond);

// The grey floor with and without the quantiser, to show what the 236-colour palette costs.
void BM_DjpegGrey800x600(benchmark::State& state) {
  DirectDecode(state, true, false);
}
BENCHMARK(BM_DjpegGrey800x600)->Unit(benchmark::kMillisecond);

void BM_DjpegGreyQuantised800x600(benchmark::State& state) {
  DirectDecode(state, true, true);
}
BENCHMARK(BM_DjpegGreyQuantised800x600)->Unit(benchmark::kMillisecond);

}  // namespace
