// The simulated platform's own rules where the core's tests lean on them
// without showing them: hot-key refusals and the chain of key monitors.
// Element identity, attribute overrides, minimum sizes, closing windows,
// defaults kinds, timers and the main queue's later turns are pinned by the
// core's tests that use them.
#include "platform/sim/sim_platform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace corvella::sim {
namespace {

using ::testing::ElementsAre;

TEST(SimPlatform, HotKeysRefuseOnlyTheExactCombinationHeldAndPressOnlyTheirOwn) {
  SimPlatform platform;
  SimHotKeyService& hotKeys = platform.hotKeyService;
  std::vector<HotKeyID> pressed;
  hotKeys.installPressHandler([&](HotKeyID id) { pressed.push_back(id); });
  hotKeys.occupyByAnotherApplication(123, 0x900);
  const auto held = hotKeys.registerHotKey(124, 0x900, {1, 1});
  ASSERT_TRUE(held);
  EXPECT_FALSE(hotKeys.registerHotKey(123, 0x900, {1, 2}));
  EXPECT_FALSE(hotKeys.registerHotKey(124, 0x900, {1, 3}));
  EXPECT_TRUE(hotKeys.registerHotKey(123, 0x1800, {1, 4}));
  EXPECT_TRUE(hotKeys.registerHotKey(123, 0x100, {1, 5}));  // a subset of the held modifiers
  EXPECT_FALSE(hotKeys.press(123, 0x900)) << "another application's key";
  EXPECT_TRUE(hotKeys.press(123, 0x100));
  EXPECT_THAT(pressed, ElementsAre(HotKeyID{1, 5}));
  // Unregistering frees the combination; a stale reference changes nothing.
  hotKeys.unregisterHotKey(*held);
  EXPECT_TRUE(hotKeys.registerHotKey(124, 0x900, {1, 6}));
  hotKeys.unregisterHotKey(*held);
  EXPECT_EQ(hotKeys.registrations().size(), 3u);
}

TEST(SimPlatform, KeyMonitorsSeeKeysInInstallOrderUntilOneSwallows) {
  SimPlatform platform;
  SimKeyEventMonitor& monitor = platform.keyEventMonitor;
  std::vector<std::string> seen;
  monitor.setAfterEachEvent([&] { seen.push_back("after"); });
  auto first = monitor.addKeyDownMonitor([&](const KeyEvent& event) {
    seen.push_back(std::to_string(event.keyCode) + " " + std::to_string(event.modifierFlags));
    return event.keyCode != 53;
  });
  auto second = monitor.addKeyDownMonitor([&](const KeyEvent&) {
    seen.push_back("second");
    return true;
  });
  EXPECT_TRUE(monitor.type(0, 0x100000));
  EXPECT_FALSE(monitor.type(53));
  monitor.removeMonitor(*first);
  EXPECT_TRUE(monitor.type(53));
  EXPECT_THAT(seen, ElementsAre("0 1048576", "after", "second", "after", "53 0", "after", "second",
                                "after"));

  // A handler that removes its own monitor is still followed by the hook.
  monitor.removeMonitor(*second);
  std::optional<MonitorHandle> self;
  self = monitor.addKeyDownMonitor([&](const KeyEvent&) {
    monitor.removeMonitor(*self);
    seen.push_back("removed itself");
    return false;
  });
  seen.clear();
  EXPECT_FALSE(monitor.type(53));
  EXPECT_TRUE(monitor.type(53));
  EXPECT_THAT(seen, ElementsAre("removed itself", "after"));

  monitor.setRefusesMonitors(true);
  EXPECT_FALSE(monitor.addKeyDownMonitor([](const KeyEvent&) { return true; }));
  EXPECT_EQ(monitor.monitorCount(), 0u);
}

}  // namespace
}  // namespace corvella::sim
