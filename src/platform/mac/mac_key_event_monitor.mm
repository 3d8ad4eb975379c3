#include "platform/mac/mac_key_event_monitor.h"

#import <AppKit/AppKit.h>

namespace corvella::mac {

MacKeyEventMonitor::~MacKeyEventMonitor() {
  for (auto& [handle, monitor] : monitors_) [NSEvent removeMonitor:monitor];
}

std::optional<MonitorHandle> MacKeyEventMonitor::addKeyDownMonitor(
    std::function<bool(const KeyEvent&)> handler) {
  using Handler = std::function<bool(const KeyEvent&)>;
  using Hook = std::function<void()>;
  const auto sharedHandler = std::make_shared<const Handler>(std::move(handler));
  const std::shared_ptr<const Hook> afterEachEvent = afterEachEvent_;
  NSEvent* (^onKeyDown)(NSEvent*) = ^NSEvent*(NSEvent* event) {
    // Held here: the handler may remove this monitor, and with it this block.
    const std::shared_ptr<const Handler> run = sharedHandler;
    const std::shared_ptr<const Hook> after = afterEachEvent;
    const bool passOn = (*run)(KeyEvent{event.keyCode, event.modifierFlags});
    if (*after) (*after)();
    return passOn ? event : nil;
  };
  id monitor = [NSEvent addLocalMonitorForEventsMatchingMask:NSEventMaskKeyDown handler:onKeyDown];
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
