// The simulated hot-key registry: refusal rules and press delivery.
#include "platform/sim/sim_hot_key_service.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/sim/sim_platform.h"

namespace corvella::sim {
namespace {

using ::testing::ElementsAre;

constexpr std::uint32_t signature = 0x4352564C;  // "CRVL"
constexpr std::uint32_t leftArrow = 123;
constexpr std::uint32_t optionCommand = 0x800 | 0x100;

class SimHotKeyServiceTest : public ::testing::Test {
 protected:
  SimHotKeyServiceTest() {
    hotKeys.installPressHandler([this](HotKeyID id) { pressed.push_back(id); });
  }

  SimPlatform platform;
  SimHotKeyService& hotKeys = platform.hotKeyService;
  std::vector<HotKeyID> pressed;
};

TEST_F(SimHotKeyServiceTest, RefusesCombinationsAlreadyHeld) {
  hotKeys.occupyByAnotherApplication(leftArrow, optionCommand);
  const auto held = hotKeys.registerHotKey(124, optionCommand, {signature, 1});
  ASSERT_TRUE(held);

  struct Row {
    const char* name;
    std::uint32_t keyCode;
    std::uint32_t modifiers;
    bool accepted;
  };
  const Row rows[] = {
      {"held by another application", leftArrow, optionCommand, false},
      {"held earlier by this process", 124, optionCommand, false},
      {"same key, other modifiers", leftArrow, 0x1000 | 0x800, true},
      {"same modifiers, other key", 125, optionCommand, true},
      {"a subset of the held modifiers", leftArrow, 0x100, true},
      {"registered a moment ago", 125, optionCommand, false},
  };
  std::uint32_t number = 2;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(hotKeys.registerHotKey(row.keyCode, row.modifiers, {signature, number++}).has_value(),
              row.accepted);
  }
  EXPECT_EQ(hotKeys.registrations().size(), 4u);

  // Unregistering frees the combination; a stale reference changes nothing.
  hotKeys.unregisterHotKey(*held);
  EXPECT_TRUE(hotKeys.registerHotKey(124, optionCommand, {signature, 9}));
  hotKeys.unregisterHotKey(*held);
  EXPECT_EQ(hotKeys.registrations().size(), 4u);
}

TEST_F(SimHotKeyServiceTest, PressDeliversTheRegisteredIdSynchronously) {
  hotKeys.registerHotKey(leftArrow, optionCommand, {signature, 1});
  hotKeys.registerHotKey(124, optionCommand, {signature, 21});
  hotKeys.occupyByAnotherApplication(125, optionCommand);

  EXPECT_TRUE(hotKeys.press(124, optionCommand));
  EXPECT_TRUE(hotKeys.press(leftArrow, optionCommand));
  EXPECT_FALSE(hotKeys.press(leftArrow, 0x100));
  EXPECT_FALSE(hotKeys.press(125, optionCommand)) << "another application's key";
  hotKeys.deliver({});
  EXPECT_THAT(pressed, ElementsAre(HotKeyID{signature, 21}, HotKeyID{signature, 1}, HotKeyID{}));
}

}  // namespace
}  // namespace corvella::sim
