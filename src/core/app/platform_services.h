// PlatformServices: one reference to each port, handed from a shell's
// composition root to the application.
#pragma once

#include "core/ports/accessibility.h"
#include "core/ports/application_ui.h"
#include "core/ports/clock.h"
#include "core/ports/defaults.h"
#include "core/ports/hot_key_service.h"
#include "core/ports/key_event_monitor.h"
#include "core/ports/keyboard_layout.h"
#include "core/ports/localizer.h"
#include "core/ports/log_location.h"
#include "core/ports/login_item.h"
#include "core/ports/main_queue.h"
#include "core/ports/screens.h"
#include "core/ports/settings_window_ui.h"
#include "core/ports/sound.h"
#include "core/ports/updater.h"
#include "core/ports/workspace.h"

namespace corvella {

struct PlatformServices {
  Accessibility& accessibility;
  Workspace& workspace;
  Screens& screens;
  Sound& sound;
  Clock& clock;
  LogLocation& logLocation;
  HotKeyService& hotKeyService;
  KeyboardLayout& keyboardLayout;
  Defaults& defaults;
  MainQueue& mainQueue;
  LoginItem& loginItem;
  Updater& updater;
  Localizer& localizer;
  KeyEventMonitor& keyEventMonitor;
  ApplicationUI& applicationUI;
  SettingsWindowUI& settingsWindowUI;
};

}  // namespace corvella
