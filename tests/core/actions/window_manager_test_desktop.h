// The simulated desktop with a private log folder and the window services on
// it, shared by the window access, tiling and window manager tests.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "core/actions/window_manager.h"
#include "core/app/log.h"
#include "platform/sim/sim_platform.h"

namespace corvella::fixtures {

// The time stamp every entry carries on the simulated clock, with its space.
inline constexpr std::string_view stamp = "2026-01-02T03:04:05Z ";

class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "corvella-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The whole file, or the empty text when it cannot be read.
inline std::string fileContents(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

struct DesktopHarness {
  TemporaryFolder folder;
  sim::SimPlatform platform{folder.path() / "Logs"};
  Log log{platform.clock, platform.logLocation};
  WindowManager manager{platform.accessibility, platform.workspace, platform.screens,
                        platform.sound, log};

  sim::SimDesktop& desktop() { return platform.desktop; }
  std::filesystem::path logFile() const { return folder.path() / "Logs" / "Corvella.log"; }
  std::string logText() const { return fileContents(logFile()); }
  bool logExists() const { return std::filesystem::exists(logFile()); }
};

}  // namespace corvella::fixtures
