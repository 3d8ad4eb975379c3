// SimPlatform: one simulated desktop with one of each simulated port, ready
// to hand to the core as PlatformServices. Tests reach the desktop and each
// port directly through the public members.
//
//   sim::SimPlatform platform(tempFolder);
//   platform.desktop.addApplication(7, "Notes");
//   auto w = platform.desktop.addWindow(7, {100, 100, 800, 600}, "Draft");
//   platform.desktop.setFrontmostApplication(7);
//   WindowAccess access(platform.accessibility, platform.workspace);
#pragma once

#include <filesystem>
#include <optional>

#include "core/app/platform_services.h"
#include "platform/sim/sim_accessibility.h"
#include "platform/sim/sim_application_ui.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_defaults.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_hot_key_service.h"
#include "platform/sim/sim_key_event_monitor.h"
#include "platform/sim/sim_keyboard_layout.h"
#include "platform/sim/sim_localizer.h"
#include "platform/sim/sim_log_location.h"
#include "platform/sim/sim_login_item.h"
#include "platform/sim/sim_main_queue.h"
#include "platform/sim/sim_screen_arrangements.h"
#include "platform/sim/sim_screens.h"
#include "platform/sim/sim_settings_window_ui.h"
#include "platform/sim/sim_sound.h"
#include "platform/sim/sim_updater.h"
#include "platform/sim/sim_workspace.h"

namespace corvella::sim {

class SimPlatform {
 public:
  // logsFolder is what LogLocation gives (absent: no folder at all).
  explicit SimPlatform(std::optional<std::filesystem::path> logsFolder = {});
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  // References to the ports below, valid as long as this platform.
  PlatformServices services();

  SimDesktop desktop;
  SimAccessibility accessibility;
  SimWorkspace workspace;
  SimScreens screens;
  SimSound sound;
  SimClock clock;
  SimLogLocation logLocation;
  SimHotKeyService hotKeyService;
  SimKeyboardLayout keyboardLayout;
  SimDefaults defaults;
  SimMainQueue mainQueue;
  SimLoginItem loginItem;
  SimUpdater updater;
  SimLocalizer localizer;
  SimKeyEventMonitor keyEventMonitor;
  SimApplicationUI applicationUI;
  SimSettingsWindowUI settingsWindowUI;
};

}  // namespace corvella::sim
