// Reading script lines: what each line means, and the reason a malformed one is refused.
#include "driver/script_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
  EXPECT_EQ(ScriptLineContent("type a # b"), "type a # b");
  EXPECT_EQ(ScriptLineContent("frames 2 # two"), "frames 2 ");
  EXPECT_EQ(ScriptLineContent("  # only a comment"), "");
  EXPECT_EQ(ScriptLineContent(" \t\r"), "");
}

TEST(ScriptLine, TextIsWhatTheQuotesHoldAndReadsBackFromItsLine) {
  const struct {
    std::string_view line;
    std::string_view text;
  } cases[] = {
      {R"(text "Jan ")", "Jan "},  // a trailing blank inside the quotes stays
      {R"(text "a\tb")", "a\tb"},
      {R"(  text   "say \"hi\" \\ #1"  )", R"(say "hi" \ #1)"},
      {"text \"\t\"\r", "\t"},  // a tab as it is, and the line's own CR
      {"text \"\u0160\u0165astn\u00fd\"", "\u0160\u0165astn\u00fd"},
      {R"(text "#")", "#"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Read(ScriptLineContent(c.line)).text, c.text) << c.line;
    EXPECT_EQ(Read(TextLine(c.text)).text, c.text) << c.line;
    EXPECT_EQ(Read(TextLine(c.text)).kind, Kind::kText);
  }
  EXPECT_EQ(TextLine("a\tb \"c\\"), R"(text "a\tb \"c\\")");
  EXPECT_EQ(ScriptLineContent(R"(text "a # b" # typed)"), R"(text "a # b" )");
  EXPECT_EQ(ScriptLineContent(R"(text "a \" # b" # c)"), R"(text "a \" # b" )");
  EXPECT_EQ(ScriptLineContent(R"(text "a # b)"), R"(text "a # b)")
      << "no closing quote: no comment";
}

TEST(ScriptLine, MalformedLinesSayWhatIsWrong) {
  EXPECT_EQ(Problem("jump 1 2"), "unknown command 'jump'");
  EXPECT_EQ(Problem("Move 1 2"), "unknown command 'Move'");
  EXPECT_EQ(Problem("move 1"), "expected X Y from -100000 to 100000");
  EXPECT_EQ(Problem("pointer 1 2x"), "expected X Y from -100000 to 100000");
  EXPECT_EQ(Problem("click 1 99999999999999999999"), "expected X Y from -100000 to 100000");
  EXPECT_EQ(Problem("click 1 2 thumb"), "unknown button");
  EXPECT_EQ(Problem("down Left"), "unknown button");
  EXPECT_EQ(Problem("key Alt+"), "unknown key");
  EXPECT_EQ(Problem("key F13"), "unknown key");
  EXPECT_EQ(Problem("keydown escape"), "unknown key");
  EXPECT_EQ(Problem("frames -1"), "expected a count from 0 to 10000000");
  EXPECT_EQ(Problem("frames"), "expected a count from 0 to 10000000");
  EXPECT_EQ(Problem("wait 1.5"), "expected milliseconds from 0 to 86400000");
  EXPECT_EQ(Problem("clock -5"), "expected milliseconds from 0 to 86399999");
  EXPECT_EQ(Problem("shot "), "expected a file name");
  EXPECT_EQ(Problem("state"), "expected a file name or -");
  EXPECT_EQ(Problem("ms 4294967296"), "expected milliseconds from 0 to 4294967295");
  EXPECT_EQ(Problem("ticks x"), "expected a count from 0 to 10000000");
  EXPECT_EQ(Problem("recorded later"), "expected windowed or fullscreen");
}

// Whatever a line says, it asks for no more than a run may make, reads whole or not at all, and
// quotes what it refuses so that no terminal acts on it.
TEST(ScriptLine, HostileLinesAreRefusedWhole) {
  const struct {
    std::string_view line;
    std::string_view problem;
  } cases[] = {
      {"frames 9223372036854775807", "expected a count from 0 to 10000000"},
      {"frames 10000001", "expected a count from 0 to 10000000"},
      {"ticks 18446744073709551616", "expected a count from 0 to 10000000"},
      {"wait 4294967296", "expected milliseconds from 0 to 86400000"},
      {"wait 99999999999", "expected milliseconds from 0 to 86400000"},
      {"clock 86400000", "expected milliseconds from 0 to 86399999"},
      {"pointer 2147483648 0", "expected X Y from -100000 to 100000"},
      {"move 0 -100001", "expected X Y from -100000 to 100000"},
      {"click 4294967296 4294967296", "expected X Y from -100000 to 100000"},
      {"pad axis leftx 32768", "expected a value from -32768 to 32767"},
      {"frames 1 2", "unexpected words at the end: '2'"},
      {"key A B", "unexpected words at the end: 'B'"},
      {"down left right", "unexpected words at the end: 'right'"},
      {"recorded windowed x", "unexpected words at the end: 'x'"},
      {"click 1 2 left left", "unexpected words at the end: 'left'"},
      {"timer now", "unexpected words at the end: 'now'"},
      {"end 1", "unexpected words at the end: '1'"},
      {"type", "expected text to type"},
      {"type ", "expected text to type"},
      {"type \xC0\xAF", "the text is not UTF-8"},          // an overlong '/'
      {"type \xED\xA0\x80", "the text is not UTF-8"},      // a surrogate
      {"type \xF4\x90\x80\x80", "the text is not UTF-8"},  // past U+10FFFF
      {"type caf\xE9", "the text is not UTF-8"},           // code page 1250, not UTF-8
      {"text", "expected text in quotes"},
      {"text Jan", "expected text in quotes"},
      {"text \"\"", "expected text to type"},
      {"text \"Jan", "the closing quote is missing"},
      {"text \"Jan\\\"", "the closing quote is missing"},
      {"text \"Jan\" x", "unexpected words after the closing quote: 'x'"},
      {"text \"a\"\"b\"", "unexpected words after the closing quote: '\"b\"'"},
      {"text \"a\\n\"", "unknown escape '\\n'"},
      {"text \"caf\xE9\"", "the text is not UTF-8"},
      {std::string_view("text \"a\0\"", 9), "a NUL byte"},
      {std::string_view("key A\0", 6), "a NUL byte"},
      {"\x1b]0;owned\x07 1", "unknown command '\\x1b]0;owned\\x07'"},
      {"frames 1 \x1b[2J", "unexpected words at the end: '\\x1b[2J'"},
  };
  for (const auto& c : cases) {
    std::string problem;
    EXPECT_FALSE(ParseScriptLine(c.line, problem).has_value()) << c.line;
    EXPECT_EQ(problem, c.problem) << c.line;
  }
  std::string problem;
  ParseScriptLine(std::string(500, 'x'), problem);
  EXPECT_EQ(problem, "unknown command '" + std::string(100, 'x') + "...'");
  EXPECT_EQ(Read("frames 10000000").number, 10000000);
  EXPECT_EQ(Read("wait 86400000").number, 86400000);
  EXPECT_EQ(Read("type \u017elu\u0165ou\u010dk\u00fd k\u016f\u0148").text,
            "\u017elu\u0165ou\u010dk\u00fd k\u016f\u0148");
  EXPECT_EQ(Read("end").kind, Kind::kEnd);
}

TEST(ScriptLine, ARecordingsLinesReadTheirArguments) {
  EXPECT_EQ(Read("recorded").kind, Kind::kRecorded);
  EXPECT_FALSE(Read("recorded fullscreen").windowed);
  EXPECT_TRUE(Read("recorded windowed").windowed);
  EXPECT_EQ(Read("timer").kind, Kind::kTimer);
  EXPECT_EQ(Read("ticks 60").number, 60);
  EXPECT_EQ(Read("ms 4294967295").number, 4294967295LL);

  const ScriptCommand c =
      Read("check screen=game page=0 cell=19,20 pos=-1,21 front=00ff00ff00ff00fA");
  EXPECT_EQ(c.check.screen, "game");
  EXPECT_EQ(c.check.cell, (Point{19, 20}));
  EXPECT_EQ(c.check.pos, (Point{-1, 21}));
  EXPECT_EQ(c.check.front, 0x00ff00ff00ff00faULL);
  EXPECT_FALSE(Read("check front=0000000000000001 page=3 screen=intro").check.cell.has_value());
}

TEST(ScriptLine, ACheckThatIsNotOneIsRefusedByItsField) {
  EXPECT_EQ(Problem("check screen=menu page=0"), "a check needs screen, page and front");
  EXPECT_EQ(Problem("check screen=lobby page=0 front=0000000000000000"),
            "unreadable check field 'screen=lobby'");
  EXPECT_EQ(Problem("check screen=menu page=0 front=123"), "unreadable check field 'front=123'");
  EXPECT_EQ(Problem("check screen=menu page=0 front=000000000000000g"),
            "unreadable check field 'front=000000000000000g'");
  EXPECT_EQ(Problem("check screen=menu page=+1 front=0000000000000000"),
            "unreadable check field 'page=+1'");
  EXPECT_EQ(Problem("check screen=menu page=-1 front=0000000000000000"),
            "unreadable check field 'page=-1'");
  EXPECT_EQ(Problem("check screen=menu page=0 front=-000000000000001"),
            "unreadable check field 'front=-000000000000001'");
  EXPECT_EQ(Problem("check screen=menu page=256 front=0000000000000000"),
            "unreadable check field 'page=256'");
  EXPECT_EQ(Problem("check screen=menu screen=game page=0 front=0000000000000000"),
            "unreadable check field 'screen=game'");
  EXPECT_EQ(Problem("check screen=game page=0 cell=19 front=0000000000000000"),
            "unreadable check field 'cell=19'");
  EXPECT_EQ(Problem("check screen=game page=0 hero=1 front=0000000000000000"),
            "unreadable check field 'hero=1'");
}

TEST(ScriptLine, EveryKeyThePlatformsDeliverHasANameThatReadsBackAsIt) {
  std::vector<int> keys = {vk::kBack, vk::kTab,    vk::kReturn, vk::kShift, vk::kControl,
                           vk::kMenu, vk::kEscape, vk::kSpace,  vk::kPrior, vk::kNext,
                           vk::kEnd,  vk::kHome,   vk::kLeft,   vk::kUp,    vk::kRight,
                           vk::kDown, vk::kInsert, vk::kDelete};
  for (int i = 0; i < 26; ++i) keys.push_back(vk::kA + i);
  for (int i = 0; i < 10; ++i) keys.push_back(vk::k0 + i);
  for (int i = 0; i < 10; ++i) keys.push_back(vk::kNumpad0 + i);
  for (int i = 0; i < 12; ++i) keys.push_back(vk::kF1 + i);
  for (const int key : keys) {
    for (const KeyMods mods : {KeyMods{}, KeyMods{true, true, true}, KeyMods{false, true, false}}) {
      const auto name = ScriptKeyName(ScriptKey{key, mods});
      ASSERT_TRUE(name.has_value()) << key;
      const auto back = ParseScriptKey(*name);
      ASSERT_TRUE(back.has_value()) << *name;
      EXPECT_EQ(back->key, key) << *name;
      EXPECT_TRUE(back->mods.alt == mods.alt && back->mods.ctrl == mods.ctrl &&
                  back->mods.shift == mods.shift)
          << *name;
    }
  }
  EXPECT_EQ(ScriptKeyName(ScriptKey{vk::kMenu, KeyMods{true, false, false}}), "Alt+Alt");
  EXPECT_EQ(ScriptKeyName(ScriptKey{vk::kNumpad8, {}}), "KP8");
  EXPECT_FALSE(ScriptKeyName(ScriptKey{0x5B, {}}).has_value());
}

}  // namespace
}  // namespace kv
