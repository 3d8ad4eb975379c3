// SimUpdater: bundle information strings and an updater framework that is
// present (the default) or missing. Controllers count their starts and
// update checks on counters shared with the updater, so they may outlive it.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/ports/updater.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

struct SimUpdaterCounts {
  std::size_t controllersStarted = 0;
  std::size_t updateChecks = 0;
};

class SimUpdater final : public Updater {
 public:
  explicit SimUpdater(SimDesktop& desktop)
      : desktop_(desktop), counts_(std::make_shared<SimUpdaterCounts>()) {}

  std::optional<std::string> bundleInfoString(const std::string& key) override;
  std::shared_ptr<UpdaterController> makeStartedController() override;

  // Absent removes the key.
  void setBundleInfoString(const std::string& key, std::optional<std::string> value);
  void setFrameworkPresent(bool present) { frameworkPresent_ = present; }

  std::size_t controllersStarted() const { return counts_->controllersStarted; }
  std::size_t updateChecks() const { return counts_->updateChecks; }

 private:
  SimDesktop& desktop_;
  std::map<std::string, std::string> info_;
  bool frameworkPresent_ = true;
  std::shared_ptr<SimUpdaterCounts> counts_;
};

}  // namespace corvella::sim
