#include <windows.h>
// After windows.h, whose types it uses.
#include <fcntl.h>
#include <io.h>
#include <tlhelp32.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <stdexcept>
#include <string>

#include "support/test_support.h"

namespace kv::test {
namespace {

// The build folder as a path with its drive: the children the tests start run in folders of
// their own, where a path from the root alone would name another drive's file.
std::filesystem::path BuildDir() {
  static const std::filesystem::path dir = std::filesystem::absolute(KV_BUILD_DIR);
  return dir;
}

}  // namespace

std::string GameProgram() {
  // The console twin, where it is built, writes to the console the tests read; the program the
  // desktop starts is the same game.
  const std::filesystem::path console = BuildDir() / "kervana.com";
  if (std::filesystem::exists(console)) return console.string();
  return (BuildDir() / "kervana.exe").string();
}

std::string DataToolProgram() {
  return (BuildDir() / "kervana-data.exe").string();
}

void SetEnvironment(const std::string& name, const std::string& value) {
  // The C runtime's copy and the process's own (which SDL reads) both change.
  _putenv_s(name.c_str(), value.c_str());
}

long ProcessId() {
  return static_cast<long>(GetCurrentProcessId());
}

long GoneProcessId() {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(system) + L"\\cmd.exe\" /c exit";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  // No console: one of its own would start a console host that outlives the program.
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                      nullptr, &startup, &process)) {
    throw std::runtime_error("cannot start cmd.exe");
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  // The handle stays open for the test's life: Windows gives no other process the id meanwhile.
  return static_cast<long>(process.dwProcessId);
}

long OtherLiveProcessId() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  long found = -1;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && found < 0;
       more = Process32NextW(snapshot, &entry)) {
    // The system's own services run as long as the system does.
    if (entry.th32ProcessID != 0 && entry.th32ProcessID != GetCurrentProcessId() &&
        _wcsicmp(entry.szExeFile, L"services.exe") == 0) {
      found = static_cast<long>(entry.th32ProcessID);
    }
  }
  CloseHandle(snapshot);
  if (found < 0) throw std::runtime_error("no services.exe running");
  return found;
}

FileSizeLimit::FileSizeLimit(uint64_t) {
  throw std::logic_error("Windows limits no process's file sizes");
}

FileSizeLimit::~FileSizeLimit() = default;

void MakeFifo(const std::string& path) {
  throw std::logic_error("Windows has no FIFOs: " + path);
}

FailingStandardOutput::FailingStandardOutput() {
  std::fflush(stdout);
  saved_ = _dup(_fileno(stdout));
  int ends[2] = {-1, -1};
  if (_pipe(ends, 4096, _O_BINARY) != 0) throw std::runtime_error("no pipe");
  _close(ends[0]);
  _dup2(ends[1], _fileno(stdout));
  _close(ends[1]);
}

FailingStandardOutput::~FailingStandardOutput() {
  std::clearerr(stdout);
  _dup2(saved_, _fileno(stdout));
  _close(saved_);
}

bool ReturnsAtOnce(const std::function<void()>& work, const std::string& fifo) {
  auto done = std::async(std::launch::async, work);
  if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) {
    done.get();
    return true;
  }
  // No FIFO here to set the work free: a hang ends the run rather than hold it for ever.
  if (done.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
    std::fprintf(stderr, "work on %s is stuck\n", fifo.c_str());
    std::abort();
  }
  done.get();
  return false;
}

}  // namespace kv::test
