#include "platform/sim/sim_key_event_monitor.h"

#include <vector>

namespace corvella::sim {

std::optional<MonitorHandle> SimKeyEventMonitor::addKeyDownMonitor(
    std::function<bool(const KeyEvent&)> handler) {
  desktop_.record(portCall(SimPort::keyEventMonitor, "addKeyDownMonitor"));
  if (refuses_) return std::nullopt;
  const MonitorHandle handle = nextHandle_++;
  monitors_.emplace(handle, std::move(handler));
  return handle;
}

void SimKeyEventMonitor::removeMonitor(MonitorHandle handle) {
  desktop_.record(portCall(SimPort::keyEventMonitor, "removeMonitor", std::to_string(handle)));
  monitors_.erase(handle);
}

bool SimKeyEventMonitor::type(std::uint16_t keyCode, std::uint64_t modifierFlags) {
  const KeyEvent event{keyCode, modifierFlags};
  std::vector<MonitorHandle> handles;
  for (const auto& entry : monitors_) handles.push_back(entry.first);
  for (MonitorHandle handle : handles) {
    auto found = monitors_.find(handle);
    if (found == monitors_.end()) continue;
    // A copy: the handler may remove its own monitor.
    auto handler = found->second;
    const bool passOn = !handler || handler(event);
    if (afterEachEvent_) afterEachEvent_();
    if (!passOn) return false;
  }
  return true;
}

}  // namespace corvella::sim
