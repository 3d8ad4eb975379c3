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

// Ports to put in place of a bundle's own; none keeps the bundle's.
struct PortReplacements {
  Defaults* defaults = nullptr;
  KeyEventMonitor* keyEventMonitor = nullptr;
  ApplicationUI* applicationUI = nullptr;
  SettingsWindowUI* settingsWindowUI = nullptr;
};

// The bundle with some ports replaced: a shell that draws the user interface
// over another shell's ports, or a test that keeps its defaults elsewhere.
PlatformServices replacingPorts(const PlatformServices& services,
                                const PortReplacements& replacements);

}  // namespace corvella
