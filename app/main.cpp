// kervana [--headless] [--windowed] [--renderer software|accelerated] [--script FILE]
//         [--state-out FILE]
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <span>
#include <sstream>
#include <string>

#include "app/application.h"
#include "app/main_form.h"
#include "app/script.h"
#include "app/state_dump.h"
#include "platform/platform.h"
#include "platform/regular_file.h"
#include "platform/replace_file.h"

namespace {

struct Options {
  bool headless = false;
  bool windowed = false;
  kv::SdlOptions sdl;
  std::string script;
  std::string state_out;
};

int Usage() {
  std::cerr << "usage: kervana [--headless] [--windowed] [--renderer software|accelerated]\n"
               "               [--script FILE] [--state-out FILE]\n";
  return 2;
}

bool WriteStateOut(const std::string& path, const std::string& state) {
  if (path.empty()) return true;
  const std::string text = state + "\n";
  return kv::WriteOutputFile(path, std::span(reinterpret_cast<const uint8_t*>(text.data()),
                                             text.size())) == kv::WriteResult::kWritten;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--headless") {
      options.headless = true;
    } else if (arg == "--windowed") {
      options.windowed = true;
    } else if (arg == "--renderer" && i + 1 < argc) {
      const std::string renderer = argv[++i];
      if (renderer == "software") {
        options.sdl.renderer = kv::SdlOptions::Renderer::kSoftware;
      } else if (renderer == "accelerated") {
        options.sdl.renderer = kv::SdlOptions::Renderer::kAccelerated;
      } else {
        return Usage();
      }
    } else if ((arg == "--script" || arg == "--state-out") && i + 1 < argc) {
      (arg == "--script" ? options.script : options.state_out) = argv[++i];
    } else {
      return Usage();
    }
  }

  // Read whole before anything starts. Only a regular file: a directory would read as an empty
  // script, and a FIFO would keep the program waiting.
  std::optional<std::istringstream> script;
  if (!options.script.empty()) {
    const auto bytes = kv::ReadRegularFile(options.script, SIZE_MAX);
    if (!bytes) {
      std::cerr << "kervana: cannot open script " << options.script << "\n";
      return 2;
    }
    script.emplace(std::string(bytes->begin(), bytes->end()));
  }

  std::string problem;
  std::unique_ptr<kv::Platform> platform =
      options.headless ? kv::MakeHeadlessPlatform() : kv::MakeSdlPlatform(options.sdl, problem);
  if (!platform) {
    std::cerr << "kervana: " << problem << "; use --headless to run without a window\n";
    return 1;
  }

  int status = 0;
  {
    kv::TMainF form(*platform);
    if (options.windowed) form.DXDraw_.doFullScreen = false;
    kv::Application app(*platform, form);
    // The final state is taken as the program ends, before the game modes are freed.
    std::string final_state;
    app.on_ending = [&] { final_state = kv::StateDump(form, app); };
    if (!app.Start()) {
      WriteStateOut(options.state_out, kv::StateDump(form, app));
      return 1;
    }
    if (script) {
      kv::ScriptRunner runner(*platform, form, app);
      if (!runner.Run(*script)) status = 2;
    } else if (!options.headless) {
      app.Run();
    }
    app.End();
    if (!WriteStateOut(options.state_out, final_state)) {
      std::cerr << "kervana: cannot write " << options.state_out << "\n";
      status = 2;
    }
  }
  // A state dump printed by the script is checked to its end; a failure already reported is not
  // reported twice.
  if (!kv::FinishStandardOutput() && status == 0) {
    std::cerr << "kervana: cannot write standard output\n";
    status = 2;
  }
  return status;
}
