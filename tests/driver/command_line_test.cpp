#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kv {
namespace {

CommandLine Parse(const std::vector<std::string>& args) {
  return ParseCommandLine(args);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(CommandLine, EveryOptionTakesItsArgumentAsTheNextWordOrAfterAnEqualsSign) {
  const CommandLine line =
      Parse({"--headless", "--windowed", "--renderer", "software", "--script", "a.txt",
             "--state-out=s.json", "--data", "d/", "--record", "r.script"});
  ASSERT_EQ(line.action, CommandLine::Action::kPlay);
  EXPECT_TRUE(line.options.headless);
  EXPECT_TRUE(line.options.windowed);
  EXPECT_EQ(line.options.sdl.renderer, SdlOptions::Renderer::kSoftware);
  EXPECT_EQ(line.options.script, "a.txt");
  EXPECT_EQ(line.options.state_out, "s.json");
  EXPECT_EQ(line.options.data, "d/");
  EXPECT_EQ(line.options.record, "r.script");
  EXPECT_EQ(Parse({"--replay=bug.script"}).options.replay, "bug.script");
  EXPECT_EQ(Parse({"--renderer=accelerated"}).options.sdl.renderer,
            SdlOptions::Renderer::kAccelerated);
  // An argument that looks like an option is still the argument.
  EXPECT_EQ(Parse({"--data", "--help"}).options.data, "--help");
}

TEST(CommandLine, ScalingAndWindowOptionsAreReadAndTheWindowScaleOpensAWindow) {
  const Options plain = Parse({}).options;
  EXPECT_EQ(plain.sdl.filter, ScaleFilter::kLinear);
  EXPECT_FALSE(plain.sdl.integer_scale);
  EXPECT_EQ(plain.sdl.window_scale, 1);
  EXPECT_FALSE(plain.sdl.framed);
  EXPECT_FALSE(plain.windowed);

  const CommandLine line = Parse({"--headless", "--scale-filter", "nearest", "--integer-scale",
                                  "--window-scale=3", "--framed"});
  ASSERT_EQ(line.action, CommandLine::Action::kPlay);
  EXPECT_TRUE(line.options.headless);
  EXPECT_EQ(line.options.sdl.filter, ScaleFilter::kNearest);
  EXPECT_TRUE(line.options.sdl.integer_scale);
  EXPECT_EQ(line.options.sdl.window_scale, 3);
  EXPECT_TRUE(line.options.sdl.framed);
  EXPECT_TRUE(line.options.windowed);
  EXPECT_EQ(Parse({"--scale-filter=linear"}).options.sdl.filter, ScaleFilter::kLinear);
  // Framed alone keeps full screen: the frame shows once the player switches to a window.
  EXPECT_FALSE(Parse({"--framed"}).options.windowed);
}

TEST(CommandLine, WhatNoOptionTakesIsAUsageErrorThatNamesTheOption) {
  const struct {
    std::vector<std::string> args;
    std::string problem;
  } wrong[] = {
      {{"--bogus"}, "unknown option --bogus"},
      {{"data"}, "unexpected data"},
      {{"-h"}, "unknown option -h"},
      {{"--Windowed"}, "unknown option --Windowed"},
      {{"--data"}, "--data needs DIR"},
      {{"--script"}, "--script needs FILE"},
      {{"--headless=1"}, "--headless takes no argument"},
      {{"--help=x"}, "--help takes no argument"},
      {{"--integer-scale=1"}, "--integer-scale takes no argument"},
      {{"--framed=yes"}, "--framed takes no argument"},
      {{"--renderer", "fast"}, "--renderer: fast is not software or accelerated"},
      {{"--scale-filter", "cubic"}, "--scale-filter: cubic is not nearest or linear"},
      {{"--window-scale", "0"}, "--window-scale: 0 is not a whole number from 1 to 8"},
      {{"--window-scale", "9"}, "--window-scale: 9 is not a whole number from 1 to 8"},
      {{"--window-scale", "2x"}, "--window-scale: 2x is not a whole number from 1 to 8"},
      {{"--window-scale", "-1"}, "--window-scale: -1 is not a whole number from 1 to 8"},
      {{"--window-scale="}, "--window-scale:  is not a whole number from 1 to 8"},
      {{"--script", "a", "--replay", "b"}, "--script and --replay cannot be given together"},
  };
  for (const auto& c : wrong) {
    const CommandLine line = Parse(c.args);
    EXPECT_EQ(line.action, CommandLine::Action::kUsageError) << c.args[0];
    EXPECT_EQ(line.problem, c.problem) << c.args[0];
  }
}

TEST(CommandLine, HelpAndVersionWinOverWhatFollowsButNotOverAnEarlierMistake) {
  EXPECT_EQ(Parse({"--help", "--bogus"}).action, CommandLine::Action::kHelp);
  EXPECT_EQ(Parse({"--headless", "--version", "--help"}).action, CommandLine::Action::kVersion);
  EXPECT_EQ(Parse({"--bogus", "--help"}).action, CommandLine::Action::kUsageError);
}

TEST(CommandLine, TheUsageNamesEveryOptionAndTheHelpExplainsEachOnItsOwnLine) {
  const std::string usage = UsageText();
  EXPECT_EQ(usage.rfind("usage: kervana [--headless] [--windowed] [--renderer "
                        "software|accelerated]\n               [--scale-filter nearest|linear]",
                        0),
            0u)
      << usage;
  const std::string help = HelpText();
  EXPECT_EQ(help.rfind(usage, 0), 0u) << "the help starts with the usage";
  size_t options = 0;
  for (size_t at = usage.find('['); at != std::string::npos; at = usage.find('[', at + 1)) {
    const std::string option = usage.substr(at + 1, usage.find(']', at) - at - 1);
    EXPECT_NE(help.find("\n  " + option), std::string::npos) << option;
    ++options;
  }
  EXPECT_EQ(options, 14u);
  for (const std::string& line : Lines(help)) EXPECT_LE(line.size(), 80u) << line;
}

TEST(CommandLine, TheVersionIsTheGamesOwnLineThenTheBuilds) {
  const std::vector<std::string> lines = Lines(VersionText());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Kervana IV v.0.2-June 2000");
  EXPECT_EQ(lines[1].rfind("kervana ", 0), 0u);
}

}  // namespace
}  // namespace kv
