// The window manager end to end on the simulated desktop: one placement and
// one tiling of 50 windows, with the port calls each costs. The simulated
// ports answer at once, so the times are the core's own work; the call count
// is what a real platform would be asked.
#include <benchmark/benchmark.h>

#include <optional>

#include "core/actions/window_manager.h"
#include "core/app/log.h"
#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

constexpr ProcessID editorPid = 7;

// A desktop whose log has no folder: entries are formed and dropped, so the
// figures leave out the file system.
struct BenchDesktop {
  BenchDesktop() {
    platform.desktop.setRecording(false);
    platform.desktop.addApplication(editorPid, "Editor", true);
    platform.desktop.setFrontmostApplication(editorPid);
  }

  sim::SimPlatform platform{std::nullopt};
  Log log{platform.clock, platform.logLocation};
  WindowManager manager{platform.accessibility, platform.workspace, platform.screens,
                        platform.sound, log};
};

void reportPortCalls(benchmark::State& state, const sim::SimDesktop& desktop,
                     std::size_t callsBefore) {
  state.counters["port_calls"] = benchmark::Counter(
      static_cast<double>(desktop.callCount() - callsBefore), benchmark::Counter::kAvgIterations);
}

void BM_PerformLeftHalf(benchmark::State& state) {
  BenchDesktop bench;
  bench.platform.desktop.addWindow(editorPid, Rect{100, 100, 800, 600}, "Draft");
  const std::size_t before = bench.platform.desktop.callCount();
  for (auto _ : state) bench.manager.perform(WindowAction::leftHalf);
  reportPortCalls(state, bench.platform.desktop, before);
}
BENCHMARK(BM_PerformLeftHalf);

void BM_TileFrontAppColumns(benchmark::State& state) {
  BenchDesktop bench;
  const auto windows = static_cast<int>(state.range(0));
  for (int i = 0; i < windows; ++i) {
    bench.platform.desktop.addWindow(editorPid, Rect{10.0 * i, 30.0 + 5 * i, 600, 400}, "Window");
  }
  const std::size_t before = bench.platform.desktop.callCount();
  for (auto _ : state) bench.manager.perform(WindowAction::tileAppColumns);
  reportPortCalls(state, bench.platform.desktop, before);
}
BENCHMARK(BM_TileFrontAppColumns)->Arg(50);

}  // namespace
}  // namespace corvella
