#include "platform/sim/sim_main_queue.h"

#include <algorithm>
#include <cmath>

namespace corvella::sim {

namespace {

constexpr double minimumIntervalSeconds = 0.0001;

std::chrono::system_clock::duration toDuration(double seconds) {
  // Rounded, so that 4.1 seconds are not a nanosecond short.
  return std::chrono::round<std::chrono::system_clock::duration>(
      std::chrono::duration<double>(seconds));
}

}  // namespace

void SimMainQueue::post(std::function<void()> work) {
  desktop_.record(portCall(SimPort::mainQueue, "post"));
  pending_.push_back(std::move(work));
}

TimerID SimMainQueue::scheduleRepeating(double intervalSeconds, std::function<void()> tick) {
  desktop_.record(portCall(SimPort::mainQueue, "scheduleRepeating", formatNumber(intervalSeconds)));
  const double seconds = std::isfinite(intervalSeconds)
                             ? std::max(intervalSeconds, minimumIntervalSeconds)
                             : minimumIntervalSeconds;
  const TimerID id = nextTimer_++;
  const auto interval = std::max(toDuration(seconds), std::chrono::system_clock::duration{1});
  timers_[id] = Timer{interval, clock_.current() + interval, std::move(tick), intervalSeconds};
  return id;
}

void SimMainQueue::invalidate(TimerID timer) {
  desktop_.record(portCall(SimPort::mainQueue, "invalidate", std::to_string(timer)));
  timers_.erase(timer);
}

std::size_t SimMainQueue::runPending() {
  std::size_t count = pending_.size();
  for (std::size_t i = 0; i < count; ++i) {
    std::function<void()> work = std::move(pending_.front());
    pending_.pop_front();
    if (work) work();
  }
  return count;
}

std::size_t SimMainQueue::runUntilIdle(std::size_t maxItems) {
  std::size_t ran = 0;
  while (!pending_.empty() && ran < maxItems) {
    std::function<void()> work = std::move(pending_.front());
    pending_.pop_front();
    ++ran;
    if (work) work();
  }
  return ran;
}

std::size_t SimMainQueue::advance(double seconds) {
  runUntilIdle();
  const auto end = clock_.current() + toDuration(std::max(seconds, 0.0));
  std::size_t ticks = 0;
  for (;;) {
    // The earliest due timer; ties go to the older timer (lower id).
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.due <= end && (next == timers_.end() || it->second.due < next->second.due)) {
        next = it;
      }
    }
    if (next == timers_.end()) break;
    clock_.set(next->second.due);
    next->second.due += next->second.interval;
    // A copy: the tick may invalidate its own timer.
    std::function<void()> tick = next->second.tick;
    ++ticks;
    if (tick) tick();
    runUntilIdle();
  }
  clock_.set(end);
  return ticks;
}

double SimMainQueue::interval(TimerID timer) const {
  auto found = timers_.find(timer);
  return found == timers_.end() ? 0 : found->second.requestedSeconds;
}

}  // namespace corvella::sim
