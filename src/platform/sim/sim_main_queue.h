// SimMainQueue: a manual main loop. post() only queues; runPending() and
// runUntilIdle() run the queued work; advance() moves the clock, firing each
// repeating timer as its time comes (in time order, then creation order) and
// running posted work before and after each tick, as a real main loop would.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>

#include "core/ports/main_queue.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

class SimMainQueue final : public MainQueue {
 public:
  SimMainQueue(SimDesktop& desktop, SimClock& clock) : desktop_(desktop), clock_(clock) {}

  void post(std::function<void()> work) override;
  // Intervals below 0.1 ms are raised to it, as the real timer does.
  TimerID scheduleRepeating(double intervalSeconds, std::function<void()> tick) override;
  void invalidate(TimerID timer) override;

  // Runs the work queued before this call (work it posts waits for the next
  // turn). Gives how many items ran.
  std::size_t runPending();
  // Runs queued work until none is left (at most maxItems, against work that
  // posts itself forever). Gives how many items ran.
  std::size_t runUntilIdle(std::size_t maxItems = 100000);
  // Moves the clock forward by seconds, firing due timers on the way. Gives
  // how many ticks ran.
  std::size_t advance(double seconds);

  std::size_t pendingCount() const { return pending_.size(); }
  std::size_t activeTimerCount() const { return timers_.size(); }
  bool isActive(TimerID timer) const { return timers_.contains(timer); }
  // The interval a live timer was scheduled with.
  double interval(TimerID timer) const;

 private:
  struct Timer {
    std::chrono::system_clock::duration interval;
    std::chrono::system_clock::time_point due;
    std::function<void()> tick;
    double requestedSeconds = 0;
  };

  SimDesktop& desktop_;
  SimClock& clock_;
  std::deque<std::function<void()>> pending_;
  std::map<TimerID, Timer> timers_;
  TimerID nextTimer_ = 1;
};

}  // namespace corvella::sim
