#include "platform/sim/sim_platform.h"

namespace corvella::sim {

SimPlatform::SimPlatform(std::optional<std::filesystem::path> logsFolder)
    : accessibility(desktop),
      workspace(desktop),
      screens(desktop),
      sound(desktop),
      clock(desktop),
      logLocation(desktop, std::move(logsFolder)),
      hotKeyService(desktop),
      keyboardLayout(desktop),
      defaults(desktop),
      mainQueue(desktop, clock),
      loginItem(desktop),
      updater(desktop),
      localizer(desktop),
      keyEventMonitor(desktop),
      applicationUI(desktop),
      settingsWindowUI(desktop) {}

PlatformServices SimPlatform::services() {
  return PlatformServices{accessibility, workspace,       screens,       sound,
                          clock,         logLocation,     hotKeyService, keyboardLayout,
                          defaults,      mainQueue,       loginItem,     updater,
                          localizer,     keyEventMonitor, applicationUI, settingsWindowUI};
}

}  // namespace corvella::sim
