// Layouts of many windows: the insertion sort below 64 windows, the merge
// sort from 64 on (n log n).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "core/access/layouts.h"

namespace corvella {
namespace {

const Rect visible{0, 25, 1440, 875};

// Windows scattered over the visible frame, the same set on every run.
std::vector<Rect> scatteredWindows(std::size_t n) {
  std::mt19937 rng(1234);
  std::uniform_real_distribution<double> x(0, 1140);
  std::uniform_real_distribution<double> y(25, 700);
  std::vector<Rect> frames;
  frames.reserve(n);
  for (std::size_t i = 0; i < n; ++i) frames.push_back({x(rng), y(rng), 300, 200});
  return frames;
}

void columnsOfWindows(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  const std::vector<Rect> frames = scatteredWindows(n);
  for (auto _ : state) {
    benchmark::DoNotOptimize(layoutColumns(frames, visible));
  }
  state.SetComplexityN(state.range(0));
}

// A square grid with a cell for every window.
void gridOfWindows(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  const std::vector<Rect> frames = scatteredWindows(n);
  const auto side = static_cast<std::int64_t>(std::ceil(std::sqrt(static_cast<double>(n))));
  for (auto _ : state) {
    benchmark::DoNotOptimize(layoutGrid(side, side, frames, visible));
  }
  state.SetComplexityN(state.range(0));
}

// Below 64 windows: the insertion sort.
BENCHMARK(columnsOfWindows)->Arg(10)->Arg(63);
BENCHMARK(gridOfWindows)->Arg(10)->Arg(63);
// From 64 windows: the merge sort, fitted against n log n.
BENCHMARK(columnsOfWindows)->Arg(64)->Arg(1000)->Arg(10000)->Complexity(benchmark::oNLogN);
BENCHMARK(gridOfWindows)->Arg(64)->Arg(1000)->Arg(10000)->Complexity(benchmark::oNLogN);

}  // namespace
}  // namespace corvella
