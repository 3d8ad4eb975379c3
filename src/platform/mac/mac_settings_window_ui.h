// MacSettingsWindowUI: the NSWindow that hosts the settings view.
#pragma once

#import <AppKit/AppKit.h>

#include "core/ports/settings_window_ui.h"

namespace corvella::mac {

class MacSettingsWindowUI final : public SettingsWindowUI {
 public:
  MacSettingsWindowUI() = default;
  MacSettingsWindowUI(const MacSettingsWindowUI&) = delete;
  MacSettingsWindowUI& operator=(const MacSettingsWindowUI&) = delete;
  ~MacSettingsWindowUI() override;

  // Makes the window's content the first time it is created; the settings
  // models it draws exist only once the core has built them.
  void setContentFactory(std::function<NSViewController*()> makeContent) {
    makeContent_ = std::move(makeContent);
  }

  void createWindow(const std::string& title, std::uint64_t styleMask,
                    std::function<void()> willClose) override;
  void makeKeyAndOrderFront() override;
  void orderFrontRegardless() override;

 private:
  std::function<NSViewController*()> makeContent_;
  NSWindow* window_ = nil;
  id closeObserver_ = nil;
};

}  // namespace corvella::mac
