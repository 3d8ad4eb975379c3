// SimClock: a manual clock. Time moves only when a test sets or advances it
// (SimMainQueue::advance moves it too, firing timers on the way).
#pragma once

#include <chrono>

#include "core/ports/clock.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

class SimClock final : public Clock {
 public:
  using TimePoint = std::chrono::system_clock::time_point;

  // 2026-01-02T03:04:05Z, so that log stamps in tests are fixed.
  static TimePoint defaultStart();

  explicit SimClock(SimDesktop& desktop) : desktop_(desktop), now_(defaultStart()) {}

  TimePoint now() override;

  void set(TimePoint time) { now_ = time; }
  void advance(std::chrono::system_clock::duration by) { now_ += by; }
  // The current time without recording a call.
  TimePoint current() const { return now_; }

 private:
  SimDesktop& desktop_;
  TimePoint now_;
};

}  // namespace corvella::sim
