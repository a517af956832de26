#include "platform/console.h"

namespace kv {

// A terminal shows what it is sent, and a program has the one it was started from.
ConsoleOutput::ConsoleOutput() = default;
ConsoleOutput::~ConsoleOutput() = default;

}  // namespace kv
