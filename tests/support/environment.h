// An environment of only these variables, read as the shells' folder lookups read the process's.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace corvella::testing_support {

using Variables = std::map<std::string, std::string>;

inline std::function<std::optional<std::string>(std::string_view)> environmentOf(
    Variables variables) {
  return [variables = std::move(variables)](std::string_view name) -> std::optional<std::string> {
    const auto found = variables.find(std::string(name));
    if (found == variables.end()) return std::nullopt;
    return found->second;
  };
}

}  // namespace corvella::testing_support
