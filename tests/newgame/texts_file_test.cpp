// The texts file of a data folder: what a sound file gives, and each fault with the message
// that names its line, as start-up reports the first and the data tool every one.

#include "newgame/texts_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/cp1250.h"
#include "platform/error.h"
#include "support/test_support.h"

namespace kv {
namespace {

std::vector<std::string> Problems(const std::string& utf8) {
  std::vector<TextsProblem> found;
  ParseGameTexts(utf8, found);
  std::vector<std::string> messages;
  for (const TextsProblem& p : found) messages.push_back(cp1250::ToUtf8(p.Message()));
  return messages;
}

TEST(TextsFile, JoinsLinesAndParagraphsIntoTheirSections) {
  std::vector<TextsProblem> problems;
  const GameTexts texts = ParseGameTexts(
      "\xEF\xBB\xBF# a comment\r\n"
      "\n"
      "[intro 10]\r\n"
      "  Tvůj příběh\tzačíná \r\n"
      "# a comment inside a section\n"
      "tady.\n"
      "\n"
      "\n"
      "Jdi.\n"
      "\n"
      "[race 4]\n"
      "Trpaslík.\n"
      "[profession 0]\n"
      "Hraničář.",
      problems);
  EXPECT_TRUE(problems.empty());
  ASSERT_TRUE(texts.intro[9]);
  EXPECT_EQ(cp1250::ToUtf8(*texts.intro[9]), "Tvůj příběh začíná tady.\nJdi.");
  EXPECT_EQ(cp1250::ToUtf8(texts.info[10].value_or("")), "Trpaslík.");
  EXPECT_EQ(cp1250::ToUtf8(texts.info[0].value_or("")), "Hraničář.");
  // What the file leaves out stays out, for the game to keep its own.
  EXPECT_FALSE(texts.intro[0]);
  EXPECT_FALSE(texts.info[6]);
}

TEST(TextsFile, NamesTheLineAndTheReasonOfEachFault) {
  const std::string intro501 = std::string(250, 'a') + " " + std::string(250, 'b');
  const std::string info401 = "[race 0]\n" + std::string(200, 'c') + "\n" + std::string(200, 'd');
  struct Case {
    std::string file;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"text first\n[intro 1]\nx\n", {"Line 1: text outside a section"}},
      {"[intro 0]\nx\n", {"Line 1: unknown section [intro 0]"}},
      {"[intro 11]\nx\n", {"Line 1: unknown section [intro 11]"}},
      {"[profession 6]\nx\n", {"Line 1: unknown section [profession 6]"}},
      {"[race -1]\nx\n", {"Line 1: unknown section [race -1]"}},
      {"[Race 1]\nx\n", {"Line 1: unknown section [Race 1]"}},
      {"[intro 1 ]\nx\n", {"Line 1: unknown section [intro 1 ]"}},
      {"[story]\nx\n", {"Line 1: unknown section [story]"}},
      {"[intro 2]\nx\n\n[intro 2]\ny\n",
       {"Line 4: section [intro 2] appears twice (first at line 1)"}},
      {"[race 1]\n# nothing\n[race 2]\nx", {"Line 1: section [race 1] has no text"}},
      {"[intro 3]\n" + intro501 + "\n",
       {"Line 1: section [intro 3] is 501 characters long (at most 500)"}},
      {info401, {"Line 1: section [race 0] is 401 characters long (at most 400)"}},
      {"[intro 1]\nok\n\xC3\x28\n", {"Line 3: not valid UTF-8"}},
      {"[intro 1]\n\xC0\xAF\n", {"Line 2: not valid UTF-8"}},      // overlong '/'
      {"[intro 1]\n\xED\xA0\x80\n", {"Line 2: not valid UTF-8"}},  // a surrogate
      {"[intro 1]\nend\xE2\x80\n", {"Line 2: not valid UTF-8"}},   // cut short
      {"[intro 1]\nA\xE2\x86\x92"
       "B\n",
       {"Line 2: character U+2192 is not in code page 1250"}},
      {"[intro 1]\n\xE6\x97\xA5\n", {"Line 2: character U+65E5 is not in code page 1250"}},
      {"[intro 1]\nbell\x07\n", {"Line 2: control character U+0007"}},
      // Every fault is found, and a faulty section does not hide the next.
      {"stray\n[elf 1]\nignored\n[intro 1]\n\xFF\n[intro 1]\nx\n[race 4]\n",
       {"Line 1: text outside a section", "Line 2: unknown section [elf 1]",
        "Line 5: not valid UTF-8", "Line 6: section [intro 1] appears twice (first at line 4)",
        "Line 8: section [race 4] has no text"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Problems(c.file), c.messages) << c.file;
  }
  // A NUL inside the file is a control character like any other.
  EXPECT_EQ(Problems(std::string("[intro 1]\nnul\0x\n", 16)),
            std::vector<std::string>{"Line 2: control character U+0000"});
}

TEST(TextsFile, StartUpThrowsTheFirstFaultWithTheFileAndKeepsOnWithoutOne) {
  test::TempDir dir;
  const std::string path = (dir.path() / "texts.txt").string();
  EXPECT_FALSE(LoadGameTexts(path));  // no file: nothing to say

  std::ofstream(path) << "[intro 1]\nx\n[intro 99]\n[intro 1]\n";
  try {
    LoadGameTexts(path);
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), path);
    EXPECT_STREQ(e.what(), "Line 3: unknown section [intro 99]");
  }

  std::ofstream(path) << std::string(kTextsFileLimit + 1, '#');
  std::vector<TextsProblem> problems;
  ReadGameTexts(path, problems);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].Message(), "The file is larger than 65536 bytes");

  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
  problems.clear();
  ReadGameTexts(path, problems);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].Message(), "Cannot read the file");
}

}  // namespace
}  // namespace kv
