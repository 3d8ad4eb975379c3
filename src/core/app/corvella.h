// Corvella: the application assembled over a shell's ports, what a shell's
// main() builds:
//
//   corvella::Corvella app(platform.services());
//   install(app.prepareToRun());                  // accessory policy; main menu
//   ... when the event loop has started:
//   app.delegate().applicationDidFinishLaunching();
//   ... run the loop; status menu: app.delegate().buildMenu() on each opening,
//   app.delegate().performMenuItem(chosen) on a choice.
#pragma once

#include <memory>
#include <vector>

#include "core/app/app_delegate.h"
#include "core/app/core_services.h"
#include "core/app/main_menu.h"
#include "core/app/platform_services.h"

namespace corvella {

class Corvella {
 public:
  explicit Corvella(const PlatformServices& platform);
  Corvella(const Corvella&) = delete;
  Corvella& operator=(const Corvella&) = delete;

  // Before the event loop: makes the application an accessory (no Dock icon)
  // and gives the main menu for the shell to install.
  std::vector<MainMenuEntry> prepareToRun();

  CoreServices& services() { return services_; }
  AppDelegate& delegate() { return *delegate_; }

 private:
  // Declared first so that it outlives the delegate, whose callbacks reach it.
  CoreServices services_;
  std::shared_ptr<AppDelegate> delegate_;
};

}  // namespace corvella
