// SimSound: counts beeps on the desktop (SimDesktop::beeps).
#pragma once

#include "core/ports/sound.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

class SimSound final : public Sound {
 public:
  explicit SimSound(SimDesktop& desktop) : desktop_(desktop) {}
  void beep() override;

 private:
  SimDesktop& desktop_;
};

}  // namespace corvella::sim
