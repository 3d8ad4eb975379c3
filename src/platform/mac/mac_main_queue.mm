#include "platform/mac/mac_main_queue.h"

#import <Foundation/Foundation.h>

namespace corvella::mac {

MacMainQueue::~MacMainQueue() {
  for (auto& [id, timer] : timers_) [timer invalidate];
}

void MacMainQueue::post(std::function<void()> work) {
  dispatch_async(dispatch_get_main_queue(), ^{
    work();
  });
}

TimerID MacMainQueue::scheduleRepeating(double intervalSeconds, std::function<void()> tick) {
  const TimerID id = nextTimer_++;
  timers_[id] = [NSTimer scheduledTimerWithTimeInterval:intervalSeconds
                                                repeats:YES
                                                  block:^(NSTimer*) {
                                                    tick();
                                                  }];
  return id;
}

void MacMainQueue::invalidate(TimerID timer) {
  auto found = timers_.find(timer);
  if (found == timers_.end()) return;
  // The run loop keeps a firing timer alive, so a tick may invalidate its own timer.
  [found->second invalidate];
  timers_.erase(found);
}

}  // namespace corvella::mac
