// The environment variables the XDG folders are derived from.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace corvella::xdg {

// Reads one environment variable; absent when it is not set.
using EnvironmentReader = std::function<std::optional<std::string>(std::string_view name)>;

// The process environment.
std::optional<std::string> processEnvironment(std::string_view name);

// A variable holding an absolute path, else absent. Relative values are
// invalid for the XDG variables; a relative HOME would put files wherever the
// process happens to start.
std::optional<std::filesystem::path> absoluteVariable(const EnvironmentReader& environment,
                                                      std::string_view name);

}  // namespace corvella::xdg
