#include "platform/sim/sim_login_item.h"

namespace corvella::sim {

LoginItemStatus SimLoginItem::status() {
  desktop_.record(portCall(SimPort::loginItem, "status"));
  return status_;
}

std::optional<std::string> SimLoginItem::registerApp() {
  desktop_.record(portCall(SimPort::loginItem, "registerApp"));
  ++registerCalls_;
  if (registerError_) return registerError_;
  status_ = statusAfterRegister_;
  return std::nullopt;
}

std::optional<std::string> SimLoginItem::unregisterApp() {
  desktop_.record(portCall(SimPort::loginItem, "unregisterApp"));
  ++unregisterCalls_;
  if (unregisterError_) return unregisterError_;
  status_ = LoginItemStatus::notRegistered;
  return std::nullopt;
}

}  // namespace corvella::sim
