// KeyEventMonitor: key-downs delivered to this application, while recording.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace corvella {

struct KeyEvent {
  std::uint16_t keyCode = 0;        // Macintosh virtual key code
  std::uint64_t modifierFlags = 0;  // raw event modifier flags (0x40000 control, ...)
};

using MonitorHandle = std::uint64_t;

class KeyEventMonitor {
 public:
  virtual ~KeyEventMonitor() = default;
  // The handler sees every key-down; it answers true to pass the event on,
  // false to swallow it. Absent when no monitor could be installed.
  virtual std::optional<MonitorHandle> addKeyDownMonitor(
      std::function<bool(const KeyEvent&)> handler) = 0;
  virtual void removeMonitor(MonitorHandle handle) = 0;
};

}  // namespace corvella
