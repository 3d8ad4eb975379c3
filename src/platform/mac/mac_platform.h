// MacPlatform: one instance of every macOS port adapter, owned by main() for
// the life of the process, and the PlatformServices bundle the core is built on.
#pragma once

#include "core/app/platform_services.h"
#include "platform/mac/mac_accessibility.h"
#include "platform/mac/mac_application_ui.h"
#include "platform/mac/mac_clock.h"
#include "platform/mac/mac_defaults.h"
#include "platform/mac/mac_hot_key_service.h"
#include "platform/mac/mac_key_event_monitor.h"
#include "platform/mac/mac_keyboard_layout.h"
#include "platform/mac/mac_localizer.h"
#include "platform/mac/mac_log_location.h"
#include "platform/mac/mac_login_item.h"
#include "platform/mac/mac_main_queue.h"
#include "platform/mac/mac_screens.h"
#include "platform/mac/mac_settings_window_ui.h"
#include "platform/mac/mac_sound.h"
#include "platform/mac/mac_updater.h"
#include "platform/mac/mac_workspace.h"

namespace corvella::mac {

struct MacPlatform {
  MacAccessibility accessibility;
  MacWorkspace workspace;
  MacScreens screens;
  MacSound sound;
  MacClock clock;
  MacLogLocation logLocation;
  MacHotKeyService hotKeyService;
  MacKeyboardLayout keyboardLayout;
  MacDefaults defaults;
  MacMainQueue mainQueue;
  MacLoginItem loginItem;
  MacUpdater updater;
  MacLocalizer localizer;
  MacKeyEventMonitor keyEventMonitor;
  MacApplicationUI applicationUI;
  MacSettingsWindowUI settingsWindowUI;

  PlatformServices services() {
    return PlatformServices{accessibility, workspace,       screens,       sound,
                            clock,         logLocation,     hotKeyService, keyboardLayout,
                            defaults,      mainQueue,       loginItem,     updater,
                            localizer,     keyEventMonitor, applicationUI, settingsWindowUI};
  }
};

}  // namespace corvella::mac
