#include "platform/xdg/xdg_control_socket.h"

namespace corvella::xdg {
namespace {

constexpr const char* socketName = "control";

}  // namespace

std::optional<std::filesystem::path> controlSocketPath(const EnvironmentReader& environment) {
  if (auto runtime = absoluteVariable(environment, "XDG_RUNTIME_DIR")) {
    return *runtime / "corvella" / socketName;
  }
  // Beside the log, in a folder of its own that is made private.
  if (auto state = absoluteVariable(environment, "XDG_STATE_HOME")) {
    return *state / "Corvella" / "runtime" / socketName;
  }
  if (auto home = absoluteVariable(environment, "HOME")) {
    return *home / ".local" / "state" / "Corvella" / "runtime" / socketName;
  }
  return std::nullopt;
}

}  // namespace corvella::xdg
