// Loading and saving the stored grid layouts document, for lists far longer
// than anyone keeps (a hand-made or damaged document must not stall launch).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/grids/grid_layout.h"
#include "core/grids/grid_layout_store.h"
#include "core/grids/grid_preview.h"
#include "platform/sim/sim_platform.h"

namespace {

using corvella::GridLayout;

std::vector<GridLayout> layoutList(std::int64_t count) {
  std::vector<GridLayout> layouts;
  layouts.reserve(static_cast<std::size_t>(count));
  for (std::int64_t i = 0; i < count; ++i) {
    GridLayout layout{.id = {}, .columns = i % 12 + 1, .rows = i % 5 + 1, .shortcut = {}};
    for (std::size_t b = 0; b < 8; ++b) {
      layout.id.bytes[8 + b] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(i) >> (8 * b));
    }
    if (i % 4 == 0) layout.shortcut = corvella::Shortcut{.keyCode = 18, .modifiers = 0x180000};
    layouts.push_back(layout);
  }
  return layouts;
}

void BM_decodeGridLayouts(benchmark::State& state) {
  const std::string document = *corvella::encodeGridLayouts(layoutList(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(corvella::decodeGridLayouts(document));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(document.size()));
}
BENCHMARK(BM_decodeGridLayouts)->Arg(4)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_encodeGridLayouts(benchmark::State& state) {
  const std::vector<GridLayout> layouts = layoutList(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(corvella::encodeGridLayouts(layouts));
}
BENCHMARK(BM_encodeGridLayouts)->Arg(4)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_storeLoad(benchmark::State& state) {
  corvella::sim::SimPlatform platform;
  platform.defaults.seedData("gridLayouts",
                             *corvella::encodeGridLayouts(layoutList(state.range(0))));
  for (auto _ : state) {
    corvella::GridLayoutStore store(platform.defaults);
    benchmark::DoNotOptimize(store.layouts().data());
  }
}
BENCHMARK(BM_storeLoad)->Arg(100000)->Unit(benchmark::kMillisecond);

// A document nested this deep is refused before parsing.
void BM_decodeDeepNesting(benchmark::State& state) {
  const auto depth = static_cast<std::size_t>(state.range(0));
  const std::string document = std::string(depth, '[') + std::string(depth, ']');
  for (auto _ : state) benchmark::DoNotOptimize(corvella::decodeGridLayouts(document));
}
BENCHMARK(BM_decodeDeepNesting)->Arg(1000)->Arg(100000);

void BM_previewCells(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(corvella::gridPreviewCells(
        12, 12, corvella::GridPreviewStyle::canvasWidth, corvella::GridPreviewStyle::canvasHeight));
  }
}
BENCHMARK(BM_previewCells);

}  // namespace
