// SimLoginItem: the login item's status, settable; registering and
// unregistering succeed (changing the status to enabled / notRegistered) or
// fail with a chosen error description, leaving the status as it was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/ports/login_item.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

class SimLoginItem final : public LoginItem {
 public:
  explicit SimLoginItem(SimDesktop& desktop) : desktop_(desktop) {}

  LoginItemStatus status() override;
  std::optional<std::string> registerApp() override;
  std::optional<std::string> unregisterApp() override;

  void setStatus(LoginItemStatus status) { status_ = status; }
  // Absent: succeed; else fail with this description.
  void setRegisterError(std::optional<std::string> error) { registerError_ = std::move(error); }
  void setUnregisterError(std::optional<std::string> error) { unregisterError_ = std::move(error); }
  // The status a successful registration leaves (enabled unless set).
  void setStatusAfterRegister(LoginItemStatus status) { statusAfterRegister_ = status; }

  std::size_t registerCount() const { return registerCalls_; }
  std::size_t unregisterCount() const { return unregisterCalls_; }

 private:
  SimDesktop& desktop_;
  LoginItemStatus status_ = LoginItemStatus::notRegistered;
  LoginItemStatus statusAfterRegister_ = LoginItemStatus::enabled;
  std::optional<std::string> registerError_;
  std::optional<std::string> unregisterError_;
  std::size_t registerCalls_ = 0;
  std::size_t unregisterCalls_ = 0;
};

}  // namespace corvella::sim
