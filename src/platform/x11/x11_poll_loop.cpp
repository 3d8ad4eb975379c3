#include "platform/x11/x11_poll_loop.h"

#include <poll.h>

#include <algorithm>

#include "platform/x11/timer_interval.h"

namespace corvella::x11 {

void X11PollLoop::post(std::function<void()> work) {
  posted_.push_back(std::move(work));
}

TimerID X11PollLoop::scheduleRepeating(double intervalSeconds, std::function<void()> tick) {
  const auto interval = std::chrono::duration_cast<Clock::duration>(timerInterval(intervalSeconds));
  const TimerID id = nextTimer_++;
  timers_.emplace(id, Timer{interval, Clock::now() + interval, std::move(tick)});
  return id;
}

void X11PollLoop::invalidate(TimerID timer) {
  timers_.erase(timer);
}

void X11PollLoop::watch(int fileDescriptor, std::function<void()> readable) {
  watched_.emplace_back(fileDescriptor, std::move(readable));
}

X11PollLoop::Exit X11PollLoop::run() {
  stopping_ = false;
  while (!stopping_) {
    dispatchEvents();
    runPosted();
    runDueTimers();
    if (connection().broken()) return Exit::connectionLost;
    if (stopping_) break;
    // Work posted by events or timers runs before sleeping.
    if (!posted_.empty()) continue;
    connection().flush();
    // Events read while posted work or timers waited for replies are already
    // off the socket, where poll() would not see them.
    if (dispatchEvents() > 0) continue;
    std::vector<pollfd> descriptors{{connection().fileDescriptor(), POLLIN, 0}};
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

void X11PollLoop::runPosted() {
  // Work posted while these run waits for the next turn.
  std::deque<std::function<void()>> batch;
  batch.swap(posted_);
  for (auto& work : batch) {
    work();
    endWork();
  }
}

void X11PollLoop::runDueTimers() {
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

int X11PollLoop::pollTimeoutMilliseconds() const {
  if (timers_.empty()) return -1;
  auto next = std::min_element(timers_.begin(), timers_.end(), [](const auto& a, const auto& b) {
                return a.second.due < b.second.due;
              })->second.due;
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(wait, 0, 60 * 60 * 1000));
}

}  // namespace corvella::x11
