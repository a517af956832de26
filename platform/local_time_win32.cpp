#include <time.h>

#include "platform/local_time.h"

namespace kv {

std::tm LocalTime(std::time_t seconds) {
  std::tm local{};
  localtime_s(&local, &seconds);
  return local;
}

}  // namespace kv
