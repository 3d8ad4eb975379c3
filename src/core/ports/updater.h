// Updater: the optional update checker, created only when a feed is configured.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace corvella {

class UpdaterController {
 public:
  virtual ~UpdaterController() = default;
  virtual void checkForUpdates() = 0;
};

class Updater {
 public:
  virtual ~Updater() = default;
  // The bundle's information-dictionary value for key, when it is a string.
  virtual std::optional<std::string> bundleInfoString(const std::string& key) = 0;
  // Creates the standard controller, started. Absent where the platform has
  // no updater (the framework is not in the bundle, or none exists).
  virtual std::shared_ptr<UpdaterController> makeStartedController() = 0;
};

}  // namespace corvella
