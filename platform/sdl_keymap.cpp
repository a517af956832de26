#include "platform/sdl_keymap.h"

#include <SDL2/SDL_keyboard.h>

#include "platform/keys.h"

namespace kv {

int VirtualKeyFromSdl(int scancode, int32_t keycode) {
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) {
    return vk::kNumpad0 + 1 + (scancode - SDL_SCANCODE_KP_1);
  }
  if (scancode == SDL_SCANCODE_KP_0) return vk::kNumpad0;
  if (scancode == SDL_SCANCODE_KP_ENTER) return vk::kReturn;
  if (keycode >= SDLK_a && keycode <= SDLK_z) return vk::kA + (keycode - SDLK_a);
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return vk::k0 + (keycode - SDLK_0);
  if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return vk::kF1 + (keycode - SDLK_F1);
  switch (keycode) {
    case SDLK_RETURN:
      return vk::kReturn;
    case SDLK_ESCAPE:
      return vk::kEscape;
    case SDLK_SPACE:
      return vk::kSpace;
    case SDLK_BACKSPACE:
      return vk::kBack;
    case SDLK_TAB:
      return vk::kTab;
    case SDLK_DELETE:
      return vk::kDelete;
    case SDLK_INSERT:
      return vk::kInsert;
    case SDLK_HOME:
      return vk::kHome;
    case SDLK_END:
      return vk::kEnd;
    case SDLK_PAGEUP:
      return vk::kPrior;
    case SDLK_PAGEDOWN:
      return vk::kNext;
    case SDLK_LEFT:
      return vk::kLeft;
    case SDLK_RIGHT:
      return vk::kRight;
    case SDLK_UP:
      return vk::kUp;
    case SDLK_DOWN:
      return vk::kDown;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return vk::kShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return vk::kControl;
    case SDLK_LALT:
    case SDLK_RALT:
      return vk::kMenu;
    default:
      return 0;
  }
}

}  // namespace kv
