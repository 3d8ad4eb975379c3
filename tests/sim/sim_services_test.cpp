// The smaller simulated ports the core's tests lean on: a defaults store that
// can hold a value of the wrong kind, and key monitors.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace corvella::sim {
namespace {

using ::testing::ElementsAre;

class SimServicesTest : public ::testing::Test {
 protected:
  SimPlatform platform;
};

TEST_F(SimServicesTest, DefaultsGiveOnlyValuesOfTheAskedKind) {
  SimDefaults& defaults = platform.defaults;
  defaults.seed("gridLayouts", std::string("[]"));
  defaults.seed("settingsTab", Bytes{0x67});
  EXPECT_FALSE(defaults.data("gridLayouts"));
  EXPECT_FALSE(defaults.string("settingsTab"));
  EXPECT_FALSE(defaults.data("missing"));
  EXPECT_EQ(defaults.writeCount(), 0u) << "seeding is not a write";

  defaults.setData("gridLayouts", Bytes{'[', ']'});
  defaults.setString("settingsTab", "grids");
  EXPECT_EQ(defaults.dataText("gridLayouts"), "[]");
  EXPECT_EQ(defaults.string("settingsTab"), "grids");
  EXPECT_EQ(defaults.writeCount(), 2u);
}

TEST_F(SimServicesTest, KeyMonitorsSeeKeysInInstallOrderUntilOneSwallows) {
  SimKeyEventMonitor& monitor = platform.keyEventMonitor;
  std::vector<std::string> seen;
  monitor.setAfterEachEvent([&] { seen.push_back("after"); });
  auto first = monitor.addKeyDownMonitor([&](const KeyEvent& event) {
    seen.push_back("first " + std::to_string(event.keyCode) + " " +
                   std::to_string(event.modifierFlags));
    return event.keyCode != 53;
  });
  auto second = monitor.addKeyDownMonitor([&](const KeyEvent&) {
    seen.push_back("second");
    return true;
  });
  ASSERT_TRUE(first && second);

  EXPECT_TRUE(monitor.type(0, 0x100000));
  EXPECT_FALSE(monitor.type(53));
  EXPECT_THAT(seen,
              ElementsAre("first 0 1048576", "after", "second", "after", "first 53 0", "after"));

  monitor.removeMonitor(*first);
  seen.clear();
  EXPECT_TRUE(monitor.type(53));
  EXPECT_THAT(seen, ElementsAre("second", "after"));

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
