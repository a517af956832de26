#include <windows.h>

#include <cwctype>
#include <stdexcept>
#include <string>

#include "support/child_process.h"

namespace kv::test {
namespace {

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

// One argument as the C runtime's parser splits the command line again: quoted when it holds
// blanks or quotes, with the backslashes before a quote doubled.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    return argument;
  }
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

// Windows' names of variables ignore case.
bool SameName(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::towupper(a[i]) != std::towupper(b[i])) return false;
  }
  return true;
}

// The test's own environment with the options' changes, as the block CreateProcessW takes.
std::wstring EnvironmentFor(const ChildProcess::Options& options) {
  // Entries such as "=C:=C:\..." (a drive's current folder) start with '=': their name is all of
  // that up to the second one.
  const auto name_of = [](const std::wstring& entry) {
    return entry.substr(0, entry.find(L'=', 1));
  };
  std::vector<std::wstring> changes;
  for (const std::string& e : options.env) changes.push_back(Wide(e));
  const auto replaced = [&](const std::wstring& name) {
    for (const std::wstring& e : changes) {
      if (SameName(name_of(e), name)) return true;
    }
    for (const std::string& u : options.unset_env) {
      if (SameName(Wide(u), name)) return true;
    }
    return false;
  };
  std::wstring block;
  wchar_t* const own = GetEnvironmentStringsW();
  for (const wchar_t* e = own; *e != L'\0'; e += wcslen(e) + 1) {
    const std::wstring entry = e;
    if (!replaced(name_of(entry))) block += entry + L'\0';
  }
  FreeEnvironmentStringsW(own);
  for (const std::wstring& e : changes) block += e + L'\0';
  return block + L'\0';
}

HANDLE OpenOutput(const std::string& path, SECURITY_ATTRIBUTES* inherited) {
  const HANDLE file = CreateFileW(path.empty() ? L"NUL" : Wide(path).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, inherited,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
  return file;
}

}  // namespace

ChildProcess::ChildProcess(const Options& options) {
  if (options.pass_fd >= 0) throw std::logic_error("passing a descriptor is POSIX only");
  if (options.file_size_limit > 0) throw std::logic_error("a file size limit is POSIX only");
  std::wstring command_line;
  for (const std::string& a : options.argv) {
    command_line += (command_line.empty() ? L"" : L" ") + Quoted(Wide(a));
  }
  std::wstring environment = EnvironmentFor(options);

  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE input = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inherited, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE output = INVALID_HANDLE_VALUE;
  if (options.stdout_unread) {
    HANDLE reading = nullptr;
    if (!CreatePipe(&reading, &output, &inherited, 0)) throw std::runtime_error("no pipe");
    CloseHandle(reading);
  } else {
    output = OpenOutput(options.stdout_path, &inherited);
  }
  const HANDLE errors = OpenOutput(options.stderr_path, &inherited);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = errors;
  PROCESS_INFORMATION process{};
  const std::wstring program = Wide(options.argv.at(0));
  const std::wstring cwd = Wide(options.cwd);
  // Started suspended, so that it is in its job before it can start anything of its own; with
  // no console, since a console program given one of its own starts a console host, which
  // outlives it holding the test's output open.
  const BOOL started =
      CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, TRUE,
                     CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED | DETACHED_PROCESS,
                     environment.data(), cwd.empty() ? nullptr : cwd.c_str(), &startup, &process);
  CloseHandle(input);
  CloseHandle(output);
  CloseHandle(errors);
  if (!started) {
    throw std::runtime_error("cannot start " + options.argv[0] + ": error " +
                             std::to_string(GetLastError()));
  }
  job_ = CreateJobObjectW(nullptr, nullptr);
  if (job_ != nullptr) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    AssignProcessToJobObject(job_, process.hProcess);
  }
  ResumeThread(process.hThread);
  CloseHandle(process.hThread);
  process_ = process.hProcess;
  pid_ = process.dwProcessId;
}

ChildProcess::~ChildProcess() {
  Stop();
  if (process_ != nullptr) CloseHandle(process_);
  // Closing the job ends whatever the program left running in it.
  if (job_ != nullptr) CloseHandle(job_);
}

bool ChildProcess::Running() {
  if (status_) return false;
  if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) return true;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  status_ = static_cast<int>(code);
  if (job_ != nullptr) TerminateJobObject(job_, 1);
  return false;
}

std::optional<int> ChildProcess::WaitExit(std::chrono::milliseconds timeout) {
  if (!status_) WaitForSingleObject(process_, static_cast<DWORD>(timeout.count()));
  if (Running()) return std::nullopt;
  return status_;
}

void ChildProcess::Signal(int signal) {
  if (Running()) TerminateProcess(process_, static_cast<UINT>(128 + signal));
}

void ChildProcess::Stop() {
  if (process_ == nullptr || !Running()) return;
  TerminateProcess(process_, 128 + 15);
  WaitExit(std::chrono::milliseconds(5000));
}

int RunToEnd(const ChildProcess::Options& options, std::chrono::milliseconds timeout) {
  ChildProcess program(options);
  return program.WaitExit(timeout).value_or(-1);
}

}  // namespace kv::test
