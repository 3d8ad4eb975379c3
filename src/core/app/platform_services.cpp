#include "core/app/platform_services.h"

namespace corvella {

PlatformServices replacingPorts(const PlatformServices& services,
                                const PortReplacements& replacements) {
  auto either = []<typename Port>(Port* replacement, Port& own) -> Port& {
    return replacement ? *replacement : own;
  };
  return PlatformServices{
      .accessibility = services.accessibility,
      .workspace = services.workspace,
      .screens = services.screens,
      .sound = services.sound,
      .clock = services.clock,
      .logLocation = services.logLocation,
      .hotKeyService = services.hotKeyService,
      .keyboardLayout = services.keyboardLayout,
      .defaults = either(replacements.defaults, services.defaults),
      .mainQueue = services.mainQueue,
      .loginItem = services.loginItem,
      .updater = services.updater,
      .localizer = services.localizer,
      .keyEventMonitor = either(replacements.keyEventMonitor, services.keyEventMonitor),
      .applicationUI = either(replacements.applicationUI, services.applicationUI),
      .settingsWindowUI = either(replacements.settingsWindowUI, services.settingsWindowUI),
  };
}

}  // namespace corvella
