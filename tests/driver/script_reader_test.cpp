// Reading a script a line at a time: the lines as written, and what no script line may be.
#include "driver/script_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "driver/script_line.h"
#include "support/test_support.h"

namespace kv {
namespace {

// Every line the reader gives, then "!problem" where it stopped, if it did.
std::vector<std::string> Lines(ScriptReader& reader) {
  std::vector<std::string> lines;
  std::string line;
  std::string problem;
  for (;;) {
    const ScriptReader::Result read = reader.Next(line, problem);
    if (read == ScriptReader::Result::kEnd) break;
    if (read == ScriptReader::Result::kFailed) {
      lines.push_back("!" + std::to_string(reader.line_number()) + " " + problem);
      break;
    }
    lines.push_back(line);
  }
  return lines;
}

using Expected = std::vector<std::string>;

TEST(ScriptReader, GivesTheLinesAsWrittenAndStopsAtOneNoScriptHolds) {
  const std::string longest(ScriptReader::kMaxLineBytes, 'x');
  const struct {
    std::string text;
    Expected lines;
  } cases[] = {
      {"", {}},
      {"frames 1", {"frames 1"}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\n\nb", {"a\r", "", "b"}},
      {"\xEF\xBB\xBFrecorded\n", {"recorded"}},
      {"a\n\xEF\xBB\xBF"
       "b\n",
       {"a",
        "\xEF\xBB\xBF"
        "b"}},  // a mark only opens a file
      {longest + "\nnext\n", {longest, "next"}},
      {longest + "y\nnext\n", {"!1 longer than 65536 bytes"}},
      {"a\n" + std::string(200000, 'z'), {"a", "!2 longer than 65536 bytes"}},
      {std::string("a\nb\0c\nd\n", 8), {"a", "!2 a NUL byte"}},
  };
  for (const auto& c : cases) {
    ScriptReader reader(c.text);
    EXPECT_EQ(Lines(reader), c.lines) << c.text.substr(0, 40);
  }
}

TEST(ScriptReader, ReadsAFileAcrossItsBufferAndFindsTheFirstCommandAgainAfterRewinding) {
  test::TempDir dir;
  std::string text = "# comment\n\n";
  for (int i = 0; i < 20000; ++i) text += "frames " + std::to_string(i) + "\n";
  std::ofstream(dir / "s", std::ios::binary) << text;
  std::string problem;
  const auto reader = ScriptReader::Open(dir / "s", problem);
  ASSERT_TRUE(reader) << problem;
  const auto first = FirstScriptCommand(*reader);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->kind, ScriptCommand::Kind::kFrames);
  const std::vector<std::string> lines = Lines(*reader);
  ASSERT_EQ(lines.size(), 20002u);
  EXPECT_EQ(lines[2], "frames 0");
  EXPECT_EQ(lines.back(), "frames 19999");

  EXPECT_FALSE(ScriptReader::Open(dir.path().string(), problem)) << "a folder is no script";
  EXPECT_FALSE(ScriptReader::Open(dir / "missing", problem));
}

}  // namespace
}  // namespace kv
