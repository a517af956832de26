#pragma once

#include <string_view>

#include "platform/platform.h"

namespace kv {

// The application's pointer, the cursor resource "DEFCUR": a 32 x 32 sword whose blade runs
// from the hot spot at the top-left corner down to a hilt at the lower right. Resource names
// ignore letter case; an unknown name fails with "Resource %s not found".
CursorImage LoadSwordCursor(std::string_view resource_name);

}  // namespace kv
