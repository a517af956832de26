#pragma once

#include <ostream>
#include <string>

// The data tool's read-only commands. Each loads a collection with the game's own loader and
// throws kv::Error with the game's message when that fails.
namespace kv::tool {

// One JSON object describing every item (and, for images, both colour tables).
void ReportImages(const std::string& path, std::ostream& out);
void ReportWaves(const std::string& path, std::ostream& out);

// Prints the index IndexOfName gives for a UTF-8 name; fails as FindItemByName does.
void FindImage(const std::string& path, const std::string& utf8_name, std::ostream& out);
void FindWave(const std::string& path, const std::string& utf8_name, std::ostream& out);

// Writes the decoded picture of item `index` as a binary PPM.
void ExportPicture(const std::string& path, int index, const std::string& ppm_path);

}  // namespace kv::tool
