#include "platform/sim/sim_sound.h"

namespace corvella::sim {

void SimSound::beep() {
  desktop_.record(portCall(SimPort::sound, "beep"));
  desktop_.recordBeep();
}

}  // namespace corvella::sim
