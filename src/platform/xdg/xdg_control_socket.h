// Where the control socket lives on Linux: $XDG_RUNTIME_DIR/corvella/control,
// private to the user and gone at log-out; without a runtime folder, a
// private folder of the user's own under the state folder.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/xdg/xdg_environment.h"

namespace corvella::xdg {

// Absent when neither an absolute XDG_RUNTIME_DIR, XDG_STATE_HOME nor HOME is set.
std::optional<std::filesystem::path> controlSocketPath(
    const EnvironmentReader& environment = processEnvironment);

}  // namespace corvella::xdg
