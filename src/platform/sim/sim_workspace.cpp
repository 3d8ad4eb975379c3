#include "platform/sim/sim_workspace.h"

namespace corvella::sim {

std::optional<RunningApplication> SimWorkspace::frontmostApplication() {
  desktop_.record(portCall(SimPort::workspace, "frontmostApplication"));
  const std::optional<ProcessID> pid = desktop_.frontmostApplication();
  if (!pid) return std::nullopt;
  RunningApplication running;
  running.processIdentifier = *pid;
  if (const SimApplication* app = desktop_.findApplication(*pid)) {
    running.localizedName = app->localizedName;
  }
  return running;
}

void SimWorkspace::openURL(const std::string& url) {
  desktop_.record(portCall(SimPort::workspace, "openURL", url));
  desktop_.recordOpenedURL(url);
}

void SimWorkspace::openAccessibilitySettings() {
  desktop_.record(portCall(SimPort::workspace, "openAccessibilitySettings"));
  desktop_.recordAccessibilitySettingsOpened();
}

}  // namespace corvella::sim
