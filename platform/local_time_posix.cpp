#include <time.h>

#include "platform/local_time.h"

namespace kv {

std::tm LocalTime(std::time_t seconds) {
  std::tm local{};
  localtime_r(&seconds, &local);
  return local;
}

}  // namespace kv
