// MacLoginItem: launch at login as the main application's SMAppService.
#pragma once

#include "core/ports/login_item.h"

namespace corvella::mac {

class MacLoginItem final : public LoginItem {
 public:
  LoginItemStatus status() override;
  std::optional<std::string> registerApp() override;
  std::optional<std::string> unregisterApp() override;
};

}  // namespace corvella::mac
