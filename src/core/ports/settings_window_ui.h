// SettingsWindowUI: the settings window the shell hosts. The core decides when
// it is created, its title and style, and the activation policy around it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace corvella {

class SettingsWindowUI {
 public:
  virtual ~SettingsWindowUI() = default;
  // Creates the window hosting the settings view: titled, with the style mask
  // (3: titled and closable), not released when closed, centred. willClose
  // runs on the main thread each time the window is about to close.
  virtual void createWindow(const std::string& title, std::uint64_t styleMask,
                            std::function<void()> willClose) = 0;
  virtual void makeKeyAndOrderFront() = 0;
  virtual void orderFrontRegardless() = 0;
};

}  // namespace corvella
