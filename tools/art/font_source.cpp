#include "tools/art/build_data.h"

namespace kv::art {

std::string ElixirFontSource() {
  return KV_ELIXIR_FONT;
}
std::string ElixirLicenceSource() {
  return KV_ELIXIR_LICENSE;
}

}  // namespace kv::art
