// kervana-window-bench [--seconds N] [--renderer software|accelerated]
// Plays the real game full screen on a virtual X server (1024 x 768, no graphics card) and
// prints, as one JSON line, what a player of an old machine feels: how soon the menu shows,
// the processor time it takes idle in the menu and standing in the game, and its peak memory.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/child_process.h"
#include "window/support/x_server.h"

namespace {

using Clock = std::chrono::steady_clock;
using kv::test::ChildProcess;
using kv::test::XServer;

// User and system time of a process, in seconds.
double CpuSeconds(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  // The fields after the command name, which is in parentheses and may hold blanks.
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  long ticks = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14 || i == 15) ticks += std::stol(field);
  }
  return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long PeakRssKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// Processor time over `seconds` of wall time, in per cent of one core.
double CpuPercent(pid_t pid, double seconds) {
  const double before = CpuSeconds(pid);
  const auto start = Clock::now();
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  return 100.0 * (CpuSeconds(pid) - before) / wall;
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = 10;
  std::vector<std::string> game_args;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--seconds" && i + 1 < argc) {
      seconds = std::stod(argv[++i]);
    } else if (arg == "--renderer" && i + 1 < argc) {
      game_args = {"--renderer", argv[++i]};
    } else {
      std::fprintf(stderr, "usage: kervana-window-bench [--seconds N] [--renderer KIND]\n");
      return 2;
    }
  }

  XServer x(1024, 768);
  ChildProcess::Options options;
  options.argv = {KV_BUILD_DIR "/kervana"};
  options.argv.insert(options.argv.end(), game_args.begin(), game_args.end());
  options.cwd = KV_BUILD_DIR;
  options.env = {"DISPLAY=" + x.display_name(), "SDL_AUDIODRIVER=dummy"};
  const auto launched = Clock::now();
  ChildProcess game(options);
  // The first picture: the middle of the screen as it settles, not black (a window's first
  // pixels may be anything), timed from when that content first appeared.
  std::vector<kv::test::Rgb8> content;
  auto content_since = Clock::now();
  const bool shown = kv::test::WaitUntil(
      [&] {
        const kv::test::ScreenImage now = x.Capture(448, 320, 128, 128);
        const auto same = [](const kv::test::Rgb8& a, const kv::test::Rgb8& b) {
          return a.r == b.r && a.g == b.g && a.b == b.b;
        };
        if (!std::equal(now.pixels.begin(), now.pixels.end(), content.begin(), content.end(),
                        same)) {
          content = now.pixels;
          content_since = Clock::now();
          return !game.Running();
        }
        bool black = true;
        for (const auto& p : content) black = black && p.r + p.g + p.b == 0;
        return (!black && Clock::now() - content_since >= std::chrono::milliseconds(300)) ||
               !game.Running();
      },
      std::chrono::seconds(30));
  const double first_picture_ms =
      std::chrono::duration<double, std::milli>(content_since - launched).count();
  if (!shown || !game.Running()) {
    std::fprintf(stderr, "kervana-window-bench: the menu never showed\n");
    return 1;
  }
  const double menu = CpuPercent(game.pid(), seconds);
  x.Click(512 * 500 / 400, 384 * 400 / 300);  // load: straight into the game
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const double in_game = CpuPercent(game.pid(), seconds);
  const long rss = PeakRssKb(game.pid());
  x.TapKey("Escape");
  game.WaitExit(std::chrono::seconds(10));
  std::printf(
      "{\"first_picture_ms\": %.0f, \"menu_cpu_percent\": %.1f, \"game_cpu_percent\": %.1f, "
      "\"peak_rss_mb\": %.1f}\n",
      first_picture_ms, menu, in_game, static_cast<double>(rss) / 1024.0);
  return 0;
}
