// DesktopHarness: the desktop's interface (tray menu, settings window, key
// capture) on the core, over a fresh simulated platform with the log in
// memory. Menu choices go to the simulated main queue; the window
// a choice acts on is recorded as "focus N" for the Nth opening of the menu.
#pragma once

#include <QCoreApplication>
#include <sstream>
#include <string>
#include <vector>

#include "core/app/corvella.h"
#include "platform/qt/desktop_interface.h"
#include "platform/sim/sim_platform.h"

namespace corvella::testing_support {

class DesktopHarness {
 public:
  // defaults: the store's defaults (the simulated ones when none).
  explicit DesktopHarness(Defaults* defaults = nullptr,
                          qt::StatusTray::Retry retry = {.attempts = 1,
                                                         .intervalMilliseconds = 3600000})
      : desktop(retry), services(servicesWith(defaults ? *defaults : platform.defaults)) {
    desktop.attach(app, qt::DesktopInterface::Surroundings{
                            .mainQueue = platform.mainQueue,
                            .rememberFocus = [this]() -> std::function<void()> {
                              const std::string name = "focus " + std::to_string(++menuOpenings);
                              return [this, name] { events.push_back(name); };
                            },
                            .quit = [this] { events.push_back("quit"); },
                        });
  }
  ~DesktopHarness() { desktop.detach(); }

  AppDelegate& delegate() { return app.delegate(); }
  GridLayoutStore& store() { return app.services().gridLayoutStore(); }

  // Opens the settings window as the menu does and gives its grid page.
  qt::GridSettingsPage& openGridPage() {
    delegate().openSettings();
    return *desktop.settingsContent()->gridPage();
  }
  // Lets the page redraw (it does so on a later turn).
  static void settle() { QCoreApplication::processEvents(); }

  std::vector<std::string> logMessages() const {
    std::istringstream stream(platform.logLocation.fileText("/sim/Logs/Corvella.log").value_or(""));
    std::vector<std::string> messages;
    for (std::string line; std::getline(stream, line);) messages.push_back(line.substr(21));
    return messages;
  }

  sim::SimPlatform platform{"/sim/Logs"};
  qt::DesktopInterface desktop;
  PlatformServices services;
  Corvella app{services};
  int menuOpenings = 0;
  // What the menu's choices did to the platform around them, in order.
  std::vector<std::string> events;

 private:
  PlatformServices servicesWith(Defaults& defaults) {
    return replacingPorts(desktop.services(platform.services()), {.defaults = &defaults});
  }
};

}  // namespace corvella::testing_support
