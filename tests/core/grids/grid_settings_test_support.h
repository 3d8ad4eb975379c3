// A simulated platform with a private log folder, a store and the grid
// settings page on it, for the settings tab tests.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/app/log.h"
#include "core/grids/grid_layout_store.h"
#include "core/grids/grid_settings_model.h"
#include "platform/sim/sim_platform.h"

namespace corvella::testing {

class GridSettingsHarness {
 public:
  explicit GridSettingsHarness(const std::string& storedDocument = "") {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "corvella-grids-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
    platform.logLocation.setFolder(folder_ / "Logs");
    if (!storedDocument.empty()) platform.defaults.seedData("gridLayouts", storedDocument);
    store.emplace(platform.defaults);
    store->onChange = [this] { ++changes; };
    page.emplace(GridSettingsDependencies{.store = *store,
                                          .localizer = platform.localizer,
                                          .log = log,
                                          .monitor = platform.keyEventMonitor,
                                          .keyboardLayout = platform.keyboardLayout},
                 [this](bool paused) { pauses.push_back(paused); });
  }
  ~GridSettingsHarness() {
    page.reset();
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }
  GridSettingsHarness(const GridSettingsHarness&) = delete;
  GridSettingsHarness& operator=(const GridSettingsHarness&) = delete;

  std::string logText() const {
    std::ifstream stream(folder_ / "Logs" / "Corvella.log", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
  }
  GridRowModel& row(std::size_t index) { return *page->rows().at(index); }

 private:
  std::filesystem::path folder_;

 public:
  sim::SimPlatform platform;
  Log log{platform.clock, platform.logLocation};
  std::optional<GridLayoutStore> store;
  std::optional<GridSettingsModel> page;
  int changes = 0;           // onChange calls
  std::vector<bool> pauses;  // setHotKeysPaused calls
};

}  // namespace corvella::testing
