#include "platform/sim/sim_screens.h"

namespace corvella::sim {

std::vector<PlatformScreen> SimScreens::screens() {
  desktop_.record(portCall(SimPort::screens, "screens"));
  return desktop_.screens();
}

}  // namespace corvella::sim
