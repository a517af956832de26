#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/application.h"
#include "driver/session_check.h"
#include "platform/geometry.h"

namespace kv {

class LineFile;
class Platform;
class TMainF;

// Writes the session as it is played as a script that plays it again, step by step: each event
// as its line, the frame ticks, the 200 ms timer, the time the program read, and a check of what
// the replay must find then: every 60 ticks, after each event that changed the screen, and on
// the tick a step of the hero starts or ends, where a key pressed a frame early or late shows.
// A line is written as soon as its step has ended, so a program killed mid-way leaves a
// recording up to its last step. A write that fails ends the recording, with a message on
// standard error; the game goes on.
class Recorder final : public StepObserver {
 public:
  static constexpr long long kTicksBetweenChecks = 60;

  // Starts watching and writes the opening lines; `program` names the build that recorded (a
  // replay by another build may differ).
  Recorder(LineFile& file, Platform& platform, TMainF& form, Application& app,
           std::string_view program = "kervana");
  ~Recorder() override;
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  void StepBegins(const Step& step) override;
  void StepEnded(const Step& step) override;
  // Writes what is still pending, a last check and the "end" line, and closes the file.
  void Finish();
  // Whether every line reached the file.
  bool complete() const { return !stopped_; }

 private:
  void TimeOfDayRead(int64_t ms);
  bool HeroMoved() const;
  void FlushTicks();
  void CheckIfChanged();
  void WriteCheck(const SessionCheck& check);
  void Write(std::string_view line);

  LineFile& file_;
  Platform& platform_;
  TMainF& form_;
  Application& app_;
  bool stopped_ = false;

  // What the replay holds at this point of the recording.
  std::optional<Point> pointer_;
  std::optional<uint32_t> millis_;
  std::optional<int64_t> time_of_day_;
  std::optional<SessionCheck> last_check_;

  bool in_step_ = false;
  Point step_pointer_;
  uint32_t step_millis_ = 0;
  std::optional<int64_t> step_time_of_day_;

  long long pending_ticks_ = 0;
  long long ticks_ = 0;
};

}  // namespace kv
