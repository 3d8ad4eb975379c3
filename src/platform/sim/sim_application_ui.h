// SimApplicationUI: records what the application shell is asked to show.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/ports/application_ui.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

struct SimStatusItem {
  std::string symbolName;
  std::string accessibilityDescription;
  friend bool operator==(const SimStatusItem&, const SimStatusItem&) = default;
};

class SimApplicationUI final : public ApplicationUI {
 public:
  explicit SimApplicationUI(SimDesktop& desktop) : desktop_(desktop) {}

  void setActivationPolicy(ActivationPolicy policy) override;
  void activate() override;
  void createStatusItem(const std::string& symbolName,
                        const std::string& accessibilityDescription) override;

  // Absent until the first setActivationPolicy.
  std::optional<ActivationPolicy> activationPolicy() const { return policy_; }
  const std::vector<ActivationPolicy>& policyChanges() const { return policyChanges_; }
  std::size_t activateCount() const { return activations_; }
  const std::vector<SimStatusItem>& statusItems() const { return statusItems_; }

 private:
  SimDesktop& desktop_;
  std::optional<ActivationPolicy> policy_;
  std::vector<ActivationPolicy> policyChanges_;
  std::size_t activations_ = 0;
  std::vector<SimStatusItem> statusItems_;
};

}  // namespace corvella::sim
