#include "core/app/core_services.h"

namespace corvella {

CoreServices::CoreServices(const PlatformServices& platform)
    : platform_(platform),
      log_(platform.clock, platform.logLocation),
      windowManager_(platform.accessibility, platform.workspace, platform.screens, platform.sound,
                     log_),
      hotKeyCenter_(platform.hotKeyService, platform.mainQueue) {}

GridLayoutStore& CoreServices::gridLayoutStore() {
  if (!gridLayoutStore_) gridLayoutStore_.emplace(platform_.defaults);
  return *gridLayoutStore_;
}

}  // namespace corvella
