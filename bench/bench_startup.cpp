// Start-up as the player waits for it: the shell created on the default data, every file read
// and checked, the display opened and the main menu flipped onto it; then everything freed
// again. The process around it (loading the program and its libraries) is what
// `kervana --headless` adds; bench/window-bench measures the real window.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/main_form.h"
#include "platform/platform.h"

namespace {

void BM_Startup(benchmark::State& state) {
  const std::string data = (std::filesystem::path(KV_BUILD_DIR) / "data").string();
  if (!std::filesystem::is_directory(data)) {
    state.SkipWithError("no default data: build the 'data' target first");
    return;
  }
  for (auto _ : state) {
    std::unique_ptr<kv::Platform> platform = kv::MakeHeadlessPlatform();
    kv::TMainF form(*platform);
    form.data_folder = data;
    kv::Application app(*platform, form);
    const bool started = app.Start();
    if (!started || form.DXDraw().flips() == 0 || !app.errors().empty()) {
      state.SkipWithError("the game did not start up to its first menu flip");
      break;
    }
    app.End();
  }
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond);

}  // namespace
