#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/cp1250.h"
#include "platform/fonts.h"
#include "support/test_support.h"

namespace kv {
namespace {

const std::string kSerifFile = test::TestFont("LiberationSerif-Regular.ttf");

FontDesc Face(const std::string& face, int height_px, bool bold = false) {
  FontDesc font;
  font.face = face;
  font.height_px = height_px;
  font.bold = bold;
  return font;
}

int Width(FontService& fonts, const FontDesc& font, std::string_view text) {
  int w = 0, h = 0;
  fonts.Measure(font, text, w, h);
  return w;
}

// Rows of the mask holding any ink: first and last, or -1 when blank.
std::pair<int, int> InkRows(const TextMask& mask) {
  int first = -1, last = -1;
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < mask.width; ++x) {
      if (mask.alpha[static_cast<size_t>(y) * mask.width + x] > 64) {
        if (first < 0) first = y;
        last = y;
        break;
      }
    }
  }
  return {first, last};
}

TEST(FontServiceTest, PointSizesBecomePixelsAtNinetySixDotsPerInch) {
  const std::pair<int, int> sizes[] = {{10, 13}, {12, 16}, {20, 27}, {36, 48}};
  for (auto [points, pixels] : sizes) {
    FontDesc font;
    font.size = points;
    EXPECT_EQ(font.PixelHeight(), pixels);
  }
  // The em is the pixel height: the line (ascent plus descent) is a little over it.
  test::TestFonts fonts;
  const int line = fonts.LineHeight(Face("Arial CE", 100));
  EXPECT_GE(line, 108);
  EXPECT_LE(line, 118);
}

TEST(FontServiceTest, MeasureAgreesWithRender) {
  test::TestFonts fonts;
  const FontDesc faces[] = {Face("", 13), Face("Times New Roman", 21, true),
                            Face("Arial CE", 48, true), Face("Times New Roman", 33)};
  for (const FontDesc& font : faces) {
    for (std::string text : {"", "Nastaveni", "j", "fjord WAVE", "  "}) {
      int w = 0, h = 0;
      fonts.Measure(font, text, w, h);
      const auto mask = fonts.Render(font, text);
      EXPECT_EQ(mask->width, w) << font.face << " '" << text << "'";
      EXPECT_EQ(mask->height, h);
      EXPECT_EQ(h, fonts.LineHeight(font));
      EXPECT_EQ(mask->alpha.size(), static_cast<size_t>(w) * h);
    }
    EXPECT_EQ(Width(fonts, font, ""), 0);
    EXPECT_EQ(Width(fonts, font, "AVAV"), 2 * Width(fonts, font, "AV")) << "no kerning";
  }
}

TEST(FontServiceTest, CodePageTextRendersItsAccents) {
  test::TestFonts fonts;
  const FontDesc font = Face("Arial CE", 40, true);
  const auto plain = InkRows(*fonts.Render(font, "S"));
  const auto caron = InkRows(*fonts.Render(font, cp1250::FromUtf8("Š")));
  ASSERT_GE(caron.first, 0) << "0x8A is Š, not a control character";
  EXPECT_LT(caron.first, plain.first) << "the caron stands above the letter";
  EXPECT_EQ(caron.second, plain.second) << "on the same baseline";
  const auto descender = InkRows(*fonts.Render(font, "g"));
  EXPECT_GT(descender.second, plain.second);
  EXPECT_LT(descender.second, fonts.LineHeight(font));
}

TEST(FontServiceTest, UnknownFacesFallBackToTheDefault) {
  test::TestFonts fonts;
  const std::string text = "Kervana IV v.0.2";
  const int sans = Width(fonts, Face("Arial CE", 20), text);
  EXPECT_EQ(Width(fonts, Face("", 20), text), sans);
  EXPECT_EQ(Width(fonts, Face("No Such Face", 20), text), sans);
  EXPECT_EQ(Width(fonts, Face("Elixir", 20), text), sans) << "Elixir was never registered";
  EXPECT_NE(Width(fonts, Face("Times New Roman", 20), text), sans);
  EXPECT_GT(Width(fonts, Face("Arial CE", 20, true), text), sans);
}

TEST(FontServiceTest, RegisteredFilesServeTheirFaceAndBadFilesAreIgnored) {
  test::TempDir dir;
  const std::string junk = dir / "junk.ttf";
  std::ofstream(junk) << "not a font at all";
  const std::string text = "Nastaveni";

  test::TestFonts fonts;
  EXPECT_FALSE(fonts.RegisterFile("Elixir", dir / "missing.ttf"));
  EXPECT_FALSE(fonts.RegisterFile("Elixir", junk));
  EXPECT_EQ(Width(fonts, Face("Elixir", 36), text), Width(fonts, Face("", 36), text));

  EXPECT_TRUE(fonts.RegisterFile("Elixir", kSerifFile));
  const int regular = Width(fonts, Face("elixir", 36), text);
  EXPECT_EQ(regular, Width(fonts, Face("Times New Roman", 36), text));
  const FontDesc bold = Face("Elixir", 36, true);
  EXPECT_GT(Width(fonts, bold, text), regular) << "bold is made by the rasteriser";
  EXPECT_EQ(fonts.Render(bold, text)->width, Width(fonts, bold, text));
}

TEST(FontServiceTest, OnlyARegularFileRegistersAndItIsReadOnce) {
  KV_SKIP_ON_WINDOWS("Windows has no FIFOs");
  test::TempDir dir;
  test::MakeFifo(dir / "fifo.ttf");
  std::filesystem::create_directory(dir / "folder.ttf");
  test::TestFonts fonts;
  bool registered = true;
  EXPECT_TRUE(test::ReturnsAtOnce(
      [&] { registered = fonts.RegisterFile("Elixir", dir / "fifo.ttf"); }, dir / "fifo.ttf"));
  EXPECT_FALSE(registered);
  EXPECT_FALSE(fonts.RegisterFile("Elixir", dir / "folder.ttf"));

  // Sizes not yet used open from the bytes read at registration, whatever the name holds now.
  std::filesystem::copy_file(kSerifFile, dir / "face.ttf");
  ASSERT_TRUE(fonts.RegisterFile("Elixir", dir / "face.ttf"));
  std::filesystem::remove(dir / "face.ttf");
  test::MakeFifo(dir / "face.ttf");
  int width = 0;
  EXPECT_TRUE(test::ReturnsAtOnce([&] { width = Width(fonts, Face("Elixir", 40), "Kervana"); },
                                  dir / "face.ttf"));
  EXPECT_EQ(width, Width(fonts, Face("Times New Roman", 40), "Kervana"));
}

TEST(FontServiceTest, AbsurdSizesAndBytesDoNotBreakRendering) {
  test::TestFonts fonts;
  FontDesc huge = Face("", 100000);
  FontDesc negative;
  negative.size = -40;
  std::string every_byte;
  for (int b = 1; b < 256; ++b) every_byte.push_back(static_cast<char>(b));
  for (const FontDesc& font : {huge, negative}) {
    const auto mask = fonts.Render(font, every_byte);
    EXPECT_EQ(mask->alpha.size(), static_cast<size_t>(mask->width) * mask->height);
    EXPECT_GT(mask->height, 0);
  }
}

}  // namespace
}  // namespace kv
