#include "driver/recorder.h"

#include <iostream>
#include <vector>

#include "driver/event_line.h"
#include "driver/printable.h"
#include "app/main_form.h"
#include "ingame/hero.h"
#include "ingame/ingame.h"
#include "platform/error.h"
#include "platform/line_file.h"
#include "platform/platform.h"

namespace kv {

Recorder::Recorder(LineFile& file, Platform& platform, TMainF& form, Application& app,
                   std::string_view program)
    : file_(file), platform_(platform), form_(form), app_(app) {
  Write(form_.fullscreen() ? "recorded" : "recorded windowed");
  Write("# Recorded by " + std::string(program) +
        "; kervana --headless --replay FILE plays it again.");
  platform_.on_time_of_day_read = [this](int64_t ms) { TimeOfDayRead(ms); };
  app_.Observe(this);
}

Recorder::~Recorder() {
  app_.Observe(nullptr);
  platform_.on_time_of_day_read = nullptr;
}

void Recorder::Write(std::string_view line) {
  if (stopped_) return;
  try {
    file_.Append(line);
  } catch (const Error& e) {
    stopped_ = true;
    std::cerr << "kervana: the recording stopped: " << Printable(e.what(), kQuotedPathCharacters) << std::endl;
  }
}

void Recorder::TimeOfDayRead(int64_t ms) {
  if (in_step_) {
    if (step_time_of_day_) return;
    step_time_of_day_ = ms;
    // The replay gives one time of day for the whole step, so every reading of it sees this one.
    if (!app_.replaying()) platform_.GiveTimeOfDay(ms);
    return;
  }
  if (time_of_day_ == ms) return;
  FlushTicks();
  Write("clock " + std::to_string(ms));
  time_of_day_ = ms;
}

void Recorder::StepBegins(const Step& step) {
  in_step_ = true;
  step_pointer_ = platform_.PointerPosition();
  step_millis_ = platform_.Millis();
  step_time_of_day_.reset();
}

void Recorder::StepEnded(const Step& step) {
  in_step_ = false;
  if (!app_.replaying() && step_time_of_day_) platform_.GiveTimeOfDay(std::nullopt);
  const Event* event = step.kind == Step::Kind::kEvent ? step.event : nullptr;
  const bool move = event != nullptr && event->type == EventType::kMouseMove;

  // What the step read, set before it runs in the replay.
  std::vector<std::string> setup;
  if (!move && pointer_ != step_pointer_) {
    setup.push_back("pointer " + std::to_string(step_pointer_.x) + " " +
                    std::to_string(step_pointer_.y));
    pointer_ = step_pointer_;
  }
  if (millis_ != step_millis_) {
    setup.push_back("ms " + std::to_string(step_millis_));
    millis_ = step_millis_;
  }
  if (step_time_of_day_ && time_of_day_ != step_time_of_day_) {
    setup.push_back("clock " + std::to_string(*step_time_of_day_));
    time_of_day_ = step_time_of_day_;
  }

  if (step.kind == Step::Kind::kTick) {
    if (!setup.empty()) FlushTicks();
    for (const std::string& line : setup) Write(line);
    ++pending_ticks_;
    if ((++ticks_ % kTicksBetweenChecks == 0 || HeroMoved()) && !app_.ended()) {
      FlushTicks();
      WriteCheck(CheckOf(form_));
    }
    return;
  }
  FlushTicks();
  for (const std::string& line : setup) Write(line);
  if (step.kind == Step::Kind::kTimer) {
    Write("timer");
    return;
  }
  const std::string line = EventLine(*event);
  if (!line.empty()) Write(line);
  if (move) pointer_ = event->pos;
  CheckIfChanged();
}

bool Recorder::HeroMoved() const {
  const TIngame& ingame = *form_.Ingame;
  if (app_.ended() || !ingame.Active || !ingame.Hero || !last_check_) return false;
  const THero& hero = *ingame.Hero;
  return last_check_->cell != Point{hero.CellX, hero.CellY} ||
         last_check_->pos != Point{hero.PosX, hero.PosY};
}

void Recorder::FlushTicks() {
  if (pending_ticks_ == 0) return;
  Write("ticks " + std::to_string(pending_ticks_));
  pending_ticks_ = 0;
}

void Recorder::CheckIfChanged() {
  if (app_.ended()) return;
  const SessionCheck check = CheckOf(form_);
  if (check != last_check_) WriteCheck(check);
}

void Recorder::WriteCheck(const SessionCheck& check) {
  Write("check " + CheckText(check));
  last_check_ = check;
}

void Recorder::Finish() {
  FlushTicks();
  CheckIfChanged();
  // The session ended here: a recording without this line was cut short.
  Write("end");
  if (stopped_) return;
  try {
    file_.Close();
  } catch (const Error& e) {
    stopped_ = true;
    std::cerr << "kervana: the recording stopped: " << Printable(e.what(), kQuotedPathCharacters) << std::endl;
  }
}

}  // namespace kv
