#include "platform/sdl_pad.h"

#include <SDL2/SDL.h>

#include <cstdio>

namespace kv {
namespace {

// The game numbers axes and buttons as SDL's game-controller interface does.
static_assert(pad::kLeftX == SDL_CONTROLLER_AXIS_LEFTX &&
              pad::kRightY == SDL_CONTROLLER_AXIS_RIGHTY);
static_assert(pad::kAxisCount == SDL_CONTROLLER_AXIS_MAX);
static_assert(pad::kA == SDL_CONTROLLER_BUTTON_A && pad::kDpadUp == SDL_CONTROLLER_BUTTON_DPAD_UP &&
              pad::kDpadRight == SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
static_assert(pad::kButtonCount == SDL_CONTROLLER_BUTTON_MAX);

Event PadEvent(EventType type, int key = 0, int value = 0) {
  Event event;
  event.type = type;
  event.key = key;
  event.value = value;
  return event;
}

int DeviceIndexOf(int instance) {
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) == instance) return i;
  }
  return -1;
}

}  // namespace

SdlPad::SdlPad() {
  // The game reads the controller only while its window is active; SDL must not decide that
  // on its own, or a controller's release would be lost while a window manager holds the focus
  // for a moment.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::fprintf(stderr, "No game controllers: %s\n", SDL_GetError());
    return;
  }
  available_ = true;
  // Controllers already plugged in come as SDL's added events, as those plugged in later do.
}

SdlPad::~SdlPad() {
  Close();
  if (virtual_instance_ >= 0) SDL_JoystickDetachVirtual(DeviceIndexOf(virtual_instance_));
  if (available_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlPad::Counts(int device_index) const {
  return SDL_IsGameController(device_index) &&
         (!scripted_ || SDL_JoystickGetDeviceInstanceID(device_index) == virtual_instance_);
}

bool SdlPad::Use(int device_index) {
  SDL_GameController* controller = SDL_GameControllerOpen(device_index);
  if (controller == nullptr) return false;
  controller_ = controller;
  instance_ = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
  return true;
}

bool SdlPad::Gone() const {
  return controller_ == nullptr || SDL_GameControllerGetAttached(controller_) != SDL_TRUE;
}

void SdlPad::Close() {
  if (controller_ != nullptr) SDL_GameControllerClose(controller_);
  controller_ = nullptr;
  instance_ = -1;
}

bool SdlPad::Translate(const SDL_Event& raw, Event& event) {
  switch (raw.type) {
    case SDL_CONTROLLERDEVICEADDED:
      if (controller_ != nullptr || !Counts(raw.cdevice.which) || !Use(raw.cdevice.which)) {
        return false;
      }
      event = PadEvent(EventType::kPadConnect);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (controller_ == nullptr || raw.cdevice.which != instance_) return false;
      Close();
      event = PadEvent(EventType::kPadDisconnect);
      // Another controller still plugged in takes over.
      for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) != raw.cdevice.which && Counts(i) && Use(i)) {
          pending_.push_back(PadEvent(EventType::kPadConnect));
          break;
        }
      }
      return true;
    case SDL_CONTROLLERAXISMOTION:
      // A controller pulled out first centres its axes and lets go of its buttons; that is no
      // release of the player's (A would click), and its going clears them all the same.
      if (raw.caxis.which != instance_ || raw.caxis.axis >= pad::kAxisCount || Gone()) {
        return false;
      }
      event = PadEvent(EventType::kPadAxis, raw.caxis.axis, raw.caxis.value);
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (raw.cbutton.which != instance_ || raw.cbutton.button >= pad::kMaxButtons || Gone()) {
        return false;
      }
      event = PadEvent(raw.type == SDL_CONTROLLERBUTTONDOWN ? EventType::kPadButtonDown
                                                            : EventType::kPadButtonUp,
                       raw.cbutton.button);
      return true;
    default:
      return false;
  }
}

bool SdlPad::Next(Event& event) {
  if (pending_.empty()) return false;
  event = std::move(pending_.front());
  pending_.pop_front();
  return true;
}

void SdlPad::LeaveToScript() {
  if (scripted_) return;
  scripted_ = true;
  // The script is the input: a controller of the player's, opened before, no longer counts.
  // The game never saw it (while a script runs only the script's controller reaches it).
  Close();
  pending_.clear();
}

bool SdlPad::Drive(const PadCommand& command, std::string& problem) {
  LeaveToScript();
  if (!available_) return problem = "no game controllers here", false;
  using Kind = PadCommand::Kind;
  if (command.kind == Kind::kConnect) {
    if (virtual_instance_ >= 0) return problem = "a game controller is plugged in already", false;
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Kervana script controller";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0) {
      return problem = std::string("cannot plug in a virtual game controller: ") + SDL_GetError(),
             false;
    }
    virtual_instance_ = SDL_JoystickGetDeviceInstanceID(index);
    return true;
  }
  if (virtual_instance_ < 0) return problem = "no game controller is plugged in", false;
  if (command.kind == Kind::kDisconnect) {
    SDL_JoystickDetachVirtual(DeviceIndexOf(virtual_instance_));
    virtual_instance_ = -1;
    return true;
  }
  if (controller_ == nullptr || instance_ != virtual_instance_) {
    return problem = "the game controller is not in use yet", false;
  }
  SDL_Joystick* joystick = SDL_GameControllerGetJoystick(controller_);
  const int set =
      command.kind == Kind::kAxis
          ? SDL_JoystickSetVirtualAxis(joystick, command.index, static_cast<Sint16>(command.value))
          : SDL_JoystickSetVirtualButton(joystick, command.index, command.value != 0 ? 1 : 0);
  if (set != 0) return problem = SDL_GetError(), false;
  return true;
}

}  // namespace kv
