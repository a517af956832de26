// kervana-data: builds the default data directory and looks into collection files.
//
//   kervana-data build DIR
//   kervana-data check DIR
//   kervana-data icons DIR
//   kervana-data icons --ico FILE
//   kervana-data inspect --images|--waves FILE
//   kervana-data find --images|--waves FILE NAME
//   kervana-data export FILE INDEX OUT.ppm
//
// A failing load prints the game's message alone on stderr and exits with 1, as does output
// that cannot be written (standard output or a file).

#include <charconv>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/replace_file.h"
#include "tools/art/build_data.h"
#include "tools/art/icons.h"
#include "tools/collection_report.h"
#include "tools/data_check.h"

namespace {

constexpr int kUsageStatus = 2;
constexpr const char* kStandardOutputLost = "Cannot write standard output";

int Usage() {
  std::cerr << "usage: kervana-data build DIR\n"
               "       kervana-data check DIR\n"
               "       kervana-data icons DIR\n"
               "       kervana-data icons --ico FILE\n"
               "       kervana-data inspect --images|--waves FILE\n"
               "       kervana-data find --images|--waves FILE NAME\n"
               "       kervana-data export FILE INDEX OUT.ppm\n";
  return kUsageStatus;
}

bool ParseIndex(std::string_view text, int& index) {
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, index);
  return error == std::errc() && at == end && !text.empty();
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) return Usage();
  const std::string& command = args[0];
  if (command == "build" && args.size() == 2) return kv::BuildDataDirectory(args[1]);
  if (command == "icons" && args.size() == 2) return kv::WriteIcons(args[1]);
  if (command == "icons" && args.size() == 3 && args[1] == "--ico") {
    return kv::WriteIconFile(args[2]);
  }
  if (command == "check" && args.size() == 2) {
    std::ostringstream out;
    const int status = kv::tool::CheckDataDirectory(args[1], out, std::cerr);
    if (!kv::WriteStandardOutput(out.str())) throw kv::Error(kStandardOutputLost);
    return status;
  }
  if ((command == "inspect" && args.size() == 3) || (command == "find" && args.size() == 4)) {
    const bool images = args[1] == "--images";
    if (!images && args[1] != "--waves") return Usage();
    // Printed only once whole: a load that fails part-way prints nothing but its message.
    std::ostringstream out;
    if (command == "inspect") {
      images ? kv::tool::ReportImages(args[2], out) : kv::tool::ReportWaves(args[2], out);
    } else {
      images ? kv::tool::FindImage(args[2], args[3], out)
             : kv::tool::FindWave(args[2], args[3], out);
    }
    if (!kv::WriteStandardOutput(out.str())) throw kv::Error(kStandardOutputLost);
    return 0;
  }
  if (command == "export" && args.size() == 4) {
    int index = 0;
    if (!ParseIndex(args[2], index)) return Usage();
    kv::tool::ExportPicture(args[1], index, args[3]);
    return 0;
  }
  return Usage();
}

}  // namespace

int main(int argc, char** argv) {
  int status = 1;
  try {
    status = Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const kv::Error& e) {
    std::cerr << kv::cp1250::ToUtf8(e.what()) << "\n";
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
  }
  if (!kv::FinishStandardOutput() && status == 0) {
    std::cerr << kStandardOutputLost << "\n";
    status = 1;
  }
  return status;
}
