#include "platform/sim/sim_application_ui.h"

namespace corvella::sim {

void SimApplicationUI::setActivationPolicy(ActivationPolicy policy) {
  desktop_.record(portCall(SimPort::applicationUI, "setActivationPolicy",
                           policy == ActivationPolicy::regular ? "regular" : "accessory"));
  policy_ = policy;
  policyChanges_.push_back(policy);
}

void SimApplicationUI::activate() {
  desktop_.record(portCall(SimPort::applicationUI, "activate"));
  ++activations_;
}

void SimApplicationUI::createStatusItem(const std::string& symbolName,
                                        const std::string& accessibilityDescription) {
  desktop_.record(portCall(SimPort::applicationUI, "createStatusItem", symbolName,
                           "\"" + accessibilityDescription + "\""));
  statusItems_.push_back({symbolName, accessibilityDescription});
}

}  // namespace corvella::sim
