// Clock: the current time.
#pragma once

#include <chrono>

namespace corvella {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::system_clock::time_point now() = 0;
};

}  // namespace corvella
