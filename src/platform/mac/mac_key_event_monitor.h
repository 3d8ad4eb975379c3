// MacKeyEventMonitor: local key-down monitors (key-downs sent to this
// application only), used while a shortcut is recorded.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "core/ports/key_event_monitor.h"

namespace corvella::mac {

class MacKeyEventMonitor final : public KeyEventMonitor {
 public:
  MacKeyEventMonitor() = default;
  MacKeyEventMonitor(const MacKeyEventMonitor&) = delete;
  MacKeyEventMonitor& operator=(const MacKeyEventMonitor&) = delete;
  ~MacKeyEventMonitor() override;

  // Runs after each monitored key-down has been handled, so that views showing
  // what the handler changed (a recorder's label or message) redraw. Applies
  // to monitors installed before and after the call.
  void setAfterEachEvent(std::function<void()> afterEachEvent) {
    *afterEachEvent_ = std::move(afterEachEvent);
  }

  std::optional<MonitorHandle> addKeyDownMonitor(
      std::function<bool(const KeyEvent&)> handler) override;
  void removeMonitor(MonitorHandle handle) override;

 private:
  std::map<MonitorHandle, id> monitors_;
  // Shared with every installed monitor's block, which may run after a
  // handler removed its own monitor.
  std::shared_ptr<std::function<void()>> afterEachEvent_ =
      std::make_shared<std::function<void()>>();
  MonitorHandle nextHandle_ = 1;
};

}  // namespace corvella::mac
