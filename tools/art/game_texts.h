#pragma once

#include <string>

namespace kv::art {

// The texts file of the default data (texts.txt, UTF-8): the story of the ten intro pages and
// the info boxes of the professions and races, under a comment that says what the file is.
std::string GameTextsFile();

}  // namespace kv::art
