// SimScreens: the desktop's screens (SimDesktop::setScreens).
#pragma once

#include "core/ports/screens.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

class SimScreens final : public Screens {
 public:
  explicit SimScreens(SimDesktop& desktop) : desktop_(desktop) {}
  std::vector<PlatformScreen> screens() override;

 private:
  SimDesktop& desktop_;
};

}  // namespace corvella::sim
