// AppDelegate: the application's logic between the shell and the core's
// services: the launch sequence, hot-key registration and pausing, the
// updater decided once, the status menu and its actions, and the settings
// window.
//
// The delegate lives in a std::shared_ptr (create()); every callback that
// long-lived objects keep (the store's onChange, setHotKeysPaused, the
// permission poll) holds it weakly, so none of them keeps it alive.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/app/core_services.h"
#include "core/app/menu_item.h"
#include "core/app/permission_poll.h"
#include "core/hotkeys/hot_key_target.h"
#include "core/ports/updater.h"
#include "core/settings/settings_window.h"

namespace corvella {

class AppDelegate : public std::enable_shared_from_this<AppDelegate> {
  struct Passkey {};

 public:
  static constexpr const char* statusSymbolName = "rectangle.split.3x1";
  static constexpr const char* statusAccessibilityDescription = "Corvella";
  static constexpr const char* feedURLKey = "SUFeedURL";

  static std::shared_ptr<AppDelegate> create(CoreServices& services);
  AppDelegate(Passkey, CoreServices& services);
  AppDelegate(const AppDelegate&) = delete;
  AppDelegate& operator=(const AppDelegate&) = delete;

  // --- Launch and lifecycle -----------------------------------------------
  // Once per process, when the shell's event loop has started: the hot-key
  // trigger, the first registration, the store's change reaction, the start
  // line, the status item, the updater, and the permission prompt and poll
  // when Accessibility is not yet allowed. A repeated call does nothing: a
  // second run would add a second status item and poll.
  void applicationDidFinishLaunching();
  // The twenty action shortcuts and every grid shortcut; logs and gives the
  // targets that failed.
  std::vector<HotKeyTarget> registerHotKeys();
  // The targets the last registration could not register, in binding order.
  const std::vector<HotKeyTarget>& refusedHotKeys() const { return refusedHotKeys_; }
  // true unregisters every hot key; false registers them again while this
  // delegate still exists, and does nothing once it is gone.
  std::function<void(bool)> makeSetHotKeysPaused();
  // Decided on the first call and never again: a started controller when a
  // feed address is configured and the platform has an updater, else null.
  std::shared_ptr<UpdaterController> updater();
  bool hasStatusItem() const { return statusItemCreated_; }
  // Where a desktop shows no status item (no tray on the screen): logs once
  // how the settings are reached instead. The shortcuts work regardless.
  void statusItemUnavailable();
  bool isWaitingForPermission() const { return permissionPoll_ && permissionPoll_->isWaiting(); }

  // --- Status menu ----------------------------------------------------------
  // The whole menu for the state at this moment (called each time it opens).
  std::vector<MenuItem> buildMenu();
  // Runs what a chosen item asks for. Gives false for the items that are the
  // shell's to carry out (terminate: and the first-responder commands).
  bool performMenuItem(const MenuItem& item);
  // Performs the action whose raw value is given; anything else does nothing.
  void runAction(const std::optional<std::string>& representedObject);
  // Applies the listed grid layout with this identifier; anything else does nothing.
  void runGrid(const std::optional<std::string>& representedObject);
  // Prompts for the permission (if missing) and opens its settings, whatever
  // the trust state.
  void openAccessibilitySettings();
  // Registers or unregisters the login item; a failure is logged with a beep.
  void toggleLogin();

  // --- Settings window ------------------------------------------------------
  void openSettings();
  // Absent until the first openSettings(); kept afterwards.
  SettingsWindow* settingsWindow() { return settingsWindow_ ? &*settingsWindow_ : nullptr; }

 private:
  CoreServices& services_;
  bool launched_ = false;
  bool statusItemCreated_ = false;
  bool statusItemUnavailableLogged_ = false;
  // Not yet decided; decided absent; decided present (never null then).
  std::optional<std::shared_ptr<UpdaterController>> updater_;
  bool feedConfigured_ = false;
  std::optional<PermissionPoll> permissionPoll_;
  std::optional<SettingsWindow> settingsWindow_;
  std::vector<HotKeyTarget> refusedHotKeys_;
};

}  // namespace corvella
