#pragma once

#include <string>

#include "platform/image565.h"

namespace kv::test {

// Writes a small but complete data directory (every collection file with every item the
// screens look up, and a sound collection) into DIR/data. Each picture is one flat colour, so
// tests can tell from a pixel which picture was drawn: see ItemColor. With `max_side` set, no
// picture is larger than that on a side: data that loads in a blink, for running the whole game
// many times over.
void WriteGameData(const std::string& dir, int max_side = 0);

// The flat colour of a named picture of the test data (its 16-bit value is what shows).
Color ItemColor(const std::string& name);
// The colour of base tile `index`.
Color TileColor(int index);

}  // namespace kv::test
