#include <csignal>

#include "platform/signals.h"
#include "platform/support_win32.h"

namespace kv {
namespace {

volatile LONG stop_signalled = 0;

void NoteStop(int) {
  InterlockedExchange(&stop_signalled, 1);
}

// The console's Ctrl+C and Ctrl+Break, and its window closed, the player logging off or the
// system shutting down. The last three end the process as soon as this returns, so it returns
// never: the run ends meanwhile, its results written, and the process's end takes this thread
// with it (the system waits some seconds before it ends the process itself).
BOOL WINAPI OnConsoleEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      NoteStop(0);
      return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      NoteStop(0);
      Sleep(INFINITE);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void IgnoreBrokenPipes() {
  // Windows has no such signal: a write into a closed pipe fails as any other write.
}

void CatchStopSignals() {
  // A raised SIGINT or SIGTERM as on other systems; the console's events through its own hook,
  // which comes first since it is installed last.
  std::signal(SIGINT, &NoteStop);
  std::signal(SIGTERM, &NoteStop);
  SetConsoleCtrlHandler(&OnConsoleEvent, TRUE);
}

bool StopSignalled() {
  return InterlockedCompareExchange(&stop_signalled, 0, 0) != 0;
}

}  // namespace kv
