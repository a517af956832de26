#include <emscripten.h>

#include "platform/program_end.h"

namespace kv {

int ProgramEnds(int status) {
  emscripten_force_exit(status);
  return status;
}

}  // namespace kv
