// SimSettingsWindowUI: records the settings windows created and how they
// are brought forward, and lets a test close the window as the user would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/ports/settings_window_ui.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

struct SimSettingsWindow {
  std::string title;
  std::uint64_t styleMask = 0;
  bool visible = false;
};

class SimSettingsWindowUI final : public SettingsWindowUI {
 public:
  explicit SimSettingsWindowUI(SimDesktop& desktop) : desktop_(desktop) {}

  void createWindow(const std::string& title, std::uint64_t styleMask,
                    std::function<void()> willClose) override;
  void makeKeyAndOrderFront() override;
  void orderFrontRegardless() override;

  // The user closes the last created window: willClose runs (before the
  // window is hidden). Gives false when no window is visible.
  bool close();

  const std::vector<SimSettingsWindow>& windows() const { return windows_; }
  bool isVisible() const { return !windows_.empty() && windows_.back().visible; }
  std::size_t makeKeyAndOrderFrontCount() const { return makeKeyCalls_; }
  std::size_t orderFrontRegardlessCount() const { return orderFrontCalls_; }

 private:
  SimDesktop& desktop_;
  std::vector<SimSettingsWindow> windows_;
  std::function<void()> willClose_;
  std::size_t makeKeyCalls_ = 0;
  std::size_t orderFrontCalls_ = 0;
};

}  // namespace corvella::sim
