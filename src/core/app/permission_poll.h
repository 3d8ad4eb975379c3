// PermissionPoll: waits for the user to allow Accessibility control after the
// launch prompt, checking every 2.0 seconds, and says so once in the log.
#pragma once

#include <optional>

#include "core/ports/main_queue.h"

namespace corvella {

class Accessibility;
class Log;

class PermissionPoll {
 public:
  static constexpr double intervalSeconds = 2.0;

  PermissionPoll(Accessibility& accessibility, MainQueue& mainQueue, Log& log);
  // A poll still waiting stops with its owner, so no tick outlives it.
  ~PermissionPoll();
  PermissionPoll(const PermissionPoll&) = delete;
  PermissionPoll& operator=(const PermissionPoll&) = delete;

  // Schedules the repeating check; it ticks without limit until trust is
  // seen, then stops for good and logs "권한 허용됨".
  void start();
  bool isWaiting() const { return timer_.has_value(); }

 private:
  void tick();

  Accessibility& accessibility_;
  MainQueue& mainQueue_;
  Log& log_;
  std::optional<TimerID> timer_;
};

}  // namespace corvella
