#include <emscripten.h>

#include "platform/thread_sleep.h"

namespace kv {

// The page's timers count whole milliseconds; rounding up keeps a frame's pace from running
// ahead of the display.
void SleepThread(uint64_t micros) {
  emscripten_sleep(static_cast<unsigned>((micros + 999) / 1000));
}

}  // namespace kv
