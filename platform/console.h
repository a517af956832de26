#pragma once

namespace kv {

// While it lives, the program's messages reach the console it was started from, as the UTF-8
// they are written in. On Windows a windowed program started from a console is given none of
// its own, so it takes its starter's when its output would otherwise go nowhere (output sent to
// a file or a pipe stays there); and the console, whose code page is the local one, reads UTF-8
// until the object goes, when it gets its own code page back. Elsewhere it does nothing.
class ConsoleOutput {
 public:
  ConsoleOutput();
  ~ConsoleOutput();
  ConsoleOutput(const ConsoleOutput&) = delete;
  ConsoleOutput& operator=(const ConsoleOutput&) = delete;

 private:
  unsigned previous_code_page_ = 0;  // 0: nothing to give back
};

}  // namespace kv
