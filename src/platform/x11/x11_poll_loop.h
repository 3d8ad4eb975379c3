// X11PollLoop: the main loop of the headless daemon. It sleeps in poll() on
// the X connection and any watched descriptor, waking only for events,
// posted work and due timers.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "platform/x11/x11_main_loop.h"

namespace corvella::x11 {

class X11PollLoop final : public X11MainLoop {
 public:
  explicit X11PollLoop(X11Connection& connection) : X11MainLoop(connection) {}

  void post(std::function<void()> work) override;
  TimerID scheduleRepeating(double intervalSeconds, std::function<void()> tick) override;
  void invalidate(TimerID timer) override;
  void watch(int fileDescriptor, std::function<void()> readable) override;
  Exit run() override;
  void stop() override { stopping_ = true; }

 private:
  using Clock = std::chrono::steady_clock;
  struct Timer {
    Clock::duration interval;
    Clock::time_point due;
    std::function<void()> tick;
  };

  void runPosted();
  void runDueTimers();
  int pollTimeoutMilliseconds() const;

  std::deque<std::function<void()>> posted_;
  std::map<TimerID, Timer> timers_;
  TimerID nextTimer_ = 1;
  std::vector<std::pair<int, std::function<void()>>> watched_;
  bool stopping_ = false;
};

}  // namespace corvella::x11
