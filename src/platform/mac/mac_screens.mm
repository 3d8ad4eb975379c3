#include "platform/mac/mac_screens.h"

#import <AppKit/AppKit.h>

namespace corvella::mac {
namespace {
Rect toRect(NSRect rect) {
  return {rect.origin.x, rect.origin.y, rect.size.width, rect.size.height};
}
}  // namespace

std::vector<PlatformScreen> MacScreens::screens() {
  std::vector<PlatformScreen> result;
  for (NSScreen* screen in NSScreen.screens) {
    result.push_back({toRect(screen.frame), toRect(screen.visibleFrame)});
  }
  return result;
}

}  // namespace corvella::mac
