// QtApplicationUI: the ApplicationUI port on a Linux desktop. The status item
// is the tray icon. There is no Dock to join or leave: the activation policy
// is only kept, and activating happens when the settings window is raised.
#pragma once

#include "core/ports/application_ui.h"
#include "platform/qt/status_tray.h"

namespace corvella::qt {

class QtApplicationUI final : public ApplicationUI {
 public:
  explicit QtApplicationUI(StatusTray& tray) : tray_(tray) {}

  void setActivationPolicy(ActivationPolicy policy) override { policy_ = policy; }
  void activate() override {}
  void createStatusItem(const std::string& symbolName,
                        const std::string& accessibilityDescription) override {
    tray_.show(symbolName, accessibilityDescription);
  }
  ActivationPolicy policy() const { return policy_; }

 private:
  StatusTray& tray_;
  ActivationPolicy policy_ = ActivationPolicy::regular;
};

}  // namespace corvella::qt
