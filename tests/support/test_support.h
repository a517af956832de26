#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/error.h"
#include "platform/fonts.h"

// Skips a case whose subject Windows does not have (FIFOs, devices such as /dev/full, limits on
// a process's file sizes), saying which.
#ifdef _WIN32
#define KV_SKIP_ON_WINDOWS(reason) GTEST_SKIP() << (reason)
#else
#define KV_SKIP_ON_WINDOWS(reason) static_cast<void>(0)
#endif

namespace kv::test {

// A fresh directory under the system's temporary directory, removed when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// The message of the kv::Error that `action` throws, or "no error".
inline std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

// The whole of a text file; empty when it cannot be read.
std::string ReadText(const std::string& path);
// What a program wrote to standard output or error, caught in the file at `path`: its lines end
// in "\n" (Windows' text mode writes "\r\n").
std::string ReadOutput(const std::string& path);

// The built programs, as paths a child started in any folder finds them by.
std::string GameProgram();
std::string DataToolProgram();
// A font file the test build copies from the build machine's fonts (the four Liberation faces
// the game draws with, and Cardob101.ttf), so that no test reads the system's own folders.
std::string TestFont(const std::string& file);
// The folder of those files, where the tests' font services find the stand-in faces on every
// system (a Windows game has them only in its data folder).
std::string StandInFaceFolder();

// A font service that finds the stand-in faces in StandInFaceFolder().
class TestFonts : public FontService {
 public:
  TestFonts() { LookForStandInsIn({StandInFaceFolder()}); }
};

// Sets a variable of this process's environment, which the programs and libraries it runs see.
void SetEnvironment(const std::string& name, const std::string& value);

// The id of this test's process, and of a process that ran and has ended.
long ProcessId();
long GoneProcessId();
// The id of a process that runs for the whole test, not this one.
long OtherLiveProcessId();

// While it exists, no file of this process may grow beyond `bytes`: a write past that point
// fails as on a full disk (EFBIG, the signal that comes with it ignored). POSIX only.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(uint64_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  uint64_t old_soft_limit_ = 0;
  void (*old_handler_)(int) = nullptr;
};

// Makes a FIFO at `path` (POSIX only).
void MakeFifo(const std::string& path);

// For the length of its life, standard output goes where every write fails: a full disk on
// POSIX, a pipe whose reading end is closed on Windows.
class FailingStandardOutput {
 public:
  FailingStandardOutput();
  ~FailingStandardOutput();
  FailingStandardOutput(const FailingStandardOutput&) = delete;
  FailingStandardOutput& operator=(const FailingStandardOutput&) = delete;

 private:
  int saved_ = -1;
};

// Runs `work` and says whether it returned within a few seconds. Work stuck opening the FIFO at
// `fifo` is then set free by opening the FIFO's other end, so that a hang fails the test
// instead of holding it for ever.
bool ReturnsAtOnce(const std::function<void()>& work, const std::string& fifo);

}  // namespace kv::test
