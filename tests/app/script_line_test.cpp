// Reading script lines: what each line means, and the reason a malformed one is refused.
#include "app/script_line.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/keys.h"

namespace kv {
namespace {

using Kind = ScriptCommand::Kind;

ScriptCommand Read(std::string_view line) {
  std::string problem;
  const auto command = ParseScriptLine(line, problem);
  EXPECT_TRUE(command.has_value()) << line << ": " << problem;
  return command.value_or(ScriptCommand{});
}

std::string Problem(std::string_view line) {
  std::string problem;
  EXPECT_FALSE(ParseScriptLine(line, problem).has_value()) << line;
  return problem;
}

TEST(ScriptLine, EveryCommandReadsItsArguments) {
  ScriptCommand c = Read("  click 10 -20 right ");
  EXPECT_EQ(c.kind, Kind::kClick);
  EXPECT_EQ(c.point, (Point{10, -20}));
  EXPECT_EQ(c.button, MouseButton::kRight);
  EXPECT_EQ(Read("down").button, MouseButton::kLeft);
  EXPECT_EQ(Read("up middle").button, MouseButton::kMiddle);
  EXPECT_EQ(Read("move\t3\t4").point, (Point{3, 4}));

  c = Read("keydown Ctrl+Shift+KP8");
  EXPECT_EQ(c.kind, Kind::kKeyDown);
  EXPECT_EQ(c.key.key, vk::kNumpad8);
  EXPECT_TRUE(c.key.mods.ctrl && c.key.mods.shift && !c.key.mods.alt);
  EXPECT_EQ(Read("key F12").key.key, vk::kF1 + 11);
  EXPECT_EQ(Read("keyup Z").key.key, vk::kA + 25);

  EXPECT_EQ(Read("frames 0").number, 0);
  EXPECT_EQ(Read("wait 250").number, 250);
  EXPECT_EQ(Read("clock 86399999").number, 86399999);
  EXPECT_EQ(Read("state -").text, "-");
  EXPECT_EQ(Read("shot  my shots/menu.png  ").text, "my shots/menu.png");
  EXPECT_EQ(Read("activate").kind, Kind::kActivate);
  EXPECT_EQ(Read("deactivate").kind, Kind::kDeactivate);
}

TEST(ScriptLine, TypedTextIsTheRestOfTheLineAfterOneBlank) {
  EXPECT_EQ(Read("type  two # blanks\r").text, " two # blanks");
  EXPECT_EQ(Read("type").text, "");
  EXPECT_EQ(ScriptLineContent("type a # b"), "type a # b");
  EXPECT_EQ(ScriptLineContent("frames 2 # two"), "frames 2 ");
  EXPECT_EQ(ScriptLineContent("  # only a comment"), "");
  EXPECT_EQ(ScriptLineContent(" \t\r"), "");
}

TEST(ScriptLine, MalformedLinesSayWhatIsWrong) {
  EXPECT_EQ(Problem("jump 1 2"), "unknown command 'jump'");
  EXPECT_EQ(Problem("Move 1 2"), "unknown command 'Move'");
  EXPECT_EQ(Problem("move 1"), "expected X Y");
  EXPECT_EQ(Problem("pointer 1 2x"), "expected X Y");
  EXPECT_EQ(Problem("click 1 99999999999999999999"), "expected X Y");
  EXPECT_EQ(Problem("click 1 2 thumb"), "unknown button");
  EXPECT_EQ(Problem("down Left"), "unknown button");
  EXPECT_EQ(Problem("key Alt+"), "unknown key");
  EXPECT_EQ(Problem("key F13"), "unknown key");
  EXPECT_EQ(Problem("keydown escape"), "unknown key");
  EXPECT_EQ(Problem("frames -1"), "expected a count");
  EXPECT_EQ(Problem("frames"), "expected a count");
  EXPECT_EQ(Problem("wait 1.5"), "expected milliseconds");
  EXPECT_EQ(Problem("clock -5"), "expected milliseconds");
  EXPECT_EQ(Problem("shot "), "expected a file name");
  EXPECT_EQ(Problem("state"), "expected a file name or -");
}

}  // namespace
}  // namespace kv
