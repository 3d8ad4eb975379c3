#include "platform/mac/mac_key_event_monitor.h"

#import <AppKit/AppKit.h>

namespace corvella::mac {

MacKeyEventMonitor::~MacKeyEventMonitor() {
  for (auto& [handle, monitor] : monitors_) [NSEvent removeMonitor:monitor];
}

std::optional<MonitorHandle> MacKeyEventMonitor::addKeyDownMonitor(
    std::function<bool(const KeyEvent&)> handler) {
  id monitor = [NSEvent
      addLocalMonitorForEventsMatchingMask:NSEventMaskKeyDown
                                   handler:^NSEvent*(NSEvent* event) {
                                     const KeyEvent key{event.keyCode, event.modifierFlags};
                                     return handler(key) ? event : nil;
                                   }];
  if (!monitor) return std::nullopt;
  const MonitorHandle handle = nextHandle_++;
  monitors_.emplace(handle, monitor);
  return handle;
}

void MacKeyEventMonitor::removeMonitor(MonitorHandle handle) {
  auto found = monitors_.find(handle);
  if (found == monitors_.end()) return;
  [NSEvent removeMonitor:found->second];
  monitors_.erase(found);
}

}  // namespace corvella::mac
