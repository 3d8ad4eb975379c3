// SettingsWindow: the program's one ordinary window. Its platform window is
// created on the first open() and kept, hidden, after it closes; while it is
// shown the application is a regular application (Dock icon, main menu), and
// it turns back into an accessory application when the window closes.
#pragma once

#include <cstdint>
#include <functional>

#include "core/grids/grid_settings_model.h"
#include "core/settings/settings_view.h"

namespace corvella {

class ApplicationUI;
class Defaults;
class Localizer;
class SettingsWindowUI;

struct SettingsWindowDependencies {
  SettingsWindowUI& windowUI;
  ApplicationUI& applicationUI;
  Localizer& localizer;
  Defaults& defaults;
  GridSettingsDependencies grids;
};

class SettingsWindow {
 public:
  // Titled and closable only: no resizing, no minimizing.
  static constexpr std::uint64_t styleMask = 3;

  // Builds the root view; the platform window follows at the first open(),
  // so a shell creating it can already reach view().
  SettingsWindow(const SettingsWindowDependencies& dependencies,
                 std::function<void(bool)> setHotKeysPaused);
  SettingsWindow(const SettingsWindow&) = delete;
  SettingsWindow& operator=(const SettingsWindow&) = delete;

  // Creates the platform window the first time, then makes the application
  // regular, activates it and brings the window to the front.
  void open();
  bool isCreated() const { return created_; }
  SettingsView& view() { return view_; }

 private:
  SettingsWindowUI& windowUI_;
  ApplicationUI& applicationUI_;
  Localizer& localizer_;
  SettingsView view_;
  bool created_ = false;
};

}  // namespace corvella
