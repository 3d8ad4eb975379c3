// The simulated hot-key registry: refusal rules and press delivery.
#include "platform/sim/sim_hot_key_service.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/sim/sim_platform.h"

namespace corvella::sim {
namespace {

constexpr std::uint32_t crvl = 0x4352564C, optionCommand = 0x900;

TEST(SimHotKeyService, RefusesHeldCombinationsAndDeliversPressesOfRegisteredOnes) {
  SimPlatform platform;
  SimHotKeyService& hotKeys = platform.hotKeyService;
  std::vector<HotKeyID> pressed;
  hotKeys.installPressHandler([&](HotKeyID id) { pressed.push_back(id); });
  hotKeys.occupyByAnotherApplication(123, optionCommand);
  const auto held = hotKeys.registerHotKey(124, optionCommand, {crvl, 1});
  ASSERT_TRUE(held);
  // Held by another application, then by this one; other modifiers, other
  // key and a subset of the modifiers are free.
  EXPECT_FALSE(hotKeys.registerHotKey(123, optionCommand, {crvl, 2}));
  EXPECT_FALSE(hotKeys.registerHotKey(124, optionCommand, {crvl, 3}));
  EXPECT_TRUE(hotKeys.registerHotKey(123, 0x1800, {crvl, 4}));
  EXPECT_TRUE(hotKeys.registerHotKey(125, optionCommand, {crvl, 21}));
  EXPECT_TRUE(hotKeys.registerHotKey(123, 0x100, {crvl, 6}));

  EXPECT_TRUE(hotKeys.press(125, optionCommand));
  EXPECT_FALSE(hotKeys.press(123, optionCommand)) << "another application's key";
  EXPECT_FALSE(hotKeys.press(126, optionCommand));
  EXPECT_THAT(pressed, ::testing::ElementsAre(HotKeyID{crvl, 21}));

  // Unregistering frees the combination; a stale reference changes nothing.
  hotKeys.unregisterHotKey(*held);
  EXPECT_TRUE(hotKeys.registerHotKey(124, optionCommand, {crvl, 9}));
  hotKeys.unregisterHotKey(*held);
  EXPECT_EQ(hotKeys.registrations().size(), 4u);
}

}  // namespace
}  // namespace corvella::sim
