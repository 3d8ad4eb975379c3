#include "platform/xdg/xdg_log_location.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

namespace corvella::xdg {
namespace {

constexpr const char* applicationFolder = "Corvella";
constexpr mode_t privateFolderMode = 0700;

}  // namespace

XdgLogLocation::XdgLogLocation(EnvironmentReader environment)
    : environment_(std::move(environment)) {}

std::optional<std::filesystem::path> XdgLogLocation::logsFolder() {
  if (auto state = absoluteVariable(environment_, "XDG_STATE_HOME")) {
    return *state / applicationFolder;
  }
  if (auto home = absoluteVariable(environment_, "HOME")) {
    return *home / ".local" / "state" / applicationFolder;
  }
  return std::nullopt;
}

void XdgLogLocation::createFolder(const std::filesystem::path& folder) {
  // Each missing folder is made 0700 from the start, so the log's folder is
  // never readable by others, not even for a moment.
  std::filesystem::path partial;
  for (const auto& component : folder.lexically_normal()) {
    partial /= component;
    if (component.empty()) continue;
    if (::mkdir(partial.c_str(), privateFolderMode) != 0 && errno != EEXIST) return;
  }
  ::chmod(folder.c_str(), privateFolderMode);
}

}  // namespace corvella::xdg
