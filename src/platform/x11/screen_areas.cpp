#include "platform/x11/screen_areas.h"

#include <algorithm>

namespace corvella::x11 {
namespace {

enum StrutIndex {
  left,
  right,
  top,
  bottom,
  leftStartY,
  leftEndY,
  rightStartY,
  rightEndY,
  topStartX,
  topEndX,
  bottomStartX,
  bottomEndX
};

// Whether the band [start, end] (inclusive, as struts give it) and
// [low, high) share more than an edge.
bool overlaps(double start, double end, double low, double high) {
  return start < high && end + 1 > low;
}

}  // namespace

Rect visibleArea(const MonitorRect& monitor, const std::vector<Strut>& struts,
                 std::uint32_t rootWidth, std::uint32_t rootHeight) {
  double minX = monitor.x;
  double minY = monitor.y;
  double maxX = minX + monitor.width;
  double maxY = minY + monitor.height;
  const double monitorMinX = minX, monitorMaxX = maxX, monitorMinY = minY, monitorMaxY = maxY;
  for (const Strut& strut : struts) {
    if (strut[left] > 0 && strut[left] > monitorMinX &&
        overlaps(strut[leftStartY], strut[leftEndY], monitorMinY, monitorMaxY)) {
      minX = std::max(minX, static_cast<double>(strut[left]));
    }
    const double rightEdge = static_cast<double>(rootWidth) - strut[right];
    if (strut[right] > 0 && rightEdge < monitorMaxX &&
        overlaps(strut[rightStartY], strut[rightEndY], monitorMinY, monitorMaxY)) {
      maxX = std::min(maxX, rightEdge);
    }
    if (strut[top] > 0 && strut[top] > monitorMinY &&
        overlaps(strut[topStartX], strut[topEndX], monitorMinX, monitorMaxX)) {
      minY = std::max(minY, static_cast<double>(strut[top]));
    }
    const double bottomEdge = static_cast<double>(rootHeight) - strut[bottom];
    if (strut[bottom] > 0 && bottomEdge < monitorMaxY &&
        overlaps(strut[bottomStartX], strut[bottomEndX], monitorMinX, monitorMaxX)) {
      maxY = std::min(maxY, bottomEdge);
    }
  }
  // A strut that swallows the monitor leaves an empty area, never a negative one.
  maxX = std::max(maxX, minX);
  maxY = std::max(maxY, minY);
  return Rect{minX, minY, maxX - minX, maxY - minY};
}

std::vector<PlatformScreen> platformScreens(const std::vector<MonitorRect>& monitors,
                                            const std::vector<Rect>& visibleAreas) {
  std::vector<PlatformScreen> screens;
  if (monitors.empty()) return screens;
  const MonitorRect& primary = monitors.front();
  const double primaryHeight = primary.height;
  auto toPlatform = [&](const Rect& area) {
    const double coreY = area.y - primary.y;
    return Rect{area.x - primary.x, primaryHeight - (coreY + area.height), area.width, area.height};
  };
  for (std::size_t i = 0; i < monitors.size() && i < visibleAreas.size(); ++i) {
    const MonitorRect& monitor = monitors[i];
    Rect full{static_cast<double>(monitor.x), static_cast<double>(monitor.y),
              static_cast<double>(monitor.width), static_cast<double>(monitor.height)};
    screens.push_back(PlatformScreen{toPlatform(full), toPlatform(visibleAreas[i])});
  }
  return screens;
}

}  // namespace corvella::x11
