// LoginItem: the application's launch-at-login registration.
#pragma once

#include <optional>
#include <string>

namespace corvella {

enum class LoginItemStatus : int {
  notRegistered = 0,
  enabled = 1,
  requiresApproval = 2,
  notFound = 3
};

class LoginItem {
 public:
  virtual ~LoginItem() = default;
  virtual LoginItemStatus status() = 0;
  // Absent on success, else the error's description.
  virtual std::optional<std::string> registerApp() = 0;
  virtual std::optional<std::string> unregisterApp() = 0;
};

}  // namespace corvella
