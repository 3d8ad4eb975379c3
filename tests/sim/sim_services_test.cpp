// The smaller simulated ports the core's tests lean on: a defaults store that
// can hold a value of the wrong kind, and key monitors.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace corvella::sim {
namespace {

TEST(SimServices, DefaultsGiveOnlyValuesOfTheAskedKindAndCountWrites) {
  SimPlatform platform;
  SimDefaults& defaults = platform.defaults;
  defaults.seed("gridLayouts", std::string("[]"));
  defaults.seed("settingsTab", Bytes{0x67});
  EXPECT_FALSE(defaults.data("gridLayouts") || defaults.string("settingsTab"));
  EXPECT_EQ(defaults.writeCount(), 0u) << "seeding is not a write";
  defaults.setData("gridLayouts", Bytes{'[', ']'});
  defaults.setString("settingsTab", "grids");
  EXPECT_EQ(defaults.dataText("gridLayouts"), "[]");
  EXPECT_EQ(defaults.string("settingsTab"), "grids");
  EXPECT_EQ(defaults.writeCount(), 2u);
}

TEST(SimServices, KeyMonitorsSeeKeysInInstallOrderUntilOneSwallows) {
  SimPlatform platform;
  SimKeyEventMonitor& monitor = platform.keyEventMonitor;
  std::vector<std::string> seen;
  auto first = monitor.addKeyDownMonitor([&](const KeyEvent& event) {
    seen.push_back(std::to_string(event.keyCode) + " " + std::to_string(event.modifierFlags));
    return event.keyCode != 53;
  });
  auto second = monitor.addKeyDownMonitor([&](const KeyEvent&) {
    seen.push_back("second");
    return true;
  });
  ASSERT_TRUE(first && second);
  EXPECT_TRUE(monitor.type(0, 0x100000));
  EXPECT_FALSE(monitor.type(53));
  monitor.removeMonitor(*first);
  EXPECT_TRUE(monitor.type(53));
  EXPECT_THAT(seen, ::testing::ElementsAre("0 1048576", "second", "53 0", "second"));

  monitor.setRefusesMonitors(true);
  EXPECT_FALSE(monitor.addKeyDownMonitor([](const KeyEvent&) { return true; }));
  EXPECT_EQ(monitor.monitorCount(), 1u);
}

}  // namespace
}  // namespace corvella::sim
