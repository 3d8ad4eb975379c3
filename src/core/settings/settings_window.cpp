#include "core/settings/settings_window.h"

#include "core/ports/application_ui.h"
#include "core/ports/localizer.h"
#include "core/ports/settings_window_ui.h"

namespace corvella {

SettingsWindow::SettingsWindow(const SettingsWindowDependencies& dependencies,
                               std::function<void(bool)> setHotKeysPaused)
    : windowUI_(dependencies.windowUI),
      applicationUI_(dependencies.applicationUI),
      localizer_(dependencies.localizer),
      view_(std::move(setHotKeysPaused), dependencies.defaults, dependencies.localizer,
            dependencies.grids) {}

void SettingsWindow::open() {
  if (!created_) {
    // The closing window only hides; each close returns the application to
    // the menu bar, for the life of the process.
    ApplicationUI& applicationUI = applicationUI_;
    windowUI_.createWindow(localizer_.localized("Corvella Settings"), styleMask, [&applicationUI] {
      applicationUI.setActivationPolicy(ActivationPolicy::accessory);
    });
    created_ = true;
  }
  applicationUI_.setActivationPolicy(ActivationPolicy::regular);
  applicationUI_.activate();
  windowUI_.makeKeyAndOrderFront();
  windowUI_.orderFrontRegardless();
}

}  // namespace corvella
