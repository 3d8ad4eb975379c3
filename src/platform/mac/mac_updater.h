// MacUpdater: the update framework, loaded from the application bundle at run
// time. Nothing links against it, so a bundle without it runs without updates.
#pragma once

#include "core/ports/updater.h"

namespace corvella::mac {

class MacUpdater final : public Updater {
 public:
  std::optional<std::string> bundleInfoString(const std::string& key) override;
  std::shared_ptr<UpdaterController> makeStartedController() override;
};

}  // namespace corvella::mac
