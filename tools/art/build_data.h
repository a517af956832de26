#pragma once

#include <string>

namespace kv {

// Writes the default data directory: the eight image collection files, sound.dat, texts.txt,
// the game's font Elixir.ttf with its licence beside it, and an empty maps/ folder. The same
// program writes the same bytes on every run. Returns 0, or 1 after printing the reason to stderr.
int BuildDataDirectory(const std::string& dir);

namespace art {
// Where the data build takes the game's face from (a file of a Debian font package).
std::string ElixirFontSource();
std::string ElixirLicenceSource();
}  // namespace art

}  // namespace kv
