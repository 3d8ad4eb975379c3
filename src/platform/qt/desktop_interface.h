// DesktopInterface: the desktop's user interface for an application: the
// tray icon with the status menu, the settings window and the key capture of
// the shortcut recorder, as ports, and their wiring to the application. It
// needs a Qt application object but does not own one (DesktopShell does; the
// tests bring their own).
#pragma once

#include <QPointer>
#include <functional>
#include <optional>

#include "core/app/corvella.h"
#include "platform/qt/qt_application_ui.h"
#include "platform/qt/qt_key_event_monitor.h"
#include "platform/qt/qt_settings_window_ui.h"
#include "platform/qt/settings_view_widget.h"
#include "platform/qt/status_tray.h"

namespace corvella::qt {

class DesktopInterface {
 public:
  // What a menu choice needs from the platform around it.
  struct Surroundings {
    // Posted work; a choice runs on a later turn, once the menu has closed.
    MainQueue& mainQueue;
    // Called as the menu opens: remembers the focused window and gives what
    // makes the choice's work act on it.
    std::function<std::function<void()>()> rememberFocus;
    // Ends the main loop (the menu's Quit).
    std::function<void()> quit;
  };

  explicit DesktopInterface(StatusTray::Retry retry = {});
  ~DesktopInterface();
  DesktopInterface(const DesktopInterface&) = delete;
  DesktopInterface& operator=(const DesktopInterface&) = delete;

  // The given ports with this interface's in place of the application UI, the
  // settings window and the key event monitor.
  PlatformServices services(const PlatformServices& base);
  void attach(Corvella& app, Surroundings surroundings);
  // Before the application goes: the settings window observes its store.
  void detach();
  // On the next turn of the main loop.
  void openSettings();

  StatusTray& tray() { return tray_; }
  QtSettingsWindowUI& settingsWindowUI() { return settingsWindowUI_; }
  QtKeyEventMonitor& keyEventMonitor() { return keyEventMonitor_; }
  // The settings window's content, once the core has opened it.
  SettingsViewWidget* settingsContent() { return settingsContent_; }

 private:
  std::vector<MenuItem> buildMenu();
  void choose(const MenuItem& item);

  QtKeyEventMonitor keyEventMonitor_;
  StatusTray tray_;
  QtApplicationUI applicationUI_;
  QtSettingsWindowUI settingsWindowUI_;
  QPointer<SettingsViewWidget> settingsContent_;
  Corvella* app_ = nullptr;
  std::optional<Surroundings> surroundings_;
  std::function<void()> actOnRememberedFocus_;
};

}  // namespace corvella::qt
