// kervana-soak [--frames N] [--seed S] [--data DIR] [--keep yes]
//
// Plays the whole game headless on random input through the scripted runner, N frames (passes
// of the message loop) over every screen, then leaves it with Escape as a player does. Exits
// with 0 when the program came through: ended by the wipe, no error reported, every screen
// reached. The lines played are kept in the work directory, which stays when the soak fails,
// so that `kervana --headless --script soak.script` plays the same game again there.

#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "app/application.h"
#include "app/main_form.h"
#include "driver/script.h"
#include "driver/state_dump.h"
#include "platform/platform.h"
#include "soak/random_player.h"

namespace {

namespace fs = std::filesystem;

struct Options {
  long long frames = 100000;
  uint64_t seed = 1;
  std::string data = KV_BUILD_DIR "/data";
  bool keep = false;  // the work directory stays even when the soak passes
};

bool ParseNumber(std::string_view text, auto& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view flag = argv[i];
    const std::string_view value = argv[i + 1];
    if (flag == "--frames") {
      if (!ParseNumber(value, options.frames) || options.frames < 0) return false;
    } else if (flag == "--seed") {
      if (!ParseNumber(value, options.seed)) return false;
    } else if (flag == "--data") {
      options.data = std::string(value);
    } else if (flag == "--keep") {
      options.keep = value == "yes";
    } else {
      return false;
    }
  }
  return argc % 2 == 1;
}

// The game, played and left; the problems it ran into, one per line.
class Soak {
 public:
  explicit Soak(const Options& options) : options_(options) {}

  std::string Play(const fs::path& dir) {
    std::ofstream record(dir / "soak.script");
    std::unique_ptr<kv::Platform> platform = kv::MakeHeadlessPlatform();
    kv::TMainF form(*platform);
    kv::Application app(*platform, form);
    app.on_ending = [&] { final_state_ = kv::StateDump(form, app); };
    if (!app.Start()) return "the game did not start\n";
    kv::ScriptRunner runner(*platform, form, app);
    player_ = std::make_unique<kv::soak::RandomPlayer>(options_.seed, options_.frames);

    std::string problems;
    const auto play = [&](const std::string& line) {
      ++lines_;
      record << line << "\n";
      app.TakeWindowEvents();
      std::string problem;
      if (!runner.RunLine(line, problem)) problems += "line " + line + ": " + problem + "\n";
    };
    for (std::string line = player_->Next(form); !line.empty() && !app.ended();
         line = player_->Next(form)) {
      play(line);
    }
    if (app.ended()) problems += "the program ended before its frames were played\n";
    // Leaving as a player does. Escape reaches the main window only while no control has the
    // keyboard: the options screens' OK hides the sliders, Enter puts the name field away.
    for (int attempt = 0; attempt < 3 && !app.ended(); ++attempt) {
      const kv::soak::Screen screen = kv::soak::ScreenOf(form);
      if (screen == kv::soak::Screen::kOptions || screen == kv::soak::Screen::kGameOptions) {
        play("click 400 555");
      }
      if (!app.ended() && form.NEdit_.visible) play("key Enter");
      if (!app.ended()) play("key Escape");
    }
    if (!app.ended()) problems += "Escape did not end the program\n";
    flips_ = form.DXDraw().flips();
    app.End();
    std::ofstream(dir / "soak-state.json") << final_state_ << "\n";
    for (const std::string& error : app.errors()) problems += "error reported: " + error + "\n";
    if (final_state_.find("\"Errors\":[]") == std::string::npos) {
      problems += "the state dump lists errors\n";
    }
    for (int s = 0; s < kv::soak::kScreenCount; ++s) {
      if (player_->lines_by_screen()[s] == 0) {
        problems += std::string("never reached: ") +
                    kv::soak::ScreenName(static_cast<kv::soak::Screen>(s)) + "\n";
      }
    }
    return problems;
  }

  void Summary(double seconds) const {
    std::printf("soak: seed %llu, %lld frames, %lld lines, %llu flips, %.1f s\n",
                static_cast<unsigned long long>(options_.seed), player_->frames_played(), lines_,
                static_cast<unsigned long long>(flips_), seconds);
    for (int s = 0; s < kv::soak::kScreenCount; ++s) {
      std::printf("  %-13s %7lld frames %6lld lines\n",
                  kv::soak::ScreenName(static_cast<kv::soak::Screen>(s)),
                  player_->frames_by_screen()[s], player_->lines_by_screen()[s]);
    }
  }

 private:
  Options options_;
  std::unique_ptr<kv::soak::RandomPlayer> player_;
  std::string final_state_;
  long long lines_ = 0;
  uint64_t flips_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: kervana-soak [--frames N] [--seed S] [--data DIR] [--keep yes]\n");
    return 2;
  }
  const fs::path dir = fs::temp_directory_path() / ("kervana-soak-" + std::to_string(getpid()));
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir);
  fs::copy(options.data, dir / "data", fs::copy_options::recursive, ec);
  if (ec) {
    std::fprintf(stderr, "soak: cannot copy %s: %s\n", options.data.c_str(), ec.message().c_str());
    return 1;
  }
  const fs::path here = fs::current_path();
  fs::current_path(dir);

  const auto start = std::chrono::steady_clock::now();
  Soak soak(options);
  const std::string problems = soak.Play(dir);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  fs::current_path(here);
  soak.Summary(took.count());
  if (!problems.empty()) {
    std::fprintf(stderr, "%sthe game and the lines played are in %s\n", problems.c_str(),
                 dir.c_str());
    return 1;
  }
  if (!options.keep) fs::remove_all(dir, ec);
  return 0;
}
