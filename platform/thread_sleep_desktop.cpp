#include "platform/thread_sleep.h"

#include <chrono>
#include <thread>

namespace kv {

void SleepThread(uint64_t micros) {
  std::this_thread::sleep_for(std::chrono::microseconds(micros));
}

}  // namespace kv
