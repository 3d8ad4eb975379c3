#include "platform/x11/x11_main_loop.h"

namespace corvella::x11 {

void X11MainLoop::addWorkEndedHandler(std::function<void()> handler) {
  workEnded_.push_back(std::move(handler));
}

void X11MainLoop::endWork() {
  for (const auto& handler : workEnded_) handler();
}

void X11MainLoop::addEventHandler(EventHandler handler) {
  handlers_.push_back(std::move(handler));
}

std::size_t X11MainLoop::dispatchEvents() {
  std::size_t count = 0;
  while (EventPtr event = connection_.nextEvent()) {
    for (const auto& handler : handlers_) handler(*event);
    ++count;
  }
  return count;
}

}  // namespace corvella::x11
