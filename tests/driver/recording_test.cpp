// Recording a session and replaying it: what the recorder writes for each step, and how a
// recording's lines drive the game when it is replayed.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "app/game_fixture.h"
#include "driver/recorder.h"
#include "driver/script_line.h"
#include "driver/session_check.h"
#include "media/dxtimer.h"
#include "platform/cp1250.h"
#include "platform/keys.h"
#include "platform/line_file.h"

namespace kv::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

int CountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The lines that are not about time or checks: the events, in order.
std::vector<std::string> EventLines(const std::string& text) {
  std::vector<std::string> events;
  for (const std::string& line : Lines(text)) {
    if (!line.starts_with("ms ") && !line.starts_with("ticks ") && !line.starts_with("check ") &&
        !line.starts_with("timer") && !line.starts_with("#")) {
      events.push_back(line);
    }
  }
  return events;
}

class RecordingTest : public GameTest {
 protected:
  std::string Record(const std::vector<std::string>& lines) {
    TempDir dir;
    const std::string path = (dir.path() / "r.script").string();
    {
      LineFile file(path);
      Recorder recorder(file, *platform_, *form_, *app_);
      for (const std::string& line : lines) Run(line);
      recorder.Finish();
      EXPECT_TRUE(recorder.complete());
    }
    return ReadText(path);
  }

  std::string ReplayProblem(const std::string& line) {
    std::string problem;
    EXPECT_FALSE(runner_->RunLine(line, problem)) << line;
    return problem;
  }

  std::string Divergence(const std::string& line) {
    try {
      Run(line);
    } catch (const ReplayDiverged& diverged) {
      return diverged.what();
    }
    ADD_FAILURE() << line << " did not diverge";
    return {};
  }
};

TEST_F(RecordingTest, EachEventIsOneLineAndAKeysModifiersAreKeysOfTheirOwn) {
  ASSERT_TRUE(started_);
  const std::string recording =
      Record({"move 300 300", "pointer 500 400", "down right", "up right", "key Alt+Enter",
              "type Šťastný\tx", "deactivate", "activate"});
  EXPECT_EQ(Lines(recording).front(), "recorded");
  const std::vector<std::string> expected = {
      "recorded",  "move 300 300",         "pointer 500 400",   "down right",
      "up right",  "keydown Alt+Alt",      "keydown Alt+Enter", "keyup Alt+Enter",
      "keyup Alt", "text \"Šťastný\\tx\"", "deactivate",        "activate",
      "end"};
  EXPECT_EQ(EventLines(recording), expected) << recording;
}

// Typed text and pastes are recorded as text lines: a replay types what the paste put in, the
// clipboard out of its reach, and an editor that strips trailing blanks changes none of it.
TEST_F(RecordingTest, TypedAndPastedTextReplaysToTheSameNameWithoutTheClipboard) {
  ASSERT_TRUE(started_);
  platform_->SetClipboardText("Novák\nthe second line");
  const std::string recording =
      Record({"click 300 450",  // new game
              "click 400 250",  // the name box: the field, its name all selected
              "type Jan ", "type x\ty", "key Ctrl+V", "key Enter"});
  const std::string name = "Jan xyNovák";
  EXPECT_EQ(cp1250::ToUtf8(TextOf(form_->Newgame().Character.Name)), name);
  std::vector<std::string> texts;
  for (const std::string& line : Lines(recording)) {
    if (line.starts_with("text ") || line.starts_with("type ")) texts.push_back(line);
  }
  EXPECT_EQ(texts,
            (std::vector<std::string>{R"(text "Jan ")", R"(text "x\ty")", R"(text "Novák")"}))
      << recording;

  for (const bool stripped : {false, true}) {
    TearDown();
    SetUp();
    ASSERT_TRUE(started_);
    platform_->SetClipboardText("what the player copied");
    for (std::string line : Lines(recording)) {
      if (stripped) line.erase(line.find_last_not_of(" \t") + 1);
      if (const std::string_view content = ScriptLineContent(line); !content.empty()) {
        Run(std::string(content));
      }
    }
    EXPECT_EQ(cp1250::ToUtf8(TextOf(form_->Newgame().Character.Name)), name) << stripped;
  }
}

TEST_F(RecordingTest, TicksComeInRunsWithACheckEverySixtyAndTheTimeBeforeTheStepThatReadIt) {
  ASSERT_TRUE(started_);
  const std::string recording = Record({"click 500 400", "frames 130"});
  const std::vector<std::string> lines = Lines(recording);
  long ticks = 0;
  int checks_on_the_sixties = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].starts_with("ticks ")) {
      ticks += std::stol(lines[i].substr(6));
      if (ticks % 60 == 0) {
        ASSERT_LT(i + 1, lines.size());
        EXPECT_TRUE(lines[i + 1].starts_with("check screen=game page=0 cell=")) << lines[i + 1];
        ++checks_on_the_sixties;
      }
      // Every tick read the clock at its own time, given just before it.
      EXPECT_TRUE(lines[i - 1].starts_with("ms ") || lines[i - 1] == "timer" ||
                  lines[i - 1].starts_with("check "))
          << lines[i - 1];
    }
  }
  EXPECT_EQ(ticks, 130);
  EXPECT_EQ(checks_on_the_sixties, 2);
  EXPECT_GE(CountOf(recording, "\ntimer\n"), 10) << "130 frames are 2.17 s of the clock";
}

TEST_F(RecordingTest, TheTimeOfDayARollReadIsSetBeforeTheClickThatRolled) {
  ASSERT_TRUE(started_);
  const std::string recording =
      Record({"clock 5000", "click 200 420", "click 400 555", "wait 1000", "click 500 460"});
  const size_t first = recording.find("clock ");
  ASSERT_NE(first, std::string::npos);
  EXPECT_LT(first, recording.find("up left\ncheck screen=creation page=2"));
  EXPECT_EQ(CountOf(recording, "\nclock "), 2) << recording;
}

TEST_F(RecordingTest, InARecordingOnlyItsLinesMakeTime) {
  ASSERT_TRUE(started_);
  EXPECT_EQ(ReplayProblem("ticks 1"), "only in a recording (after 'recorded')");
  EXPECT_EQ(ReplayProblem("timer"), "only in a recording (after 'recorded')");
  Run("recorded");
  EXPECT_EQ(ReplayProblem("frames 1"),
            "a recording makes no time of its own (ticks, timer and ms give it)");
  EXPECT_EQ(ReplayProblem("wait 10"),
            "a recording makes no time of its own (ticks, timer and ms give it)");

  Run("ms 0");
  Run("click 500 400");
  Run("ticks 100");
  // 100 frames of the clock, and the 200 ms timer never fired by itself.
  EXPECT_EQ(form_->Ingame->BlinkPhase, 1);
  Run("timer");
  EXPECT_EQ(form_->Ingame->BlinkPhase, 2);
  // The frame timer measures by the recorded clock alone.
  Run("ms 1000");
  Run("ticks 1");
  EXPECT_EQ(form_->DXTimer().MeasuredFrameRate(), 101);

  Run("clock 1234");
  platform_->AdvanceClock(5'000'000);
  EXPECT_EQ(platform_->TimeOfDay(), 1234);
}

TEST_F(RecordingTest, InARecordingAKeyLineIsThatOneKey) {
  ASSERT_TRUE(started_);
  Run("recorded");
  Run("keydown Alt+Alt");
  Run("keydown Alt+Enter");
  Run("keyup Alt+Enter");
  EXPECT_TRUE(platform_->KeyIsDown(vk::kMenu)) << "Alt went up with Enter";
  EXPECT_FALSE(form_->fullscreen());
  Run("keyup Alt");
  EXPECT_FALSE(platform_->KeyIsDown(vk::kMenu));
}

TEST_F(RecordingTest, AReplayStopsAtTheFirstFieldThatDiffers) {
  ASSERT_TRUE(started_);
  Run("recorded");
  Run("check " + CheckText(CheckOf(*form_)));
  EXPECT_EQ(Divergence("check screen=game page=0 front=0000000000000000"),
            "screen: expected game, found menu");
  SessionCheck check = CheckOf(*form_);
  const std::string front = CheckText(check).substr(CheckText(check).find("front=") + 6);
  EXPECT_EQ(Divergence("check screen=menu page=1 front=" + front), "page: expected 1, found 0");
  EXPECT_EQ(Divergence("check screen=menu page=0 front=0123456789abcdef"),
            "front: expected 0123456789abcdef, found " + front);
  EXPECT_EQ(Divergence("ticks 1"), "frame timer: expected running, found stopped");

  Run("click 500 400");
  EXPECT_EQ(Divergence("check screen=game page=0 cell=19,21 pos=19,21 front=" + front),
            "cell: expected 19,21, found 19,20");
  EXPECT_EQ(Divergence("check screen=game page=0 front=" + front),
            "cell: expected none, found 19,20");
}

TEST(SessionCheck, TheHashSeesOnePixelAndTheSize) {
  Image565 a(8, 4, 0x1234);
  Image565 b = a;
  EXPECT_EQ(PixelHash(a), PixelHash(b));
  b.Row(3)[7] = 0x1235;
  EXPECT_NE(PixelHash(a), PixelHash(b));
  EXPECT_NE(PixelHash(Image565(8, 4)), PixelHash(Image565(4, 8)));
}

TEST(SessionCheck, ItsTextReadsBackAsItself) {
  SessionCheck check{"game-options", 0, Point{1, 80}, Point{2, 79}, 0xfedcba9876543210ULL};
  std::string problem;
  EXPECT_EQ(CheckText(check),
            "screen=game-options page=0 cell=1,80 pos=2,79 front=fedcba9876543210");
  EXPECT_EQ(ParseCheck(CheckText(check), problem), check) << problem;
  check = SessionCheck{"intro", 10, std::nullopt, std::nullopt, 1};
  EXPECT_EQ(ParseCheck(CheckText(check), problem), check) << problem;
}

}  // namespace
}  // namespace kv::test
