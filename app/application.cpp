#include "app/application.h"

#include <algorithm>
#include <exception>

#include "app/error_box.h"
#include "app/main_form.h"
#include "app/screenshot.h"
#include "app/visible_screen.h"
#include "platform/error.h"
#include "platform/keys.h"
#include "platform/platform.h"

namespace kv {
namespace {

constexpr uint64_t kGlobalTimerPeriodUs = 200000;
constexpr Rect kDisplayRect{0, 0, 800, 600};
// While the stick moves the pointer the loop wakes once a refresh, so the pointer glides.
constexpr uint64_t kPadPointerStepUs = 16667;
constexpr int kF12 = vk::kF1 + 11;

}  // namespace

Application::Application(Platform& platform, TMainF& form) : platform_(platform), form_(form) {
  next_global_tick_us_ = platform_.Micros() + kGlobalTimerPeriodUs;
  form_.report_error = [this](const std::exception& error) { ReportError(error); };
}

Application::~Application() {
  form_.report_error = nullptr;
}

void Application::ReportError(const std::string& message, const std::string& path,
                              const std::string& detail) {
  errors_.push_back(message);
  std::string box = ErrorBoxMessage(path, message);
  if (!detail.empty()) box += "\n" + BreakIntoLines(detail, kErrorBoxColumns);
  platform_.ShowErrorBox(kProgramName, box);
}

void Application::ReportError(const std::exception& error) {
  // A data file that failed names itself, so the player knows which file to look at.
  const auto* file = dynamic_cast<const FileError*>(&error);
  const auto* game_error = dynamic_cast<const Error*>(&error);
  std::string detail = game_error != nullptr ? game_error->detail() : std::string();
  if (file != nullptr && !missing_data_hint.empty()) {
    detail += (detail.empty() ? "" : "\n") + missing_data_hint;
  }
  ReportError(error.what(), file != nullptr ? file->path() : std::string(), detail);
}

void Application::Guard(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    // The game's own failures (kv::Error) and any other (out of memory, say) alike: reported,
    // the handler abandoned, never a crash.
    ReportError(e);
  }
  AfterHandler();
}

void Application::AfterHandler() {
  if (form_.close_requested() && !ended_) End();
}

void Application::End() {
  if (ended_) return;
  ended_ = true;
  if (on_ending) on_ending();
  try {
    form_.DXDraw().CloseDisplay();
  } catch (const std::exception&) {
  }
  form_.FormDestroy();
}

bool Application::Start() {
  bool created = true;
  try {
    form_.FormCreate();
  } catch (const std::exception& e) {
    ReportError(e);
    created = false;
  }
  if (!created) {
    // Without the controllers no screen could take the mouse: the program ends here.
    ended_ = true;
    form_.FormDestroy();
    return false;
  }
  Guard([this] { form_.DXDraw().OpenDisplay(); });
  if (!ended_) Activate(true);
  return !ended_;
}

void Application::Activate(bool active) {
  if (active == active_) return;
  active_ = active;
  platform_.set_foreground(active);
  if (active) {
    Guard([this] { form_.DXTimer().ApplicationActivated(); });
  } else {
    Guard([this] { form_.DXTimer().ApplicationDeactivated(); });
  }
}

bool Application::ToControls(const std::function<bool()>& deliver) {
  // A control's own handler (a track bar's change) may fail; the control took the event all the
  // same, so the main window must not see it too.
  bool taken = false;
  Guard([&] {
    try {
      taken = deliver();
    } catch (...) {
      taken = true;
      throw;
    }
  });
  return taken;
}

void Application::SetReplaying() {
  replaying_ = true;
  platform_.set_pointer_from_input_only(true);
  // The recording holds what its pastes typed; the player's clipboard is none of its business.
  platform_.CloseClipboard();
}

void Application::BeginStep(const Step& step) {
  if (!observer_) return;
  if (!replaying_) platform_.GiveMillis(platform_.ClockMillis());
  observer_->StepBegins(step);
}

void Application::EndStep(const Step& step) {
  if (observer_) observer_->StepEnded(step);
}

void Application::Dispatch(const Event& event) {
  if (ended_) return;
  const Step step{Step::Kind::kEvent, &event};
  BeginStep(step);
  Route(event);
  EndStep(step);
  AfterPadEvent(event);
  CheckGlobalTimer();
  // A paste reaches the field as typed text, in a step of its own, so that a recording holds
  // the text itself and a replay never needs the clipboard.
  if (std::string paste = platform_.controls().TakePaste(); !paste.empty() && !ended_) {
    Event typed;
    typed.type = EventType::kText;
    typed.text = std::move(paste);
    Dispatch(typed);
  }
}

void Application::Route(const Event& event) {
  ControlHost& controls = platform_.controls();
  const Point p = event.pos;
  switch (event.type) {
    case EventType::kMouseMove:
      if (ToControls([&] { return controls.MouseMove(p); })) break;
      if (display_captured_ || kDisplayRect.Contains(p)) Guard([this] { form_.DXDrawMouseMove(); });
      break;
    case EventType::kMouseDown:
      if (ToControls([&] { return controls.MouseDown(p, event.button); })) break;
      // A press on the display keeps the mouse with it until the release, as a control does.
      if (kDisplayRect.Contains(p)) display_captured_ = true;
      break;
    case EventType::kMouseUp: {
      if (ToControls([&] { return controls.MouseUp(p, event.button); })) break;
      const bool to_display = display_captured_ || kDisplayRect.Contains(p);
      display_captured_ = false;
      if (to_display) Guard([this] { form_.DXDrawMouseUp(); });
      break;
    }
    case EventType::kKeyDown: {
      // The screenshot key belongs to no screen and no control.
      if (event.key == kF12) {
        // A replay takes no pictures of its own: the recording's player took theirs.
        if (!replaying_) TakeScreenshot(VisibleScreen(platform_, form_), screenshot_folder);
        break;
      }
      // Alt+Enter switches the display wherever the keyboard is; no control ever sees it.
      const bool alt_enter = event.key == vk::kReturn && event.mods.alt;
      if (alt_enter) alt_enter_held_ = true;
      if (!alt_enter && ToControls([&] { return controls.KeyDown(event.key, event.mods); })) break;
      Guard([&] { form_.FormKeyDown(event.key, event.mods); });
      break;
    }
    case EventType::kKeyUp:
      if (event.key == kF12) break;
      // Nor its Enter release, which the name field would take for a confirmation, even when
      // Alt has gone up first.
      if (event.key == vk::kReturn && alt_enter_held_) {
        alt_enter_held_ = false;
        break;
      }
      ToControls([&] { return controls.KeyUp(event.key); });
      break;
    case EventType::kText:
      ToControls([&] { return controls.TextInput(event.text); });
      break;
    case EventType::kActivate:
      Activate(true);
      break;
    case EventType::kDeactivate:
      Activate(false);
      break;
    case EventType::kClose:
      // Closed by the window manager: the program ends without the wipe.
      End();
      break;
    case EventType::kRepaint:
      Guard([this] { form_.DXDraw().Repaint(); });
      break;
    case EventType::kPadConnect:
    case EventType::kPadDisconnect:
    case EventType::kPadAxis:
    case EventType::kPadButtonDown:
    case EventType::kPadButtonUp:
      // Polling reads the controller's state as the platform keeps it; what else it does
      // follows the event's own step (AfterPadEvent).
      break;
  }
}

void Application::CheckGlobalTimer() {
  if (ended_ || replaying_) return;
  const uint64_t now = platform_.Micros();
  if (now < next_global_tick_us_) return;
  // Periods missed while a handler blocked come as one message.
  while (next_global_tick_us_ <= now) next_global_tick_us_ += kGlobalTimerPeriodUs;
  FireGlobalTimer();
}

void Application::FireGlobalTimer() {
  if (ended_) return;
  const Step step{Step::Kind::kTimer, nullptr};
  BeginStep(step);
  Guard([this] { form_.GlobalTimerTimer(); });
  EndStep(step);
}

bool Application::Tick() {
  if (ended_ || !form_.DXTimer().idle_handler()) return false;
  const Step step{Step::Kind::kTick, nullptr};
  BeginStep(step);
  Guard([this] { form_.DXTimer().Idle(); });
  EndStep(step);
  return true;
}

void Application::IdlePass() {
  if (ended_) return;
  CheckGlobalTimer();
  MovePadPointer();
  Tick();
}

void Application::TakeWindowEvents() {
  Event event;
  while (!ended_ && platform_.PollWindowEvent(event)) {
    // A replayed session's focus is the recording's; the real window's is not the game's.
    if (replaying_ &&
        (event.type == EventType::kActivate || event.type == EventType::kDeactivate)) {
      continue;
    }
    if (event.type == EventType::kClose) closed_by_window_ = true;
    platform_.ApplyInput(event);
    Dispatch(event);
  }
}

void Application::Wait(uint32_t ms) {
  const uint64_t target = platform_.Micros() + static_cast<uint64_t>(ms) * 1000;
  while (!ended_) {
    TakeWindowEvents();
    MovePadPointer();
    if (ended_) break;
    const uint64_t now = platform_.Micros();
    if (now >= target) break;
    if (form_.DXTimer().idle_handler()) {
      IdlePass();
      if (platform_.Micros() != now) continue;
    } else {
      CheckGlobalTimer();
    }
    // Nothing moved the clock: sleep until the next thing that is due.
    uint64_t until = std::min(target, next_global_tick_us_);
    if (PadPointerPushed()) until = std::min(until, platform_.Micros() + kPadPointerStepUs);
    const uint64_t after = platform_.Micros();
    if (until > after) {
      if (platform_.headless()) {
        platform_.AdvanceClock(until - after);
      } else {
        // A real window may be uncovered or closed meanwhile: wake for its events.
        platform_.WaitEvent(static_cast<uint32_t>(std::max<uint64_t>((until - after) / 1000, 1)));
      }
    }
  }
  CheckGlobalTimer();
}

void Application::Run() {
  while (!ended_) {
    Event event;
    while (!ended_ && platform_.PollEvent(event)) Dispatch(event);
    if (ended_) break;
    if (form_.DXTimer().idle_handler()) {
      IdlePass();
    } else {
      CheckGlobalTimer();
      MovePadPointer();
      const uint64_t now = platform_.Micros();
      uint64_t wait_us = next_global_tick_us_ > now ? next_global_tick_us_ - now : 0;
      if (PadPointerPushed()) wait_us = std::min(wait_us, kPadPointerStepUs);
      platform_.WaitEvent(static_cast<uint32_t>(wait_us / 1000 + 1));
    }
  }
}

}  // namespace kv
