// Macintosh virtual key codes become physical evdev keys; screens are derived by hand.
#include <gtest/gtest.h>

#include <set>

#include "platform/x11/mac_key_codes.h"
#include "platform/x11/screen_areas.h"
#include "platform/x11/x11_hot_key_service.h"
#include "platform/x11/x11_session_checks.h"
#include "tests/support/environment.h"

namespace corvella::x11 {
namespace {

TEST(MacKeyCodes, TheBuiltInShortcutKeysLandOnTheirPhysicalKeysAndBack) {
  // Linux input codes + 8: KEY_LEFT 105, KEY_RIGHT 106, KEY_UP 103, KEY_DOWN
  // 108, KEY_A 30, KEY_F 33, KEY_C 46, KEY_Z 44, KEY_1 2.
  const std::pair<std::uint32_t, std::uint8_t> expected[] = {
      {123, 113}, {124, 114}, {126, 111}, {125, 116}, {0, 38},  {3, 41},  {8, 54},
      {6, 52},    {18, 10},   {49, 65},   {36, 36},   {53, 9},  {51, 22}, {117, 119},
      {48, 23},   {122, 67},  {111, 96},  {55, 133},  {58, 64}, {59, 37}, {56, 50},
  };
  for (const auto& [mac, x] : expected) EXPECT_EQ(xKeyCode(mac), x) << "mac key " << mac;
  // Unknown codes have no key; no two codes share one, and each maps back.
  for (std::uint32_t mac : {66u, 127u, 128u, 0x10000u, 0xffffffffu})
    EXPECT_FALSE(xKeyCode(mac)) << mac;
  for (std::uint8_t x : {0, 7}) EXPECT_FALSE(macKeyCode(x).has_value()) << int(x);
  std::set<std::uint8_t> used;
  for (std::uint32_t mac = 0; mac < 128; ++mac) {
    if (auto x = xKeyCode(mac)) {
      EXPECT_TRUE(used.insert(*x).second) << "mac key " << mac << " shares X key " << int(*x);
      EXPECT_EQ(macKeyCode(*x), mac);
    }
  }
}

TEST(HotKeyModifiers, CommandIsSuperOptionIsAltAndOtherBitsAreIgnored) {
  // X masks: Super (Mod4) 0x40, Shift 0x1, Alt (Mod1) 0x8, Control 0x4. The last: ⌃⌥⇧⌘
  // with the service's other bits (caps lock 0x400, right-hand keys) set.
  const std::pair<std::uint32_t, int> cases[] = {{0, 0},       {0x100, 0x40}, {0x200, 0x1},
                                                 {0x800, 0x8}, {0x1000, 0x4}, {0x5F00, 0x4d}};
  for (const auto& [mac, x] : cases) EXPECT_EQ(xModifiers(mac), x) << mac;
}

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

bool waylandOnly(const testing_support::Variables& variables) {
  return waylandWithoutX(testing_support::environmentOf(variables));
}

TEST(X11SessionChecksTest, OnlyAWaylandSessionWithoutADisplayIsRefused) {
  EXPECT_TRUE(waylandOnly({{"WAYLAND_DISPLAY", "wayland-0"}}));
  EXPECT_TRUE(waylandOnly({{"XDG_SESSION_TYPE", "wayland"}}));
  // Xwayland gives a display: its X clients can be arranged.
  EXPECT_FALSE(waylandOnly({{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}}));
  // No display and no Wayland: the X connection's own error says it.
  EXPECT_FALSE(waylandOnly({}));
  EXPECT_FALSE(waylandOnly({{"XDG_SESSION_TYPE", "x11"}, {"WAYLAND_DISPLAY", ""}}));
}

}  // namespace
}  // namespace corvella::x11
