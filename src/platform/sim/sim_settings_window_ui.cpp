#include "platform/sim/sim_settings_window_ui.h"

namespace corvella::sim {

void SimSettingsWindowUI::createWindow(const std::string& title, std::uint64_t styleMask,
                                       std::function<void()> willClose) {
  desktop_.record(portCall(SimPort::settingsWindowUI, "createWindow", "\"" + title + "\"",
                           std::to_string(styleMask)));
  windows_.push_back({title, styleMask, false});
  willClose_ = std::move(willClose);
}

void SimSettingsWindowUI::makeKeyAndOrderFront() {
  desktop_.record(portCall(SimPort::settingsWindowUI, "makeKeyAndOrderFront"));
  ++makeKeyCalls_;
  if (!windows_.empty()) windows_.back().visible = true;
}

void SimSettingsWindowUI::orderFrontRegardless() {
  desktop_.record(portCall(SimPort::settingsWindowUI, "orderFrontRegardless"));
  ++orderFrontCalls_;
  if (!windows_.empty()) windows_.back().visible = true;
}

bool SimSettingsWindowUI::close() {
  if (!isVisible()) return false;
  // A copy: willClose may create a new window and replace the callback.
  if (auto willClose = willClose_) willClose();
  windows_.back().visible = false;
  return true;
}

}  // namespace corvella::sim
