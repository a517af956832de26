// The creation pages' texts inside the frames of the built data: every value a roll can give,
// and every profession and race name, drawn as the pages draw them, in the data's own font,
// stays off the bevel that the data's frame picture draws around it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "media/canvas.h"
#include "media/picture_collection.h"
#include "media/surface.h"
#include "media/word_break.h"
#include "newgame/attributes.h"
#include "newgame/character.h"
#include "newgame/texts_file.h"
#include "platform/cp1250.h"
#include "platform/fonts.h"
#include "support/test_support.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(KV_BUILD_DIR) / "data";
constexpr Color kRed = Rgb(255, 0, 0);

// Each stat the attribute page shows, with the place of its value and of its frame.
struct ShownStat {
  int stat;
  Point value;
  Rect frame;
};

std::vector<ShownStat> ShownStats() {
  std::vector<ShownStat> shown;
  for (int i = 0; i < 6; ++i) {
    shown.push_back({i, {340, 142 + 55 * i}, {60, 140 + 55 * i, 376, 181 + 55 * i}});
  }
  for (int i = 0; i < 5; ++i) {
    shown.push_back({13 + i, {705, 142 + 55 * i}, {425, 140 + 55 * i, 741, 181 + 55 * i}});
  }
  return shown;
}

// The part of a frame picture stretched over `frame` that its gold bevel leaves free: the
// bevel is warm, the field and its shadow are cool.
Rect FreeField(const RgbImage& picture, const Rect& frame) {
  const int w = frame.Width(), h = frame.Height();
  const auto bevel = [&](int x, int y) {
    const uint8_t* p = &picture.rgb[(static_cast<size_t>(y * picture.height / h) * picture.width +
                                     static_cast<size_t>(x * picture.width / w)) *
                                    3];
    return p[0] - p[2] > 30;
  };
  Rect free{0, 0, w, h};
  while (free.left < w && bevel(free.left, h / 2)) ++free.left;
  while (free.right > 0 && bevel(free.right - 1, h / 2)) --free.right;
  while (free.top < h && bevel(w / 2, free.top)) ++free.top;
  while (free.bottom > 0 && bevel(w / 2, free.bottom - 1)) --free.bottom;
  return free.Offset(frame.left, frame.top);
}

// The highest value each stat reaches over many rolls of every profession and race.
std::array<int32_t, kStatCount> HighestRolls() {
  std::array<int32_t, kStatCount> highest{};
  TCharacter character{};
  ApplyStatTemplate(character);
  Random random;
  for (int profession = 0; profession < kProfessionCount; ++profession) {
    for (int race = 0; race < kRaceCount; ++race) {
      SetProfession(character, static_cast<uint8_t>(profession));
      SetRace(character, static_cast<uint8_t>(race));
      for (uint32_t seed = 0; seed < 20000; ++seed) {
        random.Seed(seed * 4321u);
        RollAttributes(character, random);
        for (int s = 0; s < kStatCount; ++s) {
          highest[s] = std::max(highest[s], character.Stats[s].Value);
        }
      }
    }
  }
  return highest;
}

class TextFit : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fonts_.RegisterFile("Elixir", (kData / "Elixir.ttf").string()));
    images_.LoadCollectionFile((kData / "graphic1.dat").string());
  }

  // Where a text drawn at `at` as the pages draw it leaves its ink.
  Rect Ink(const FontDesc& font, Point at, const std::string& text) {
    Surface surface(800, 600, &fonts_);
    TextCanvas& canvas = SurfaceCanvas(surface);
    canvas.SetBackgroundTransparent();
    canvas.SetFont(font);
    canvas.TextOut(at.x, at.y, text);
    ReleaseCanvas(canvas);
    Rect ink{800, 600, 0, 0};
    for (int y = 0; y < 600; ++y) {
      for (int x = 0; x < 800; ++x) {
        if (surface.image().At(x, y) == 0) continue;
        ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
               std::max(ink.bottom, y + 1)};
      }
    }
    return ink;
  }

  static bool Inside(const Rect& ink, const Rect& field) {
    return ink.left >= field.left && ink.top >= field.top && ink.right <= field.right &&
           ink.bottom <= field.bottom;
  }

  const RgbImage& Frame() { return images_.FindItemByName("Braz").picture().Pixels(); }

  test::TestFonts fonts_;
  TPictureCollection images_;
};

TEST_F(TextFit, EveryRolledValueStaysInsideItsFrame) {
  const std::array<int32_t, kStatCount> highest = HighestRolls();
  const FontDesc value_font{"Elixir", 22, 0, kRed, true};
  for (const ShownStat& shown : ShownStats()) {
    // Two digits at most: a third would need a wider frame than the page has.
    ASSERT_LT(highest[shown.stat], 100) << "stat " << shown.stat;
    const Rect field = FreeField(Frame(), shown.frame);
    for (int value = 0; value <= highest[shown.stat]; ++value) {
      const Rect ink = Ink(value_font, shown.value, std::to_string(value));
      EXPECT_TRUE(Inside(ink, field))
          << "stat " << shown.stat << " value " << value << ": ink " << ink.left << ".."
          << ink.right << " x " << ink.top << ".." << ink.bottom << ", frame's field " << field.left
          << ".." << field.right << " x " << field.top << ".." << field.bottom;
    }
  }
}

TEST_F(TextFit, StatNamesEndBeforeTheirValuesBegin) {
  const std::array<TStat, kStatCount> stats = StatTemplate();
  const FontDesc name_font{"Elixir", 22, 0, Rgb(150, 255, 0), true};
  for (const ShownStat& shown : ShownStats()) {
    const Point at{shown.frame.left + 20, shown.value.y};
    const Rect ink = Ink(name_font, at, std::string(TextOf(stats[shown.stat].Name)));
    const Rect field = FreeField(Frame(), shown.frame);
    EXPECT_TRUE(Inside(ink, field))
        << "stat " << shown.stat << ": ink " << ink.left << ".." << ink.right << " x " << ink.top
        << ".." << ink.bottom << ", frame's field " << field.left << ".." << field.right << " x "
        << field.top << ".." << field.bottom;
    EXPECT_LT(ink.right, shown.value.x - 4) << "stat " << shown.stat;
  }
}

TEST_F(TextFit, ProfessionAndRaceNamesFitTheNameBoxes) {
  const FontDesc font{"Elixir", 25, 0, Rgb(0, 255, 0), true};
  const Rect box{200, 350, 600, 400};
  const Rect field = FreeField(Frame(), {200, 300, 600, 400}).Offset(0, 0);
  std::vector<std::string> names;
  for (int p = 0; p < kProfessionCount; ++p) names.push_back(ProfessionName(p));
  for (int r = 0; r < kRaceCount; ++r) names.push_back(RaceName(r));
  for (const std::string& name : names) {
    int width = 0, height = 0;
    fonts_.Measure(font, name, width, height);
    const Rect ink = Ink(font, {box.left + (box.Width() - width) / 2, box.top}, name);
    EXPECT_TRUE(Inside(ink, field)) << name;
  }
}

// The story and the info texts of the built data: every section there, within its limit, and
// broken at word boundaries only, inside the rectangle the pages draw it in.
TEST_F(TextFit, TheBuiltTextsFillEveryPageAndFitTheirRectangles) {
  std::vector<TextsProblem> problems;
  const std::optional<GameTexts> texts = ReadGameTexts((kData / "texts.txt").string(), problems);
  ASSERT_TRUE(texts);
  for (const TextsProblem& p : problems) ADD_FAILURE() << cp1250::ToUtf8(p.Message());

  struct Shown {
    const std::optional<std::string>& text;
    FontDesc font;
    Rect rect;
  };
  std::vector<Shown> shown;
  const FontDesc intro_font{"Arial CE", 11, 0, Rgb(255, 255, 0), true};
  const FontDesc info_font{"Arial CE", 12, 0, Rgb(255, 255, 0), true};
  for (const auto& page : texts->intro) shown.push_back({page, intro_font, {520, 50, 790, 560}});
  for (const auto& entry : texts->info) shown.push_back({entry, info_font, {400, 200, 740, 400}});
  for (size_t i = 0; i < shown.size(); ++i) {
    ASSERT_TRUE(shown[i].text) << "section " << i;
    const std::string& text = *shown[i].text;
    const auto measure = [&](std::string_view s) {
      int width = 0, height = 0;
      fonts_.Measure(shown[i].font, s, width, height);
      return width;
    };
    const std::vector<std::string_view> lines = BreakLines(text, shown[i].rect.Width(), measure);
    const int height = static_cast<int>(lines.size()) * fonts_.LineHeight(shown[i].font);
    EXPECT_LE(height, shown[i].rect.Height()) << cp1250::ToUtf8(text);
    for (std::string_view line : lines) {
      // A line cut inside a word would end where the text goes on without a blank.
      const size_t end = static_cast<size_t>(line.data() - text.data()) + line.size();
      EXPECT_TRUE(end == text.size() || text[end] == ' ' || text[end] == '\n')
          << cp1250::ToUtf8(std::string(line));
    }
  }
}

// The info pictures sit left of the info text, inside the scroll.
TEST_F(TextFit, TheBuiltInfoPicturesStayLeftOfTheText) {
  TPictureCollection other;
  other.LoadCollectionFile((kData / "graphic2.dat").string());
  ASSERT_EQ(other.IndexOfName("Info0"), 26);  // after the logo and the 25 portraits
  for (int entry = 0; entry < kInfoEntryCount; ++entry) {
    const TPictureCollectionItem& item = other.FindItemByName("Info" + std::to_string(entry));
    EXPECT_FALSE(item.Transparent);  // drawn whole over the scroll
    EXPECT_GT(item.picture().width(), 100);
    EXPECT_LE(100 + item.picture().width(), 390) << entry;
    EXPECT_LE(200 + item.picture().height(), 520) << entry;
  }
}

}  // namespace
}  // namespace kv
