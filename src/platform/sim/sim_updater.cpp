#include "platform/sim/sim_updater.h"

namespace corvella::sim {

namespace {

class SimUpdaterController final : public UpdaterController {
 public:
  SimUpdaterController(SimDesktop& desktop, std::shared_ptr<SimUpdaterCounts> counts)
      : desktop_(desktop), counts_(std::move(counts)) {}

  void checkForUpdates() override {
    desktop_.record(portCall(SimPort::updater, "checkForUpdates"));
    ++counts_->updateChecks;
  }

 private:
  // The desktop outlives every controller in a test; the counts are shared
  // so they stay readable through the updater.
  SimDesktop& desktop_;
  std::shared_ptr<SimUpdaterCounts> counts_;
};

}  // namespace

std::optional<std::string> SimUpdater::bundleInfoString(const std::string& key) {
  desktop_.record(portCall(SimPort::updater, "bundleInfoString", key));
  auto found = info_.find(key);
  if (found == info_.end()) return std::nullopt;
  return found->second;
}

std::shared_ptr<UpdaterController> SimUpdater::makeStartedController() {
  desktop_.record(portCall(SimPort::updater, "makeStartedController"));
  if (!frameworkPresent_) return nullptr;
  ++counts_->controllersStarted;
  return std::make_shared<SimUpdaterController>(desktop_, counts_);
}

void SimUpdater::setBundleInfoString(const std::string& key, std::optional<std::string> value) {
  if (value) {
    info_.insert_or_assign(key, std::move(*value));
  } else {
    info_.erase(key);
  }
}

}  // namespace corvella::sim
