#include "platform/sim/sim_clock.h"

namespace corvella::sim {

SimClock::TimePoint SimClock::defaultStart() {
  using namespace std::chrono;
  return sys_days{year{2026} / January / 2} + hours{3} + minutes{4} + seconds{5};
}

SimClock::TimePoint SimClock::now() {
  desktop_.record(portCall(SimPort::clock, "now"));
  return now_;
}

}  // namespace corvella::sim
