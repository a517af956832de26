#include "app/error_box.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/cp1250.h"

namespace kv {
namespace {

TEST(ErrorBoxText, AddsAFullStopOnlyAfterCharactersThatSortAfterIt) {
  EXPECT_EQ(ErrorBoxText("Stream read error"), "Stream read error.");
  EXPECT_EQ(ErrorBoxText("Image 'Menu' not found"), "Image 'Menu' not found.");
  EXPECT_EQ(ErrorBoxText("List index out of bounds (3)"), "List index out of bounds (3)");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Wave 'x' not found '"), "Wave 'x' not found '");
  EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(BreakIntoLines, BreaksOnlyLinesTooLongAtTheLastBlankThatFits) {
  EXPECT_EQ(BreakIntoLines("", 72), "");
  EXPECT_EQ(BreakIntoLines("data/a.dat\nStream read error.", 18), "data/a.dat\nStream read error.");
  EXPECT_EQ(BreakIntoLines("aaa bbb ccc", 7), "aaa bbb\nccc");
  EXPECT_EQ(BreakIntoLines("aaa bbb ccc", 6), "aaa\nbbb\nccc");
  EXPECT_EQ(BreakIntoLines("aaa   bbb", 4), "aaa\nbbb") << "the blanks at a break go";
}

TEST(BreakIntoLines, CountsCharactersNotBytesAndCutsLongWordsBetweenThem) {
  EXPECT_EQ(BreakIntoLines("řeřicha čí", 10), "řeřicha čí");  // 10 characters in 13 bytes
  EXPECT_EQ(BreakIntoLines("řeřicha čím", 10), "řeřicha\nčím");
  EXPECT_EQ(BreakIntoLines("žžžžžžž", 3), "žžž\nžžž\nž");
  EXPECT_EQ(BreakIntoLines("a žžžžž", 3), "a\nžžž\nžž");
}

TEST(ErrorBoxMessage, PutsThePathAboveTheMessageAndBreaksLongLines) {
  EXPECT_EQ(ErrorBoxMessage("", "Image 'Menu' not found"), "Image 'Menu' not found.");
  EXPECT_EQ(ErrorBoxMessage("data/sound.dat", "Cannot open file data/sound.dat"),
            "data/sound.dat\nCannot open file data/sound.dat.");
  EXPECT_EQ(ErrorBoxMessage("", cp1250::FromUtf8("Image 'Šíp' not found")),
            "Image 'Šíp' not found.");
  EXPECT_EQ(ErrorBoxMessage("data/objects.dat",
                            "Error reading TPictureCollectionComponent.List: Error reading "
                            "TPictureCollectionItem.Picture.Data: Stream read error"),
            "data/objects.dat\n"
            "Error reading TPictureCollectionComponent.List: Error reading\n"
            "TPictureCollectionItem.Picture.Data: Stream read error.");

  const std::string box = ErrorBoxMessage("", std::string(300, 'x') + " end");
  std::istringstream lines(box);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) EXPECT_LE(line.size(), 72u);
  EXPECT_EQ(count, 5);  // four cut from the long word, then its rest with "end."
}

}  // namespace
}  // namespace kv
