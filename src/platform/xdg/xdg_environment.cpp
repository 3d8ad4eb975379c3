#include "platform/xdg/xdg_environment.h"

#include <cstdlib>

namespace corvella::xdg {

std::optional<std::string> processEnvironment(std::string_view name) {
  const char* value = std::getenv(std::string(name).c_str());
  if (!value) return std::nullopt;
  return std::string(value);
}

std::optional<std::filesystem::path> absoluteVariable(const EnvironmentReader& environment,
                                                      std::string_view name) {
  auto value = environment(name);
  if (!value || value->empty()) return std::nullopt;
  std::filesystem::path path(*value);
  if (!path.is_absolute()) return std::nullopt;
  return path;
}

}  // namespace corvella::xdg
