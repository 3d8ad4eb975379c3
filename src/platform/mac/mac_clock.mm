#include "platform/mac/mac_clock.h"

#import <Foundation/Foundation.h>

namespace corvella::mac {

std::chrono::system_clock::time_point MacClock::now() {
  const std::chrono::duration<double> sinceEpoch(NSDate.date.timeIntervalSince1970);
  return std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(sinceEpoch));
}

}  // namespace corvella::mac
