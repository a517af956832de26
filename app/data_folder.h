#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/executable_folder.h"

namespace kv {

// The places the data folder may be, in the order they are tried.
struct DataFolderPlaces {
  std::string given;              // --data DIR; empty when not given
  std::string executable_folder;  // the folder the running program lies in; empty when unknown
  std::string from_executable;    // where an installation keeps its data, from its program's folder
  std::string installed;          // the data folder of the install prefix the program was built for
};

// The folder the game reads its data files from: the one given (whether it exists or not), else
// the first that exists of the installation's own (from_executable), ./data (returned as "data",
// so messages read "data/graphic1.dat"), data/ beside the program and the installed one; "data"
// when none does.
std::string FindDataFolder(const DataFolderPlaces& places,
                           const std::function<bool(const std::string&)>& is_folder);

// The folders tried, in order, when none is given ("data" for the one where the game is
// started).
std::vector<std::string> DataFolderCandidates(const DataFolderPlaces& places);

// One line for the player when no data folder was found: where the game looked, and how to
// choose one.
std::string MissingDataHint(const DataFolderPlaces& places);

// A file or folder inside the data folder, spelt as it is opened and shown in messages.
std::string DataFilePath(std::string_view folder, std::string_view name);

}  // namespace kv
