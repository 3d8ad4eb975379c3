// SimWorkspace: the frontmost application of the simulated desktop, and the
// links and settings opened (kept on the desktop).
#pragma once

#include "core/ports/workspace.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

class SimWorkspace final : public Workspace {
 public:
  explicit SimWorkspace(SimDesktop& desktop) : desktop_(desktop) {}

  // The frontmost application's pid and localized name; the name is absent
  // when the pid names no application of the desktop.
  std::optional<RunningApplication> frontmostApplication() override;
  void openURL(const std::string& url) override;
  // Counted on the desktop (SimDesktop::accessibilitySettingsOpened).
  void openAccessibilitySettings() override;

 private:
  SimDesktop& desktop_;
};

}  // namespace corvella::sim
