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

// Relative values are invalid for the XDG variables and are ignored; a
// relative HOME would put the log wherever the process happens to start.
std::optional<std::filesystem::path> absoluteVariable(const EnvironmentReader& environment,
                                                      std::string_view name) {
  auto value = environment(name);
  if (!value || value->empty()) return std::nullopt;
  std::filesystem::path path(*value);
  if (!path.is_absolute()) return std::nullopt;
  return path;
}

}  // namespace

std::optional<std::string> processEnvironment(std::string_view name) {
  const char* value = std::getenv(std::string(name).c_str());
  if (!value) return std::nullopt;
  return std::string(value);
}

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
