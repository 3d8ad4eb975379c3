// SimLogLocation: the log folder a test chooses (usually a fresh temporary
// folder); folder creation really happens on disk, mode 0700, unless told to
// fail.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "core/ports/log_location.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

class SimLogLocation final : public LogLocation {
 public:
  SimLogLocation(SimDesktop& desktop, std::optional<std::filesystem::path> folder)
      : desktop_(desktop), folder_(std::move(folder)) {}

  std::optional<std::filesystem::path> logsFolder() override;
  void createFolder(const std::filesystem::path& folder) override;

  // Absent: the platform gives no folder at all.
  void setFolder(std::optional<std::filesystem::path> folder) { folder_ = std::move(folder); }
  // While set, createFolder creates nothing (its errors are ignored anyway).
  void setCreateFails(bool fails) { createFails_ = fails; }
  // The folders createFolder was asked for, in order.
  const std::vector<std::filesystem::path>& createRequests() const { return createRequests_; }

 private:
  SimDesktop& desktop_;
  std::optional<std::filesystem::path> folder_;
  bool createFails_ = false;
  std::vector<std::filesystem::path> createRequests_;
};

}  // namespace corvella::sim
