#include "core/app/corvella.h"

namespace corvella {

Corvella::Corvella(const PlatformServices& platform)
    : services_(platform), delegate_(AppDelegate::create(services_)) {}

std::vector<MainMenuEntry> Corvella::prepareToRun() {
  services_.platform().applicationUI.setActivationPolicy(ActivationPolicy::accessory);
  return buildMainMenu(services_.platform().localizer);
}

}  // namespace corvella
