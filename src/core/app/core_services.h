// CoreServices: the one instance of each of the core's service objects, built
// over the platform's ports. The composition root creates one and hands it to
// the application delegate; nothing else creates these services.
#pragma once

#include <optional>

#include "core/actions/window_manager.h"
#include "core/app/log.h"
#include "core/app/platform_services.h"
#include "core/grids/grid_layout_store.h"
#include "core/hotkeys/hot_key_center.h"

namespace corvella {

class CoreServices {
 public:
  explicit CoreServices(const PlatformServices& platform);
  CoreServices(const CoreServices&) = delete;
  CoreServices& operator=(const CoreServices&) = delete;

  const PlatformServices& platform() const { return platform_; }
  Log& log() { return log_; }
  WindowManager& windowManager() { return windowManager_; }
  HotKeyCenter& hotKeyCenter() { return hotKeyCenter_; }
  // Created on the first call, which loads the stored layouts; the launch
  // sequence makes that call through its first hot-key registration.
  GridLayoutStore& gridLayoutStore();
  bool hasGridLayoutStore() const { return gridLayoutStore_.has_value(); }

 private:
  PlatformServices platform_;
  Log log_;
  WindowManager windowManager_;
  HotKeyCenter hotKeyCenter_;
  std::optional<GridLayoutStore> gridLayoutStore_;
};

}  // namespace corvella
