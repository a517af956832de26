#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/fonts.h"
#include "platform/geometry.h"
#include "platform/image565.h"
#include "platform/keys.h"
#include "platform/mixer.h"
#include "platform/pad.h"
#include "platform/scaler.h"

namespace kv {

struct DisplayMode {
  int width = 0;
  int height = 0;
  int bits = 0;
  friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

// A 32 x 32 pointer picture: RGBA, rows top-down, alpha 0 where the pointer is transparent.
struct CursorImage {
  int width = 32;
  int height = 32;
  Point hot_spot;
  std::vector<uint32_t> rgba;  // 0xAARRGGBB
};

// What handlers and polling read: the pointer in display pixels, the mouse buttons and keys by
// virtual-key code (buttons as kLButton, kRButton, kMButton).
struct InputState {
  Point pointer;
  std::array<bool, vk::kCount> keys{};
  PadState pad;
};

// The stand-in for the operating system. One interface, two backends: SDL (a real window and
// sound device) and headless (a virtual clock, no window, a virtual sound device).
class Platform {
 public:
  Platform();
  virtual ~Platform() = default;

  virtual bool headless() const = 0;

  // --- Clocks. The millisecond clock is the microsecond clock rounded down.
  virtual uint64_t Micros() = 0;
  uint32_t ClockMillis() { return static_cast<uint32_t>(Micros() / 1000); }
  // The millisecond clock as the program reads it: the clock's, or the time given while a
  // recording is made or replayed (a real window's session keeps no pace the replay can follow).
  uint32_t Millis() { return given_millis_ ? *given_millis_ : ClockMillis(); }
  void GiveMillis(std::optional<uint32_t> ms) { given_millis_ = ms; }
  // Coordinated universal time of day, in milliseconds since midnight, from the clock.
  virtual int64_t UtcMillisOfDay() = 0;
  // The time of day as the program reads it: the clock's, or the one given by a recording.
  // Every reading is told to `on_time_of_day_read`, so a recording can hold it.
  int64_t TimeOfDay();
  void GiveTimeOfDay(std::optional<int64_t> ms) { given_time_of_day_ = ms; }
  std::function<void(int64_t)> on_time_of_day_read;
  // Headless only: sets the time of day (the virtual clock keeps running from there).
  virtual void SetUtcMillisOfDay(int64_t ms) {}
  // Sleeps the user-interface thread; dispatches no events. Headless: advances the clock. A real
  // sleep lasts a second at most; a caller that needs longer sleeps again.
  virtual void Sleep(uint32_t ms) = 0;
  // Headless only: moves the virtual clock on (sounds keep playing meanwhile).
  virtual void AdvanceClock(uint64_t micros) {}

  // --- Events from the system. PollEvent does not block; WaitEvent blocks until an event
  // waits or the timeout ends, a real wait a second at most, however long the timeout. Both
  // update the input state for the events they deliver.
  virtual bool PollEvent(Event& event) = 0;
  virtual void WaitEvent(uint32_t timeout_ms) = 0;
  // While a script is the input: the window's own events only (uncovering, focus, a close),
  // the player's input meanwhile dropped unseen. The input state is the caller's to update.
  virtual bool PollWindowEvent(Event& event) { return false; }
  // Updates the input state as the event implies (pointer, buttons, keys). Scripts feed
  // their events through this.
  void ApplyInput(const Event& event);

  Point PointerPosition() const { return input_.pointer; }
  void SetPointerPosition(Point p) { input_.pointer = p; }
  // Puts the player's pointer over display pixel p, as the game controller's stick moves it
  // (the SDL backend moves the system pointer there too).
  virtual void MovePointer(Point p) { input_.pointer = p; }
  const PadState& pad() const { return input_.pad; }
  // A script's game controller: the headless backend makes the events such a controller would
  // give; the SDL backend drives a virtual controller of its own, whose events then come as a
  // real one's do. The events wait for PollWindowEvent. False, with the reason in `problem`,
  // when the command cannot be carried out (no controller plugged in, one plugged in twice).
  virtual bool DrivePad(const PadCommand& command, std::string& problem);
  bool KeyIsDown(int vk) const { return vk >= 0 && vk < vk::kCount && input_.keys[vk]; }
  // Whether the main window is the foreground window (polling reads no keys otherwise).
  bool foreground() const { return foreground_; }
  void set_foreground(bool active) { foreground_ = active; }
  // While a recording is replayed, the pointer is where the recording puts it, wherever the
  // window goes or whatever display mode it takes on.
  void set_pointer_from_input_only(bool only) { pointer_from_input_only_ = only; }

  // --- Display.
  virtual std::vector<DisplayMode> DisplayModes() = 0;
  // Claims the display: full screen (exclusive, mode set) or an 800 x 600 window.
  // Returns false when the mode cannot be set.
  virtual bool OpenDisplay(bool fullscreen, DisplayMode mode) = 0;
  virtual void CloseDisplay() = 0;
  // Shows the front surface with the visible controls over it. With wait_vblank the call
  // first waits for the vertical blank (headless: the clock moves on by one 60 Hz period).
  virtual void Present(const Image565& front, bool wait_vblank) = 0;
  // Window placement kept across the display switch.
  virtual void SaveWindowPlacement() {}
  virtual void RestoreWindowPlacement() {}

  // --- Pointer picture and the show counter (visible while the count is 0 or more).
  virtual void SetCursorImage(const CursorImage& image) = 0;
  int ShowCursor(bool show);
  int cursor_count() const { return cursor_count_; }

  // --- The modal error box (headless: stderr). Title and message are UTF-8.
  virtual void ShowErrorBox(const std::string& title, const std::string& message) = 0;

  // --- The system clipboard, UTF-8 (headless: a clipboard of the platform's own). Reads take
  // at most kMaxClipboardBytes of it. Closed, it is out of reach: reads find it empty and writes
  // go nowhere. A replayed recording comes from anyone, so it must neither learn what the
  // player copied nor change it.
  static constexpr size_t kMaxClipboardBytes = 64 * 1024;
  std::string ClipboardText();
  void SetClipboardText(const std::string& utf8);
  void CloseClipboard() { clipboard_closed_ = true; }

  // --- Services shared by both backends.
  FontService& fonts() { return fonts_; }
  ControlHost& controls() { return controls_; }
  // The sound device, or null when none opened (the game then runs silent).
  virtual Mixer* sound() = 0;

 protected:
  virtual void CursorVisibilityChanged(bool visible) {}
  virtual std::string ReadClipboard() { return own_clipboard_; }
  virtual void WriteClipboard(const std::string& utf8) { own_clipboard_ = utf8; }
  // The window moved, changed size or mode under the pointer, which now lies over `display`.
  void PointerMovedWithWindow(Point display) {
    if (!pointer_from_input_only_) input_.pointer = display;
  }

  InputState input_;
  bool pointer_from_input_only_ = false;
  std::optional<uint32_t> given_millis_;
  std::optional<int64_t> given_time_of_day_;
  bool foreground_ = true;
  bool clipboard_closed_ = false;
  std::string own_clipboard_;
  int cursor_count_ = 0;
  FontService fonts_;
  ControlHost controls_;
};

std::unique_ptr<Platform> MakeHeadlessPlatform();
// How the SDL backend puts pictures on the screen.
struct SdlOptions {
  ScaleFilter filter = ScaleFilter::kLinear;
  // Only whole multiples of 800 x 600, centred on black, where one fits.
  bool integer_scale = false;
  // The window's size in windowed mode, in multiples of 800 x 600.
  int window_scale = 1;
  // Windowed mode with the window manager's frame, and a size the player may change.
  bool framed = false;
  // The window's own pixels, scaled by the program (no graphics driver loaded), or a graphics
  // card's renderer. Automatic: the renderer where the machine has a graphics card to render
  // with, so a machine without one never loads a software driver just to find that out.
  enum class Renderer { kAutomatic, kSoftware, kAccelerated };
  Renderer renderer = Renderer::kAutomatic;
};

// Opens SDL and makes the game's window (still hidden); null, with the reason in `problem`,
// when no display can show it.
std::unique_ptr<Platform> MakeSdlPlatform(const SdlOptions& options, std::string& problem);

// Writes 565 pixels as an 8-bit RGB PNG, as a file the user names for output (WriteOutputFile).
// Returns false when the file cannot be written (errno then says why, as WriteOutputFile leaves
// it); a file of that name then stays as it was.
bool WritePng(const std::string& path, const Image565& image);

}  // namespace kv
