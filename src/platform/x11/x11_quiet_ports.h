// The ports the headless daemon has no user interface for: without a status
// item and a settings window, these keep the state the core gives them and
// draw nothing (the desktop's own are in platform/qt). The clock is the
// system's, and there is no updater.
#pragma once

#include <chrono>
#include <functional>
#include <map>

#include "core/ports/application_ui.h"
#include "core/ports/clock.h"
#include "core/ports/key_event_monitor.h"
#include "core/ports/settings_window_ui.h"
#include "core/ports/updater.h"

namespace corvella::x11 {

class SystemClock final : public Clock {
 public:
  std::chrono::system_clock::time_point now() override { return std::chrono::system_clock::now(); }
};

// No bundle, no framework: the start-up log says the updater is off.
class NoUpdater final : public Updater {
 public:
  std::optional<std::string> bundleInfoString(const std::string&) override { return std::nullopt; }
  std::shared_ptr<UpdaterController> makeStartedController() override { return nullptr; }
};

class QuietApplicationUI final : public ApplicationUI {
 public:
  void setActivationPolicy(ActivationPolicy policy) override { policy_ = policy; }
  void activate() override {}
  void createStatusItem(const std::string&, const std::string&) override { statusItem_ = true; }
  ActivationPolicy policy() const { return policy_; }
  bool hasStatusItem() const { return statusItem_; }

 private:
  ActivationPolicy policy_ = ActivationPolicy::regular;
  bool statusItem_ = false;
};

class QuietSettingsWindowUI final : public SettingsWindowUI {
 public:
  void createWindow(const std::string&, std::uint64_t, std::function<void()> willClose) override {
    willClose_ = std::move(willClose);
  }
  void makeKeyAndOrderFront() override {}
  void orderFrontRegardless() override {}

 private:
  std::function<void()> willClose_;
};

// Keeps the monitors it is given; no window sends key events to them.
class QuietKeyEventMonitor final : public KeyEventMonitor {
 public:
  std::optional<MonitorHandle> addKeyDownMonitor(
      std::function<bool(const KeyEvent&)> handler) override {
    const MonitorHandle handle = next_++;
    monitors_.emplace(handle, std::move(handler));
    return handle;
  }
  void removeMonitor(MonitorHandle handle) override { monitors_.erase(handle); }

 private:
  std::map<MonitorHandle, std::function<bool(const KeyEvent&)>> monitors_;
  MonitorHandle next_ = 1;
};

}  // namespace corvella::x11
