// Macintosh virtual key codes to physical evdev keys, and the modifier mapping.
#include <gtest/gtest.h>

#include <set>

#include "platform/x11/mac_key_codes.h"
#include "platform/x11/x11_hot_key_service.h"

namespace corvella::x11 {
namespace {

TEST(MacKeyCodes, TheBuiltInShortcutKeysLandOnTheirPhysicalKeys) {
  // Linux input codes + 8: KEY_LEFT 105, KEY_RIGHT 106, KEY_UP 103, KEY_DOWN
  // 108, KEY_A 30, KEY_F 33, KEY_C 46, KEY_Z 44, KEY_1 2.
  const std::pair<std::uint32_t, std::uint8_t> expected[] = {
      {123, 113}, {124, 114}, {126, 111}, {125, 116}, {0, 38},  {3, 41},  {8, 54},
      {6, 52},    {18, 10},   {49, 65},   {36, 36},   {53, 9},  {51, 22}, {117, 119},
      {48, 23},   {122, 67},  {111, 96},  {55, 133},  {58, 64}, {59, 37}, {56, 50},
  };
  for (const auto& [mac, x] : expected) {
    EXPECT_EQ(xKeyCode(mac), x) << "mac key " << mac;
    EXPECT_EQ(macKeyCode(x), mac) << "X key " << int(x);
  }
}

TEST(MacKeyCodes, UnknownCodesHaveNoKeyAndNoTwoCodesShareOne) {
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

}  // namespace
}  // namespace corvella::x11
