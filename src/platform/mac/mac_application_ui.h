// MacApplicationUI: the activation policy, activation, and the status item
// whose menu is drawn from the core's item list.
#pragma once

#import <AppKit/AppKit.h>

#include "core/ports/application_ui.h"
#include "platform/mac/status_menu_controller.h"

namespace corvella::mac {

class MacApplicationUI final : public ApplicationUI {
 public:
  // The menu's source is the application delegate, which exists only after
  // the ports it is built from; set it before the launch sequence runs.
  void setStatusMenuSource(StatusMenuSource source) { source_ = std::move(source); }

  void setActivationPolicy(ActivationPolicy policy) override;
  void activate() override;
  void createStatusItem(const std::string& symbolName,
                        const std::string& accessibilityDescription) override;

 private:
  StatusMenuSource source_;
  NSStatusItem* statusItem_ = nil;
  CorvellaStatusMenuController* menuController_ = nil;  // the menu holds its delegate weakly
};

}  // namespace corvella::mac
