// X11MainLoop: the MainQueue port and the process's one event loop, as the
// rest of the X11 shell sees it: posted work, repeating timers, the X
// connection's events and watched descriptors, all on one thread, with no
// wake-ups while idle. Two loops implement it: X11PollLoop sleeps in poll()
// (the headless daemon); the desktop's loop runs inside Qt's event loop.
#pragma once

#include <xcb/xcb.h>

#include <cstddef>
#include <functional>
#include <vector>

#include "core/ports/main_queue.h"
#include "platform/x11/x11_connection.h"

namespace corvella::x11 {

class X11MainLoop : public MainQueue {
 public:
  enum class Exit { stopped, connectionLost };
  using EventHandler = std::function<void(const xcb_generic_event_t&)>;

  explicit X11MainLoop(X11Connection& connection) : connection_(connection) {}
  X11MainLoop(const X11MainLoop&) = delete;
  X11MainLoop& operator=(const X11MainLoop&) = delete;

  // Runs after every posted work item and every timer tick: the end of one
  // piece of work.
  void addWorkEndedHandler(std::function<void()> handler);
  // Every X event goes to every handler, in the order they were added.
  void addEventHandler(EventHandler handler);
  // Calls readable whenever the descriptor can be read (a signal descriptor, ...).
  virtual void watch(int fileDescriptor, std::function<void()> readable) = 0;

  // Hands every event already received to the handlers; gives how many there were.
  std::size_t dispatchEvents();
  // Runs until stop() or until the X connection is lost.
  virtual Exit run() = 0;
  virtual void stop() = 0;

 protected:
  X11Connection& connection() { return connection_; }
  void endWork();

 private:
  X11Connection& connection_;
  std::vector<EventHandler> handlers_;
  std::vector<std::function<void()>> workEnded_;
};

}  // namespace corvella::x11
