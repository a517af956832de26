#include <cstdio>

#include "platform/console.h"
#include "platform/support_win32.h"

namespace kv {
namespace {

// No handle at all, as a windowed program started without redirection has.
bool GoesNowhere(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  return handle == nullptr || handle == INVALID_HANDLE_VALUE;
}

}  // namespace

ConsoleOutput::ConsoleOutput() {
  const bool no_output = GoesNowhere(STD_OUTPUT_HANDLE);
  const bool no_errors = GoesNowhere(STD_ERROR_HANDLE);
  if ((no_output || no_errors) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    if (no_output) (void)std::freopen("CONOUT$", "w", stdout);
    if (no_errors) (void)std::freopen("CONOUT$", "w", stderr);
  }
  const UINT code_page = GetConsoleOutputCP();
  if (code_page != 0 && code_page != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
    previous_code_page_ = code_page;
  }
}

ConsoleOutput::~ConsoleOutput() {
  std::fflush(stdout);
  std::fflush(stderr);
  if (previous_code_page_ != 0) SetConsoleOutputCP(previous_code_page_);
}

}  // namespace kv
