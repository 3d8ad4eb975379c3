// Cost of one target frame for each placement action, on two screens.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/actions/geometry.h"

namespace corvella {
namespace {

void targetFrameOfAction(benchmark::State& state) {
  const auto action = static_cast<WindowAction>(state.range(0));
  const std::vector<Rect> screens{{0, 25, 1440, 875}, {1440, -155, 1920, 1055}};
  // Close to the left third, so the cycling actions find a current third.
  const Rect window{2, 27, 478, 871};
  for (auto _ : state) {
    benchmark::DoNotOptimize(targetFrame(action, window, screens, 0));
  }
  state.SetLabel(std::string(rawValue(action)));
}
BENCHMARK(targetFrameOfAction)->DenseRange(0, static_cast<int>(WindowAction::previousDisplay));

void screenIndexOfWindow(benchmark::State& state) {
  const std::vector<Rect> screens{
      {0, 25, 1440, 875}, {1440, -155, 1920, 1055}, {-1280, 0, 1280, 1024}, {0, 900, 1920, 1080}};
  const Rect window{5000, 5000, 300, 200};  // on no screen: both passes run
  for (auto _ : state) {
    benchmark::DoNotOptimize(screenIndex(window, screens));
  }
}
BENCHMARK(screenIndexOfWindow);

}  // namespace
}  // namespace corvella
