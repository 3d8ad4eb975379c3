// The delegate's wiring of the hot keys: a press reaches the window manager
// on a later turn of the main queue, the store's changes re-register while
// the delegate exists, and pausing and resuming.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app_test_harness.h"
#include "core/grids/grid_layout_store.h"

namespace corvella {
namespace {

using testing_support::AppHarness;
using Strings = std::vector<std::string>;
// (key code, service mask, number) of a registration.
using Registration = std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>;

// Service masks: command 0x100, option 0x800, control 0x1000.
constexpr std::uint32_t optionCommand = 0x900;
constexpr std::uint32_t controlOption = 0x1800;
constexpr std::uint32_t leftArrow = 123;
constexpr std::uint32_t key1 = 18;

const char* const gridID = "AAAAAAAA-0000-4000-8000-000000000001";
// A 3×2 grid on control-option-1 (0xC0000 = 786432).
const char* const storedGrid =
    R"([{"id":"AAAAAAAA-0000-4000-8000-000000000001","columns":3,"rows":2,)"
    R"("shortcut":{"keyCode":18,"modifiers":786432}}])";

class HotKeyWiringTest : public testing::Test, protected AppHarness {
 protected:
  void SetUp() override {
    platform.desktop.addApplication(7, "Notes");
    window = platform.desktop.addWindow(7, {100, 100, 800, 600}, "Draft");
    platform.desktop.setFrontmostApplication(7);
    platform.defaults.seedData("gridLayouts", storedGrid);
  }

  std::vector<Registration> registrations() const {
    std::vector<Registration> result;
    for (const auto& held : platform.hotKeyService.registrations()) {
      result.emplace_back(held.keyCode, held.modifiers, held.id.id);
    }
    return result;
  }

  GridLayoutStore& store() { return services.gridLayoutStore(); }

  sim::SimWindowId window = 0;
};

TEST_F(HotKeyWiringTest, AnActionPressMovesTheWindowOnALaterTurn) {
  delegate->applicationDidFinishLaunching();

  ASSERT_TRUE(platform.hotKeyService.press(leftArrow, optionCommand));
  // The handler only posts; the window has not moved yet.
  EXPECT_EQ(platform.desktop.frame(window), (Rect{100, 100, 800, 600}));

  platform.mainQueue.runUntilIdle();
  // The left half of the visible frame (0,25 1440×875 below the menu bar).
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 720, 875}));
}

TEST_F(HotKeyWiringTest, AGridPressTilesTheFrontAppIntoTheLayout) {
  delegate->applicationDidFinishLaunching();
  ASSERT_TRUE(platform.hotKeyService.press(key1, controlOption));
  platform.mainQueue.runUntilIdle();

  // Top-left cell of 3×2: x 0 to round(1440/3) = 480; y 25 to
  // round(25 + 875/2) = round(462.5) = 463.
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 480, 438}));
  const Strings log = logMessages();
  ASSERT_EQ(log.size(), 4u);  // start, updater, tiling header and its window line
  EXPECT_EQ(log[2], "grid 3×2 Notes ×1");
}

TEST_F(HotKeyWiringTest, AGridRemovedBeforeThePressRunsDoesNothing) {
  delegate->applicationDidFinishLaunching();
  ASSERT_TRUE(platform.hotKeyService.press(key1, controlOption));

  store().removeLayout(*UUID::parse(gridID));
  const std::size_t accessibilityCalls = platform.desktop.callCount(sim::SimPort::accessibility);
  platform.mainQueue.runUntilIdle();

  EXPECT_EQ(platform.desktop.frame(window), (Rect{100, 100, 800, 600}));
  EXPECT_EQ(platform.desktop.callCount(sim::SimPort::accessibility), accessibilityCalls);
  EXPECT_EQ(logMessages().size(), 2u);
  EXPECT_EQ(platform.desktop.beeps(), 0);
}

TEST_F(HotKeyWiringTest, NoCallbackKeepsTheDelegateAlive) {
  delegate->applicationDidFinishLaunching();
  auto pause = delegate->makeSetHotKeysPaused();
  EXPECT_EQ(delegate.use_count(), 1);
}

TEST_F(HotKeyWiringTest, PressesStillWorkAfterTheDelegateIsGone) {
  delegate->applicationDidFinishLaunching();
  delegate.reset();

  ASSERT_TRUE(platform.hotKeyService.press(leftArrow, optionCommand));
  platform.mainQueue.runUntilIdle();
  EXPECT_EQ(platform.desktop.frame(window), (Rect{0, 25, 720, 875}));
}

TEST_F(HotKeyWiringTest, StoreChangesReRegisterOnlyWhileTheDelegateExists) {
  delegate->applicationDidFinishLaunching();
  ASSERT_EQ(registrations().size(), 21u);
  EXPECT_EQ(registrations().back(), (Registration{key1, controlOption, 21}));

  // A new grid on control-option-2 (key code 19) registers as number 22.
  std::vector<GridLayout> layouts = store().layouts();
  layouts.push_back(
      GridLayout{.id = UUID::random(), .columns = 2, .rows = 2, .shortcut = Shortcut{19, 0xC0000}});
  store().setLayouts(layouts);
  ASSERT_EQ(registrations().size(), 22u);
  EXPECT_EQ(registrations().back(), (Registration{19, controlOption, 22}));

  delegate.reset();
  const std::size_t attempts = platform.hotKeyService.registerCallCount();
  const std::size_t withdrawals = platform.hotKeyService.unregisterCallCount();
  store().restoreDefaults();

  EXPECT_EQ(platform.hotKeyService.registerCallCount(), attempts);
  EXPECT_EQ(platform.hotKeyService.unregisterCallCount(), withdrawals);
  EXPECT_EQ(registrations().size(), 22u);
}

TEST_F(HotKeyWiringTest, PauseThenResumeRestoresTheSameRegistrations) {
  delegate->applicationDidFinishLaunching();
  const std::vector<Registration> before = registrations();
  const auto targets = services.hotKeyCenter().targets();
  auto setHotKeysPaused = delegate->makeSetHotKeysPaused();

  setHotKeysPaused(true);
  EXPECT_TRUE(registrations().empty());
  EXPECT_TRUE(services.hotKeyCenter().targets().empty());
  EXPECT_FALSE(platform.hotKeyService.press(leftArrow, optionCommand));

  setHotKeysPaused(false);
  EXPECT_EQ(registrations(), before);
  EXPECT_EQ(services.hotKeyCenter().targets(), targets);
  EXPECT_EQ(logMessages().size(), 2u);  // resuming logs nothing when all succeed
}

TEST_F(HotKeyWiringTest, AfterTheDelegateIsGonePauseStillUnregistersButResumeDoesNothing) {
  delegate->applicationDidFinishLaunching();
  auto setHotKeysPaused = delegate->makeSetHotKeysPaused();
  delegate.reset();

  setHotKeysPaused(true);
  EXPECT_TRUE(registrations().empty());

  const std::size_t attempts = platform.hotKeyService.registerCallCount();
  setHotKeysPaused(false);
  EXPECT_TRUE(registrations().empty());
  EXPECT_EQ(platform.hotKeyService.registerCallCount(), attempts);
}

}  // namespace
}  // namespace corvella
