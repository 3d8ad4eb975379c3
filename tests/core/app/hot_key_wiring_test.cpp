// The delegate's wiring of the hot keys: a press reaches the window manager
// on a later turn of the main queue, and the callbacks long-lived objects
// keep hold the delegate weakly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_test_harness.h"

namespace corvella {
namespace {

// Service masks: command 0x100, option 0x800, control 0x1000.
constexpr std::uint32_t optionCommand = 0x900, controlOption = 0x1800;
constexpr std::uint32_t leftArrow = 123, key1 = 18;

class HotKeyWiringTest : public testing::Test, protected testing_support::AppHarness {
 protected:
  void SetUp() override {
    // A 3×2 grid on control-option-1 (0xC0000 = 786432).
    storeGrids(R"([{"id":"AAAAAAAA-0000-4000-8000-000000000001","columns":3,"rows":2,)"
               R"("shortcut":{"keyCode":18,"modifiers":786432}}])");
    delegate->applicationDidFinishLaunching();
  }

  sim::SimHotKeyService& hotKeys = platform.hotKeyService;
  const sim::SimWindowId window = addDraftWindow();
};

TEST_F(HotKeyWiringTest, PressesMoveTheWindowOnALaterTurnUnlessTheGridIsGoneByThen) {
  ASSERT_TRUE(hotKeys.press(leftArrow, optionCommand));
  // The handler only posts; the window has not moved yet.
  EXPECT_EQ(platform.desktop.frame(window), (Rect{100, 100, 800, 600}));
  platform.mainQueue.runUntilIdle();
  // The left half of the visible frame (0,25 1440×875 below the menu bar).
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 720, 875}));

  ASSERT_TRUE(hotKeys.press(key1, controlOption));
  platform.mainQueue.runUntilIdle();
  // Top-left cell of 3×2: x 0 to round(1440/3) = 480; y 25 to round(462.5) = 463.
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 480, 438}));
  const std::vector<std::string> log = logMessages();
  EXPECT_EQ(std::vector(log.end() - 2, log.end()),
            (std::vector<std::string>{"grid 3×2 Notes ×1",
                                      "  OK 목표=(0,25 480×438) 결과=(0,25 480×438) Draft"}));

  ASSERT_TRUE(hotKeys.press(key1, controlOption));
  services.gridLayoutStore().removeLayout(services.gridLayoutStore().layouts().at(0).id);
  const std::size_t calls = platform.desktop.callCount(sim::SimPort::accessibility);
  const std::size_t lines = logMessages().size();
  platform.mainQueue.runUntilIdle();
  EXPECT_EQ(platform.desktop.callCount(sim::SimPort::accessibility), calls);
  EXPECT_EQ(logMessages().size(), lines);
  EXPECT_EQ(platform.desktop.beeps(), 0);
}

TEST_F(HotKeyWiringTest, StoreChangesReRegisterOnlyWhileTheDelegateExists) {
  // A new grid on control-option-2 (key code 19) registers as number 22.
  std::vector<GridLayout> layouts = services.gridLayoutStore().layouts();
  layouts.push_back({.id = UUID::random(), .columns = 2, .rows = 2, .shortcut = {{19, 0xC0000}}});
  services.gridLayoutStore().setLayouts(layouts);
  ASSERT_EQ(hotKeys.registrations().size(), 22u);
  EXPECT_EQ(hotKeys.registrationFor(19, controlOption)->id.id, 22u);

  delegate.reset();
  const std::size_t attempts = hotKeys.registerCallCount();
  const std::size_t withdrawals = hotKeys.unregisterCallCount();
  services.gridLayoutStore().restoreDefaults();
  EXPECT_EQ(hotKeys.registerCallCount(), attempts);
  EXPECT_EQ(hotKeys.unregisterCallCount(), withdrawals);
}

TEST_F(HotKeyWiringTest, AfterTheDelegateIsGonePressesAndPausingWorkButResumingDoesNothing) {
  auto setHotKeysPaused = delegate->makeSetHotKeysPaused();
  EXPECT_EQ(delegate.use_count(), 1);  // no callback keeps it alive
  delegate.reset();

  ASSERT_TRUE(hotKeys.press(leftArrow, optionCommand));
  platform.mainQueue.runUntilIdle();
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 720, 875}));

  setHotKeysPaused(true);
  EXPECT_TRUE(hotKeys.registrations().empty());
  const std::size_t attempts = hotKeys.registerCallCount();
  setHotKeysPaused(false);
  EXPECT_EQ(hotKeys.registerCallCount(), attempts);
}

}  // namespace
}  // namespace corvella
