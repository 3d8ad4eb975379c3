// SimKeyEventMonitor: local key-down monitors and a keyboard that types into
// them. type() hands the key-down to each installed monitor in install order
// until one swallows it, running the after-each-event hook after each handler
// as the macOS shell does (where that hook redraws the settings window).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "core/ports/key_event_monitor.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

class SimKeyEventMonitor final : public KeyEventMonitor {
 public:
  explicit SimKeyEventMonitor(SimDesktop& desktop) : desktop_(desktop) {}

  std::optional<MonitorHandle> addKeyDownMonitor(
      std::function<bool(const KeyEvent&)> handler) override;
  void removeMonitor(MonitorHandle handle) override;

  // Gives true when the event was passed on (no monitor swallowed it).
  // A monitor removed by an earlier one during delivery is skipped.
  bool type(std::uint16_t keyCode, std::uint64_t modifierFlags = 0);

  // Runs after each handler has returned.
  void setAfterEachEvent(std::function<void()> afterEachEvent) {
    afterEachEvent_ = std::move(afterEachEvent);
  }

  // While set, addKeyDownMonitor gives absent.
  void setRefusesMonitors(bool refuses) { refuses_ = refuses; }
  std::size_t monitorCount() const { return monitors_.size(); }
  bool isInstalled(MonitorHandle handle) const { return monitors_.contains(handle); }

 private:
  SimDesktop& desktop_;
  std::map<MonitorHandle, std::function<bool(const KeyEvent&)>> monitors_;
  std::function<void()> afterEachEvent_;
  MonitorHandle nextHandle_ = 1;
  bool refuses_ = false;
};

}  // namespace corvella::sim
