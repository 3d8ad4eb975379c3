// SettingsView: the settings window's root as data: its tabs, the selected
// tab remembered in the defaults, and the grid tab's model, which receives
// the callback that pauses and resumes the hot keys.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/grids/grid_settings_model.h"

namespace corvella {

class Defaults;
class Localizer;

struct SettingsTab {
  std::string tag{};    // "grids"
  std::string label{};  // localized "Grids"
  friend bool operator==(const SettingsTab&, const SettingsTab&) = default;
};

class SettingsView {
 public:
  static constexpr std::string_view tabKey = "settingsTab";
  static constexpr std::string_view gridsTab = "grids";
  // Fixed width of the view and the tab view's inset from the top, in points;
  // the height follows the content.
  static constexpr double width = 620;
  static constexpr double topInset = 8;

  SettingsView(std::function<void(bool)> setHotKeysPaused, Defaults& defaults, Localizer& localizer,
               const GridSettingsDependencies& grids);
  SettingsView(const SettingsView&) = delete;
  SettingsView& operator=(const SettingsView&) = delete;

  // true unregisters every hot key; false registers them all again.
  const std::function<void(bool)>& setHotKeysPaused() const { return setHotKeysPaused_; }

  // The selected tab's tag, "grids" when none is stored.
  std::string tab() const;
  void setTab(const std::string& tag);
  std::vector<SettingsTab> tabs() const;

  GridSettingsModel& grids() { return grids_; }

 private:
  std::function<void(bool)> setHotKeysPaused_;
  Defaults& defaults_;
  Localizer& localizer_;
  GridSettingsModel grids_;
};

}  // namespace corvella
