// MacMainQueue: work posted to the main dispatch queue; repeating NSTimers on
// the main run loop.
#pragma once

#include <map>

#include "core/ports/main_queue.h"

@class NSTimer;

namespace corvella::mac {

class MacMainQueue final : public MainQueue {
 public:
  MacMainQueue() = default;
  MacMainQueue(const MacMainQueue&) = delete;
  MacMainQueue& operator=(const MacMainQueue&) = delete;
  ~MacMainQueue() override;

  void post(std::function<void()> work) override;
  TimerID scheduleRepeating(double intervalSeconds, std::function<void()> tick) override;
  void invalidate(TimerID timer) override;

 private:
  std::map<TimerID, NSTimer*> timers_;
  TimerID nextTimer_ = 1;
};

}  // namespace corvella::mac
