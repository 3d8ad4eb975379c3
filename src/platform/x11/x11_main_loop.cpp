#include "platform/x11/x11_main_loop.h"

#include <poll.h>

#include <algorithm>
#include <cmath>

namespace corvella::x11 {
namespace {

// Shorter intervals would keep the loop spinning.
constexpr double shortestInterval = 0.0001;

}  // namespace

void X11MainLoop::post(std::function<void()> work) {
  posted_.push_back(std::move(work));
}

TimerID X11MainLoop::scheduleRepeating(double intervalSeconds, std::function<void()> tick) {
  if (!std::isfinite(intervalSeconds) || intervalSeconds < shortestInterval) {
    intervalSeconds = shortestInterval;
  }
  const auto interval =
      std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(intervalSeconds));
  const TimerID id = nextTimer_++;
  timers_.emplace(id, Timer{interval, Clock::now() + interval, std::move(tick)});
  return id;
}

void X11MainLoop::invalidate(TimerID timer) {
  timers_.erase(timer);
}

void X11MainLoop::addWorkEndedHandler(std::function<void()> handler) {
  workEnded_.push_back(std::move(handler));
}

void X11MainLoop::endWork() {
  for (const auto& handler : workEnded_) handler();
}

void X11MainLoop::addEventHandler(EventHandler handler) {
  handlers_.push_back(std::move(handler));
}

void X11MainLoop::watch(int fileDescriptor, std::function<void()> readable) {
  watched_.emplace_back(fileDescriptor, std::move(readable));
}

X11MainLoop::Exit X11MainLoop::run() {
  stopping_ = false;
  while (!stopping_) {
    dispatchEvents();
    runPosted();
    runDueTimers();
    if (connection_.broken()) return Exit::connectionLost;
    if (stopping_) break;
    // Work posted by events or timers runs before sleeping.
    if (!posted_.empty()) continue;
    connection_.flush();
    // Events read while posted work or timers waited for replies are already
    // off the socket, where poll() would not see them.
    if (dispatchEvents() > 0) continue;
    std::vector<pollfd> descriptors{{connection_.fileDescriptor(), POLLIN, 0}};
    for (const auto& [descriptor, readable] : watched_) {
      descriptors.push_back({descriptor, POLLIN, 0});
    }
    ::poll(descriptors.data(), descriptors.size(), pollTimeoutMilliseconds());
    for (std::size_t i = 1; i < descriptors.size(); ++i) {
      if (descriptors[i].revents & POLLIN) watched_[i - 1].second();
    }
  }
  return Exit::stopped;
}

std::size_t X11MainLoop::dispatchEvents() {
  std::size_t count = 0;
  while (EventPtr event = connection_.nextEvent()) {
    for (const auto& handler : handlers_) handler(*event);
    ++count;
  }
  return count;
}

void X11MainLoop::runPosted() {
  // Work posted while these run waits for the next turn.
  std::deque<std::function<void()>> batch;
  batch.swap(posted_);
  for (auto& work : batch) {
    work();
    endWork();
  }
}

void X11MainLoop::runDueTimers() {
  const auto now = Clock::now();
  std::vector<TimerID> due;
  for (const auto& [id, timer] : timers_) {
    if (timer.due <= now) due.push_back(id);
  }
  for (TimerID id : due) {
    auto timer = timers_.find(id);
    if (timer == timers_.end()) continue;  // invalidated by an earlier tick
    timer->second.due = now + timer->second.interval;
    auto tick = timer->second.tick;  // the tick may invalidate its own timer
    tick();
    endWork();
  }
}

int X11MainLoop::pollTimeoutMilliseconds() const {
  if (timers_.empty()) return -1;
  auto next = std::min_element(timers_.begin(), timers_.end(), [](const auto& a, const auto& b) {
                return a.second.due < b.second.due;
              })->second.due;
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(wait, 0, 60 * 60 * 1000));
}

}  // namespace corvella::x11
