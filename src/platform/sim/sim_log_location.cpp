#include "platform/sim/sim_log_location.h"

#include <system_error>

namespace corvella::sim {

std::optional<std::filesystem::path> SimLogLocation::logsFolder() {
  desktop_.record(portCall(SimPort::logLocation, "logsFolder"));
  return folder_;
}

void SimLogLocation::createFolder(const std::filesystem::path& folder) {
  desktop_.record(portCall(SimPort::logLocation, "createFolder", folder.string()));
  createRequests_.push_back(folder);
  if (createFails_) return;
  std::error_code error;
  const bool created = std::filesystem::create_directories(folder, error);
  // Only a folder made here is narrowed; an existing one keeps its mode, as
  // the real call leaves existing folders alone.
  if (created && !error) {
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace, error);
  }
}

}  // namespace corvella::sim
