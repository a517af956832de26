#pragma once

#include <cstdint>

namespace kv {

// Lets the user-interface thread rest for about `micros` microseconds. In the browser the page
// is the thread's owner: the rest hands it back to the page, which draws and takes input
// meanwhile; a busy wait there would freeze the tab.
void SleepThread(uint64_t micros);

}  // namespace kv
