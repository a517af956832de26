// kervana: the game. Its options are the table in driver/command_line.cpp (kervana --help).
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "app/application.h"
#include "driver/command_line.h"
#include "app/data_folder.h"
#include "app/main_form.h"
#include "driver/recorder.h"
#include "app/screenshot.h"
#include "driver/printable.h"
#include "driver/script.h"
#include "driver/script_reader.h"
#include "driver/state_dump.h"
#include "ingame/map_folder.h"
#include "platform/console.h"
#include "platform/error.h"
#include "platform/line_file.h"
#include "platform/platform.h"
#include "platform/program_end.h"
#include "platform/regular_file.h"
#include "platform/replace_file.h"
#include "platform/signals.h"
#include "platform/user_folders.h"
#include "platform/utf8_path.h"

namespace {

int Usage(const std::string& problem) {
  std::cerr << "kervana: " << kv::Printable(problem) << "\n" << kv::UsageText();
  return 2;
}

bool WriteStateOut(const std::string& path, const std::string& state) {
  if (path.empty()) return true;
  const std::string text = state + "\n";
  return kv::WriteOutputFile(path, std::span(reinterpret_cast<const uint8_t*>(text.data()),
                                             text.size())) == kv::WriteResult::kWritten;
}

int Run(int argc, char** argv) {
  const kv::ConsoleOutput console;
  // A reader that goes away (kervana --help | head -1) is a failed write, reported as one.
  kv::IgnoreBrokenPipes();
  const kv::CommandLine line =
      kv::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.action == kv::CommandLine::Action::kUsageError) return Usage(line.problem);
  if (line.action != kv::CommandLine::Action::kPlay) {
    std::cout << (line.action == kv::CommandLine::Action::kHelp ? kv::HelpText()
                                                                : kv::VersionText());
    return kv::FinishStandardOutput() ? 0 : 1;
  }
  const kv::Options& options = line.options;
  const kv::DataFolderPlaces places{options.data, kv::ExecutableFolder(),
                                    KV_DATA_FROM_EXECUTABLE, KV_INSTALLED_DATA_FOLDER};
  const auto is_folder = [](const std::string& folder) {
    std::error_code error;
    return std::filesystem::is_directory(kv::Utf8Path(folder), error);
  };
  const std::string data_folder = kv::FindDataFolder(places, is_folder);
  // Nothing to read from anywhere: the error that follows says where the game looked.
  const bool no_data = options.data.empty() && !is_folder(data_folder);

  // A replayed recording may be anyone's: only a recording is played that way.
  const bool replay = !options.replay.empty();
  const std::string& script_path = replay ? options.replay : options.script;
  std::unique_ptr<kv::ScriptReader> script;
  std::optional<kv::ScriptCommand> first;
  if (!script_path.empty()) {
    std::string problem;
    script = kv::ScriptReader::Open(script_path, problem);
    if (!script) {
      std::cerr << "kervana: " << problem << "\n";
      return 2;
    }
    first = kv::FirstScriptCommand(*script);
  }
  const bool replaying = first && first->kind == kv::ScriptCommand::Kind::kRecorded;
  if (replay && !replaying) {
    std::cerr << "kervana: --replay: " << kv::Printable(script_path)
              << " is not a recording (its first line is not 'recorded')\n";
    return 2;
  }
  // A recording never takes the place of a file; that it cannot be made is known before the
  // session is played, not after.
  if (!options.record.empty() && kv::LineFile::WouldReplace(options.record)) {
    std::cerr << "kervana: --record: " << kv::Printable(options.record)
              << " already exists, and a recording never replaces a file\n";
    return 2;
  }

  // Without a window, Ctrl+C or kill ends the run as closing the window would, its state still
  // written; a window's library turns them into a close of its own.
  if (options.headless) kv::CatchStopSignals();
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
    // A recording replays in the display mode it was made in.
    if (options.windowed || (replaying && first->windowed)) form.DXDraw_.doFullScreen = false;
    form.data_folder = data_folder;
    form.personal_map_folder = kv::Utf8Name(kv::PlayerMapFolder());
    kv::Application app(*platform, form);
    if (no_data) app.missing_data_hint = kv::MissingDataHint(places);
    app.screenshot_folder = kv::PlayerScreenshotFolder();
    // The final state is taken as the program ends, before the game modes are freed.
    std::string final_state;
    app.on_ending = [&] { final_state = kv::StateDump(form, app); };
    if (!app.Start()) {
      WriteStateOut(options.state_out, kv::StateDump(form, app));
      return 1;
    }
    // The window's focus is the recording's from the start, before its first line is read.
    if (replaying) app.SetReplaying();
    // Made only now, so that a game that cannot start leaves no file behind.
    std::optional<kv::LineFile> recording;
    if (!options.record.empty()) {
      try {
        recording.emplace(options.record);
      } catch (const kv::Error& e) {
        std::cerr << "kervana: " << kv::Printable(e.what(), kv::kQuotedPathCharacters) << "\n";
        status = 2;
      }
    }
    std::optional<kv::Recorder> recorder;
    if (recording) recorder.emplace(*recording, *platform, form, app, kv::BuildName());
    if (status == 0 && script) {
      kv::ScriptRunner runner(*platform, form, app);
      status = runner.Run(*script);
    } else if (status == 0 && !options.headless) {
      app.Run();
    }
    if (recorder) {
      recorder->Finish();
      if (!recorder->complete() && status == 0) status = 2;
    }
    app.End();
    if (!WriteStateOut(options.state_out, final_state)) {
      std::cerr << "kervana: cannot write " << kv::Printable(options.state_out, kv::kQuotedPathCharacters)
                << "\n";
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

}  // namespace

int main(int argc, char** argv) {
  return kv::ProgramEnds(Run(argc, argv));
}
