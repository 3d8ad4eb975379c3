#include "core/app/permission_poll.h"

#include "core/app/log.h"
#include "core/ports/accessibility.h"

namespace corvella {

PermissionPoll::PermissionPoll(Accessibility& accessibility, MainQueue& mainQueue, Log& log)
    : accessibility_(accessibility), mainQueue_(mainQueue), log_(log) {}

PermissionPoll::~PermissionPoll() {
  if (timer_) mainQueue_.invalidate(*timer_);
}

void PermissionPoll::start() {
  if (timer_) return;
  // The destructor invalidates the timer, so the tick never sees a dead poll.
  timer_ = mainQueue_.scheduleRepeating(intervalSeconds, [this] { tick(); });
}

void PermissionPoll::tick() {
  if (!timer_ || !accessibility_.isProcessTrusted()) return;
  const TimerID timer = *timer_;
  timer_.reset();
  mainQueue_.invalidate(timer);
  log_.log("권한 허용됨");
}

}  // namespace corvella
