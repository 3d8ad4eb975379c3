// MacClock: the system's current time.
#pragma once

#include "core/ports/clock.h"

namespace corvella::mac {

class MacClock final : public Clock {
 public:
  std::chrono::system_clock::time_point now() override;
};

}  // namespace corvella::mac
