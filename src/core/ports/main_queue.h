// MainQueue: work for a later turn of the main loop, and repeating timers.
#pragma once

#include <cstdint>
#include <functional>

namespace corvella {

using TimerID = std::uint64_t;

class MainQueue {
 public:
  virtual ~MainQueue() = default;
  // Runs the work on a later turn of the main loop, never inside this call.
  virtual void post(std::function<void()> work) = 0;
  // Calls tick every interval seconds until invalidated. Gives the timer's id.
  virtual TimerID scheduleRepeating(double intervalSeconds, std::function<void()> tick) = 0;
  virtual void invalidate(TimerID timer) = 0;
};

}  // namespace corvella
