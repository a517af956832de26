#include "platform/signals.h"

#include <csignal>

namespace kv {
namespace {

volatile std::sig_atomic_t stop_signalled = 0;

void NoteStop(int) {
  stop_signalled = 1;
}

}  // namespace

void IgnoreBrokenPipes() {
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
}

void CatchStopSignals() {
  std::signal(SIGINT, &NoteStop);
  std::signal(SIGTERM, &NoteStop);
}

bool StopSignalled() {
  return stop_signalled != 0;
}

}  // namespace kv
