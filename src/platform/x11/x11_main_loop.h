// X11MainLoop: the MainQueue port and the process's one event loop. It sleeps
// in poll() on the X connection and any watched descriptor, waking only for
// events, posted work and due timers: no wake-ups while idle.
#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "core/ports/main_queue.h"
#include "platform/x11/x11_connection.h"

namespace corvella::x11 {

class X11MainLoop final : public MainQueue {
 public:
  enum class Exit { stopped, connectionLost };
  using EventHandler = std::function<void(const xcb_generic_event_t&)>;

  explicit X11MainLoop(X11Connection& connection) : connection_(connection) {}

  void post(std::function<void()> work) override;
  TimerID scheduleRepeating(double intervalSeconds, std::function<void()> tick) override;
  void invalidate(TimerID timer) override;

  // Runs after every posted work item and every timer tick: the end of one
  // piece of work.
  void addWorkEndedHandler(std::function<void()> handler);
  // Every X event goes to every handler, in the order they were added.
  void addEventHandler(EventHandler handler);
  // Calls readable whenever the descriptor can be read (a signal descriptor, ...).
  void watch(int fileDescriptor, std::function<void()> readable);

  // Hands every event already received to the handlers; gives how many there were.
  std::size_t dispatchEvents();
  // Runs until stop() or until the X connection is lost.
  Exit run();
  void stop() { stopping_ = true; }

 private:
  using Clock = std::chrono::steady_clock;
  struct Timer {
    Clock::duration interval;
    Clock::time_point due;
    std::function<void()> tick;
  };

  void runPosted();
  void runDueTimers();
  void endWork();
  int pollTimeoutMilliseconds() const;

  X11Connection& connection_;
  std::deque<std::function<void()>> posted_;
  std::map<TimerID, Timer> timers_;
  TimerID nextTimer_ = 1;
  std::vector<EventHandler> handlers_;
  std::vector<std::function<void()>> workEnded_;
  std::vector<std::pair<int, std::function<void()>>> watched_;
  bool stopping_ = false;
};

}  // namespace corvella::x11
