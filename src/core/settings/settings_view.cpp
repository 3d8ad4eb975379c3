#include "core/settings/settings_view.h"

#include "core/ports/defaults.h"
#include "core/ports/localizer.h"

namespace corvella {

SettingsView::SettingsView(std::function<void(bool)> setHotKeysPaused, Defaults& defaults,
                           Localizer& localizer, const GridSettingsDependencies& grids)
    : setHotKeysPaused_(std::move(setHotKeysPaused)),
      defaults_(defaults),
      localizer_(localizer),
      grids_(grids, setHotKeysPaused_) {}

std::string SettingsView::tab() const {
  return defaults_.string(tabKey).value_or(std::string(gridsTab));
}

void SettingsView::setTab(const std::string& tag) {
  defaults_.setString(tabKey, tag);
}

std::vector<SettingsTab> SettingsView::tabs() const {
  return {SettingsTab{.tag = std::string(gridsTab), .label = localizer_.localized("Grids")}};
}

}  // namespace corvella
