// Pictures written and decoded by outside tools (ImageMagick's convert, libjpeg's cjpeg and
// djpeg), so that our readers and our writer are held against decoders we did not write.
// Each test is skipped when its tool is not installed.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "media/picture_test_support.h"
#include "support/test_support.h"
#include "tools/writer/picture_writer.h"

namespace kv {
namespace {

using test::TempDir;

bool HaveTool(const std::string& name) {
  return std::system(("command -v " + name + " > /dev/null 2>&1").c_str()) == 0;
}

std::vector<uint8_t> RunTool(const std::string& command) {
  std::vector<uint8_t> out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  uint8_t buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.insert(out.end(), buffer, buffer + n);
  EXPECT_EQ(pclose(pipe), 0) << command;
  return out;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// The pixels of a binary PPM (P6) or PGM (P5) with 8-bit samples, as RGB.
RgbImage ParsePnm(const std::vector<uint8_t>& bytes) {
  size_t at = 2;
  auto number = [&] {
    while (at < bytes.size() && (isspace(bytes[at]) || bytes[at] == '#')) {
      if (bytes[at] == '#') {
        while (at < bytes.size() && bytes[at] != '\n') ++at;
      }
      ++at;
    }
    int v = 0;
    while (at < bytes.size() && isdigit(bytes[at])) v = v * 10 + (bytes[at++] - '0');
    return v;
  };
  RgbImage image;
  if (bytes.size() < 2 || bytes[0] != 'P') return image;
  const bool grey = bytes[1] == '5';
  image.width = number();
  image.height = number();
  number();
  ++at;
  for (; at < bytes.size(); ++at) {
    image.rgb.insert(image.rgb.end(), grey ? 3 : 1, bytes[at]);
  }
  return image;
}

std::vector<uint8_t> Pnm(const RgbImage& image) {
  const std::string header =
      "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
  std::vector<uint8_t> out(header.begin(), header.end());
  out.insert(out.end(), image.rgb.begin(), image.rgb.end());
  return out;
}

TEST(PictureTools, BmpFilesFromImageMagickReadAsItDecodesThem) {
  if (!HaveTool("convert")) GTEST_SKIP() << "ImageMagick's convert is not installed";
  TempDir dir;
  const std::string source = "-seed 7 -size 37x23 plasma:";
  const std::vector<std::pair<std::string, std::string>> files = {
      {"mono.bmp", "-monochrome"},
      {"four.bmp", "-colors 12"},
      {"eight.bmp", "-colors 200 -compress None"},
      {"rle8.bmp", "-colors 200 -compress RLE"},
      {"true.bmp", "-type TrueColor"},
  };
  for (const auto& [name, options] : files) {
    SCOPED_TRACE(name);
    const std::string path = dir / name;
    RunTool("convert " + source + " " + options + " BMP3:" + path);
    const RgbImage expected{37, 23, RunTool("convert " + path + " -depth 8 rgb:-")};
    const std::vector<uint8_t> file = ReadFile(path);
    ASSERT_GT(file.size(), 54u);

    auto bitmap = ReadPicturePayload(writer::PictureData("TBitmap", writer::LengthPrefixed(file)));
    EXPECT_EQ(bitmap->width(), 37);
    EXPECT_EQ(bitmap->Pixels().rgb, expected.rgb);
    // The same DIB without its file header is a picture of the bare kind.
    auto dib =
        ReadPicturePayload(writer::PictureData("TDIB", std::span<const uint8_t>(file).subspan(14)));
    EXPECT_EQ(dib->Pixels().rgb, expected.rgb);
  }
}

TEST(PictureTools, ImageMagickReadsWhatOurWriterWrites) {
  if (!HaveTool("convert")) GTEST_SKIP() << "ImageMagick's convert is not installed";
  TempDir dir;
  const RgbImage rgb = test::PatternImage(13, 6);
  const RgbImage few = test::FewColourImage(13, 6, 16);
  struct Case {
    const char* name;
    writer::DibOptions options;
    RgbImage image;
  };
  const std::vector<Case> cases = {
      {"1", {.bits = 1}, test::FewColourImage(13, 6, 2)},
      {"4", {.bits = 4}, few},
      {"8", {.bits = 8}, few},
      {"rle8", {.bits = 8, .compression = 1}, few},
      {"rle4", {.bits = 4, .compression = 2}, few},
      {"24", {}, rgb},
      {"24 top-down", {.top_down = true}, rgb},
      {"24 core", {.core_header = true}, rgb},
      {"24 v5", {.header_size = 124}, rgb},
      {"32", {.bits = 32}, rgb},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir / "out.bmp";
    WriteFile(path, writer::EncodeBmpFile(c.image, c.options));
    EXPECT_EQ(RunTool("convert " + path + " -depth 8 rgb:-"), c.image.rgb);
  }
}

TEST(PictureTools, JpegsFromCjpegDecodeAsDjpegDecodesThem) {
  if (!HaveTool("cjpeg") || !HaveTool("djpeg")) GTEST_SKIP() << "cjpeg or djpeg is missing";
  TempDir dir;
  WriteFile(dir / "in.ppm", Pnm(test::PatternImage(45, 29)));
  struct Case {
    const char* options;
    const char* decode;
  };
  // djpeg's defaults match ours: integer transform, block smoothing, fancy upsampling, and
  // for grey Floyd-Steinberg dithering.
  const std::vector<Case> cases = {
      {"-quality 85", "-dct int -ppm"},
      {"-quality 60 -progressive", "-dct int -ppm"},
      {"-quality 85 -grayscale", "-dct int -colors 236 -dither fs -pnm"},
      {"-quality 40 -grayscale -progressive", "-dct int -colors 236 -dither fs -pnm"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    const std::string jpeg = dir / "out.jpg";
    RunTool(std::string("cjpeg ") + c.options + " -outfile " + jpeg + " " + (dir / "in.ppm"));
    const RgbImage expected = ParsePnm(RunTool(std::string("djpeg ") + c.decode + " " + jpeg));
    auto picture = ReadPicturePayload(
        writer::PictureData("TJPEGImage", writer::LengthPrefixed(ReadFile(jpeg))));
    EXPECT_EQ(picture->width(), expected.width);
    EXPECT_EQ(picture->height(), expected.height);
    EXPECT_EQ(picture->Pixels().rgb, expected.rgb);
  }
}

}  // namespace
}  // namespace kv
