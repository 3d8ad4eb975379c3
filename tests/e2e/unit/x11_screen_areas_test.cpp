// Monitors and dock struts into the core's screens, derived by hand.
#include "platform/x11/screen_areas.h"

#include <gtest/gtest.h>

namespace corvella::x11 {
namespace {

constexpr std::uint32_t whole = 0xffffffffu;

// A panel along one edge, over the given range of the other axis.
Strut topStrut(std::uint32_t height, std::uint32_t startX, std::uint32_t endX) {
  return Strut{0, 0, height, 0, 0, 0, 0, 0, startX, endX, 0, 0};
}
Strut bottomStrut(std::uint32_t height, std::uint32_t startX, std::uint32_t endX) {
  return Strut{0, 0, 0, height, 0, 0, 0, 0, 0, 0, startX, endX};
}
Strut leftStrut(std::uint32_t width, std::uint32_t startY, std::uint32_t endY) {
  return Strut{width, 0, 0, 0, startY, endY, 0, 0, 0, 0, 0, 0};
}

struct AreaCase {
  const char* name;
  MonitorRect monitor;
  std::vector<Strut> struts;
  Rect visible;
};

TEST(ScreenAreas, StrutsTakeFromTheMonitorsTheyOverlapOnly) {
  // Root 2880×900: two 1440×900 monitors side by side.
  const MonitorRect left{0, 0, 1440, 900}, right{1440, 0, 1440, 900};
  const AreaCase cases[] = {
      {"no struts", left, {}, {0, 0, 1440, 900}},
      {"top panel, left monitor", left, {topStrut(30, 0, 1439)}, {0, 30, 1440, 870}},
      {"top panel, seen from the right", right, {topStrut(30, 0, 1439)}, {1440, 0, 1440, 900}},
      {"bottom panel across both", right, {bottomStrut(40, 0, 2879)}, {1440, 0, 1440, 860}},
      {"plain strut: whole edge", right, {bottomStrut(40, 0, whole)}, {1440, 0, 1440, 860}},
      {"left dock, left monitor", left, {leftStrut(64, 100, 799)}, {64, 0, 1376, 900}},
      {"left dock, right monitor", right, {leftStrut(64, 0, 899)}, {1440, 0, 1440, 900}},
      {"two panels", left, {topStrut(30, 0, 1439), bottomStrut(40, 0, 2879)}, {0, 30, 1440, 830}},
      {"swallowed: left empty", left, {topStrut(1000, 0, 1439)}, {0, 1000, 1440, 0}},
      // Struts give inclusive ranges: x 1440..1440 lies on the right monitor only.
      {"edge range, left", left, {topStrut(30, 1440, 1440)}, {0, 0, 1440, 900}},
      {"edge range, right", right, {topStrut(30, 1440, 1440)}, {1440, 30, 1440, 870}},
  };
  for (const AreaCase& c : cases) {
    EXPECT_EQ(visibleArea(c.monitor, c.struts, 2880, 900), c.visible) << c.name;
  }
}

TEST(ScreenAreas, PlatformSpaceHasItsOriginAtThePrimaryBottomLeft) {
  // Primary 1440×900 at root (100, 180); a 1920×1080 monitor to its right,
  // 180 higher (root y 0), with a 30-pixel panel on the primary.
  const std::vector<MonitorRect> monitors{{100, 180, 1440, 900}, {1540, 0, 1920, 1080}};
  const std::vector<Rect> visible{{100, 210, 1440, 870}, {1540, 0, 1920, 1080}};
  const auto screens = platformScreens(monitors, visible);
  ASSERT_EQ(screens.size(), 2u);
  EXPECT_EQ(screens[0].frame, (Rect{0, 0, 1440, 900}));
  // The panel is at the top, so the visible part keeps the bottom edge.
  EXPECT_EQ(screens[0].visibleFrame, (Rect{0, 0, 1440, 870}));
  // Core y of the second monitor is -180; platform y = 900 - (-180 + 1080) = 0.
  EXPECT_EQ(screens[1].frame, (Rect{1440, 0, 1920, 1080}));
  EXPECT_EQ(screens[1].visibleFrame, (Rect{1440, 0, 1920, 1080}));
  EXPECT_TRUE(platformScreens({}, {}).empty());
}

}  // namespace
}  // namespace corvella::x11
