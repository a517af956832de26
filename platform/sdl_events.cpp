#include "platform/sdl_events.h"

#include <SDL2/SDL.h>

#include "platform/sdl_keymap.h"
#include "platform/sdl_pad.h"
#include "platform/sdl_window.h"

namespace kv {
namespace {

KeyMods ModsOf(Uint16 mod) {
  KeyMods mods;
  mods.alt = (mod & KMOD_ALT) != 0;
  mods.ctrl = (mod & KMOD_CTRL) != 0;
  mods.shift = (mod & KMOD_SHIFT) != 0;
  return mods;
}

std::optional<MouseButton> ButtonOf(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return MouseButton::kLeft;
    case SDL_BUTTON_RIGHT:
      return MouseButton::kRight;
    case SDL_BUTTON_MIDDLE:
      return MouseButton::kMiddle;
    default:
      return std::nullopt;
  }
}

// Takes the motion events that directly follow in the queue, leaving the last in `last`; the
// next event of another kind (a button, a key) keeps its place. True when one follows.
bool TakeQueuedMotion(SDL_Event& last) {
  SDL_PumpEvents();
  SDL_Event next;
  while (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
    if (next.type != SDL_MOUSEMOTION) return true;
    SDL_PeepEvents(&last, 1, SDL_GETEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION);
  }
  return false;
}

}  // namespace

bool SdlEventReader::Next(Event& event) {
  // SDL may miss the focus coming back after a window manager's grab; the window system
  // knows better.
  if (left_ && !window_.FocusIsElsewhere()) {
    left_ = false;
    event = Event{};
    event.type = EventType::kActivate;
    return true;
  }
  if (!pending_.empty()) {
    event = std::move(pending_.front());
    pending_.pop_front();
    return true;
  }
  if (pad_.Next(event)) return true;
  SDL_Event raw;
  while (SDL_PollEvent(&raw)) {
    if (!Translate(raw, event)) continue;
    if (event.type == EventType::kActivate || event.type == EventType::kDeactivate) {
      if ((event.type == EventType::kDeactivate) == left_) continue;  // no news
      left_ = event.type == EventType::kDeactivate;
    }
    return true;
  }
  return false;
}

void SdlEventReader::AfterSwitch() {
  SDL_PumpEvents();
  SDL_FlushEvent(SDL_MOUSEMOTION);
  sdl_place_stale_ = true;
  const SdlWindow::Pointer now = window_.PointerNow();
  const bool moved = rest_.has_value() && *rest_ != now.screen;
  rest_ = now.screen;
  if (!moved) return;
  Event move;
  move.type = EventType::kMouseMove;
  move.pos = now.display;
  pending_.push_back(move);
}

bool SdlEventReader::Translate(const SDL_Event& raw, Event& event) {
  event = Event{};
  switch (raw.type) {
    case SDL_QUIT:
      event.type = EventType::kClose;
      return true;
    case SDL_WINDOWEVENT:
      switch (raw.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          event.type = EventType::kActivate;
          return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          if (!window_.FocusIsElsewhere()) return false;
          event.type = EventType::kDeactivate;
          return true;
        case SDL_WINDOWEVENT_CLOSE:
          event.type = EventType::kClose;
          return true;
        case SDL_WINDOWEVENT_EXPOSED:
          if (on_exposed) on_exposed();
          return false;
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          if (on_geometry_changed) on_geometry_changed();
          return false;
        default:
          return false;
      }
    case SDL_MOUSEMOTION: {
      SDL_Event last = raw;
      const bool followed = TakeQueuedMotion(last);
      sdl_place_stale_ = false;
      SdlWindow::Pointer at;
      if (followed) {
        // A press or a release follows: it must find the pointer where the motion left it.
        at.window = {last.motion.x, last.motion.y};
        at.screen = window_.ToScreen(at.window);
        at.display = window_.ToDisplay(at.window);
      } else {
        at = window_.PointerNow();
      }
      if (rest_ == at.screen) return false;
      rest_ = at.screen;
      event.type = EventType::kMouseMove;
      event.pos = at.display;
      return true;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const auto button = ButtonOf(raw.button.button);
      if (!button) return false;
      event.type = raw.type == SDL_MOUSEBUTTONDOWN ? EventType::kMouseDown : EventType::kMouseUp;
      event.button = *button;
      // SDL gives a button the place of the last motion it saw in the window, which is stale
      // when the window changed under a resting pointer since.
      event.pos = sdl_place_stale_ ? window_.PointerNow().display
                                   : window_.ToDisplay({raw.button.x, raw.button.y});
      return true;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      event.key = VirtualKeyFromSdl(raw.key.keysym.scancode, raw.key.keysym.sym);
      if (event.key == 0) return false;
      event.type = raw.type == SDL_KEYDOWN ? EventType::kKeyDown : EventType::kKeyUp;
      event.mods = ModsOf(raw.key.keysym.mod);
      return true;
    }
    case SDL_TEXTINPUT:
      event.type = EventType::kText;
      event.text = raw.text.text;
      return true;
    default:
      return pad_.Translate(raw, event);
  }
}

}  // namespace kv
