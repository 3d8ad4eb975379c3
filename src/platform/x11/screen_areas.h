// Screen areas: the arithmetic that turns monitors and the struts of dock
// windows into the core's screens. Pure, so it is tested without a server.
//
// Root space: the X root window's pixels, origin at its top-left. Core space:
// the same axes with the origin at the primary monitor's top-left. Platform
// space (what the Screens port gives): origin at the primary monitor's
// bottom-left, y growing upwards.
#pragma once

#include <cstdint>
#include <vector>

#include "core/actions/rect.h"
#include "core/ports/screens.h"
#include "platform/x11/x11_window_properties.h"

namespace corvella::x11 {

struct MonitorRect {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  friend bool operator==(const MonitorRect&, const MonitorRect&) = default;
};

// The part of the monitor (root space) that no strut reserves. A strut
// reserves a band along an edge of the root window; it takes from the monitor
// only where the band overlaps it.
Rect visibleArea(const MonitorRect& monitor, const std::vector<Strut>& struts,
                 std::uint32_t rootWidth, std::uint32_t rootHeight);

// The monitors (primary first) with their visible areas, in platform space.
std::vector<PlatformScreen> platformScreens(const std::vector<MonitorRect>& monitors,
                                            const std::vector<Rect>& visibleAreas);

}  // namespace corvella::x11
