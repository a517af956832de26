// Signals that would end the program without a word: Ctrl+C and kill (a reader that went away is
// the end-to-end suite's).
// Each case runs in a child process of its own, since what a signal changes lasts as long as the
// process does.
#include "platform/signals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "platform/platform.h"

namespace kv {
namespace {

// Runs `check` in a child, which ends with status 0 when it finds nothing wrong and prints what
// it found otherwise.
void InChild(const std::function<std::string()>& check) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const std::string problem = check();
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::_Exit(problem.empty() ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST(Signals, AStopSignalBecomesOneCloseOfTheHeadlessWindow) {
  for (const int signal : {SIGTERM, SIGINT}) {
    InChild([signal]() -> std::string {
      auto platform = MakeHeadlessPlatform();
      CatchStopSignals();
      Event event;
      if (StopSignalled() || platform->PollWindowEvent(event)) return "a close before the signal";
      std::string problem;
      platform->DrivePad({PadCommand::Kind::kConnect}, problem);
      std::raise(signal);
      if (!StopSignalled()) return "the signal was not noted";
      if (!platform->PollWindowEvent(event) || event.type != EventType::kClose) return "no close";
      if (!platform->PollWindowEvent(event) || event.type != EventType::kPadConnect) {
        return "the controller's event was lost";
      }
      if (platform->PollWindowEvent(event)) return "more than one close";
      return "";
    });
  }
}

}  // namespace
}  // namespace kv
