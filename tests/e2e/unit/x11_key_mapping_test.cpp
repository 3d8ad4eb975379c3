// Macintosh virtual key codes to physical evdev keys, and the modifier mapping.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

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
  for (std::uint32_t unknown : {52u, 66u, 127u, 128u, 0x10000u, 0xffffffffu}) {
    EXPECT_FALSE(xKeyCode(unknown).has_value()) << unknown;
  }
  EXPECT_FALSE(macKeyCode(0).has_value());
  EXPECT_FALSE(macKeyCode(7).has_value());
  std::set<std::uint8_t> used;
  for (std::uint32_t mac = 0; mac < 128; ++mac) {
    if (auto x = xKeyCode(mac)) {
      EXPECT_TRUE(used.insert(*x).second) << "mac key " << mac << " shares X key " << int(*x);
      EXPECT_EQ(macKeyCode(*x), mac);
    }
  }
}

TEST(HotKeyModifiers, CommandIsSuperOptionIsAltAndOtherBitsAreIgnored) {
  EXPECT_EQ(xModifiers(0x100), XCB_MOD_MASK_4);
  EXPECT_EQ(xModifiers(0x200), XCB_MOD_MASK_SHIFT);
  EXPECT_EQ(xModifiers(0x800), XCB_MOD_MASK_1);
  EXPECT_EQ(xModifiers(0x1000), XCB_MOD_MASK_CONTROL);
  // ⌃⌥⇧⌘ with the service's other bits (caps lock 0x400, right-hand keys) set.
  EXPECT_EQ(xModifiers(0x1B00 | 0x400 | 0x4000),
            XCB_MOD_MASK_4 | XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_1 | XCB_MOD_MASK_CONTROL);
  EXPECT_EQ(xModifiers(0), 0);
}

}  // namespace
}  // namespace corvella::x11
